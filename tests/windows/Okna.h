#pragma once
// The program's three windows on a simulated machine, a fresh catalogue and
// recorded dialogs, created as the entry creates them, with the controls the
// hidden ones get at their first showing (unless `przygotuj` is false).

#include <functional>
#include <memory>

#include "catalogue/Katalog.h"
#include "platform/sim/SymulowanaMaszyna.h"
#include "ui/Aplikacja.h"
#include "ui/Probierator_app.h"
#include "ui/Probierator_leg.h"
#include "ui/Probierator_wyn.h"

namespace pro::testy {

// The message boxes and save dialogs the windows ask for, recorded, none shown.
struct ZapisaneDialogi : ui::Dialogi {
    struct Komunikat_ {
        std::string tekst, tytul;
        UINT flagi = 0;
    };
    std::vector<Komunikat_> komunikaty;
    std::vector<ui::ParametryZapisu> zapisy;
    std::optional<std::string> odpowiedz_zapisu;  // none: cancelled
    int Komunikat(const std::string& tekst, const std::string& tytul, UINT flagi) override {
        komunikaty.push_back({tekst, tytul, flagi});
        return IDOK;
    }
    std::optional<std::string> DialogZapisu(const ui::ParametryZapisu& parametry) override {
        zapisy.push_back(parametry);
        return odpowiedz_zapisu;
    }
};

struct Okna {
    explicit Okna(SymulowanaMaszyna& maszyna, ZapisaneDialogi* dialogi = nullptr)
        : m(maszyna), d(dialogi != nullptr ? *dialogi : wlasne_), app(maszyna, d, k) {}
    void Utworz(bool przygotuj = true) {
        okno_app = std::make_unique<ui::TProOknoApp>(app);
        okno_wyn = std::make_unique<ui::TProOknoWyn>(app);
        okno_leg = std::make_unique<ui::TProOknoLeg>(app);
        if (!przygotuj) return;
        okno_wyn->Przygotuj();
        okno_leg->Przygotuj();
    }
    ~Okna() {
        okno_leg.reset();
        okno_wyn.reset();
        okno_app.reset();
        // Leave nothing (a quit message, a timer) for the next test.
        MSG reszta;
        while (PeekMessageW(&reszta, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    SymulowanaMaszyna& m;
    ZapisaneDialogi wlasne_;
    ZapisaneDialogi& d;
    Katalog k;
    ui::Aplikacja app;
    std::unique_ptr<ui::TProOknoApp> okno_app;
    std::unique_ptr<ui::TProOknoWyn> okno_wyn;
    std::unique_ptr<ui::TProOknoLeg> okno_leg;
};

inline std::function<void()> zadanie_petli;  // the one pending task
inline void CALLBACK Zadanie(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto co = std::move(zadanie_petli);
    zadanie_petli = nullptr;
    if (co) co();
}

// Runs `co` once from inside the next message loop (a modal showing's),
// through a thread timer.
inline void PodczasPetli(std::function<void()> co) {
    zadanie_petli = std::move(co);
    SetTimer(nullptr, 0, 1, &Zadanie);
}

}  // namespace pro::testy

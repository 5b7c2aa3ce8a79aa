#include "ui/Aplikacja.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win32/Znaczniki.h"
#include "ui/Okno.h"
#include "ui/Rysunki.h"

namespace pro::ui {

Aplikacja::Aplikacja(Platforma& platforma_, Dialogi& dialogi_, Katalog& katalog_)
    : platforma(platforma_),
      dialogi(dialogi_),
      katalog(katalog_),
      ikona_duza_(UtworzIkoneProgramu(32)),
      ikona_mala_(UtworzIkoneProgramu(16)) {
    znaczniki::Znacznik("ikony");
    // The tree, the check list and the buttons' tooltips; the rich edit's
    // library is loaded when the results window is first shown.
    INITCOMMONCONTROLSEX kontrolki{sizeof kontrolki, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES |
                                                         ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&kontrolki);
    znaczniki::Znacznik("kontrolki_wspolne");
}

void Aplikacja::PokazWyjatek(const std::exception& wyjatek) {
    try {
        dialogi.Komunikat(wyjatek.what(), Tytul, MB_OK | MB_ICONERROR);
    } catch (...) {
        // Nothing is left to show it with.
    }
}

void Aplikacja::PokazWyjatek(std::exception_ptr wyjatek) {
    try {
        std::rethrow_exception(wyjatek);
    } catch (const std::exception& e) {
        PokazWyjatek(e);
    } catch (...) {
        PokazWyjatek(std::runtime_error("Nieznany błąd."));
    }
}

int Aplikacja::Uruchom() {
    MSG komunikat{};
    for (;;) {
        znaczniki::PrzedCzekaniem();
        if (GetMessageW(&komunikat, nullptr, 0, 0) <= 0) break;
        Przetworz(komunikat);
    }
    return static_cast<int>(komunikat.wParam);
}

void Aplikacja::Przetworz(MSG& komunikat) {
    const HWND aktywne = GetActiveWindow();
    if (aktywne != nullptr && komunikat.hwnd != nullptr) {
        // The active window's keys, then Tab between its tab stops.
        const auto okno = std::find_if(okna_.begin(), okna_.end(),
                                       [aktywne](const Okno* o) { return o->Uchwyt() == aktywne; });
        if (okno != okna_.end() && (*okno)->Klawisz(komunikat)) return;
        if (IsDialogMessageW(aktywne, &komunikat)) return;
    }
    TranslateMessage(&komunikat);
    DispatchMessageW(&komunikat);
}

void Aplikacja::Wyrejestruj(Okno* okno) {
    okna_.erase(std::remove(okna_.begin(), okna_.end(), okno), okna_.end());
}

}  // namespace pro::ui

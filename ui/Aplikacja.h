#pragma once
// The application object: the title, the program's icon, the exception
// display, the message loop, the dialogs, and the three windows the others
// reach.

#include <exception>
#include <string>
#include <vector>

#include "catalogue/Katalog.h"
#include "platform/Platforma.h"
#include "ui/Dialogi.h"
#include "ui/Uchwyty.h"

namespace pro::ui {

class Okno;
class TProOknoApp;
class TProOknoWyn;
class TProOknoLeg;

class Aplikacja {
public:
    Aplikacja(Platforma& platforma, Dialogi& dialogi, Katalog& katalog);
    Aplikacja(const Aplikacja&) = delete;
    Aplikacja& operator=(const Aplikacja&) = delete;

    Platforma& platforma;
    Dialogi& dialogi;  // message boxes and the save dialog
    Katalog& katalog;
    std::string Tytul = "Probierator";

    // Each window puts itself here when it is created.
    TProOknoApp* ProOknoApp = nullptr;
    TProOknoWyn* ProOknoWyn = nullptr;
    TProOknoLeg* ProOknoLeg = nullptr;

    HICON IkonaDuza() const { return ikona_duza_.get(); }
    HICON IkonaMala() const { return ikona_mala_.get(); }

    // The exception display: a message box with the exception's message.
    void PokazWyjatek(const std::exception& wyjatek);
    void PokazWyjatek(std::exception_ptr wyjatek);

    // Runs `dzialanie`; an exception it throws goes to the exception display.
    template <typename F>
    bool Chron(F&& dzialanie) noexcept {
        try {
            dzialanie();
            return true;
        } catch (...) {
            PokazWyjatek(std::current_exception());
            return false;
        }
    }

    // The message loop: until WM_QUIT; returns its exit code.
    int Uruchom();
    // One message: the active window's keys and dialog keys, then dispatch.
    void Przetworz(MSG& komunikat);

    // Windows of the program, in creation order (for modal showing).
    void Zarejestruj(Okno* okno) { okna_.push_back(okno); }
    void Wyrejestruj(Okno* okno);
    const std::vector<Okno*>& Okna() const { return okna_; }

private:
    Ikona ikona_duza_;
    Ikona ikona_mala_;
    std::vector<Okno*> okna_;
};

}  // namespace pro::ui

#pragma once
// The selection window: the system summary, the check list of the
// catalogue's applications, and the check / tick all / close images.

#include "ui/ListaWyboru.h"
#include "ui/Okno.h"

namespace pro::ui {

class TProOknoApp : public Okno {
public:
    static constexpr const wchar_t* Klasa = L"TProOknoApp";

    explicit TProOknoApp(Aplikacja& aplikacja);

    ListaWyboru clbAplikacje;
    HWND lbNrWersji = nullptr;
    HWND lbSystem = nullptr;
    HWND lbPlatforma = nullptr;
    HWND lbAdmin = nullptr;
    HWND lbUac = nullptr;
    HWND shTloNaglowek = nullptr;
    HWND lbTytul = nullptr;
    HWND lbOrleko = nullptr;
    HWND lbPodpowiedz = nullptr;
    HWND imZamknij = nullptr;
    HWND imSprawdz = nullptr;
    HWND imZaznaczW = nullptr;

    void FormCreate();
    void imSprawdzClick();
    void imZaznaczWClick();
    void imZamknijClick();

protected:
    LRESULT Obsluz(UINT komunikat, WPARAM w, LPARAM l) override;
    void OnZamknij() override;

private:
    Czcionka verdana12_, verdana13_, verdana15_, tytulowa_;
};

}  // namespace pro::ui

#include "ui/Probierator_wyn.h"

#include "ui/Probierator_app.h"
#include "ui/Rysunki.h"

namespace pro::ui {

TProOknoWyn::TProOknoWyn(Aplikacja& aplikacja) : Okno(aplikacja) {
    app_.ProOknoWyn = this;
    const HWND glowne = app_.ProOknoApp != nullptr ? app_.ProOknoApp->Uchwyt() : nullptr;
    UtworzForme({Klasa, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                 682, 455, glowne});
    SetWindowTextW(Uchwyt(), L"Wynik");
    imZamknij = DodajObrazek(512, 352, 153, 67, RysujPrzycisk(153, 67, "Zamknij", 20),
                             [this] { imZamknijClick(); });
    app_.Chron([this] { FormCreate(); });
}

void TProOknoWyn::FormCreate() { SetWindowTextW(Uchwyt(), L"Probierator"); }

void TProOknoWyn::FormActivate() {}

void TProOknoWyn::imZamknijClick() { Zamknij(); }

}  // namespace pro::ui

#include "ui/Probierator_leg.h"

#include "ui/Probierator_app.h"
#include "ui/Rysunki.h"

namespace pro::ui {

TProOknoLeg::TProOknoLeg(Aplikacja& aplikacja) : Okno(aplikacja) {
    app_.ProOknoLeg = this;
    const HWND glowne = app_.ProOknoApp != nullptr ? app_.ProOknoApp->Uchwyt() : nullptr;
    UtworzForme({Klasa, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 482, 305, glowne});
    SetWindowTextW(Uchwyt(), L"Probierator");
    imZamknij = DodajObrazek(313, 222, 153, 67, RysujPrzycisk(153, 67, "Zamknij", 20),
                             [this] { imZamknijClick(); });
    app_.Chron([this] { FormCreate(); });
}

void TProOknoLeg::FormCreate() { SetWindowTextW(Uchwyt(), L"Probierator"); }

void TProOknoLeg::imZamknijClick() { Zamknij(); }

}  // namespace pro::ui

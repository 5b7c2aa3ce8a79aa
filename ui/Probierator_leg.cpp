#include "ui/Probierator_leg.h"

#include "catalogue/DrzewoWyniku.h"
#include "ui/Probierator_app.h"
#include "ui/Rysunki.h"

namespace pro::ui {

TProOknoLeg::TProOknoLeg(Aplikacja& aplikacja) : Okno(aplikacja) {
    app_.ProOknoLeg = this;
    const HWND glowne = app_.ProOknoApp != nullptr ? app_.ProOknoApp->Uchwyt() : nullptr;
    UtworzForme({Klasa, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 482, 305, glowne});
    SetWindowTextW(Uchwyt(), L"Probierator");
    DodajKlawisz(VK_ESCAPE, 0, [this] { imZamknijClick(); });
    DodajKlawisz(VK_RETURN, 0, [this] { imZamknijClick(); });
}

// Made at the first showing, with their fonts and pictures and what
// FormCreate sets on them: until then the window is never seen.
void TProOknoLeg::UtworzKontrolki() {
    verdana15_ = UtworzCzcionke(L"Verdana", 15);
    tytulowa_ = UtworzCzcionke(L"Source Sans Pro Light", 25);
    ikony_ = UtworzIkonyWyniku();
    imZamknij = DodajPrzycisk(313, 222, 153, 67, "Zamknij", RysujPrzycisk(153, 67, "Zamknij", 20),
                              "Zamknij legendę (Esc)", [this] { imZamknijClick(); });
    lbTytul = DodajEtykiete(15, 5, tytulowa_.get(), "Legenda:");
    shTloNaglowek = DodajKsztalt(0, 0, 500, 65, RGB(0xC0, 0xC0, 0xC0));
    imIkonaOk = Ikona(16, 112, obraz::Spelnia);
    imIkonaBrak = Ikona(16, 144, obraz::NieSpelnia);
    imIkonaApp = Ikona(16, 80, obraz::Aplikacja);
    lbIkonaApp = DodajEtykiete(40, 78, verdana15_.get(),
                               "- Dwukrotne kliknięcie wyświetla informacje o aplikacji.");
    lbIkonaOK =
        DodajEtykiete(40, 110, verdana15_.get(), "- Oznacza poprawnie zainstalowany komponent.");
    lbIkonaBrak =
        DodajEtykiete(40, 142, verdana15_.get(), "- Oznacza brak właściwej wersji komponentu.");
    UstawBarwy(lbTytul, Bialy, RGB(0xC0, 0xC0, 0xC0));
    app_.Chron([this] { FormCreate(); });
}

HWND TProOknoLeg::Ikona(int x, int y, int indeks) {
    // The 16 x 16 picture unscaled at the top left of its 25 x 25 area.
    return DodajRysunek(x, y, 25, 25, [this, indeks](HDC dc) {
        ImageList_Draw(ikony_.get(), indeks, dc, 0, 0, ILD_NORMAL);
    });
}

void TProOknoLeg::FormCreate() {
    UstawBarwy(shTloNaglowek, Niebieski, Niebieski);
    UstawBarwy(lbTytul, Bialy, Niebieski);
    for (HWND etykieta : {lbIkonaApp, lbIkonaOK, lbIkonaBrak})
        UstawBarwy(etykieta, Grafitowy, Bialy);
    SetWindowTextW(Uchwyt(), L"Probierator");
}

void TProOknoLeg::imZamknijClick() {
    Zamknij();
}

}  // namespace pro::ui

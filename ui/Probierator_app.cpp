#include "ui/Probierator_app.h"

#include "catalogue/Proaplikacja.h"
#include "platform/win32/Znaczniki.h"
#include "sysinfo/Probieratortesty.h"
#include "ui/Probierator_wyn.h"
#include "ui/Rysunki.h"
#include "wyniki/Polecenie.h"

namespace pro::ui {

TProOknoApp::TProOknoApp(Aplikacja& aplikacja)
    : Okno(aplikacja),
      verdana12_(UtworzCzcionke(L"Verdana", 12)),
      verdana13_(UtworzCzcionke(L"Verdana", 13)),
      verdana15_(UtworzCzcionke(L"Verdana", 15)),
      tytulowa_(UtworzCzcionke(L"Source Sans Pro Light", 25)) {
    app_.ProOknoApp = this;
    UtworzForme({Klasa, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 682, 455});
    znaczniki::Znacznik("forma");
    const HWND okno = Uchwyt();

    // What lies on the header band comes before it (see DodajKsztalt).
    lbTytul = DodajEtykiete(15, 5, tytulowa_.get(), "Dane systemu:");
    lbSystem = DodajEtykiete(15, 95, verdana13_.get(), "System operacyjny: brak");
    lbPlatforma = DodajEtykiete(15, 115, verdana13_.get(), "Platforma: brak");
    lbAdmin = DodajEtykiete(15, 135, verdana13_.get(), "Uprawnienia administratora: brak");
    lbUac = DodajEtykiete(15, 155, verdana13_.get(), "Kontrola konta użytkownika: brak");
    shTloNaglowek = DodajKsztalt(0, 0, 737, 185, RGB(0xC0, 0xC0, 0xC0));
    znaczniki::Znacznik("etykiety");
    clbAplikacje.Utworz(okno, 15, 215, 458, 160, verdana13_.get());
    znaczniki::Znacznik("lista_utworzona");
    RysujWlasne(clbAplikacje.Uchwyt(),
                [this](const DRAWITEMSTRUCT& d) { clbAplikacje.Rysuj(d, Grafitowy, Bialy); });
    UstawFokusPoczatkowy(clbAplikacje.Uchwyt());
    lbNrWersji = DodajEtykiete(15, 432, verdana12_.get(), "Wersja programu: 0.00.0000");
    lbOrleko = DodajEtykiete(304, 432, verdana12_.get(), NotaProducenta);
    lbPodpowiedz =
        DodajEtykiete(15, 190, verdana15_.get(), "Zaznacz aplikacje, które chcesz sprawdzić:");
    imZamknij = DodajPrzycisk(512, 352, 153, 67, "Zamknij", RysujPrzycisk(153, 67, "Zamknij", 20),
                              "Zamknij program (Alt+F4)", [this] { imZamknijClick(); });
    imSprawdz = DodajPrzycisk(512, 264, 153, 67, "Sprawdź", RysujPrzycisk(153, 67, "Sprawdź", 20),
                              "Sprawdź zaznaczone aplikacje (Enter)", [this] { imSprawdzClick(); });
    imZaznaczW = DodajPrzycisk(
        15, 400, 137, 20, "Zaznacz wszystkie", RysujPrzycisk(137, 20, "Zaznacz wszystkie", 11),
        "Zaznacz wszystkie aplikacje (Ctrl+A)", [this] { imZaznaczWClick(); });
    znaczniki::Znacznik("przyciski");
    DodajKlawisz(VK_RETURN, 0, [this] { imSprawdzClick(); });
    DodajKlawisz('A', FCONTROL, [this] { imZaznaczWClick(); });
    // Design-time colours until FormCreate sets the program's own.
    for (HWND etykieta : {lbTytul, lbSystem, lbPlatforma, lbAdmin, lbUac}) {
        UstawBarwy(etykieta, Bialy, RGB(0xC0, 0xC0, 0xC0));
    }
    znaczniki::Znacznik("barwy");
    app_.Chron([this] { FormCreate(); });
}

void TProOknoApp::FormCreate() {
    Platforma& p = app_.platforma;
    // 1. Colours.
    UstawBarwy(shTloNaglowek, Niebieski, Niebieski);
    for (HWND etykieta : {lbTytul, lbSystem, lbPlatforma, lbAdmin, lbUac}) {
        UstawBarwy(etykieta, Bialy, Niebieski);
    }
    UstawBarwy(lbPodpowiedz, Grafitowy, Bialy);
    UstawBarwy(clbAplikacje.Uchwyt(), Grafitowy, Bialy);
    UstawBarwy(lbNrWersji, SzaryStopki, Bialy);
    UstawBarwy(lbOrleko, SzaryStopki, Bialy);
    // 2. Caption.
    SetWindowTextW(Uchwyt(), L"Probierator");
    // 3. The system directory, for detection.
    znaczniki::Znacznik("formcreate_barwy");
    app_.katalog.KatalogSystemu = p.KatalogSystemowy();
    znaczniki::Znacznik("katalog_systemu");
    // 4. The program's own version.
    UstawTekst(lbNrWersji, "Wersja programu: " + WersjaPliku(p, p.SciezkaProgramu()));
    znaczniki::Znacznik("wersja_programu");
    // 5.-8. The system summary.
    const std::string system = NazwaSystemu(p);
    znaczniki::Znacznik("nazwa_systemu");
    const std::string platforma = OpisPlatformy(p);
    znaczniki::Znacznik("platforma");
    const bool administrator = CzyAdministrator(p);
    znaczniki::Znacznik("administrator");
    const std::string uac = StanUac(p);
    znaczniki::Znacznik("uac");
    const auto podpisy = PodpisyPodsumowania(system, platforma, administrator, uac);
    UstawTekst(lbSystem, podpisy[0]);
    UstawTekst(lbPlatforma, podpisy[1]);
    UstawTekst(lbAdmin, podpisy[2]);
    UstawTekst(lbUac, podpisy[3]);
    znaczniki::Znacznik("podpisy");
    // 9. Every application of the catalogue, in its order, none ticked.
    std::vector<std::string> nazwy;
    for (const ProAplikacja& aplikacja : app_.katalog.Aplikacje) nazwy.push_back(aplikacja.Nazwa);
    clbAplikacje.Dodaj(nazwy);
    znaczniki::Znacznik("lista");
}

void TProOknoApp::imSprawdzClick() {
    for (int i = 0; i < clbAplikacje.Liczba(); ++i) {
        if (clbAplikacje.Zaznaczony(i)) {
            if (app_.ProOknoWyn != nullptr) app_.ProOknoWyn->PokazModalnie();
            return;
        }
    }
    app_.dialogi.Komunikat("Nie wybrano aplikacji do sprawdzenia.", app_.Tytul, MB_OK);
}

void TProOknoApp::imZaznaczWClick() {
    for (int i = 0; i < clbAplikacje.Liczba(); ++i) clbAplikacje.Zaznacz(i, true);
}

void TProOknoApp::imZamknijClick() {
    PostQuitMessage(0);
}

// Closing the main window ends the program.
void TProOknoApp::OnZamknij() {
    PostQuitMessage(0);
}

LRESULT TProOknoApp::Obsluz(UINT komunikat, WPARAM w, LPARAM l) {
    if (komunikat == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(l)->itemHeight = ListaWyboru::WysokoscWiersza;
        return TRUE;
    }
    return Okno::Obsluz(komunikat, w, l);
}

}  // namespace pro::ui

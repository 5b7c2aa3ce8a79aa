#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "Kontrolki.h"
#include "Okna.h"
#include "catalogue/Proaplikacja.h"
#include "platform/win32/PlatformaWin32.h"
#include "sysinfo/Probieratortesty.h"
#include "ui/Rysunki.h"

namespace pro {
namespace {

using testy::Kliknij;

const std::string KluczUac = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

struct OknoApp : testing::Test {
    SymulowanaMaszyna m;
    testy::Okna okna{m};
    ui::TProOknoApp& App() { return *okna.okno_app; }
    std::vector<bool> Zaznaczenia() {
        std::vector<bool> z;
        const HWND lista = App().clbAplikacje.Uchwyt();
        for (int i = 0; i < ListView_GetItemCount(lista); ++i) {
            z.push_back(ListView_GetCheckState(lista, i) == 1);
        }
        return z;
    }
};

TEST_F(OknoApp, DwadziesciaDwaWierszeWKolejnosciKataloguNiezaznaczone) {
    okna.Utworz();
    ASSERT_EQ(App().clbAplikacje.Liczba(), 22);
    for (int i = 0; i < 22; ++i) {
        EXPECT_EQ(App().clbAplikacje.Tekst(i), okna.k.Aplikacje[static_cast<std::size_t>(i)].Nazwa);
    }
    EXPECT_EQ(App().clbAplikacje.Tekst(21), "MS SQL Server 2008 R2");
    EXPECT_EQ(Zaznaczenia(), std::vector<bool>(22, false));
}

TEST_F(OknoApp, PodsumowanieZWartosciMaszyny) {
    m.katalog_systemowy = "D:\\WINNT\\system32";
    m.UstawLiczbe(Korzen::LocalMachine, KluczUac, "EnableLUA", 1);
    // The longest name there is: its line sizes itself and still fits the window.
    m.rekord_prawdziwy = RekordWersji{10, 0, 22631, 2, u"", 0, 1};
    m.typ_produktu = 0xA2;
    m.UstawTekst(Korzen::LocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                 "DisplayVersion", "24H2");
    okna.Utworz();
    EXPECT_EQ(okna.k.KatalogSystemu, "D:\\WINNT\\system32");
    EXPECT_EQ(ui::TekstOkna(App().lbSystem), "System operacyjny: " + NazwaSystemu(m));
    RECT klient{};
    GetClientRect(App().Uchwyt(), &klient);
    EXPECT_LE(testy::PolozenieWRodzicu(App().lbSystem).right, klient.right);
    EXPECT_EQ(ui::TekstOkna(App().lbPlatforma), "Platforma: " + OpisPlatformy(m));
    EXPECT_EQ(ui::TekstOkna(App().lbAdmin),
              std::string("Uprawnienia administratora: ") + (CzyAdministrator(m) ? "tak" : "nie"));
    EXPECT_EQ(ui::TekstOkna(App().lbUac), "Kontrola konta użytkownika: aktywna");
    EXPECT_EQ(ui::TekstOkna(App().Uchwyt()), "Probierator");
}

struct Przypadek {
    const char* nazwa;
    std::function<void(SymulowanaMaszyna&)> przygotuj;
    const char* wersja;
    const char* uac;
};

void PrintTo(const Przypadek& p, std::ostream* os) {
    *os << p.nazwa;
}

class LinieStopkiIUac : public testing::TestWithParam<Przypadek> {};

TEST_P(LinieStopkiIUac, ZWartosciMaszyny) {
    SymulowanaMaszyna m;
    GetParam().przygotuj(m);
    testy::Okna okna(m);
    okna.Utworz();
    EXPECT_EQ(ui::TekstOkna(okna.okno_app->lbNrWersji), GetParam().wersja);
    EXPECT_EQ(ui::TekstOkna(okna.okno_app->lbUac), GetParam().uac);
}

INSTANTIATE_TEST_SUITE_P(
    Maszyny, LinieStopkiIUac,
    testing::Values(
        Przypadek{"ZWersja",
                  [](SymulowanaMaszyna& m) {
                      m.DodajPlik(m.sciezka_programu, SymulowanaMaszyna::Wersja(1, 2, 0, 7));
                      m.UstawLiczbe(Korzen::LocalMachine, KluczUac, "EnableLUA", 0);
                  },
                  "Wersja programu: 1.2.0.7", "Kontrola konta użytkownika: nieaktywna"},
        Przypadek{"BezZasobuWersji",
                  [](SymulowanaMaszyna& m) {
                      m.DodajPlik(m.sciezka_programu);
                      m.UtworzKlucz(Korzen::LocalMachine, KluczUac);
                  },
                  "Wersja programu: brak wersji", "Kontrola konta użytkownika: brak informacji"},
        Przypadek{"BezSciezki", [](SymulowanaMaszyna& m) { m.sciezka_programu.clear(); },
                  "Wersja programu: brak pliku", "Kontrola konta użytkownika: brak informacji"}),
    [](const auto& info) { return std::string(info.param.nazwa); });

TEST_F(OknoApp, ZaznaczWszystkieDwaRazyZostawiaWszystkieZaznaczone) {
    okna.Utworz();
    App().Pokaz();
    SetFocus(App().clbAplikacje.Uchwyt());
    App().clbAplikacje.Zaznacz(3, true);
    Kliknij(App().imZaznaczW);
    EXPECT_EQ(Zaznaczenia(), std::vector<bool>(22, true));
    EXPECT_EQ(GetFocus(), App().clbAplikacje.Uchwyt()) << "the press's focus given back";
    Kliknij(App().imZaznaczW);
    EXPECT_EQ(Zaznaczenia(), std::vector<bool>(22, true));
}

TEST_F(OknoApp, KlikNaPoluWierszaISpacjaPrzelaczaja) {
    okna.Utworz();
    const HWND lista = App().clbAplikacje.Uchwyt();
    Kliknij(lista, 6, 2 * 16 + 8);  // the check box of row 2: ticks and selects it
    EXPECT_TRUE(App().clbAplikacje.Zaznaczony(2));
    EXPECT_EQ(ListView_GetNextItem(lista, -1, LVNI_SELECTED), 2);
    Kliknij(lista, 200, 4 * 16 + 8);  // the text of row 4: selects, does not tick
    EXPECT_FALSE(App().clbAplikacje.Zaznaczony(4));
    EXPECT_EQ(ListView_GetNextItem(lista, -1, LVNI_SELECTED), 4);
    SendMessageW(lista, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(App().clbAplikacje.Zaznaczony(4));
    SendMessageW(lista, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(App().clbAplikacje.Zaznaczony(4));
    Kliknij(lista, 6, 2 * 16 + 8);
    EXPECT_FALSE(App().clbAplikacje.Zaznaczony(2));
}

TEST_F(OknoApp, SprawdzBezZaznaczeniaPokazujeTylkoKomunikat) {
    okna.Utworz();
    Kliknij(App().imSprawdz);
    ASSERT_EQ(okna.d.komunikaty.size(), 1u);
    EXPECT_EQ(okna.d.komunikaty[0].tekst, "Nie wybrano aplikacji do sprawdzenia.");
    EXPECT_EQ(okna.d.komunikaty[0].tytul, "Probierator");
    EXPECT_EQ(okna.d.komunikaty[0].flagi, static_cast<UINT>(MB_OK));
    EXPECT_FALSE(IsWindowVisible(okna.okno_wyn->Uchwyt()));
    EXPECT_TRUE(IsWindowEnabled(App().Uchwyt()));
}

TEST_F(OknoApp, SprawdzPokazujeWynikModalnie) {
    okna.Utworz();
    App().Pokaz();
    SetFocus(App().clbAplikacje.Uchwyt());
    App().clbAplikacje.Zaznacz(21, true);
    bool bylo = false, wlaczone = true, widoczne = false, modalne = false;
    testy::PodczasPetli([&] {
        bylo = true;
        wlaczone = IsWindowEnabled(App().Uchwyt()) != FALSE;
        widoczne = IsWindowVisible(okna.okno_wyn->Uchwyt()) != FALSE;
        modalne = okna.okno_wyn->PokazaneModalnie();
        Kliknij(okna.okno_wyn->imZamknij);
    });
    Kliknij(App().imSprawdz);
    ASSERT_TRUE(bylo);
    EXPECT_FALSE(wlaczone) << "the selection window is disabled while the results are shown";
    EXPECT_TRUE(widoczne);
    EXPECT_TRUE(modalne);
    EXPECT_TRUE(okna.d.komunikaty.empty());
    EXPECT_TRUE(IsWindowEnabled(App().Uchwyt()));
    EXPECT_FALSE(IsWindowVisible(okna.okno_wyn->Uchwyt()));
    EXPECT_EQ(GetFocus(), App().clbAplikacje.Uchwyt());
    std::vector<bool> oczekiwane(22, false);
    oczekiwane[21] = true;
    EXPECT_EQ(Zaznaczenia(), oczekiwane);
}

TEST_F(OknoApp, ZamknijKonczyPetleKodemZero) {
    okna.Utworz();
    Kliknij(App().imZamknij);
    EXPECT_EQ(okna.app.Uruchom(), 0);
}

TEST_F(OknoApp, ZamkniecieOknaKonczyPetleKodemZero) {
    okna.Utworz();
    App().Pokaz();
    PostMessageW(App().Uchwyt(), WM_CLOSE, 0, 0);
    EXPECT_EQ(okna.app.Uruchom(), 0);
}

// The first message box fails; the exception display shows the failure.
struct ZawodnyKomunikat : testy::ZapisaneDialogi {
    bool zawiedz = true;
    int Komunikat(const std::string& tekst, const std::string& tytul, UINT flagi) override {
        if (std::exchange(zawiedz, false)) throw std::runtime_error("Okno komunikatu zawiodło.");
        return ZapisaneDialogi::Komunikat(tekst, tytul, flagi);
    }
};

TEST(OknoAppWyjatek, WyjatekWObsludzeTrafiaDoWyswietleniaIOknoDziala) {
    SymulowanaMaszyna m;
    ZawodnyKomunikat d;
    testy::Okna okna(m, &d);
    okna.Utworz();
    Kliknij(okna.okno_app->imSprawdz);
    ASSERT_EQ(okna.d.komunikaty.size(), 1u);
    EXPECT_EQ(okna.d.komunikaty[0].tekst, "Okno komunikatu zawiodło.");
    EXPECT_EQ(okna.d.komunikaty[0].tytul, "Probierator");
    EXPECT_EQ(okna.d.komunikaty[0].flagi, static_cast<UINT>(MB_OK | MB_ICONERROR));
    // Still working: the same click shows its message now, the others act.
    Kliknij(okna.okno_app->imSprawdz);
    ASSERT_EQ(okna.d.komunikaty.size(), 2u);
    EXPECT_EQ(okna.d.komunikaty[1].tekst, "Nie wybrano aplikacji do sprawdzenia.");
    Kliknij(okna.okno_app->imZaznaczW);
    EXPECT_TRUE(okna.okno_app->clbAplikacje.Zaznaczony(21));
    Kliknij(okna.okno_app->imZamknij);
    EXPECT_EQ(okna.app.Uruchom(), 0);
}

// The system directory cannot be read: creation stops there, the rest stays
// as laid out.
struct ZawodnyKatalog : SymulowanaMaszyna {
    std::string KatalogSystemowy() override { throw std::runtime_error("Brak katalogu."); }
};

TEST(OknoAppWyjatek, WyjatekPrzyTworzeniuPrzerywaFormCreate) {
    ZawodnyKatalog m;
    testy::Okna okna(m);
    okna.Utworz();
    ASSERT_EQ(okna.d.komunikaty.size(), 1u);
    EXPECT_EQ(okna.d.komunikaty[0].tekst, "Brak katalogu.");
    EXPECT_EQ(ui::TekstOkna(okna.okno_app->Uchwyt()), "Probierator");  // step 2 ran
    EXPECT_EQ(ui::TekstOkna(okna.okno_app->lbNrWersji), "Wersja programu: 0.00.0000");
    EXPECT_EQ(ui::TekstOkna(okna.okno_app->lbSystem), "System operacyjny: brak");
    EXPECT_EQ(okna.okno_app->clbAplikacje.Liczba(), 0);
}

}  // namespace
}  // namespace pro

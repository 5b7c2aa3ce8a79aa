#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "KatalogTymczasowy.h"
#include "Json.h"
#include "Pomocnicy.h"
#include "Proces.h"
#include "catalogue/Katalog.h"
#include "catalogue/Polecenie.h"
#include "catalogue/Raport.h"
#include "platform/win32/PlatformaWin32.h"
#include "sysinfo/Probieratortesty.h"

namespace pro {
namespace {

std::wstring Program() {
    return L"\"" + Szeroki(testy::KatalogTestow()) + L"\\probierator.exe\"";
}

testy::WynikProcesu Probierator(const std::wstring& opcje) {
    return testy::Uruchom(Program() + L" " + opcje);
}

std::wstring Cudzyslow(const std::string& sciezka) {
    return L"\"" + Szeroki(sciezka) + L"\"";
}

std::vector<std::string> Linie(const std::string& tekst) {
    std::vector<std::string> linie;
    std::istringstream wejscie(tekst);
    for (std::string linia; std::getline(wejscie, linia);) {
        if (!linia.empty() && linia.back() == '\r') linia.pop_back();
        linie.push_back(linia);
    }
    return linie;
}

// In a fresh prefix: Windows 6.1 and Windows Installer 4.5 are there, no .NET
// and no Excel. "Ellard Tabulo" (18) needs only the first two.
class BezOkna : public testing::Test {
protected:
    testy::KatalogTymczasowy katalog_{L"probierator_bez_okna"};
};

TEST_F(BezOkna, PomocIKodyWyjscia) {
    const auto pomoc = Probierator(L"/?");
    EXPECT_EQ(pomoc.kod, 0u);
    EXPECT_NE(pomoc.wyjscie.find("/aplikacje"), std::string::npos);
    EXPECT_NE(pomoc.wyjscie.find("Kod wyjścia"), std::string::npos);

    struct Wiersz {
        const wchar_t* opcje;
        DWORD kod;
    };
    const Wiersz wiersze[] = {
        {L"/aplikacje 18 /json -", 0},
        {L"-aplikacje ELT -json -", 0},
        {L"/aplikacje 18,3 /json -", 1},  // Marendo Tabulo needs .NET 3.5
        {L"/aplikacje 1 /json -", 1},     // Excel cannot be queried: not met
        {L"/nieznana", 2},
        {L"/aplikacje 99 /json -", 2},
        {L"/aplikacje XYZ /json -", 2},
        {L"/json", 2},
        {L"/aplikacje 18", 2},
    };
    for (const auto& w : wiersze) {
        const auto wynik = Probierator(w.opcje);
        EXPECT_EQ(wynik.kod, w.kod) << Waski(w.opcje) << "\n" << wynik.bledy;
        if (w.kod == 2) {
            EXPECT_NE(wynik.bledy.find("probierator: "), std::string::npos) << Waski(w.opcje);
            EXPECT_TRUE(wynik.wyjscie.empty());
        }
    }
}

TEST_F(BezOkna, ZleUzycieNicNieZapisuje) {
    const auto wynik = Probierator(L"/raport " + Cudzyslow(katalog_.Sciezka("r.txt")) + L" /csv " +
                                   Cudzyslow(katalog_.Sciezka("w.csv")) + L" /aplikacje 0");
    EXPECT_EQ(wynik.kod, 2u);
    EXPECT_EQ(katalog_.LiczbaPlikow(), 0);
}

TEST_F(BezOkna, JsonPoleZaPolem) {
    testy::KluczTestowy net35(HKEY_LOCAL_MACHINE,
                              L"Software\\Microsoft\\NET Framework Setup\\NDP\\v3.5");
    net35.Liczba(L"SP", 1);
    net35.Tekst(L"Version", L"3.5.30729.5420");
    const std::string plik = katalog_.Sciezka("wynik.json");
    const auto wynik = Probierator(L"/aplikacje GVT,1 /json " + Cudzyslow(plik));
    ASSERT_EQ(wynik.kod, 1u) << wynik.bledy;
    const auto json = testy::Json::Czytaj(testy::KatalogTymczasowy::Czytaj(plik));

    PlatformaWin32 p;
    EXPECT_EQ(json["wersja_programu"].Tekst(),
              WersjaPliku(p, testy::KatalogTestow() + "\\probierator.exe"));
    EXPECT_EQ(json["komputer"].Tekst(), p.NazwaKomputera());
    EXPECT_FALSE(json["komputer"].Tekst().empty());
    EXPECT_EQ(json["czas"].Tekst().size(), 25u) << json["czas"].Tekst();
    EXPECT_EQ(json["czas"].Tekst()[10], 'T');
    EXPECT_EQ(json["system"].Tekst(), NazwaSystemu(p));
    EXPECT_EQ(json["platforma"].Tekst(), OpisPlatformy(p));
    EXPECT_TRUE(json["administrator"].Logiczna());
    EXPECT_EQ(json["uac"].Tekst(), StanUac(p));

    const auto& aplikacje = json["aplikacje"].Tab();
    ASSERT_EQ(aplikacje.size(), 3u) << "Barkon Tabulo, then both GVT rows";
    EXPECT_EQ(aplikacje[0]["nazwa"].Tekst(), "Barkon Tabulo");
    EXPECT_EQ(aplikacje[1]["nazwa"].Tekst(), "Galvin Tabulo");
    EXPECT_EQ(aplikacje[2]["nazwa"].Tekst(), "Nimbra Tabulo");
    EXPECT_EQ(aplikacje[2]["kod"].Tekst(), "GVT");
    EXPECT_FALSE(aplikacje[0]["spelnia_wymagania"].Logiczna());
    EXPECT_TRUE(aplikacje[1]["spelnia_wymagania"].Logiczna());

    const auto& barkon = aplikacje[0]["komponenty"].Tab();
    ASSERT_EQ(barkon.size(), 4u);
    EXPECT_EQ(barkon[0]["nazwa"].Tekst(), "System operacyjny Windows");
    EXPECT_EQ(barkon[0]["wymagana"].Liczba(), 60);
    EXPECT_EQ(barkon[0]["wykryta"].Liczba(), 61);
    EXPECT_EQ(barkon[0]["tekst"].Tekst(), "6.1");
    EXPECT_EQ(barkon[0]["status"].Tekst(), "spelnia");
    EXPECT_EQ(barkon[2]["nazwa"].Tekst(), "MS Excel");
    EXPECT_EQ(barkon[2]["wykryta"].Liczba(), -2);
    EXPECT_EQ(barkon[2]["tekst"].Tekst(), "brak możliwości sprawdzenia");
    EXPECT_EQ(barkon[2]["status"].Tekst(), "nieustalony");
    const auto& galvin = aplikacje[1]["komponenty"].Tab();
    EXPECT_EQ(galvin[2]["nazwa"].Tekst(), ".NET Framework 3.5");
    EXPECT_EQ(galvin[2]["wymagana"].Liczba(), 3335);
    EXPECT_EQ(galvin[2]["wykryta"].Liczba(), 3335);
    EXPECT_EQ(galvin[2]["tekst"].Tekst(), "3.5.30729.5420");
}

TEST_F(BezOkna, JsonNaWyjscieStandardowe) {
    const auto wynik = Probierator(L"/aplikacje 3 /json -");
    EXPECT_EQ(wynik.kod, 1u);
    const auto json = testy::Json::Czytaj(wynik.wyjscie);
    const auto& net = json["aplikacje"][0]["komponenty"][2];
    EXPECT_EQ(net["nazwa"].Tekst(), ".NET Framework 3.5");
    EXPECT_EQ(net["wykryta"].Liczba(), 0);
    EXPECT_EQ(net["tekst"].Tekst(), "??.????.??");
    EXPECT_EQ(net["status"].Tekst(), "nie_spelnia");
}

TEST_F(BezOkna, RaportTakiJakZOkna) {
    const std::string plik = katalog_.Sciezka("raport.txt");
    const auto wynik = Probierator(L"/aplikacje 3,18 /raport " + Cudzyslow(plik));
    ASSERT_EQ(wynik.kod, 1u) << wynik.bledy;

    // What the window's report holds for the same selection on this machine.
    PlatformaWin32 p;
    Katalog k;
    k.KatalogSystemu = p.KatalogSystemowy();
    DrzewoWyniku drzewo;
    k.Aplikacje[2].SprawdzAplikacje(drzewo, k, p);
    k.Aplikacje[17].SprawdzAplikacje(drzewo, k, p);
    NaglowekRaportu naglowek;
    naglowek.wersja = WersjaPliku(p, testy::KatalogTestow() + "\\probierator.exe");
    naglowek.podsumowanie =
        PodpisyPodsumowania(NazwaSystemu(p), OpisPlatformy(p), CzyAdministrator(p), StanUac(p));
    naglowek.data_czas = "<czas>";
    auto oczekiwane = Linie(BajtyRaportu(TrescRaportu(naglowek, drzewo)));
    auto zapisane = Linie(testy::KatalogTymczasowy::Czytaj(plik));
    ASSERT_EQ(zapisane.size(), oczekiwane.size());
    // Line 3 carries the moment of writing; the rest must match byte for byte.
    const std::string poczatek = "***         utworzony wersj\xB9 " + naglowek.wersja + " dnia ";
    EXPECT_EQ(zapisane[2].rfind(poczatek, 0), 0u) << zapisane[2];
    zapisane[2] = oczekiwane[2];
    EXPECT_EQ(zapisane, oczekiwane);
    EXPECT_NE(testy::KatalogTymczasowy::Czytaj(plik).find("\r\n"), std::string::npos);
}

TEST_F(BezOkna, NiezapisywalnyPlikPozostaleZapisane) {
    const std::string katalog_zamiast_pliku = katalog_.Sciezka("zajete.json");
    CreateDirectoryW(Szeroki(katalog_zamiast_pliku).c_str(), nullptr);
    const std::string raport = katalog_.Sciezka("r.txt");
    const std::string csv = katalog_.Sciezka("w.csv");
    const auto wynik = Probierator(L"/aplikacje 18 /json " + Cudzyslow(katalog_zamiast_pliku) +
                                   L" /raport " + Cudzyslow(raport) + L" /csv " + Cudzyslow(csv));
    EXPECT_EQ(wynik.kod, 3u);
    EXPECT_NE(wynik.bledy.find("zajete.json"), std::string::npos) << wynik.bledy;
    EXPECT_FALSE(testy::KatalogTymczasowy::Czytaj(raport).empty());
    EXPECT_FALSE(testy::KatalogTymczasowy::Czytaj(csv).empty());
}

TEST_F(BezOkna, WieleStacjiDopisujeDoJednegoCsv) {
    const std::string csv = katalog_.Sciezka("pracownia.csv");
    constexpr int Procesy = 20;
    std::vector<std::wstring> linie(Procesy,
                                    Program() + L" /aplikacje 18,3,GVT /csv " + Cudzyslow(csv));
    auto procesy = testy::UruchomWiele(linie);
    ASSERT_EQ(procesy.size(), static_cast<std::size_t>(Procesy));
    for (DWORD kod : testy::Czekaj(procesy)) EXPECT_EQ(kod, 1u);

    const auto wiersze = Linie(testy::KatalogTymczasowy::Czytaj(csv));
    ASSERT_EQ(wiersze.size(), 1u + Procesy * 4u);
    EXPECT_EQ(wiersze[0], "\xEF\xBB\xBFkomputer;czas;aplikacja;kod;spelnia;brakujace");
    std::multiset<std::string> aplikacje;
    for (std::size_t i = 1; i < wiersze.size(); ++i) {
        std::vector<std::string> pola;
        std::istringstream wiersz(wiersze[i]);
        for (std::string pole; std::getline(wiersz, pole, ';');) pola.push_back(pole);
        ASSERT_GE(pola.size(), 5u) << wiersze[i];
        aplikacje.insert(pola[2]);
        const bool nic_nie_brakuje = pola.size() == 5 || pola[5].empty();
        EXPECT_EQ(nic_nie_brakuje, pola[4] == "tak") << wiersze[i];
    }
    for (const char* nazwa :
         {"Marendo Tabulo", "Galvin Tabulo", "Nimbra Tabulo", "Ellard Tabulo"}) {
        EXPECT_EQ(aplikacje.count(nazwa), static_cast<std::size_t>(Procesy)) << nazwa;
    }
}

}  // namespace
}  // namespace pro

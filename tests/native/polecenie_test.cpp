#include <gtest/gtest.h>

#include "wyniki/Polecenie.h"
#include "wyniki/WynikJson.h"
#include "platform/sim/SymulowanaMaszyna.h"

namespace pro {
namespace {

struct PrzypadekOpcji {
    const char* opis;
    std::vector<std::string> argumenty;
    std::vector<std::size_t> aplikacje;  // expected selection when valid
    bool poprawne;
};

class Opcje : public testing::TestWithParam<PrzypadekOpcji> {};

TEST_P(Opcje, WyborAplikacji) {
    const auto& p = GetParam();
    const Katalog k;
    const auto wynik = ParsujPolecenie(p.argumenty, k);
    if (!p.poprawne) {
        ASSERT_TRUE(std::holds_alternative<BladPolecenia>(wynik));
        EXPECT_FALSE(std::get<BladPolecenia>(wynik).komunikat.empty());
        return;
    }
    ASSERT_TRUE(std::holds_alternative<Polecenie>(wynik))
        << std::get<BladPolecenia>(wynik).komunikat;
    EXPECT_EQ(std::get<Polecenie>(wynik).aplikacje, p.aplikacje);
}

std::vector<std::size_t> Wszystkie() {
    std::vector<std::size_t> w;
    for (std::size_t i = 0; i < 22; ++i) w.push_back(i);
    return w;
}

INSTANTIATE_TEST_SUITE_P(
    Przypadki, Opcje,
    testing::Values(
        PrzypadekOpcji{"bez_aplikacji_wszystkie", {"/json", "-"}, Wszystkie(), true},
        PrzypadekOpcji{"wszystkie", {"/aplikacje", "wszystkie", "/json", "-"}, Wszystkie(), true},
        PrzypadekOpcji{
            "wszystkie_wielkie", {"/APLIKACJE", "Wszystkie", "/JSON", "-"}, Wszystkie(), true},
        PrzypadekOpcji{"wspolny_kod_GVT", {"/aplikacje", "GVT", "/csv", "w.csv"}, {8, 14}, true},
        PrzypadekOpcji{
            "kody_i_numery", {"-aplikacje", "bkt, 3 ,22", "-raport", "r.txt"}, {0, 2, 21}, true},
        PrzypadekOpcji{"duplikaty_raz", {"/aplikacje", "1,BKT,1", "/json", "-"}, {0}, true},
        PrzypadekOpcji{"kolejnosc_katalogu", {"/aplikacje", "SQL,2", "/json", "-"}, {1, 21}, true},
        PrzypadekOpcji{"pusta_lista", {"/aplikacje", "", "/json", "-"}, {}, false},
        PrzypadekOpcji{"pusta_pozycja", {"/aplikacje", "1,,2", "/json", "-"}, {}, false},
        PrzypadekOpcji{"nieznany_kod", {"/aplikacje", "XYZ", "/json", "-"}, {}, false},
        PrzypadekOpcji{"numer_zero", {"/aplikacje", "0", "/json", "-"}, {}, false},
        PrzypadekOpcji{"numer_23", {"/aplikacje", "23", "/json", "-"}, {}, false},
        PrzypadekOpcji{
            "numer_ogromny", {"/aplikacje", "99999999999999999999", "/json", "-"}, {}, false},
        PrzypadekOpcji{"brak_wartosci", {"/json"}, {}, false},
        PrzypadekOpcji{"opcja_zamiast_wartosci", {"/raport", "/json", "-"}, {}, false},
        PrzypadekOpcji{"nieznana_opcja", {"/okno", "/json", "-"}, {}, false},
        PrzypadekOpcji{"sama_wartosc", {"plik.txt"}, {}, false},
        PrzypadekOpcji{"bez_wyjscia", {"/aplikacje", "1"}, {}, false},
        PrzypadekOpcji{"dwa_razy_json", {"/json", "a", "/json", "b"}, {}, false},
        PrzypadekOpcji{"raport_na_ekran", {"/raport", "-"}, {}, false},
        PrzypadekOpcji{"zestawienie", {"-ZESTAWIENIE", "W", "-html", "z.html"}, {}, true},
        PrzypadekOpcji{"zestawienie_bez_html", {"/zestawienie", "W"}, {}, false},
        PrzypadekOpcji{"html_bez_zestawienia", {"/html", "z.html"}, {}, false},
        PrzypadekOpcji{"zestawienie_folder_minus", {"/zestawienie", "-", "/html", "z"}, {}, false},
        PrzypadekOpcji{"html_minus", {"/zestawienie", "W", "/html", "-"}, {}, false},
        PrzypadekOpcji{"zestawienie_i_aplikacje",
                       {"/zestawienie", "W", "/html", "z", "/aplikacje", "1"},
                       {},
                       false},
        PrzypadekOpcji{
            "zestawienie_i_json", {"/zestawienie", "W", "/html", "z", "/json", "-"}, {}, false},
        PrzypadekOpcji{
            "zestawienie_i_raport", {"/raport", "r", "/zestawienie", "W", "/html", "z"}, {}, false},
        PrzypadekOpcji{
            "zestawienie_i_csv", {"/zestawienie", "W", "/csv", "w", "/html", "z"}, {}, false}),
    [](const auto& info) { return std::string(info.param.opis); });

TEST(Opcje, PomocIPliki) {
    const Katalog k;
    const auto pomoc = ParsujPolecenie({"/?"}, k);
    ASSERT_TRUE(std::holds_alternative<Polecenie>(pomoc));
    EXPECT_TRUE(std::get<Polecenie>(pomoc).pomoc);
    EXPECT_TRUE(std::get<Polecenie>(ParsujPolecenie({"-?"}, k)).pomoc);

    const auto p = std::get<Polecenie>(
        ParsujPolecenie({"/raport", "C:\\r.txt", "/json", "-", "/csv", "\\\\serwer\\w.csv"}, k));
    EXPECT_EQ(p.raport, "C:\\r.txt");
    EXPECT_EQ(p.json, "-");
    EXPECT_EQ(p.csv, "\\\\serwer\\w.csv");
    EXPECT_FALSE(p.pomoc);

    const auto z = std::get<Polecenie>(ParsujPolecenie(
        {"/zestawienie", "\\\\serwer\\wyniki", "/html", "\\\\serwer\\wyniki\\z.html"}, k));
    EXPECT_EQ(z.zestawienie, "\\\\serwer\\wyniki");
    EXPECT_EQ(z.html, "\\\\serwer\\wyniki\\z.html");
    EXPECT_FALSE(z.raport || z.json || z.csv);
}

TEST(Opcje, PomocOpisujeKodyWyjscia) {
    const std::string pomoc = TekstPomocy();
    for (const char* fragment : {"/aplikacje", "/raport", "/json", "/csv", "/zestawienie", "/html",
                                 "/?", "  0  ", "  1  ", "  2  ", "  3  "}) {
        EXPECT_NE(pomoc.find(fragment), std::string::npos) << fragment;
    }
}

}  // namespace
}  // namespace pro

namespace pro {
namespace {

constexpr auto HKLM = Korzen::LocalMachine;

// Windows 6.1 and Windows Installer 4.5; nothing else.
struct Wykonanie : testing::Test {
    SymulowanaMaszyna m;
    Katalog k;
    Wykonanie() {
        m.UstawTekst(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion",
                     "6.1");
        m.DodajPlik("C:\\Windows\\system32\\msiexec.exe",
                    SymulowanaMaszyna::Wersja(4, 5, 6001, 22308));
        m.DodajPlik(m.sciezka_programu, SymulowanaMaszyna::Wersja(1, 0, 0, 1));
        m.czas.strefa_minut = 60;
    }
    Polecenie Parsuj(std::vector<std::string> argumenty) {
        return std::get<Polecenie>(ParsujPolecenie(argumenty, k));
    }
};

TEST_F(Wykonanie, KodyWyjscia) {
    EXPECT_EQ(WykonajPolecenie(Parsuj({"/aplikacje", "ELT", "/json", "-"}), k, m).kod, 0);
    EXPECT_EQ(WykonajPolecenie(Parsuj({"/aplikacje", "ELT,MRT", "/json", "-"}), k, m).kod, 1);
    EXPECT_EQ(WykonajPolecenie(Parsuj({"/aplikacje", "BKT", "/json", "-"}), k, m).kod, 1)
        << "Excel that cannot be queried counts as not met";
}

TEST_F(Wykonanie, PodsumowanieNaEkranieGdyJsonDoPliku) {
    const auto wynik = WykonajPolecenie(Parsuj({"/aplikacje", "ELT,MRT", "/json", "w.json"}), k, m);
    EXPECT_EQ(wynik.wyjscie,
              "nie  Marendo Tabulo  (brak: .NET Framework 3.5)\ntak  Ellard Tabulo\n");
    EXPECT_TRUE(wynik.bledy.empty());
    const std::string json = m.zapisane_pliki.at("w.json");
    EXPECT_NE(json.find("\"czas\": \"2016-03-14T08:05:30+01:00\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"komputer\": \"PRACOWNIA-01\""), std::string::npos);
    const KomponentWyniku net{".NET Framework 3.5", 3335, 0, "??.????.??",
                              StanKomponentu::NieSpelnia};
    EXPECT_EQ(std::get<WynikKomputera>(CzytajWynik(json)).aplikacje.at(0).komponenty.at(2), net);
}

TEST_F(Wykonanie, CsvJedenWierszNaAplikacje) {
    m.nazwa_komputera = "SALA;7";
    const auto p = Parsuj({"/aplikacje", "GVT,ELT", "/csv", "w.csv"});
    EXPECT_EQ(WykonajPolecenie(p, k, m).kod, 1);
    EXPECT_EQ(WykonajPolecenie(p, k, m).kod, 1);
    const std::string wiersz_galvin =
        "\"SALA;7\";2016-03-14T08:05:30+01:00;Galvin Tabulo;GVT;nie;.NET Framework 3.5\r\n";
    const std::string wiersz_ellard =
        "\"SALA;7\";2016-03-14T08:05:30+01:00;Ellard Tabulo;ELT;tak;\r\n";
    const std::string wiersz_nimbra =
        "\"SALA;7\";2016-03-14T08:05:30+01:00;Nimbra Tabulo;GVT;nie;.NET Framework 3.5\r\n";
    const std::string jeden = wiersz_galvin + wiersz_nimbra + wiersz_ellard;
    EXPECT_EQ(m.zapisane_pliki.at("w.csv"),
              "\xEF\xBB\xBFkomputer;czas;aplikacja;kod;spelnia;brakujace\r\n" + jeden + jeden);
    // A cell a spreadsheet would run as a formula is kept as text.
    for (const auto& [nazwa, pole] : {std::pair<std::string, std::string>{"@PRAC", "'@PRAC"},
                                      {"-1", "'-1"},
                                      {"=1;2", "\"'=1;2\""},
                                      {"\tX", "'\tX"}}) {
        m.nazwa_komputera = nazwa;
        WykonajPolecenie(Parsuj({"/aplikacje", "ELT", "/csv", "f.csv"}), k, m);
        EXPECT_NE(m.zapisane_pliki.at("f.csv").find("\n" + pole + ";2016"), std::string::npos);
    }
}

TEST_F(Wykonanie, NieudanyZapisDajeKod3) {
    m.dopisanie_zawodzi = true;
    const auto wynik =
        WykonajPolecenie(Parsuj({"/aplikacje", "ELT", "/csv", "w.csv", "/raport", "r.txt"}), k, m);
    EXPECT_EQ(wynik.kod, 3);
    EXPECT_NE(wynik.bledy.find("w.csv"), std::string::npos);
    EXPECT_EQ(m.zapisane_pliki.count("r.txt"), 1u) << "the other file is still written";
}

TEST_F(Wykonanie, WyjatekWykrywaniaPrzerywaJakWOknie) {
    m.UstawLiczbe(Korzen::ClassesRoot, "AgControl.AgControl\\CurVer", "", 5);
    const auto wynik = WykonajPolecenie(Parsuj({"/aplikacje", "ELT,SLV,KRD", "/json", "-"}), k, m);
    EXPECT_EQ(wynik.kod, 1);
    EXPECT_NE(wynik.bledy.find("Błąd: "), std::string::npos);
    EXPECT_EQ(wynik.wyjscie.find("Kordel"), std::string::npos) << "later applications get nothing";
    EXPECT_NE(wynik.wyjscie.find("\"status\": \"nieustalony\""), std::string::npos);
}

TEST_F(Wykonanie, PomocNicNieSprawdza) {
    const auto wynik = WykonajPolecenie(Parsuj({"/?"}), k, m);
    EXPECT_EQ(wynik.kod, 0);
    EXPECT_EQ(wynik.wyjscie, TekstPomocy());
    EXPECT_TRUE(m.wywolania.empty());
}

}  // namespace
}  // namespace pro

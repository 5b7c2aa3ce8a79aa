#include <gtest/gtest.h>

#include "catalogue/DrzewoWyniku.h"
#include "catalogue/Katalog.h"
#include "platform/sim/SymulowanaMaszyna.h"

namespace pro {
namespace {

constexpr auto HKLM = Korzen::LocalMachine;
const std::string KluczNet = "Software\\Microsoft\\NET Framework Setup\\NDP\\";

// A machine on which every component the catalogue can require is present.
void Wszystko(SymulowanaMaszyna& m, const char* windows = "6.1") {
    m.UstawTekst(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion",
                 windows);
    m.DodajPlik("C:\\Windows\\system32\\msiexec.exe", SymulowanaMaszyna::Wersja(5, 0, 7601, 17514));
    m.UstawLiczbe(HKLM, KluczNet + "v2.0.50727", "Install", 1);
    m.UstawTekst(HKLM, KluczNet + "v2.0.50727", "Version", "2.0.50727.4927");
    m.UstawLiczbe(HKLM, KluczNet + "v3.5", "SP", 1);
    m.UstawTekst(HKLM, KluczNet + "v3.5", "Version", "3.5.30729.5420");
    m.UstawTekst(Korzen::ClassesRoot, "AgControl.AgControl\\CurVer", "", "AgControl.AgControl.5.1");
    m.UstawTekst(HKLM, "Software\\Microsoft\\Internet Explorer", "svcVersion", "11.0.9600.17420");
    m.excel.zarejestrowany = true;
    m.excel.wersja = "14.0";
}

struct Uklad : testing::Test {
    SymulowanaMaszyna m;
    Katalog k;
    DrzewoWyniku drzewo;
    Uklad() { k.KatalogSystemu = "C:\\Windows\\system32"; }
    void Sprawdz(std::size_t i) { k.Aplikacje[i].SprawdzAplikacje(drzewo, k, m); }
};

std::vector<std::string> Teksty(const WezelWyniku& w) {
    std::vector<std::string> t;
    for (const auto& d : w.Dzieci) t.push_back(d->Tekst);
    return t;
}

TEST_F(Uklad, WszystkoSpelnioneZwinieteZGolymiNazwami) {
    Wszystko(m);
    Sprawdz(0);  // Barkon Tabulo: Windows, Installer, Excel, IE
    ASSERT_EQ(drzewo.Korzenie().size(), 1u);
    const WezelWyniku& korzen = *drzewo.Korzenie()[0];
    EXPECT_EQ(korzen.Tekst, "Barkon Tabulo");
    EXPECT_EQ(korzen.Obraz, obraz::Aplikacja);
    EXPECT_EQ(korzen.Aplikacja, &k.Aplikacje[0]);
    EXPECT_EQ(k.Aplikacje[0].Wezel, &korzen);
    EXPECT_FALSE(korzen.Rozwiniety);
    EXPECT_EQ(Teksty(korzen),
              (std::vector<std::string>{"System operacyjny Windows", "Windows Installer",
                                        "MS Excel", "Internet Explorer"}));
    for (const auto& d : korzen.Dzieci) {
        EXPECT_EQ(d->Obraz, obraz::Spelnia);
        EXPECT_EQ(d->ObrazWybrany, obraz::Spelnia);
        EXPECT_FALSE(d->Rozwiniety);
        EXPECT_EQ(d->Poziom(), 1);
    }
    EXPECT_EQ(korzen.Dzieci[2]->Komponent, k.Komponent(komponent::Excel));
}

TEST_F(Uklad, NiespelnioneRozwiniete) {
    Wszystko(m, "5.1");
    m.UsunWartosc(HKLM, KluczNet + "v3.5", "SP");
    Sprawdz(2);  // Marendo Tabulo: Windows 60, .NET 3.5, Installer 20
    const WezelWyniku& korzen = *drzewo.Korzenie()[0];
    EXPECT_TRUE(korzen.Rozwiniety);
    EXPECT_EQ(Teksty(korzen),
              (std::vector<std::string>{"System operacyjny Windows:  5.1", "Windows Installer",
                                        ".NET Framework 3.5:  ??.????.??"}));
    EXPECT_EQ(korzen.Dzieci[0]->Obraz, obraz::NieSpelnia);
    EXPECT_EQ(korzen.Dzieci[1]->Obraz, obraz::Spelnia);
    EXPECT_EQ(korzen.Dzieci[2]->ObrazWybrany, obraz::NieSpelnia);
}

TEST_F(Uklad, RownoscSpelniaWymaganie) {
    Wszystko(m, "6.0");
    Sprawdz(17);  // Ellard Tabulo: Windows 60, Installer 20
    EXPECT_EQ(drzewo.Korzenie()[0]->Dzieci[0]->Obraz, obraz::Spelnia);
    EXPECT_EQ(k.Komponent(komponent::Windows)->SpelniaWymaganie(60), 1);
    EXPECT_EQ(k.Komponent(komponent::Windows)->SpelniaWymaganie(61), 0);
}

TEST_F(Uklad, NieustalonyNigdyNieSpelnia) {
    const ProKomponent c(komponent::Excel, "MS Excel", "");
    EXPECT_EQ(c.SpelniaWymaganie(11), 0);
    EXPECT_EQ(c.SpelniaWymaganie(-2), 1);
}

TEST_F(Uklad, SqlServerTylkoTrzyKomponenty) {
    Wszystko(m);
    Sprawdz(21);
    EXPECT_EQ(Teksty(*drzewo.Korzenie()[0]),
              (std::vector<std::string>{"System operacyjny Windows", "Windows Installer",
                                        ".NET Framework 3.5"}));
    EXPECT_EQ(m.Liczba("UtworzObiekt"), 0u) << "no detection for a requirement of 0";
    EXPECT_EQ(m.Liczba("OtworzKlucz HKCR"), 0u);
    EXPECT_EQ(m.Liczba("OtworzKlucz HKLM\\Software\\Microsoft\\Internet Explorer"), 0u);
}

TEST_F(Uklad, ExcelNiedostepnyWKazdejAplikacjiOdNowa) {
    Wszystko(m);
    m.excel.zarejestrowany = false;
    Sprawdz(16);  // Sarvik: Excel 12
    Sprawdz(19);  // Cobrin Tabulo NET+: Excel 12
    for (const auto& korzen : drzewo.Korzenie()) {
        EXPECT_EQ(korzen->Dzieci[1]->Tekst, "MS Excel:  brak możliwości sprawdzenia");
        EXPECT_EQ(korzen->Dzieci[1]->Obraz, obraz::NieSpelnia);
        EXPECT_TRUE(korzen->Rozwiniety);
    }
    EXPECT_EQ(m.Liczba("UtworzObiekt Excel.Application"), 2u);
}

TEST(Weryfikacja, ExcelBezOdpowiedziSondowanyRazNaPrzebieg) {
    for (const auto krok :
         {SymulowanaMaszyna::Zawieszenie::Utworzenie, SymulowanaMaszyna::Zawieszenie::Wersja}) {
        SymulowanaMaszyna m;
        Wszystko(m);
        m.excel.zawieszenie = krok;
        Katalog k;
        k.KatalogSystemu = "C:\\Windows\\system32";
        DrzewoWyniku drzewo;
        for (int przebieg = 0; przebieg < 2; ++przebieg) {
            drzewo.Wyczysc();
            for (auto& aplikacja : k.Aplikacje) aplikacja.SprawdzAplikacje(drzewo, k, m);
        }
        int wezly_excela = 0;
        for (const auto& korzen : drzewo.Korzenie()) {
            for (const auto& d : korzen->Dzieci) {
                if (d->Komponent != k.Komponent(komponent::Excel)) continue;
                ++wezly_excela;
                EXPECT_EQ(d->Tekst, "MS Excel:  brak możliwości sprawdzenia");
                EXPECT_EQ(d->Obraz, obraz::NieSpelnia);
            }
        }
        EXPECT_GE(wezly_excela, 5);
        EXPECT_EQ(m.Liczba("UtworzObiekt Excel.Application"), 1u)
            << "a server that did not answer in time is not asked again";
        EXPECT_EQ(k.Komponent(komponent::Excel)->Wersja, NotDetected);
        EXPECT_EQ(m.excel.quit, 0);
        EXPECT_TRUE(m.Niezwolnione().empty());
    }
}

TEST_F(Uklad, DrugaAplikacjaNieSondujeNiczego) {
    Wszystko(m);
    Sprawdz(2);  // Marendo Tabulo: Windows, Installer, .NET 3.5
    const auto po_pierwszej = m.wywolania.size();
    Sprawdz(8);  // Galvin Tabulo: the same three
    EXPECT_EQ(m.wywolania.size(), po_pierwszej);
    EXPECT_EQ(drzewo.Korzenie()[0]->Dzieci[2]->Komponent,
              drzewo.Korzenie()[1]->Dzieci[2]->Komponent);
    EXPECT_EQ(m.Liczba("OtworzKlucz HKLM\\Software\\Microsoft\\NET Framework Setup\\NDP\\v3.5"), 2u)
        << "presence and text: two reads, once";
}

TEST_F(Uklad, WszystkieAplikacjeDwaRazy) {
    Wszystko(m);
    for (std::size_t i = 0; i < k.Aplikacje.size(); ++i) Sprawdz(i);
    const auto po_pierwszym = m.wywolania.size();
    EXPECT_EQ(m.excel.utworzone, 1);
    drzewo.Wyczysc();
    for (std::size_t i = 0; i < k.Aplikacje.size(); ++i) Sprawdz(i);
    EXPECT_EQ(m.wywolania.size(), po_pierwszym) << "a second pass probes nothing";
    EXPECT_EQ(drzewo.Korzenie().size(), 22u);
    EXPECT_TRUE(m.Niezwolnione().empty());
    for (const auto& korzen : drzewo.Korzenie()) {
        EXPECT_FALSE(korzen->Rozwiniety) << korzen->Tekst;
        for (const auto& d : korzen->Dzieci) EXPECT_EQ(d->Obraz, obraz::Spelnia) << d->Tekst;
    }
}

TEST_F(Uklad, DrugiPrzebiegPonawiaTylkoExcel) {
    Wszystko(m);
    m.excel.zarejestrowany = false;
    Sprawdz(0);
    const auto po_pierwszym = m.wywolania.size();
    drzewo.Wyczysc();
    Sprawdz(0);
    std::vector<std::string> nowe(m.wywolania.begin() + static_cast<long>(po_pierwszym),
                                  m.wywolania.end());
    EXPECT_EQ(nowe, (std::vector<std::string>{"UtworzObiekt Excel.Application"}));
}

TEST_F(Uklad, WyjatekWykrywaniaZostawiaWezelTymczasowy) {
    Wszystko(m);
    m.UstawLiczbe(Korzen::ClassesRoot, "AgControl.AgControl\\CurVer", "", 5);
    // Cobrin Tabulo NET: Windows, .NET 3.5, Excel, SilverLight, IE.
    EXPECT_THROW(Sprawdz(18), BladRejestru);
    const WezelWyniku& korzen = *drzewo.Korzenie()[0];
    EXPECT_EQ(Teksty(korzen),
              (std::vector<std::string>{"System operacyjny Windows", ".NET Framework 3.5",
                                        "MS Excel", "nieznany komponent"}));
    EXPECT_EQ(korzen.Dzieci[3]->Obraz, obraz::Tymczasowy);
    EXPECT_EQ(korzen.Dzieci[3]->Komponent, k.Komponent(komponent::Silverlight));
    EXPECT_EQ(m.Liczba("OtworzKlucz HKLM\\Software\\Microsoft\\Internet Explorer"), 0u);
    EXPECT_EQ(k.Komponent(komponent::Silverlight)->Wersja, NotDetected);
    EXPECT_FALSE(korzen.Rozwiniety) << "the expand step did not run";
    EXPECT_EQ(k.Aplikacje[18].Wezel, &korzen);

    // The failed component is probed again at the next need.
    drzewo.Wyczysc();
    EXPECT_THROW(Sprawdz(1), BladRejestru);
    EXPECT_EQ(m.Liczba("OtworzKlucz HKCR\\AgControl.AgControl\\CurVer"), 2u);
}

TEST(DrzewoWyniku, RozwiniecieObejmujeWszystkiePonizej) {
    DrzewoWyniku d;
    auto& korzen = d.DodajKorzen("A", obraz::Aplikacja, nullptr);
    auto& dziecko = d.DodajDziecko(korzen, "B", Werdykt::spelnia, nullptr);
    auto& wnuk = d.DodajDziecko(dziecko, "C", Werdykt::spelnia, nullptr);
    DrzewoWyniku::UstawRozwiniecie(korzen, true);
    EXPECT_TRUE(korzen.Rozwiniety && dziecko.Rozwiniety && wnuk.Rozwiniety);
    EXPECT_EQ(wnuk.Poziom(), 2);
    DrzewoWyniku::UstawRozwiniecie(korzen, false);
    EXPECT_FALSE(korzen.Rozwiniety || dziecko.Rozwiniety || wnuk.Rozwiniety);
    EXPECT_FALSE(korzen.MaDane());
}

}  // namespace
}  // namespace pro

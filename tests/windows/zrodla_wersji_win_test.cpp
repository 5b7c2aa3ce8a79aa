#include <gtest/gtest.h>

#include <regex>

#include "KluczTestowy.h"
#include "Srodowisko.h"
#include "catalogue/Proaplikacja.h"
#include "platform/win32/PlatformaWin32.h"

namespace pro {
namespace {

const std::wstring KluczW = L"Software\\ProbieratorTest\\ZrodlaWersji";
const std::string Klucz = "Software\\ProbieratorTest\\ZrodlaWersji";

TEST(ZrodlaWersjiWin, WersjaPlikuZeStalegoBlokuNieZTabeliTekstow) {
    PlatformaWin32 p;
    EXPECT_EQ(WersjaPliku(p, testy::KatalogTestow() + "\\z_wersja.exe"), "6.1.7600.16385");
}

TEST(ZrodlaWersjiWin, WersjaPlikuNiepowodzenia) {
    PlatformaWin32 p;
    const std::string katalog = testy::KatalogTestow();
    EXPECT_EQ(WersjaPliku(p, katalog + "\\bez_wersji.exe"), "brak wersji");
    EXPECT_EQ(WersjaPliku(p, katalog), "brak pliku") << "a directory is not a file";
    EXPECT_EQ(WersjaPliku(p, katalog + "\\nie_ma_takiego.exe"), "brak pliku");
    EXPECT_EQ(WersjaPliku(p, ""), "brak pliku");
}

TEST(ZrodlaWersjiWin, MsiexecWKataloguSystemowym) {
    PlatformaWin32 p;
    const std::string katalog = p.KatalogSystemowy();
    ASSERT_FALSE(katalog.empty());
    EXPECT_NE(katalog.back(), '\\');
    const std::string wersja = WersjaPliku(p, katalog + "\\msiexec.exe");
    EXPECT_TRUE(std::regex_match(wersja, std::regex(R"(\d+\.\d+\.\d+\.\d+)"))) << wersja;
}

TEST(ZrodlaWersjiWin, RejestrTekst) {
    testy::KluczTestowy k(HKEY_LOCAL_MACHINE, KluczW);
    k.Tekst(L"Tekst", L"6.1");
    k.Tekst(L"Pusty", L"");
    k.Tekst(L"Rozwijany", L"6.1", REG_EXPAND_SZ);
    k.Tekst(L"Polski", L"wersją");
    // REG_SZ stored without its terminating NUL is taken whole.
    k.Surowe(L"BezNul", REG_SZ, {'6', 0, '.', 0, '2', 0});
    k.Liczba(L"Liczba", 1);
    PlatformaWin32 p;
    constexpr auto HKLM = Korzen::LocalMachine;
    EXPECT_EQ(CzytajRejestrTekst(p, HKLM, Klucz, "Tekst"), "6.1");
    EXPECT_EQ(CzytajRejestrTekst(p, HKLM, Klucz, "Pusty"), "");
    EXPECT_EQ(CzytajRejestrTekst(p, HKLM, Klucz, "Rozwijany"), "");
    EXPECT_EQ(CzytajRejestrTekst(p, HKLM, Klucz, "Polski"), "wersją");
    EXPECT_EQ(CzytajRejestrTekst(p, HKLM, Klucz, "BezNul"), "6.2");
    EXPECT_EQ(CzytajRejestrTekst(p, HKLM, Klucz, "Liczba"), "");
    EXPECT_EQ(CzytajRejestrTekst(p, HKLM, Klucz, "NieMa"), "");
    EXPECT_EQ(CzytajRejestrTekst(p, HKLM, "Software\\ProbieratorTest\\NieMa", "Tekst"), "");
}

TEST(ZrodlaWersjiWin, RejestrLiczba) {
    testy::KluczTestowy k(HKEY_LOCAL_MACHINE, KluczW);
    k.Liczba(L"Zero", 0);
    k.Liczba(L"Jeden", 1);
    k.Liczba(L"Max", 0xFFFFFFFF);
    k.Tekst(L"CyfraTekstem", L"1");
    k.Surowe(L"DlugiDword", REG_DWORD, {1, 0, 0, 0, 7, 7, 7, 7});
    k.Surowe(L"Qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0});
    PlatformaWin32 p;
    constexpr auto HKLM = Korzen::LocalMachine;
    EXPECT_EQ(CzytajRejestrLiczba(p, HKLM, Klucz, "Zero"), 0);
    EXPECT_EQ(CzytajRejestrLiczba(p, HKLM, Klucz, "Jeden"), 1);
    EXPECT_EQ(CzytajRejestrLiczba(p, HKLM, Klucz, "Max"), -1);
    EXPECT_EQ(CzytajRejestrLiczba(p, HKLM, Klucz, "CyfraTekstem"), -1);
    EXPECT_EQ(CzytajRejestrLiczba(p, HKLM, Klucz, "DlugiDword"), -1);
    EXPECT_EQ(CzytajRejestrLiczba(p, HKLM, Klucz, "Qword"), -1);
    EXPECT_EQ(CzytajRejestrLiczba(p, HKLM, Klucz, "NieMa"), -1);
    EXPECT_EQ(CzytajRejestrLiczba(p, HKLM, "Software\\ProbieratorTest\\NieMa", "Zero"), -1);
}

}  // namespace
}  // namespace pro

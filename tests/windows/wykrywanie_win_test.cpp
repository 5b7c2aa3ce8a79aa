#include <gtest/gtest.h>

#include <objbase.h>

#include <regex>

#include "KluczTestowy.h"
#include "ZastepczyExcel.h"
#include "catalogue/DrzewoWyniku.h"
#include "catalogue/Katalog.h"
#include "platform/win32/PlatformaWin32.h"

namespace pro {
namespace {

const std::wstring KluczNet = L"Software\\Microsoft\\NET Framework Setup\\NDP\\";

struct Com {
    Com() { CoInitialize(nullptr); }
    ~Com() { CoUninitialize(); }
};

ProKomponent& Wykryj(Katalog& k, Platforma& p, ComponentId id) {
    ProKomponent& c = *k.Komponent(id);
    c.WykryjWersje(p, k.KatalogSystemu);
    return c;
}

TEST(WykrywanieWin, WindowsIInstalatorZPrefiksu) {
    PlatformaWin32 p;
    Katalog k;
    k.KatalogSystemu = p.KatalogSystemowy();
    auto& windows = Wykryj(k, p, komponent::Windows);
    EXPECT_TRUE(std::regex_match(windows.WersjaTxt, std::regex(R"(\d+\.\d+)")))
        << windows.WersjaTxt;
    EXPECT_GE(windows.Wersja, 50);
    auto& instalator = Wykryj(k, p, komponent::Instalator);
    EXPECT_TRUE(std::regex_match(instalator.WersjaTxt, std::regex(R"(\d+\.\d+\.\d+\.\d+)")))
        << instalator.WersjaTxt;
    EXPECT_GE(instalator.Wersja, 30);
}

TEST(WykrywanieWin, InternetExplorerZWartosciTestu) {
    testy::KluczTestowy ie(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Internet Explorer");
    ie.Tekst(L"svcVersion", L"11.0.9600.17420");
    PlatformaWin32 p;
    Katalog k;
    auto& c = Wykryj(k, p, komponent::InternetExplorer);
    EXPECT_EQ(c.WersjaTxt, "11.0.9600.17420");
    EXPECT_EQ(c.Wersja, 110);
}

TEST(WykrywanieWin, KluczeNetFramework) {
    testy::KluczTestowy net20(HKEY_LOCAL_MACHINE, KluczNet + L"v2.0.50727");
    net20.Liczba(L"Install", 0);
    net20.Tekst(L"Version", L"2.0.50727.4927");
    testy::KluczTestowy net30(HKEY_LOCAL_MACHINE, KluczNet + L"v3.0");
    net30.Liczba(L"SP", 0);
    testy::KluczTestowy net35(HKEY_LOCAL_MACHINE, KluczNet + L"v3.5");
    net35.Liczba(L"SP", 1);
    net35.Tekst(L"Version", L"3.5.30729.5420");
    testy::KluczTestowy net40(HKEY_LOCAL_MACHINE, KluczNet + L"v4\\Client");
    net40.Liczba(L"Install", 2);
    net40.Tekst(L"Version", L"4.8.04084");
    PlatformaWin32 p;
    Katalog k;
    auto& c20 = Wykryj(k, p, komponent::Net20);
    EXPECT_EQ(c20.WersjaTxt, "??.????.??");
    EXPECT_EQ(c20.Wersja, 0);
    auto& c30 = Wykryj(k, p, komponent::Net30);
    EXPECT_EQ(c30.WersjaTxt, "") << "installed, without a Version value";
    EXPECT_EQ(c30.Wersja, 3330);
    auto& c35 = Wykryj(k, p, komponent::Net35);
    EXPECT_EQ(c35.WersjaTxt, "3.5.30729.5420");
    EXPECT_EQ(c35.Wersja, 3335);
    auto& c40 = Wykryj(k, p, komponent::Net40);
    EXPECT_EQ(c40.WersjaTxt, "??.????.??");
    EXPECT_EQ(c40.Wersja, 0);
}

TEST(WykrywanieWin, SilverlightCurVerWHkcr) {
    testy::KluczTestowy curver(HKEY_CLASSES_ROOT, L"AgControl.AgControl\\CurVer");
    curver.Tekst(L"", L"AgControl.AgControl.5.1");
    PlatformaWin32 p;
    Katalog k;
    auto& c = Wykryj(k, p, komponent::Silverlight);
    EXPECT_EQ(c.WersjaTxt, "5.1");
    EXPECT_EQ(c.Wersja, 51);
}

TEST(WykrywanieWin, SilverlightNietekstowyCurVerRzucaWeryfikacjaZostawiaWezelTymczasowy) {
    testy::KluczTestowy curver(HKEY_CLASSES_ROOT, L"AgControl.AgControl\\CurVer");
    curver.Liczba(L"", 5);
    PlatformaWin32 p;
    Katalog k;
    DrzewoWyniku drzewo;
    EXPECT_THROW(k.Aplikacje[1].SprawdzAplikacje(drzewo, k, p), BladRejestru);  // Selvo
    const auto& dzieci = drzewo.Korzenie().at(0)->Dzieci;
    ASSERT_EQ(dzieci.size(), 2u);
    EXPECT_EQ(dzieci[1]->Tekst, "nieznany komponent");
    EXPECT_EQ(dzieci[1]->Obraz, obraz::Tymczasowy);
    EXPECT_EQ(k.Komponent(komponent::Silverlight)->Wersja, NotDetected);
}

TEST(WykrywanieWin, ExcelZastepczyOdpowiadaIKonczy) {
    Com com;
    testy::ZastepczyExcel excel(testy::ClsidDziala);
    PlatformaWin32 p;
    Katalog k;
    auto& c = Wykryj(k, p, komponent::Excel);
    EXPECT_EQ(c.WersjaTxt, "14.0");
    EXPECT_EQ(c.Wersja, 14);
    EXPECT_EQ(testy::ZastepczyExcel::Licznik("LiczbaQuit"), 1);
    EXPECT_EQ(testy::ZastepczyExcel::Licznik("LiczbaObiektow"), 0) << "the object is released";
}

TEST(WykrywanieWin, ExcelNiezarejestrowany) {
    Com com;
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\Excel.Application");
    PlatformaWin32 p;
    Katalog k;
    auto& c = Wykryj(k, p, komponent::Excel);
    EXPECT_EQ(c.WersjaTxt, "brak możliwości sprawdzenia");
    EXPECT_EQ(c.Wersja, NotDetected);
}

TEST(WykrywanieWin, ExcelBezWersjiNieJestKonczony) {
    Com com;
    testy::ZastepczyExcel excel(testy::ClsidBezWersji);
    PlatformaWin32 p;
    Katalog k;
    auto& c = Wykryj(k, p, komponent::Excel);
    EXPECT_EQ(c.WersjaTxt, "brak możliwości sprawdzenia");
    EXPECT_EQ(c.Wersja, NotDetected);
    EXPECT_EQ(testy::ZastepczyExcel::Licznik("LiczbaQuit"), 0);
    EXPECT_EQ(testy::ZastepczyExcel::Licznik("LiczbaObiektow"), 0);
}

}  // namespace
}  // namespace pro

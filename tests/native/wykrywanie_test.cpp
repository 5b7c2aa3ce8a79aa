#include <gtest/gtest.h>

#include "catalogue/Katalog.h"
#include "platform/sim/SymulowanaMaszyna.h"

namespace pro {
namespace {

constexpr auto HKLM = Korzen::LocalMachine;
const std::string KluczWindows = "Software\\Microsoft\\Windows NT\\CurrentVersion";
const std::string KluczIE = "Software\\Microsoft\\Internet Explorer";
const std::string KluczNet = "Software\\Microsoft\\NET Framework Setup\\NDP\\";
const std::string KluczCurVer = "AgControl.AgControl\\CurVer";
const std::string Msiexec = "C:\\Windows\\system32\\msiexec.exe";

ProKomponent& Komponent(Katalog& k, ComponentId id) {
    return *k.Komponent(id);
}

TEST(PrzeliczWersje, PrzykladyIGranice) {
    struct Wiersz {
        const char* tekst;
        VersionNumber wersja;
    };
    const Wiersz wiersze[] = {
        {"6.1", 61},
        {"5.0.7601.17514", 50},
        {"11.0.9600.17420", 110},
        {"5.1", 51},
        {"9.11", 101},  // a two-digit minor adds into the tens
        {"10", 10},     // no point: all of it is the minor part
        {"", 0},
        {"brak pliku", 0},
        {"brak wersji", 0},
        {"??.????.??", 0},
        {".5", 5},
        {"6.", 60},
        {"6.x", 60},
        {" 6.1", 1},
        {"+6.-1", 59},
        {"6.1a", 60},
        // A part too long for 32 bits counts as 0, and so does a sum that does not fit.
        {"99999999999.1", 1},
        {"6.99999999999", 60},
        {"214748364.8", 0},
        {"214748364.7", 2147483647},
        {"-214748364.-8", -2147483647 - 1},
        {"-214748364.-9", 0},
    };
    for (const auto& w : wiersze) {
        ProKomponent k(komponent::Windows, "W", "");
        k.WersjaTxt = w.tekst;
        k.PrzeliczWersje();
        EXPECT_EQ(k.Wersja, w.wersja) << '"' << w.tekst << '"';
    }
}

TEST(LiczbaDziesietna, TylkoZnakICyfry) {
    EXPECT_EQ(LiczbaDziesietna("14"), 14);
    EXPECT_EQ(LiczbaDziesietna("-7"), -7);
    EXPECT_EQ(LiczbaDziesietna("+7"), 7);
    EXPECT_EQ(LiczbaDziesietna("2147483647"), 2147483647);
    EXPECT_EQ(LiczbaDziesietna("-2147483648"), -2147483647 - 1);
    for (const char* zle : {"", "+", "-", " 1", "1 ", "0x10", "$10", "1e3", "2147483648",
                            "-2147483649", "99999999999999999999"}) {
        EXPECT_EQ(LiczbaDziesietna(zle), 0) << '"' << zle << '"';
    }
}

TEST(WykryjWersje, Windows) {
    struct Wiersz {
        const char* wartosc;  // nullptr: no value
        const char* tekst;
        VersionNumber wersja;
    };
    const Wiersz wiersze[] = {{"6.1", "6.1", 61}, {"5.1", "5.1", 51}, {nullptr, "", 0}};
    for (const auto& w : wiersze) {
        SymulowanaMaszyna m;
        if (w.wartosc) m.UstawTekst(HKLM, KluczWindows, "CurrentVersion", w.wartosc);
        Katalog k;
        auto& windows = Komponent(k, komponent::Windows);
        windows.WykryjWersje(m, k.KatalogSystemu);
        EXPECT_EQ(windows.WersjaTxt, w.tekst);
        EXPECT_EQ(windows.Wersja, w.wersja);
    }
}

TEST(WykryjWersje, WindowsInstallerZKataloguSystemowego) {
    struct Wiersz {
        bool plik;
        std::optional<StalyBlokWersji> wersja;
        const char* tekst;
        VersionNumber liczba;
    };
    const Wiersz wiersze[] = {
        {true, SymulowanaMaszyna::Wersja(5, 0, 7601, 17514), "5.0.7601.17514", 50},
        {true, SymulowanaMaszyna::Wersja(4, 5, 6001, 22308), "4.5.6001.22308", 45},
        {true, std::nullopt, "brak wersji", 0},
        {false, std::nullopt, "brak pliku", 0},
    };
    for (const auto& w : wiersze) {
        SymulowanaMaszyna m;
        if (w.plik) m.DodajPlik(Msiexec, w.wersja);
        Katalog k;
        k.KatalogSystemu = "C:\\Windows\\system32";
        auto& instalator = Komponent(k, komponent::Instalator);
        instalator.WykryjWersje(m, k.KatalogSystemu);
        EXPECT_EQ(instalator.WersjaTxt, w.tekst);
        EXPECT_EQ(instalator.Wersja, w.liczba);
        EXPECT_EQ(m.Liczba("PlikIstnieje C:\\Windows\\system32\\msiexec.exe"), 1u);
    }
}

TEST(WykryjWersje, InternetExplorer) {
    SymulowanaMaszyna m;
    Katalog k;
    auto& ie = Komponent(k, komponent::InternetExplorer);
    ie.WykryjWersje(m, k.KatalogSystemu);
    EXPECT_EQ(ie.WersjaTxt, "");
    EXPECT_EQ(ie.Wersja, 0);

    SymulowanaMaszyna m2;
    m2.UstawTekst(HKLM, KluczIE, "svcVersion", "11.0.9600.17420");
    Katalog k2;
    auto& ie2 = Komponent(k2, komponent::InternetExplorer);
    ie2.WykryjWersje(m2, k2.KatalogSystemu);
    EXPECT_EQ(ie2.WersjaTxt, "11.0.9600.17420");
    EXPECT_EQ(ie2.Wersja, 110);
}

// How a .NET release's registry looks, and what detection must make of it.
struct PrzypadekNet {
    const char* opis;
    ComponentId id;
    const char* podklucz;
    const char* nazwa;                      // the presence value
    std::optional<std::uint32_t> obecnosc;  // none: value missing
    const char* wersja;                     // "Version" value, nullptr: missing
    const char* tekst;
    VersionNumber liczba;
};

class WykrywanieNet : public testing::TestWithParam<PrzypadekNet> {};

TEST_P(WykrywanieNet, ObecnoscITekstToDwaOdczyty) {
    const auto& p = GetParam();
    SymulowanaMaszyna m;
    const std::string klucz = KluczNet + p.podklucz;
    m.UtworzKlucz(HKLM, klucz);
    if (p.obecnosc) m.UstawLiczbe(HKLM, klucz, p.nazwa, *p.obecnosc);
    if (p.wersja) m.UstawTekst(HKLM, klucz, "Version", p.wersja);
    Katalog k;
    auto& net = Komponent(k, p.id);
    net.WykryjWersje(m, k.KatalogSystemu);
    EXPECT_EQ(net.WersjaTxt, p.tekst);
    EXPECT_EQ(net.Wersja, p.liczba);
    EXPECT_TRUE(m.Niezwolnione().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Reguly, WykrywanieNet,
    testing::Values(
        PrzypadekNet{"net20_install0", 3320, "v2.0.50727", "Install", 0, "2.0.50727.4927",
                     "??.????.??", 0},
        PrzypadekNet{"net20_install1", 3320, "v2.0.50727", "Install", 1, "2.0.50727.4927",
                     "2.0.50727.4927", 3320},
        PrzypadekNet{"net20_install2", 3320, "v2.0.50727", "Install", 2, "2.0", "2.0", 3320},
        PrzypadekNet{"net20_brak_install", 3320, "v2.0.50727", "Install", std::nullopt, "2.0",
                     "??.????.??", 0},
        PrzypadekNet{"net30_sp0", 3330, "v3.0", "SP", 0, "3.0.30729", "3.0.30729", 3330},
        PrzypadekNet{"net35_sp0", 3335, "v3.5", "SP", 0, "3.5.30729.01", "3.5.30729.01", 3335},
        PrzypadekNet{"net35_sp1", 3335, "v3.5", "SP", 1, "3.5", "3.5", 3335},
        PrzypadekNet{"net35_bez_sp", 3335, "v3.5", "SP", std::nullopt, "3.5", "??.????.??", 0},
        PrzypadekNet{"net35_sp_ffffffff", 3335, "v3.5", "SP", 0xFFFFFFFFu, "3.5", "??.????.??", 0},
        PrzypadekNet{"net35_bez_version", 3335, "v3.5", "SP", 1, nullptr, "", 3335},
        PrzypadekNet{"net40_install1", 3340, "v4\\Client", "Install", 1, "4.8.04084", "4.8.04084",
                     3340},
        PrzypadekNet{"net40_install2", 3340, "v4\\Client", "Install", 2, "4.0", "??.????.??", 0}),
    [](const auto& info) { return std::string(info.param.opis); });

TEST(WykryjWersje, BezRegulyZostajeNieustalony) {
    SymulowanaMaszyna m;
    m.UstawLiczbe(HKLM, KluczNet + "v4\\Full", "Install", 1);
    m.UstawLiczbe(HKLM, KluczNet + "v4.5", "Install", 1);
    Katalog k;
    for (ComponentId id : {komponent::SqlServer, komponent::Net45}) {
        auto& c = Komponent(k, id);
        c.WykryjWersje(m, k.KatalogSystemu);
        EXPECT_EQ(c.WersjaTxt, "??.????.??");
        EXPECT_EQ(c.Wersja, NotDetected);
    }
    EXPECT_TRUE(m.wywolania.empty());
}

TEST(WykryjWersje, Silverlight) {
    struct Wiersz {
        const char* opis;
        const char* curver;  // nullptr: no key
        const char* tekst;
        VersionNumber liczba;
    };
    const Wiersz wiersze[] = {
        {"5.1", "AgControl.AgControl.5.1", "5.1", 51},
        {"4", "AgControl.AgControl.4", "4", 4},
        {"piec znakow", "AgControl.AgControl.5.1.50918.0", "5.1.5", 51},
        {"dokladnie 20", "AgControl.AgControl.", "", 0},
        {"krotsza", "AgControl", "", 0},
        {"brak klucza", nullptr, "??.????.??", 0},
    };
    for (const auto& w : wiersze) {
        SymulowanaMaszyna m;
        if (w.curver) m.UstawTekst(Korzen::ClassesRoot, KluczCurVer, "", w.curver);
        Katalog k;
        auto& sl = Komponent(k, komponent::Silverlight);
        sl.WykryjWersje(m, k.KatalogSystemu);
        EXPECT_EQ(sl.WersjaTxt, w.tekst) << w.opis;
        EXPECT_EQ(sl.Wersja, w.liczba) << w.opis;
        EXPECT_TRUE(m.Niezwolnione().empty()) << w.opis;
    }
}

TEST(WykryjWersje, SilverlightBezWartosciDomyslnejIRozwijanyTekst) {
    SymulowanaMaszyna m;
    m.UtworzKlucz(Korzen::ClassesRoot, KluczCurVer);
    Katalog k;
    auto& sl = Komponent(k, komponent::Silverlight);
    sl.WykryjWersje(m, k.KatalogSystemu);
    EXPECT_EQ(sl.WersjaTxt, "??.????.??");
    EXPECT_EQ(sl.Wersja, 0);

    SymulowanaMaszyna m2;
    m2.UstawTekst(Korzen::ClassesRoot, KluczCurVer, "", "AgControl.AgControl.5.1",
                  typ_rejestru::ExpandSz);
    Katalog k2;
    auto& sl2 = Komponent(k2, komponent::Silverlight);
    sl2.WykryjWersje(m2, k2.KatalogSystemu);
    EXPECT_EQ(sl2.WersjaTxt, "5.1");
}

TEST(WykryjWersje, SilverlightNietekstowaWartoscRzucaINicNieZmienia) {
    SymulowanaMaszyna m;
    m.UstawLiczbe(Korzen::ClassesRoot, KluczCurVer, "", 5);
    Katalog k;
    auto& sl = Komponent(k, komponent::Silverlight);
    EXPECT_THROW(sl.WykryjWersje(m, k.KatalogSystemu), BladRejestru);
    EXPECT_EQ(sl.WersjaTxt, "??.????.??");
    EXPECT_EQ(sl.Wersja, NotDetected);
    EXPECT_TRUE(m.Niezwolnione().empty()) << "the key is closed on the way out";
}

TEST(WykryjWersje, ExcelOdpowiada) {
    SymulowanaMaszyna m;
    m.excel.zarejestrowany = true;
    m.excel.wersja = "14.0";
    Katalog k;
    auto& excel = Komponent(k, komponent::Excel);
    excel.WykryjWersje(m, k.KatalogSystemu);
    EXPECT_EQ(excel.WersjaTxt, "14.0");
    EXPECT_EQ(excel.Wersja, 14);
    EXPECT_EQ(m.excel.quit, 1);
    EXPECT_TRUE(m.Niezwolnione().empty());
    excel.WykryjWersje(m, k.KatalogSystemu);
    EXPECT_EQ(m.excel.utworzone, 1) << "detected once, never again";
}

TEST(WykryjWersje, ExcelNumerGlowny) {
    struct Wiersz {
        const char* wersja;
        VersionNumber liczba;
    };
    for (const auto& w : {Wiersz{"12.0", 12}, Wiersz{"16.0", 16}, Wiersz{"11", 0}, Wiersz{"x.0", 0},
                          Wiersz{"99999999999.0", 0}}) {
        SymulowanaMaszyna m;
        m.excel.zarejestrowany = true;
        m.excel.wersja = w.wersja;
        Katalog k;
        auto& excel = Komponent(k, komponent::Excel);
        excel.WykryjWersje(m, k.KatalogSystemu);
        EXPECT_EQ(excel.WersjaTxt, w.wersja);
        EXPECT_EQ(excel.Wersja, w.liczba) << w.wersja;
    }
}

TEST(WykryjWersje, ExcelNiedostepnyProbowanyPonownie) {
    struct Wiersz {
        const char* opis;
        bool zarejestrowany;
        bool wersja;
        bool quit_zawodzi;
    };
    const Wiersz wiersze[] = {
        {"niezarejestrowany", false, true, false},
        {"odczyt wersji zawodzi", true, false, false},
        {"Quit zawodzi", true, true, true},
    };
    for (const auto& w : wiersze) {
        SymulowanaMaszyna m;
        m.excel.zarejestrowany = w.zarejestrowany;
        if (!w.wersja) m.excel.wersja.reset();
        m.excel.quit_zawodzi = w.quit_zawodzi;
        Katalog k;
        auto& excel = Komponent(k, komponent::Excel);
        excel.WykryjWersje(m, k.KatalogSystemu);
        EXPECT_EQ(excel.WersjaTxt, "brak możliwości sprawdzenia") << w.opis;
        EXPECT_EQ(excel.Wersja, NotDetected) << w.opis;
        EXPECT_EQ(m.excel.quit, 0) << w.opis;
        EXPECT_TRUE(m.Niezwolnione().empty()) << w.opis;
        excel.WykryjWersje(m, k.KatalogSystemu);
        EXPECT_EQ(m.Liczba("UtworzObiekt Excel.Application"), 2u) << w.opis;
    }
}

TEST(WykryjWersje, ExcelZRejestruBezUruchamiania) {
    const auto HKCR = Korzen::ClassesRoot;
    const std::string klasa = "{00024500-0000-0000-C000-000000000046}";
    const std::string serwer = "CLSID\\" + klasa + "\\LocalServer32";
    const char* office = "C:\\Program Files\\Microsoft Office\\root\\Office16\\EXCEL.EXE";
    struct Wiersz {
        const char* opis;
        bool curver;
        const char* linia;  // nullptr: no server registered
        std::uint32_t typ;
        bool tylko64;
        const char* plik;  // nullptr: no file
        bool z_wersja;
        const char* tekst;
        VersionNumber liczba;
    };
    const std::string cudzyslow = std::string("\"") + office + "\" /automation";
    const Wiersz wiersze[] = {
        {"CurVer", true, cudzyslow.c_str(), typ_rejestru::Sz, false, office, true, "16.0", 16},
        {"bez CurVer", false, cudzyslow.c_str(), typ_rejestru::Sz, false, office, true, "16.0", 16},
        {"tylko widok 64", true, cudzyslow.c_str(), typ_rejestru::Sz, true, office, true, "16.0",
         16},
        {"krotka sciezka", false, "C:\\PROGRA~1\\MICROS~1\\OFFICE~1\\EXCEL.EXE /automation",
         typ_rejestru::Sz, false, "C:\\PROGRA~1\\MICROS~1\\OFFICE~1\\EXCEL.EXE", true, "16.0", 16},
        {"rozwijany", true, "%ProgramFiles%\\Microsoft Office\\root\\Office16\\EXCEL.EXE /dde",
         typ_rejestru::ExpandSz, false, office, true, "16.0", 16},
        {"nic", true, nullptr, typ_rejestru::Sz, false, office, true, "??.????.??", 0},
        {"brak pliku", true, cudzyslow.c_str(), typ_rejestru::Sz, false, nullptr, true,
         "brak pliku", 0},
        {"brak wersji", true, cudzyslow.c_str(), typ_rejestru::Sz, false, office, false,
         "brak wersji", 0},
    };
    for (const auto& w : wiersze) {
        SymulowanaMaszyna m;
        m.excel.zarejestrowany = true;
        const std::string progid = w.curver ? "Excel.Application.16" : "Excel.Application";
        if (w.curver) m.UstawTekst(HKCR, "Excel.Application\\CurVer", "", progid);
        m.UstawTekst(HKCR, progid + "\\CLSID", "", klasa);
        if (w.linia) m.UstawTekst(HKCR, serwer, "", w.linia, w.typ);
        if (w.tylko64) m.TylkoWidok64(HKCR, serwer);
        if (w.plik && w.z_wersja)
            m.DodajPlik(w.plik, SymulowanaMaszyna::Wersja(16, 0, 17928, 20114));
        if (w.plik && !w.z_wersja) m.DodajPlik(w.plik);
        Katalog k;
        auto& excel = Komponent(k, komponent::Excel);
        excel.WykryjWersje(m, k.KatalogSystemu, OdczytExcela::ZRejestru);
        EXPECT_EQ(excel.WersjaTxt, w.tekst) << w.opis;
        EXPECT_EQ(excel.Wersja, w.liczba) << w.opis;
        EXPECT_EQ(m.excel.utworzone, 0) << w.opis;
        EXPECT_TRUE(m.Niezwolnione().empty()) << w.opis;
    }
}

TEST(WykryjWersje, WykrytyKomponentNieJestSondowanyPonownie) {
    SymulowanaMaszyna m;
    m.UstawTekst(HKLM, KluczWindows, "CurrentVersion", "6.1");
    Katalog k;
    auto& windows = Komponent(k, komponent::Windows);
    windows.WykryjWersje(m, k.KatalogSystemu);
    const auto wywolania = m.wywolania.size();
    m.UstawTekst(HKLM, KluczWindows, "CurrentVersion", "10.0");
    windows.WykryjWersje(m, k.KatalogSystemu);
    EXPECT_EQ(m.wywolania.size(), wywolania);
    EXPECT_EQ(windows.Wersja, 61);
}

}  // namespace
}  // namespace pro

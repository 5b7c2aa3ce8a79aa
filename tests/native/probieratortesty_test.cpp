#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Tekst.h"
#include "platform/sim/SymulowanaMaszyna.h"
#include "sysinfo/Probieratortesty.h"

namespace pro {
namespace {

// --- Operating-system name ---------------------------------------------------

RekordWersji Rekord(std::uint32_t platforma, std::uint32_t major, std::uint32_t minor,
                    std::uint8_t typ = 0, std::uint16_t suite = 0, const char* csd = "",
                    std::uint32_t build = 1234) {
    RekordWersji r;
    r.platforma = platforma;
    r.major = major;
    r.minor = minor;
    r.build = build;
    r.typ_produktu = typ;
    r.suite = suite;
    r.csd = Utf16(csd);
    return r;
}

struct PrzypadekNazwy {
    const char* opis;
    std::optional<RekordWersji> rozszerzony;  // the first call with the extended record
    std::optional<RekordWersji> krotki;       // the call with the short record
    std::optional<std::uint32_t> produkt;     // GetProductInfo; none: missing or failing
    int serwer_r2;                            // GetSystemMetrics(SM_SERVERR2)
    const char* nazwa;
    std::optional<RekordWersji> prawdziwy = {};  // RtlGetVersion; none: ntdll lacks it
    const char* display_version = nullptr;       // none: no such value
    const char* release_id = nullptr;
};

const std::string KluczWersji = "Software\\Microsoft\\Windows NT\\CurrentVersion";

// The extended record only (the short one would also be there on Windows,
// but it must not be asked for).
PrzypadekNazwy Ext(const char* opis, RekordWersji r, const char* nazwa,
                   std::optional<std::uint32_t> produkt = {}, int r2 = 0) {
    return {opis, r, r, produkt, r2, nazwa};
}
// The true numbers from RtlGetVersion; GetVersionEx would tell 6.2.9200, as
// it does a program without a manifest on Windows 8.1 and later.
PrzypadekNazwy Prawdziwy(const char* opis, std::uint8_t typ, std::uint32_t major,
                         std::uint32_t minor, std::uint32_t build, const char* nazwa,
                         std::optional<std::uint32_t> produkt = {},
                         const char* display_version = nullptr, const char* release_id = nullptr) {
    const RekordWersji pozorny = Rekord(2, 6, 2, typ, 0, "", 9200);
    return {opis,
            pozorny,
            pozorny,
            produkt,
            0,
            nazwa,
            Rekord(2, major, minor, typ, 0, "", build),
            display_version,
            release_id};
}
// Only the short record can be read.
PrzypadekNazwy Krotki(const char* opis, RekordWersji r, const char* nazwa,
                      std::optional<std::uint32_t> produkt = {}, int r2 = 0) {
    return {opis, std::nullopt, r, produkt, r2, nazwa};
}

void SprawdzNazwy(const std::vector<PrzypadekNazwy>& przypadki) {
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.opis);
        SymulowanaMaszyna m;
        m.rekord_prawdziwy = p.prawdziwy;
        m.rekord_rozszerzony = p.rozszerzony;
        m.rekord_krotki = p.krotki;
        m.typ_produktu = p.produkt;
        if (p.serwer_r2 != 0) m.metryki[89] = p.serwer_r2;
        m.UtworzKlucz(Korzen::LocalMachine, KluczWersji);
        if (p.display_version) {
            m.UstawTekst(Korzen::LocalMachine, KluczWersji, "DisplayVersion", p.display_version);
        }
        if (p.release_id)
            m.UstawTekst(Korzen::LocalMachine, KluczWersji, "ReleaseId", p.release_id);

        EXPECT_EQ(NazwaSystemu(m), p.nazwa);

        EXPECT_EQ(m.wywolania.at(0), "PrawdziwaWersja");
        EXPECT_EQ(m.Liczba("WersjaSystemu 156"), p.prawdziwy ? 0u : 1u);
        EXPECT_EQ(m.Liczba("WersjaSystemu 148"), p.prawdziwy || p.rozszerzony ? 0u : 1u);
        const RekordWersji* r = p.prawdziwy     ? &*p.prawdziwy
                                : p.rozszerzony ? &*p.rozszerzony
                                : p.krotki      ? &*p.krotki
                                                : nullptr;
        const bool nt = r != nullptr && r->platforma == 2;
        const bool wydanie6 = nt && r->major == 6;
        const bool wydanie10 = nt && r->major == 10 && r->minor == 0;
        // Looked up and called only on releases 6.x and 10.0, with no service pack.
        EXPECT_EQ(m.Liczba("InfoProduktu"), wydanie6 || wydanie10 ? 1u : 0u);
        if (wydanie6 || wydanie10) {
            EXPECT_EQ(m.Liczba("InfoProduktu " + std::to_string(r->major) + "." +
                               std::to_string(r->minor) + " 0.0"),
                      1u);
        }
        // The display version only on 10.0, in the machine's own registry view.
        EXPECT_EQ(m.Liczba("OtworzKlucz64 HKLM\\" + KluczWersji), wydanie10 ? 1u : 0u);
        EXPECT_EQ(m.Liczba("OtworzKlucz "), 0u);
        EXPECT_EQ(m.Liczba("MetrykaSystemu") - m.Liczba("MetrykaSystemu 89"), 0u);
        EXPECT_TRUE(m.Niezwolnione().empty());
    }
}

TEST(NazwaSystemu, OdczytRekordu) {
    SprawdzNazwy({
        {"both calls fail", std::nullopt, std::nullopt, 1, 0, "nieznany"},
        // Without the extended record the product type is unknown: the
        // combined names stand, the edition from GetProductInfo still comes.
        Krotki("short only, 6.0", Rekord(2, 6, 0),
               "Microsoft Windows Vista lub Windows Server 2008"),
        Krotki("short only, 6.1 Ultimate", Rekord(2, 6, 1),
               "Microsoft Windows 7 lub Windows Server 2008 R2 Ultimate Edition", 1),
        Krotki("short only, 6.2", Rekord(2, 6, 2), "Microsoft Windows 8 lub Windows Server 2012"),
        Krotki("short only, 6.3 Professional", Rekord(2, 6, 3),
               "Microsoft Windows 8.1 lub Windows Server 2012 R2 Professional", 48),
        Krotki("short only, 5.2", Rekord(2, 5, 2), "Microsoft Windows Server 2003 Family"),
        Krotki("short only, 5.2 R2", Rekord(2, 5, 2), "Microsoft Windows Server 2003 \"R2\"", {},
               1),
        Krotki("short only, 5.1", Rekord(2, 5, 1), "Microsoft Windows XP"),
        Krotki("short only, 5.0", Rekord(2, 5, 0), "Microsoft Windows 2000"),
        Krotki("short only, NT 4.0", Rekord(2, 4, 0), "Microsoft Windows NT 4.0"),
        Krotki("short only, 95 OSR 2", Rekord(1, 4, 0, 0, 0, " C"), "Microsoft Windows 95 OSR 2"),
        Ext("extended read, short not asked", Rekord(2, 6, 1, 1), "Microsoft Windows 7"),
    });
}

TEST(NazwaSystemu, PlatformyInneNizNt) {
    SprawdzNazwy({
        Ext("Win32s 3.10", Rekord(0, 3, 10), "system z biblioteką Microsoft Win32s"),
        Ext("Win32s whatever the version", Rekord(0, 6, 1, 1),
            "system z biblioteką Microsoft Win32s"),
        Krotki("Win32s, short record", Rekord(0, 1, 0), "system z biblioteką Microsoft Win32s"),
        Ext("95", Rekord(1, 4, 0), "Microsoft Windows 95"),
        Ext("95 B", Rekord(1, 4, 0, 0, 0, " B"), "Microsoft Windows 95 OSR 2"),
        Ext("95 C", Rekord(1, 4, 0, 0, 0, " C"), "Microsoft Windows 95 OSR 2"),
        Ext("95 A", Rekord(1, 4, 0, 0, 0, " A"), "Microsoft Windows 95"),
        Ext("95: only the second character counts", Rekord(1, 4, 0, 0, 0, "C"),
            "Microsoft Windows 95"),
        Ext("95: lower case c", Rekord(1, 4, 0, 0, 0, " c"), "Microsoft Windows 95"),
        Ext("98", Rekord(1, 4, 10), "Microsoft Windows 98"),
        Ext("98 SE", Rekord(1, 4, 10, 0, 0, " A "), "Microsoft Windows 98 Second Edition"),
        Ext("98 with C is not OSR 2", Rekord(1, 4, 10, 0, 0, " C"), "Microsoft Windows 98"),
        Ext("Me", Rekord(1, 4, 90, 0, 0, " A"), "Microsoft Windows Milenium"),
        Ext("platform 1, 4.3", Rekord(1, 4, 3), "nieznany"),
        Ext("platform 1, 5.0", Rekord(1, 5, 0), "nieznany"),
        Ext("platform 1, 6.1: no GetProductInfo", Rekord(1, 6, 1), "nieznany", 1),
        Ext("platform 3", Rekord(3, 6, 1, 1), "nieznany", 1),
        Ext("platform 0xFFFFFFFF", Rekord(0xFFFFFFFF, 5, 1, 1), "nieznany"),
    });
}

TEST(NazwaSystemu, Wydanie6StacjaISerwer) {
    SprawdzNazwy({
        Ext("6.0 workstation", Rekord(2, 6, 0, 1), "Microsoft Windows Vista"),
        Ext("6.0 server", Rekord(2, 6, 0, 3), "Windows Server 2008"),
        Ext("6.0 domain controller", Rekord(2, 6, 0, 2), "Windows Server 2008"),
        Ext("6.0 product type 0 counts as a server", Rekord(2, 6, 0, 0), "Windows Server 2008"),
        Ext("6.1 workstation", Rekord(2, 6, 1, 1), "Microsoft Windows 7"),
        Ext("6.1 server", Rekord(2, 6, 1, 3), "Windows Server 2008 R2"),
        Ext("6.2 workstation", Rekord(2, 6, 2, 1), "Microsoft Windows 8"),
        Ext("6.2 server", Rekord(2, 6, 2, 3), "Windows Server 2012"),
        Ext("6.3 workstation", Rekord(2, 6, 3, 1), "Microsoft Windows 8.1"),
        Ext("6.3 domain controller", Rekord(2, 6, 3, 2), "Windows Server 2012 R2"),
        Ext("7 Ultimate", Rekord(2, 6, 1, 1), "Microsoft Windows 7 Ultimate Edition", 1),
        Ext("8.1 Professional", Rekord(2, 6, 3, 1), "Microsoft Windows 8.1 Professional", 48),
        Ext("2008 R2 Standard", Rekord(2, 6, 1, 3), "Windows Server 2008 R2 Standard Edition", 7),
        Ext("8 with type 101", Rekord(2, 6, 2, 1), "Microsoft Windows 8", 101),
        Ext("6.4: suffix on the fallback", Rekord(2, 6, 4, 1), "nieznany Professional", 48),
        Ext("6.4 without a product type", Rekord(2, 6, 4, 1), "nieznany"),
        Ext("6.1: GetProductInfo missing or failing", Rekord(2, 6, 1, 1), "Microsoft Windows 7"),
        Ext("6.1: type 0", Rekord(2, 6, 1, 1), "Microsoft Windows 7", 0),
        Ext("7.0", Rekord(2, 7, 0, 1), "nieznany", 1),
        // The 6.x names do not depend on the suite bits.
        Ext("6.0 with suite bits", Rekord(2, 6, 0, 1, 0xFFFF), "Microsoft Windows Vista"),
    });
}

TEST(NazwaSystemu, SufiksyTypuProduktu) {
    struct Typ {
        std::uint32_t typ;
        const char* sufiks;
    };
    const Typ typy[] = {
        {1, " Ultimate Edition"},
        {2, " Home Basic Edition"},
        {3, " Home Premium Edition"},
        {4, " Enterprise Edition"},
        {6, " Business Edition"},
        {7, " Standard Edition"},
        {8, " Datacenter Edition"},
        {9, " Small Business Server"},
        {10, " Enterprise Edition"},
        {11, " Starter Edition"},
        {12, " Datacenter Edition (core installation)"},
        {13, " Standard Edition (core installation)"},
        {14, " Enterprise Edition (core installation)"},
        {15, " Enterprise Edition for Itanium-based Systems"},
        {17, " Web Server Edition"},
        {18, " Cluster Server Edition"},
        {48, " Professional"},
        {0, ""},
        {5, ""},
        {16, ""},
        {19, ""},
        {28, ""},  // PRODUCT_ULTIMATE_N, as Wine reports for a workstation
        {47, ""},
        {49, ""},
        {0xABCDEF, ""},
        {0xFFFFFFFF, ""},
    };
    std::vector<PrzypadekNazwy> przypadki;
    std::vector<std::string> opisy, nazwy;
    opisy.reserve(2 * std::size(typy));
    nazwy.reserve(2 * std::size(typy));
    for (const auto& t : typy) {
        opisy.push_back("6.0 server, type " + std::to_string(t.typ));
        nazwy.push_back(std::string("Windows Server 2008") + t.sufiks);
        przypadki.push_back(
            Ext(opisy.back().c_str(), Rekord(2, 6, 0, 3), nazwy.back().c_str(), t.typ));
        // The suffix is appended to whatever name the minor version gave.
        opisy.push_back("6.5, type " + std::to_string(t.typ));
        nazwy.push_back(std::string("nieznany") + t.sufiks);
        przypadki.push_back(
            Ext(opisy.back().c_str(), Rekord(2, 6, 5, 1), nazwy.back().c_str(), t.typ));
    }
    SprawdzNazwy(przypadki);
}

TEST(NazwaSystemu, Wydanie5i2) {
    SprawdzNazwy({
        Ext("server", Rekord(2, 5, 2, 3), "Microsoft Windows Server 2003 Family Standard Edition"),
        Ext("domain controller", Rekord(2, 5, 2, 2),
            "Microsoft Windows Server 2003 Family Standard Edition"),
        Ext("Enterprise", Rekord(2, 5, 2, 3, 0x0002),
            "Microsoft Windows Server 2003 Family Enterprise Edition"),
        Ext("Datacenter", Rekord(2, 5, 2, 3, 0x0080),
            "Microsoft Windows Server 2003 Family Datacenter Edition"),
        Ext("Datacenter wins over Enterprise", Rekord(2, 5, 2, 3, 0x0082),
            "Microsoft Windows Server 2003 Family Datacenter Edition"),
        Ext("Web", Rekord(2, 5, 2, 3, 0x0400), "Microsoft Windows Server 2003 Family Web Edition"),
        Ext("Enterprise wins over Web", Rekord(2, 5, 2, 2, 0x0402),
            "Microsoft Windows Server 2003 Family Enterprise Edition"),
        Ext("other suite bits", Rekord(2, 5, 2, 3, 0x0210),
            "Microsoft Windows Server 2003 Family Standard Edition"),
        Ext("R2 Enterprise", Rekord(2, 5, 2, 3, 0x0002),
            "Microsoft Windows Server 2003 \"R2\" Enterprise Edition", {}, 1),
        Ext("R2, any non-zero metric", Rekord(2, 5, 2, 3),
            "Microsoft Windows Server 2003 \"R2\" Standard Edition", {}, -1),
        Ext("workstation: XP x64", Rekord(2, 5, 2, 1), "Windows XP Professional x64 Edition"),
        Ext("workstation replaces the R2 name", Rekord(2, 5, 2, 1, 0x0082),
            "Windows XP Professional x64 Edition", {}, 1),
        Ext("product type 0", Rekord(2, 5, 2, 0, 0x0002), "Microsoft Windows Server 2003 Family"),
        Ext("product type 4", Rekord(2, 5, 2, 4), "Microsoft Windows Server 2003 Family"),
        Ext("5.3", Rekord(2, 5, 3, 1), "nieznany"),
        Ext("5.9", Rekord(2, 5, 9, 3), "nieznany"),
    });
}

TEST(NazwaSystemu, Wydania5i1i5i0) {
    SprawdzNazwy({
        Ext("XP Professional", Rekord(2, 5, 1, 1), "Microsoft Windows XP Professional"),
        Ext("XP as Wine reports it", Rekord(2, 5, 1, 1, 0x0100),
            "Microsoft Windows XP Professional"),
        Ext("XP Home", Rekord(2, 5, 1, 1, 0x0200), "Microsoft Windows XP Home Edition"),
        Ext("XP with product type 3", Rekord(2, 5, 1, 3, 0x0200), "Microsoft Windows XP"),
        Ext("XP with product type 2", Rekord(2, 5, 1, 2), "Microsoft Windows XP"),
        Ext("2000 Professional", Rekord(2, 5, 0, 1, 0x0082), "Microsoft Windows 2000 Professional"),
        Ext("2000 Server", Rekord(2, 5, 0, 3), "Microsoft Windows 2000 Server"),
        Ext("2000 domain controller", Rekord(2, 5, 0, 2), "Microsoft Windows 2000 Server"),
        Ext("2000 Advanced Server", Rekord(2, 5, 0, 3, 0x0002),
            "Microsoft Windows 2000 Advanced Server"),
        Ext("2000 Datacenter Server", Rekord(2, 5, 0, 3, 0x0080),
            "Microsoft Windows 2000 Datacenter Server"),
        Ext("2000: Datacenter wins", Rekord(2, 5, 0, 2, 0x0082),
            "Microsoft Windows 2000 Datacenter Server"),
        Ext("2000 with product type 0", Rekord(2, 5, 0, 0, 0x0080), "Microsoft Windows 2000"),
    });
}

TEST(NazwaSystemu, WydaniaNt4iNt3) {
    SprawdzNazwy({
        Ext("NT 4.0 Workstation", Rekord(2, 4, 0, 1, 0x0002),
            "Microsoft Windows NT 4.0 Workstation"),
        Ext("NT 4.0 Server", Rekord(2, 4, 0, 3), "Microsoft Windows NT 4.0 Server"),
        Ext("NT 4.0 domain controller", Rekord(2, 4, 0, 2), "Microsoft Windows NT 4.0 Server"),
        Ext("NT 4.0 Server Enterprise", Rekord(2, 4, 0, 3, 0x0002),
            "Microsoft Windows NT 4.0 Server Enterprise Edition"),
        Ext("NT 4.0 Datacenter bit alone", Rekord(2, 4, 0, 3, 0x0080),
            "Microsoft Windows NT 4.0 Server"),
        Ext("NT 4.x, any minor", Rekord(2, 4, 7, 1), "Microsoft Windows NT 4.0 Workstation"),
        Ext("NT 4.0, product type 0", Rekord(2, 4, 0, 0), "Microsoft Windows NT 4.0"),
        Ext("NT 3.51", Rekord(2, 3, 51, 1), "Microsoft Windows NT 3.51"),
        Ext("NT 3.10", Rekord(2, 3, 10, 3), "Microsoft Windows NT 3.51"),
        Ext("NT 2.0", Rekord(2, 2, 0, 1), "nieznany"),
        Ext("NT 0.0", Rekord(2, 0, 0), "nieznany"),
    });
}

TEST(NazwaSystemu, PrawdziweNumeryIWydanie10) {
    SprawdzNazwy({
        Prawdziwy("8.1 workstation", 1, 6, 3, 9600, "Microsoft Windows 8.1 Professional", 48),
        Prawdziwy("2012 R2", 3, 6, 3, 9600, "Windows Server 2012 R2 Standard Edition", 7),
        Prawdziwy("6.x keeps its own editions", 1, 6, 3, 9600, "Microsoft Windows 8.1", 0x65),
        Prawdziwy("10 Pro 22H2", 1, 10, 0, 19045, "Microsoft Windows 10 Professional 22H2", 48,
                  "22H2", "2009"),
        Prawdziwy("10 below 22000", 1, 10, 0, 21999, "Microsoft Windows 10"),
        Prawdziwy("11 from 22000", 1, 10, 0, 22000, "Microsoft Windows 11"),
        Prawdziwy("11 Education 24H2", 1, 10, 0, 26100, "Microsoft Windows 11 Education 24H2", 0x79,
                  "24H2"),
        Prawdziwy("the longest name", 1, 10, 0, 22631,
                  "Microsoft Windows 11 Pro for Workstations N 24H2", 0xA2, "24H2"),
        Prawdziwy("ReleaseId alone", 1, 10, 0, 18363, "Microsoft Windows 10 Home 1909", 0x65,
                  nullptr, "1909"),
        Prawdziwy("empty DisplayVersion", 1, 10, 0, 19042, "Microsoft Windows 10 2009", {}, "",
                  "2009"),
        Prawdziwy("neither, empty ReleaseId", 1, 10, 0, 19045, "Microsoft Windows 10", {}, nullptr,
                  ""),
        Prawdziwy("specified values keep their text", 1, 10, 0, 19045,
                  "Microsoft Windows 10 Enterprise Edition", 4),
        Prawdziwy("IoT LTSC", 1, 10, 0, 19044, "Microsoft Windows 10 IoT Enterprise LTSC", 0xBF),
        Prawdziwy("2016", 3, 10, 0, 14393, "Windows Server 2016"),
        Prawdziwy("2019 domain controller", 2, 10, 0, 17763,
                  "Windows Server 2019 Datacenter Edition", 8),
        Prawdziwy("2022 Standard 21H2", 3, 10, 0, 20348,
                  "Windows Server 2022 Standard Edition 21H2", 7, "21H2"),
        Prawdziwy("2025", 3, 10, 0, 26100, "Windows Server 2025 24H2", {}, "24H2"),
        Prawdziwy("a server build not named", 3, 10, 0, 25398, "Windows Server"),
        Prawdziwy("product type 0 counts as a server", 0, 10, 0, 22000, "Windows Server"),
        Prawdziwy("10.1", 1, 10, 1, 22000, "nieznany", 48, "24H2"),
        Prawdziwy("11.0", 1, 11, 0, 30000, "nieznany", 48, "24H2"),
        Krotki("10.0 without the extended record: a workstation", Rekord(2, 10, 0, 0, 0, "", 22000),
               "Microsoft Windows 11"),
    });
}

TEST(NumerWersjiSystemu, PrawdziweNumeryIUbr) {
    struct Przypadek {
        const char* opis;
        std::optional<RekordWersji> prawdziwy, rozszerzony;
        std::optional<std::uint32_t> typ_ubr;  // of a 4-byte UBR of 2605; none: no UBR
        const char* numer;
    };
    const Przypadek przypadki[] = {
        {"11 with UBR", Rekord(2, 10, 0, 1, 0, "", 26100), Rekord(2, 6, 2, 1, 0, "", 9200),
         typ_rejestru::Dword, "10.0.26100.2605"},
        {"UBR of another type",
         Rekord(2, 10, 0, 1, 0, "", 19045),
         {},
         typ_rejestru::Binary,
         "10.0.19045"},
        {"no RtlGetVersion", {}, Rekord(2, 6, 1, 1, 0, "", 7601), {}, "6.1.7601"},
        {"98: the build's low word",
         {},
         Rekord(1, 4, 10, 0, 0, " A ", 0x040A08AE),
         {},
         "4.10.2222"},
        {"nothing read", {}, {}, typ_rejestru::Dword, ""},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.opis);
        SymulowanaMaszyna m;
        m.rekord_prawdziwy = p.prawdziwy;
        m.rekord_rozszerzony = p.rozszerzony;
        if (p.typ_ubr)
            m.UstawWartosc(Korzen::LocalMachine, KluczWersji, "UBR", *p.typ_ubr,
                           {0x2D, 0x0A, 0, 0});
        EXPECT_EQ(NumerWersjiSystemu(m), p.numer);
        EXPECT_EQ(m.Liczba("OtworzKlucz "), 0u);
        EXPECT_TRUE(m.Niezwolnione().empty());
    }
}

// --- Processor platform ----------------------------------------------------------

TEST(OpisPlatformy, ArchitekturaILiczbaProcesorow) {
    struct Przypadek {
        const char* opis;
        InfoProcesora systemu;
        std::optional<InfoProcesora> natywne;
        const char* tekst;
        std::optional<std::uint16_t> maszyna = std::nullopt;  // IsWow64Process2; absent or failing
    };
    const Przypadek przypadki[] = {
        {"x86, one processor", {0, 1}, std::nullopt, "x86 (liczba procesorów: 1)"},
        {"x86 native", {0, 2}, InfoProcesora{0, 2}, "x86 (liczba procesorów: 2)"},
        {"Itanium", {6, 8}, std::nullopt, "Intel Itanium (liczba procesorów: 8)"},
        {"x64", {9, 4}, InfoProcesora{9, 4}, "x64 (liczba procesorów: 4)"},
        {"32-bit program on 64-bit Windows",
         {0, 4},
         InfoProcesora{9, 4},
         "x64 (liczba procesorów: 4)"},
        {"native count wins too", {0, 1}, InfoProcesora{9, 16}, "x64 (liczba procesorów: 16)"},
        {"ARM", {5, 2}, std::nullopt, "nieznana (liczba procesorów: 2)"},
        {"architecture 12", {12, 2}, InfoProcesora{12, 2}, "nieznana (liczba procesorów: 2)"},
        {"native unknown overrides x86",
         {0, 2},
         InfoProcesora{12, 2},
         "nieznana (liczba procesorów: 2)"},
        {"unknown 0xFFFF", {0xFFFF, 1}, std::nullopt, "nieznana (liczba procesorów: 1)"},
        {"GetNativeSystemInfo missing: 32-bit view stands",
         {9, 3},
         std::nullopt,
         "x64 (liczba procesorów: 3)"},
        {"count as unsigned", {0, 0xFFFFFFFF}, std::nullopt, "x86 (liczba procesorów: 4294967295)"},
        {"no processors reported", {0, 0}, std::nullopt, "x86 (liczba procesorów: 0)"},
        {"ARM64 told x64", {0, 4}, InfoProcesora{9, 8}, "ARM64 (liczba procesorów: 8)", 0xAA64},
        {"machine i386", {0, 2}, InfoProcesora{9, 2}, "x86 (liczba procesorów: 2)", 0x014C},
        {"machine AMD64", {0, 4}, InfoProcesora{0, 4}, "x64 (liczba procesorów: 4)", 0x8664},
        {"machine IA64", {0, 2}, std::nullopt, "Intel Itanium (liczba procesorów: 2)", 0x0200},
        {"machine ARMNT", {9, 2}, InfoProcesora{9, 2}, "nieznana (liczba procesorów: 2)", 0x01C4},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.opis);
        SymulowanaMaszyna m;
        m.info_systemu = p.systemu;
        m.info_natywne = p.natywne;
        m.maszyna_natywna = p.maszyna;
        EXPECT_EQ(OpisPlatformy(m), p.tekst);
        EXPECT_EQ(m.wywolania, (std::vector<std::string>{"InfoSystemu", "NatywneInfoSystemu",
                                                         "NatywnaMaszyna"}));
    }
}

// --- Administrator rights --------------------------------------------------------

std::size_t Bledy(const SymulowanaMaszyna& m) {
    return m.Liczba("BLAD");
}

TEST(CzyAdministrator, PelnaSekwencja) {
    SymulowanaMaszyna m;
    EXPECT_TRUE(CzyAdministrator(m));
    const std::vector<std::string> oczekiwane = {
        "PodszyjSie",         "OtworzTokenWatku",   "UtworzSidAdministratorow",
        "PrzydzielPamiec 20", "InicjujDeskryptor",  "DlugoscSid",
        "PrzydzielPamiec 32",  // the SID's 16 bytes + 16
        "RozmiarAcl 32",      "InicjujAcl",         "MaskaWpisu 3",
        "DodajWpisDostepu",   "UstawDacl",          "UstawGrupe",
        "UstawWlasciciela",   "DeskryptorPoprawny", "SprawdzDostep token watku",
        "PrzywrocSie",
        "ZwolnijPamiec",  // the list
        "ZwolnijPamiec",  // the descriptor
        "ZwolnijSid",         "ZamknijUchwyt",
    };
    EXPECT_EQ(m.wywolania, oczekiwane);
    EXPECT_TRUE(m.Niezwolnione().empty());
    EXPECT_FALSE(m.Podszyty());
}

TEST(CzyAdministrator, OdmowaDostepu) {
    SymulowanaMaszyna m;
    m.dostep = false;
    EXPECT_FALSE(CzyAdministrator(m));
    EXPECT_TRUE(m.Niezwolnione().empty());
    EXPECT_FALSE(m.Podszyty());
    EXPECT_EQ(m.Liczba("PrzywrocSie"), 1u);
}

TEST(CzyAdministrator, DwaRazyTaSamaOdpowiedz) {
    for (bool dostep : {true, false}) {
        SymulowanaMaszyna m;
        m.dostep = dostep;
        EXPECT_EQ(CzyAdministrator(m), dostep);
        EXPECT_EQ(CzyAdministrator(m), dostep);
        EXPECT_EQ(m.Liczba("PodszyjSie"), 2u);
        EXPECT_EQ(m.Liczba("PrzywrocSie"), 2u);
        EXPECT_TRUE(m.Niezwolnione().empty());
        EXPECT_EQ(Bledy(m), 0u);
    }
}

TEST(CzyAdministrator, KazdyZawodzacyKrok) {
    struct Przypadek {
        const char* krok;
        bool wynik;
        const char* ostatni_krok;  // the last step that runs; "" for all
    };
    const Przypadek przypadki[] = {
        // No impersonation: the thread has no token, the process token is
        // taken, and AccessCheck refuses a primary token.
        {"PodszyjSie", false, ""},
        {"OtworzTokenWatku", false, ""},  // ERROR_NO_TOKEN: as above
        {"UtworzSidAdministratorow", false, "UtworzSidAdministratorow"},
        {"PrzydzielPamiec 20", false, "PrzydzielPamiec 20"},
        {"InicjujDeskryptor", false, "InicjujDeskryptor"},
        {"PrzydzielPamiec 32", false, "PrzydzielPamiec 32"},
        {"InicjujAcl", false, "InicjujAcl"},
        {"DodajWpisDostepu", false, "DodajWpisDostepu"},
        {"UstawDacl", false, "UstawDacl"},
        // Group and owner are not checked; validity and AccessCheck decide.
        {"UstawGrupe", true, ""},
        {"UstawWlasciciela", true, ""},
        {"DeskryptorPoprawny", false, "DeskryptorPoprawny"},
        {"SprawdzDostep", false, ""},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.krok);
        SymulowanaMaszyna m;
        m.krok_zawodzi = p.krok;
        EXPECT_EQ(CzyAdministrator(m), p.wynik);
        EXPECT_TRUE(m.Niezwolnione().empty()) << m.Niezwolnione().begin()->second;
        EXPECT_EQ(Bledy(m), 0u);
        EXPECT_FALSE(m.Podszyty()) << "the thread must not stay impersonating";
        const bool podszyty = std::string(p.krok) != "PodszyjSie";
        EXPECT_EQ(m.Liczba("PrzywrocSie"), podszyty ? 1u : 0u);
        if (*p.ostatni_krok != '\0') {
            // Nothing after the failing step but the revert and the releases.
            auto it = std::find(m.wywolania.begin(), m.wywolania.end(), p.ostatni_krok);
            ASSERT_NE(it, m.wywolania.end());
            for (++it; it != m.wywolania.end(); ++it) {
                EXPECT_TRUE(*it == "PrzywrocSie" || it->rfind("Zwolnij", 0) == 0 ||
                            *it == "ZamknijUchwyt")
                    << *it;
            }
            EXPECT_EQ(m.Liczba("SprawdzDostep"), 0u);
        }
    }
}

TEST(CzyAdministrator, WyborTokenu) {
    struct Przypadek {
        const char* opis;
        std::function<void(SymulowanaMaszyna&)> ustaw;
        bool wynik;
        std::size_t token_procesu;  // OtworzTokenProcesu calls
        const char* sprawdzenie;    // the recorded AccessCheck, "" for none
    };
    const Przypadek przypadki[] = {
        {"impersonation gives the thread a token", [](SymulowanaMaszyna&) {}, true, 0,
         "SprawdzDostep token watku"},
        {"thread already had a token, impersonation failed",
         [](SymulowanaMaszyna& m) {
             m.token_watku = true;
             m.krok_zawodzi = "PodszyjSie";
         },
         true, 0, "SprawdzDostep token watku"},
        {"ERROR_NO_TOKEN: the process token",
         [](SymulowanaMaszyna& m) { m.krok_zawodzi = "OtworzTokenWatku"; }, false, 1,
         "SprawdzDostep token procesu"},
        {"other error: no fallback",
         [](SymulowanaMaszyna& m) {
             m.krok_zawodzi = "OtworzTokenWatku";
             m.blad_tokenu_watku = 5;  // ERROR_ACCESS_DENIED
         },
         false, 0, ""},
        {"error 0: no fallback",
         [](SymulowanaMaszyna& m) {
             m.krok_zawodzi = "OtworzTokenWatku";
             m.blad_tokenu_watku = 0;
         },
         false, 0, ""},
        {"no process token either",
         [](SymulowanaMaszyna& m) {
             m.krok_zawodzi = "PodszyjSie";
             m.token_procesu = false;
         },
         false, 1, ""},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.opis);
        SymulowanaMaszyna m;
        p.ustaw(m);
        EXPECT_EQ(CzyAdministrator(m), p.wynik);
        EXPECT_EQ(m.Liczba("OtworzTokenProcesu"), p.token_procesu);
        if (*p.sprawdzenie != '\0') {
            EXPECT_EQ(m.Liczba(p.sprawdzenie), 1u);
        } else {
            EXPECT_EQ(m.Liczba("SprawdzDostep"), 0u);
            EXPECT_EQ(m.Liczba("UtworzSidAdministratorow"), 0u);
        }
        EXPECT_TRUE(m.Niezwolnione().empty());
        EXPECT_FALSE(m.Podszyty());
        EXPECT_EQ(Bledy(m), 0u);
    }
}

// --- UAC --------------------------------------------------------------------

const std::string KluczSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr auto HKLM = Korzen::LocalMachine;

TEST(StanUac, WartosciEnableLua) {
    struct Przypadek {
        const char* opis;
        std::function<void(SymulowanaMaszyna&)> ustaw;
        const char* stan;
    };
    auto liczba = [](std::uint32_t n) {
        return [n](SymulowanaMaszyna& m) { m.UstawLiczbe(HKLM, KluczSystem, "EnableLUA", n); };
    };
    auto surowe = [](std::uint32_t typ, std::vector<std::uint8_t> dane) {
        return [typ, dane](SymulowanaMaszyna& m) {
            m.UstawWartosc(HKLM, KluczSystem, "EnableLUA", typ, dane);
        };
    };
    const Przypadek przypadki[] = {
        {"EnableLUA 1", liczba(1), "aktywna"},
        {"EnableLUA 0", liczba(0), "nieaktywna"},
        {"EnableLUA 2", liczba(2), "nieaktywna"},
        {"EnableLUA 0xFFFFFFFF is the number -1", liczba(0xFFFFFFFF), "nieaktywna"},
        {"EnableLUA 0x100000001 cut to 32 bits is no number",
         surowe(typ_rejestru::Dword, {1, 0, 0, 0, 1, 0, 0, 0}), "brak informacji"},
        {"EnableLUA 0x101", liczba(0x101), "nieaktywna"},
        {"name in another case",
         [](SymulowanaMaszyna& m) { m.UstawLiczbe(HKLM, KluczSystem, "enablelua", 1); }, "aktywna"},
        {"value missing",
         [](SymulowanaMaszyna& m) {
             m.UtworzKlucz(HKLM, KluczSystem);
             m.UstawLiczbe(HKLM, KluczSystem, "ConsentPromptBehaviorAdmin", 1);
         },
         "brak informacji"},
        {"key missing",
         [](SymulowanaMaszyna& m) {
             m.UstawLiczbe(HKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies",
                           "EnableLUA", 1);
         },
         "brak informacji"},
        {"key refuses reading",
         [](SymulowanaMaszyna& m) {
             m.UstawLiczbe(HKLM, KluczSystem, "EnableLUA", 1);
             m.ZablokujKlucz(HKLM, KluczSystem);
         },
         "brak informacji"},
        {"REG_SZ \"1\"",
         [](SymulowanaMaszyna& m) { m.UstawTekst(HKLM, KluczSystem, "EnableLUA", "1"); },
         "brak informacji"},
        {"REG_QWORD 1", surowe(typ_rejestru::Qword, {1, 0, 0, 0, 0, 0, 0, 0}), "brak informacji"},
        {"REG_BINARY 1", surowe(typ_rejestru::Binary, {1, 0, 0, 0}), "brak informacji"},
        {"REG_DWORD_BIG_ENDIAN 1", surowe(5, {0, 0, 0, 1}), "brak informacji"},
        {"REG_DWORD of 2 bytes", surowe(typ_rejestru::Dword, {1, 0}), "brak informacji"},
        {"REG_DWORD of 0 bytes", surowe(typ_rejestru::Dword, {}), "brak informacji"},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.opis);
        SymulowanaMaszyna m;
        p.ustaw(m);
        EXPECT_EQ(StanUac(m), p.stan);
        EXPECT_EQ(m.wywolania.at(0), "OtworzKlucz HKLM\\" + KluczSystem);
        EXPECT_TRUE(m.Niezwolnione().empty()) << "the key must be closed";
        EXPECT_EQ(Bledy(m), 0u);
    }
}

}  // namespace
}  // namespace pro

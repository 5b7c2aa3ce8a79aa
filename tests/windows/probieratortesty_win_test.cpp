#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "KluczTestowy.h"
#include "OknoProcesu.h"
#include "Proces.h"
#include "Srodowisko.h"
#include "platform/Tekst.h"
#include "platform/sim/SymulowanaMaszyna.h"
#include "platform/win32/PlatformaWin32.h"
#include "sysinfo/Probieratortesty.h"

namespace pro {
namespace {

// --- Operating-system name under the versions Wine can report -------------------

struct WersjaWine {
    const char* ustawienie;      // HKCU\Software\Wine\AppDefaults\<exe>\Version
    std::uint32_t major, minor;  // as RtlGetVersion reports them
    const char* nazwa;           // as Wine 8 reports it
};

void PrintTo(const WersjaWine& w, std::ostream* os) {
    *os << w.ustawienie;
}

std::map<std::string, std::string> Linie(const std::string& tekst) {
    std::map<std::string, std::string> linie;
    std::istringstream wejscie(tekst);
    std::string linia;
    while (std::getline(wejscie, linia)) {
        const auto rownosc = linia.find('=');
        if (rownosc == std::string::npos) continue;
        linie[linia.substr(0, rownosc)] = linia.substr(rownosc + 1);
    }
    return linie;
}

std::optional<RekordWersji> CzytajRekord(const std::string& tekst) {
    if (tekst == "brak") return std::nullopt;
    std::istringstream wejscie(tekst);
    RekordWersji r;
    unsigned suite = 0, typ = 0;
    wejscie >> r.major >> r.minor >> r.build >> r.platforma >> suite >> typ;
    r.suite = static_cast<std::uint16_t>(suite);
    r.typ_produktu = static_cast<std::uint8_t>(typ);
    std::string csd;
    if (wejscie.get() == ' ') std::getline(wejscie, csd);
    r.csd = Utf16(csd);
    return r;
}

class NazwaSystemuWine : public ::testing::TestWithParam<WersjaWine> {};

TEST_P(NazwaSystemuWine, JakDrzewoDlaZgloszonegoRekordu) {
    const WersjaWine& w = GetParam();
    const std::wstring katalog = Szeroki(testy::KatalogTestow());
    // Wine reads the setting by the program's file name when it starts, so
    // each version runs as a copy of its own name.
    const std::wstring nazwa_kopii = L"nazwa_systemu_" + Szeroki(w.ustawienie) + L".exe";
    const std::wstring kopia = katalog + L"\\" + nazwa_kopii;
    ASSERT_TRUE(CopyFileW((katalog + L"\\nazwa_systemu.exe").c_str(), kopia.c_str(), FALSE));
    testy::WynikProcesu wynik;
    {
        testy::KluczTestowy ustawienie(HKEY_CURRENT_USER,
                                       L"Software\\Wine\\AppDefaults\\" + nazwa_kopii);
        ustawienie.Tekst(L"Version", Szeroki(w.ustawienie));
        wynik = testy::Uruchom(L"\"" + kopia + L"\"", 30000);
    }
    DeleteFileW(kopia.c_str());
    const std::string& wyjscie = wynik.wyjscie;
    ASSERT_EQ(wynik.kod, 0u) << wyjscie << wynik.bledy;

    auto linie = Linie(wyjscie);
    ASSERT_EQ(linie.count("nazwa"), 1u) << wyjscie;
    const auto prawdziwy = CzytajRekord(linie["prawdziwy"]);
    const auto rozszerzony = CzytajRekord(linie["rozszerzony"]);
    const auto krotki = CzytajRekord(linie["krotki"]);
    ASSERT_TRUE(prawdziwy.has_value()) << wyjscie;
    ASSERT_TRUE(rozszerzony.has_value()) << wyjscie;
    ASSERT_TRUE(krotki.has_value()) << wyjscie;
    // The setting took effect.
    EXPECT_EQ(prawdziwy->major, w.major) << wyjscie;
    EXPECT_EQ(prawdziwy->minor, w.minor) << wyjscie;
    EXPECT_EQ(prawdziwy->platforma, 2u);
    EXPECT_EQ(krotki->major, rozszerzony->major);
    EXPECT_EQ(krotki->minor, rozszerzony->minor);

    // The decision tree over the same answers.
    SymulowanaMaszyna m;
    m.rekord_prawdziwy = prawdziwy;
    m.rekord_rozszerzony = rozszerzony;
    m.rekord_krotki = krotki;
    if (linie["produkt"] != "brak") m.typ_produktu = std::stoul(linie["produkt"]);
    m.metryki[89] = std::stoi(linie["r2"]);
    EXPECT_EQ(linie["nazwa"], NazwaSystemu(m)) << wyjscie;
    EXPECT_EQ(linie["nazwa"], w.nazwa) << wyjscie;
}

// Wine 8 reports "win7" as a server and "win2008r2" as a workstation;
// GetProductInfo gives 0x1C (not named) for a workstation, 7 for a server;
// 8.1 and 10 report 6.2 through GetVersionEx without a manifest, as Windows
// does, and their own numbers through RtlGetVersion.
INSTANTIATE_TEST_SUITE_P(
    Wersje, NazwaSystemuWine,
    ::testing::Values(WersjaWine{"win2k", 5, 0, "Microsoft Windows 2000 Professional"},
                      WersjaWine{"winxp", 5, 1, "Microsoft Windows XP Professional"},
                      WersjaWine{"winxp64", 5, 2, "Windows XP Professional x64 Edition"},
                      WersjaWine{"win2003", 5, 2,
                                 "Microsoft Windows Server 2003 Family Standard Edition"},
                      WersjaWine{"vista", 6, 0, "Microsoft Windows Vista"},
                      WersjaWine{"win2008", 6, 0, "Windows Server 2008 Standard Edition"},
                      WersjaWine{"win7", 6, 1, "Windows Server 2008 R2 Standard Edition"},
                      WersjaWine{"win2008r2", 6, 1, "Microsoft Windows 7"},
                      WersjaWine{"win8", 6, 2, "Microsoft Windows 8"},
                      WersjaWine{"win81", 6, 3, "Microsoft Windows 8.1"},
                      WersjaWine{"win10", 10, 0, "Microsoft Windows 10"}),
    [](const ::testing::TestParamInfo<WersjaWine>& info) {
        return std::string(info.param.ustawienie);
    });

BOOL CALLBACK SzukajLiniiSystemu(HWND okno, LPARAM wynik) {
    wchar_t tekst[256] = {};
    GetWindowTextW(okno, tekst, 256);
    const std::string linia = Waski(tekst);
    if (linia.rfind("System operacyjny: ", 0) != 0) return TRUE;
    *reinterpret_cast<std::string*>(wynik) = linia;
    return FALSE;
}

// The program, told by Wine to be Windows 10, names it in its summary. The
// display version lies only in the machine's own registry view, where the
// 32-bit program must look for it.
TEST(NazwaSystemuProgramu, Windows10WPodsumowaniu) {
    const std::wstring katalog = Szeroki(testy::KatalogTestow());
    const std::wstring nazwa_kopii = L"probierator_win10.exe";
    const std::wstring kopia = katalog + L"\\" + nazwa_kopii;
    ASSERT_TRUE(CopyFileW((katalog + L"\\probierator.exe").c_str(), kopia.c_str(), FALSE));
    std::string linia = "no window, or no system line";
    {
        testy::KluczTestowy ustawienie(HKEY_CURRENT_USER,
                                       L"Software\\Wine\\AppDefaults\\" + nazwa_kopii);
        ustawienie.Tekst(L"Version", L"win10");
        testy::KluczTestowy wersja(HKEY_LOCAL_MACHINE,
                                   L"Software\\Microsoft\\Windows NT\\CurrentVersion",
                                   KEY_WOW64_64KEY);
        wersja.Tekst(L"DisplayVersion", L"22H2");
        testy::ZOknemProgramu(L"\"" + kopia + L"\"", [&linia](HWND okno) {
            if (okno) EnumChildWindows(okno, SzukajLiniiSystemu, reinterpret_cast<LPARAM>(&linia));
        });
    }
    DeleteFileW(kopia.c_str());
    EXPECT_EQ(linia, "System operacyjny: Microsoft Windows 10 22H2");
}

// --- Processor platform ----------------------------------------------------------

TEST(OpisPlatformyWin, X64ILiczbaProcesorow) {
    SYSTEM_INFO si{};
    GetSystemInfo(&si);
    PlatformaWin32 p;
    EXPECT_EQ(OpisPlatformy(p),
              "x64 (liczba procesorów: " + std::to_string(si.dwNumberOfProcessors) + ")");
}

// --- Administrator rights --------------------------------------------------------

// The current thread carries an impersonation token.
bool WatekPodszyty() {
    HANDLE token = nullptr;
    if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) {
        CloseHandle(token);
        return true;
    }
    return false;
}

// Closes a handle when the test ends.
struct Uchwyt {
    HANDLE h = nullptr;
    ~Uchwyt() {
        if (h != nullptr) CloseHandle(h);
    }
};

// The value the next handle gets. Handle slots are reused, so a handle left
// open in between makes the next one differ.
HANDLE NastepnyUchwyt() {
    HANDLE zdarzenie = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(zdarzenie);
    return zdarzenie;
}

TEST(CzyAdministratorWin, UzytkownikWineDwaRazyTak) {
    PlatformaWin32 p;
    ASSERT_FALSE(WatekPodszyty());
    const HANDLE przed = NastepnyUchwyt();
    EXPECT_TRUE(CzyAdministrator(p));
    EXPECT_TRUE(CzyAdministrator(p));
    EXPECT_EQ(NastepnyUchwyt(), przed) << "a token handle was left open";
    EXPECT_FALSE(WatekPodszyty());
}

class TokenTestowy : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(),
                                     TOKEN_DUPLICATE | TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY,
                                     &procesu_.h));
    }
    Uchwyt procesu_;
};

TEST_F(TokenTestowy, GrupaAdministratorowTylkoDoOdmowy) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administratorzy = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                         DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                         &administratorzy));
    SID_AND_ATTRIBUTES odmowa{administratorzy, 0};
    Uchwyt ograniczony;
    const BOOL utworzony =
        CreateRestrictedToken(procesu_.h, 0, 1, &odmowa, 0, nullptr, 0, nullptr, &ograniczony.h);
    FreeSid(administratorzy);
    ASSERT_TRUE(utworzony);
    Uchwyt podszycie;
    ASSERT_TRUE(DuplicateToken(ograniczony.h, SecurityImpersonation, &podszycie.h));

    PlatformaWin32 p;
    p.UzyjTokenu(podszycie.h);
    const HANDLE przed = NastepnyUchwyt();
    EXPECT_FALSE(CzyAdministrator(p));
    EXPECT_FALSE(CzyAdministrator(p));
    EXPECT_EQ(NastepnyUchwyt(), przed) << "a token handle was left open";
    EXPECT_FALSE(WatekPodszyty());
}

TEST_F(TokenTestowy, PelnyTokenPrzezTenSamSzew) {
    // The same seam with the unrestricted token: the "false" above comes
    // from the deny-only group, not from the seam.
    Uchwyt podszycie;
    ASSERT_TRUE(DuplicateToken(procesu_.h, SecurityImpersonation, &podszycie.h));
    PlatformaWin32 p;
    p.UzyjTokenu(podszycie.h);
    EXPECT_TRUE(CzyAdministrator(p));
    EXPECT_FALSE(WatekPodszyty());
}

TEST_F(TokenTestowy, NieudaneSprawdzenieNieZostawiaPodszycia) {
    // AccessCheck refuses a primary token: the test fails after the thread
    // has started impersonating, and the thread must be itself again.
    PlatformaWin32 p;
    p.UzyjTokenu(procesu_.h);
    const HANDLE przed = NastepnyUchwyt();
    EXPECT_FALSE(CzyAdministrator(p));
    EXPECT_EQ(NastepnyUchwyt(), przed) << "a token handle was left open";
    EXPECT_FALSE(WatekPodszyty());
}

// --- UAC --------------------------------------------------------------------

const std::wstring KorzenFikstury = L"Software\\ProbieratorTest\\HklmUac";
const std::wstring KluczSystem = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// HKEY_LOCAL_MACHINE of this process reads a fixture key while it lives; the
// real policy key of the prefix is never written.
class PrzekierowanieHklm {
public:
    explicit PrzekierowanieHklm(const std::wstring& sciezka) {
        RegOpenKeyExW(HKEY_CURRENT_USER, sciezka.c_str(), 0, KEY_ALL_ACCESS, &klucz_);
        if (klucz_ == nullptr) return;
        ok_ = RegOverridePredefKey(HKEY_LOCAL_MACHINE, klucz_) == ERROR_SUCCESS;
    }
    ~PrzekierowanieHklm() {
        if (ok_) RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        if (klucz_ != nullptr) RegCloseKey(klucz_);
    }
    PrzekierowanieHklm(const PrzekierowanieHklm&) = delete;
    PrzekierowanieHklm& operator=(const PrzekierowanieHklm&) = delete;
    bool ok() const { return ok_; }

private:
    HKEY klucz_ = nullptr;
    bool ok_ = false;
};

TEST(StanUacWin, WartosciZapisanePrzezTest) {
    struct Przypadek {
        const char* opis;
        bool klucz;  // the policy key exists
        DWORD typ;
        std::vector<BYTE> dane;  // empty with typ 0: no value
        const char* stan;
    };
    const Przypadek przypadki[] = {
        {"EnableLUA 1", true, REG_DWORD, {1, 0, 0, 0}, "aktywna"},
        {"EnableLUA 0", true, REG_DWORD, {0, 0, 0, 0}, "nieaktywna"},
        {"EnableLUA 2", true, REG_DWORD, {2, 0, 0, 0}, "nieaktywna"},
        {"EnableLUA 0xFFFFFFFF", true, REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, "nieaktywna"},
        {"value missing", true, 0, {}, "brak informacji"},
        {"key missing", false, 0, {}, "brak informacji"},
        {"REG_SZ \"1\"", true, REG_SZ, {'1', 0, 0, 0}, "brak informacji"},
        {"REG_QWORD 1", true, REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, "brak informacji"},
        {"REG_BINARY 1", true, REG_BINARY, {1, 0, 0, 0}, "brak informacji"},
        {"REG_DWORD of 2 bytes", true, REG_DWORD, {1, 0}, "brak informacji"},
        {"REG_DWORD of 8 bytes", true, REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0}, "brak informacji"},
    };
    for (const auto& c : przypadki) {
        SCOPED_TRACE(c.opis);
        testy::KluczTestowy korzen(HKEY_CURRENT_USER, KorzenFikstury);
        std::optional<testy::KluczTestowy> polityka;
        if (c.klucz) {
            polityka.emplace(HKEY_CURRENT_USER, KorzenFikstury + L"\\" + KluczSystem);
            polityka->Liczba(L"ConsentPromptBehaviorAdmin", 5);
            if (c.typ != 0) polityka->Surowe(L"EnableLUA", c.typ, c.dane);
        }
        PlatformaWin32 p;
        std::string stan;
        {
            PrzekierowanieHklm hklm(KorzenFikstury);
            ASSERT_TRUE(hklm.ok());
            stan = StanUac(p);
        }
        EXPECT_EQ(stan, c.stan);
    }
}

TEST(StanUacWin, PrawdziwyKluczPrefiksu) {
    // A fresh 64-bit prefix holds EnableLUA as a REG_DWORD (0 under Wine 8, 1
    // under Wine 10); a 32-bit program reads its own view of HKLM\Software,
    // where it may be missing.
    DWORD typ = 0;
    DWORD wartosc = 0;
    DWORD rozmiar = sizeof wartosc;
    const LSTATUS wynik = RegGetValueW(HKEY_LOCAL_MACHINE, KluczSystem.c_str(), L"EnableLUA",
                                       RRF_RT_ANY, &typ, &wartosc, &rozmiar);
    std::string oczekiwany = "brak informacji";
    if (wynik == ERROR_SUCCESS && typ == REG_DWORD && rozmiar == sizeof wartosc) {
        oczekiwany = wartosc == 1 ? "aktywna" : "nieaktywna";
    }
#ifdef _WIN64
    EXPECT_NE(oczekiwany, "brak informacji");
#endif
    PlatformaWin32 p;
    EXPECT_EQ(StanUac(p), oczekiwany);
}

}  // namespace
}  // namespace pro

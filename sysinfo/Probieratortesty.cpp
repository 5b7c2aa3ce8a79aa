#include "sysinfo/Probieratortesty.h"

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>

#include "platform/Rejestr.h"

namespace pro {
namespace {

constexpr const char* Nieznany = "nieznany";

// Numbers as Windows defines them.
constexpr std::uint32_t PlatformaWin32s = 0;
constexpr std::uint32_t PlatformaWindows = 1;
constexpr std::uint32_t PlatformaNt = 2;
constexpr std::uint8_t StacjaRobocza = 1;    // VER_NT_WORKSTATION
constexpr std::uint8_t KontrolerDomeny = 2;  // VER_NT_DOMAIN_CONTROLLER
constexpr std::uint8_t Serwer = 3;           // VER_NT_SERVER
constexpr std::uint16_t SuiteEnterprise = 0x0002;
constexpr std::uint16_t SuiteDatacenter = 0x0080;
constexpr std::uint16_t SuitePersonal = 0x0200;
constexpr std::uint16_t SuiteBlade = 0x0400;
constexpr int SmServerR2 = 89;

bool JestSerwerem(std::uint8_t typ) {
    return typ == Serwer || typ == KontrolerDomeny;
}

struct Sufiks {
    std::uint32_t typ;
    const char* tekst;
};

// The editions that GetProductInfo names, by its product type.
constexpr Sufiks SufiksyProduktu[] = {
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
    {48, " Professional"},  // 0x30
};

// Editions of release 10.0 (Windows SDK's values), named as Windows names
// them. Only that release looks here: the 6.x names stay as they were.
constexpr Sufiks SufiksyProduktu10[] = {
    {0x65, " Home"},                      // PRODUCT_CORE
    {0x62, " Home N"},                    // PRODUCT_CORE_N
    {0x64, " Home Single Language"},      // PRODUCT_CORE_SINGLELANGUAGE
    {0x31, " Professional N"},            // PRODUCT_PROFESSIONAL_N
    {0x79, " Education"},                 // PRODUCT_EDUCATION
    {0x7A, " Education N"},               // PRODUCT_EDUCATION_N
    {0xA4, " Pro Education"},             // PRODUCT_PRO_FOR_EDUCATION
    {0xA5, " Pro Education N"},           // PRODUCT_PRO_FOR_EDUCATION_N
    {0xA1, " Pro for Workstations"},      // PRODUCT_PRO_WORKSTATION
    {0xA2, " Pro for Workstations N"},    // PRODUCT_PRO_WORKSTATION_N
    {0x1B, " Enterprise N"},              // PRODUCT_ENTERPRISE_N
    {0x7D, " Enterprise LTSC"},           // PRODUCT_ENTERPRISE_S
    {0x7E, " Enterprise N LTSC"},         // PRODUCT_ENTERPRISE_S_N
    {0xBC, " IoT Enterprise"},            // PRODUCT_IOTENTERPRISE
    {0xBF, " IoT Enterprise LTSC"},       // PRODUCT_IOTENTERPRISES
    {0xAF, " Enterprise multi-session"},  // PRODUCT_SERVERRDSH
    {0xCB, " SE"},                        // PRODUCT_CLOUDEDITION
    {0xCA, " SE N"},                      // PRODUCT_CLOUDEDITIONN
};

// Empty for a type we do not name.
template <std::size_t N>
const char* Szukaj(const Sufiks (&tabela)[N], std::uint32_t typ) {
    for (const Sufiks& s : tabela) {
        if (s.typ == typ) return s.tekst;
    }
    return "";
}

const char* SufiksProduktu(std::uint32_t typ) {
    return Szukaj(SufiksyProduktu, typ);
}

const char* SufiksProduktu10(std::uint32_t typ) {
    const char* tekst = Szukaj(SufiksyProduktu, typ);
    return *tekst != '\0' ? tekst : Szukaj(SufiksyProduktu10, typ);
}

const std::string KluczWersjiWindows = "Software\\Microsoft\\Windows NT\\CurrentVersion";

// The key of the Windows version in the machine's own view: a 32-bit program
// on 64-bit Windows must see the values of the system, not of its own view.
KluczRejestru KluczWersji(Platforma& platforma) {
    return platforma.OtworzKlucz64(Korzen::LocalMachine, KluczWersjiWindows);
}

// "24H2"; before it had one, the release was named by its ReleaseId ("1909").
std::string WydanieDziesiatki(Platforma& platforma) {
    const KluczRejestru klucz = KluczWersji(platforma);
    if (!klucz) return {};
    std::string wydanie = TekstWartosci(platforma, klucz, "DisplayVersion");
    if (wydanie.empty()) wydanie = TekstWartosci(platforma, klucz, "ReleaseId");
    return wydanie;
}

std::string NazwaRodziny9x(const RekordWersji& r) {
    // Only the second character of szCSDVersion tells the release's revision;
    // a shorter text reads as the NUL that follows it.
    const char16_t znak = r.csd.size() > 1 ? r.csd[1] : u'\0';
    std::string wynik = Nieznany;
    if (r.major == 4 && r.minor == 0) {
        wynik = "Microsoft Windows 95";
        if (znak == u'C' || znak == u'B') wynik += " OSR 2";
    }
    if (r.major == 4 && r.minor == 10) {
        wynik = "Microsoft Windows 98";
        if (znak == u'A') wynik += " Second Edition";
    }
    if (r.major == 4 && r.minor == 90) wynik = "Microsoft Windows Milenium";
    return wynik;
}

std::string NazwaWydania6(Platforma& platforma, const RekordWersji& r, bool rozszerzony) {
    struct Wydanie {
        const char* laczna;
        const char* stacja;
        const char* serwer;
    };
    static constexpr Wydanie wydania[] = {
        {"Microsoft Windows Vista lub Windows Server 2008", "Microsoft Windows Vista",
         "Windows Server 2008"},
        {"Microsoft Windows 7 lub Windows Server 2008 R2", "Microsoft Windows 7",
         "Windows Server 2008 R2"},
        {"Microsoft Windows 8 lub Windows Server 2012", "Microsoft Windows 8",
         "Windows Server 2012"},
        {"Microsoft Windows 8.1 lub Windows Server 2012 R2", "Microsoft Windows 8.1",
         "Windows Server 2012 R2"},
    };
    std::string wynik = Nieznany;
    if (r.minor < std::size(wydania)) {
        const Wydanie& w = wydania[r.minor];
        wynik = w.laczna;
        // Without the extended record the product type is unknown.
        if (rozszerzony) wynik = r.typ_produktu == StacjaRobocza ? w.stacja : w.serwer;
    }
    // A kernel32 without GetProductInfo, or a call that fails, counts as
    // type 0: no edition.
    wynik += SufiksProduktu(platforma.InfoProduktu(r.major, r.minor, 0, 0).value_or(0));
    return wynik;
}

std::string NazwaWydania10(Platforma& platforma, const RekordWersji& r, bool rozszerzony) {
    std::string wynik;
    if (!rozszerzony || r.typ_produktu == StacjaRobocza) {
        // Windows 11 kept the version number of Windows 10.
        wynik = r.build >= 22000 ? "Microsoft Windows 11" : "Microsoft Windows 10";
    } else {
        switch (r.build) {
            case 14393: wynik = "Windows Server 2016"; break;
            case 17763: wynik = "Windows Server 2019"; break;
            case 20348: wynik = "Windows Server 2022"; break;
            case 26100: wynik = "Windows Server 2025"; break;
            default: wynik = "Windows Server"; break;
        }
    }
    wynik += SufiksProduktu10(platforma.InfoProduktu(10, 0, 0, 0).value_or(0));
    const std::string wydanie = WydanieDziesiatki(platforma);
    if (!wydanie.empty()) {
        wynik += ' ';
        wynik += wydanie;
    }
    return wynik;
}

std::string NazwaRodzinyNt(Platforma& platforma, const RekordWersji& r, bool rozszerzony) {
    if (r.major == 10 && r.minor == 0) return NazwaWydania10(platforma, r, rozszerzony);
    if (r.major == 6) return NazwaWydania6(platforma, r, rozszerzony);

    if (r.major == 5 && r.minor == 2) {
        std::string wynik = "Microsoft Windows Server 2003 Family";
        if (platforma.MetrykaSystemu(SmServerR2) != 0) {
            wynik = "Microsoft Windows Server 2003 \"R2\"";
        }
        if (!rozszerzony) return wynik;
        if (JestSerwerem(r.typ_produktu)) {
            if (r.suite & SuiteDatacenter) return wynik + " Datacenter Edition";
            if (r.suite & SuiteEnterprise) return wynik + " Enterprise Edition";
            if (r.suite & SuiteBlade) return wynik + " Web Edition";
            return wynik + " Standard Edition";
        }
        if (r.typ_produktu == StacjaRobocza) return "Windows XP Professional x64 Edition";
        return wynik;
    }

    if (r.major == 5 && r.minor == 1) {
        std::string wynik = "Microsoft Windows XP";
        if (rozszerzony && r.typ_produktu == StacjaRobocza) {
            wynik += (r.suite & SuitePersonal) ? " Home Edition" : " Professional";
        }
        return wynik;
    }

    if (r.major == 5 && r.minor == 0) {
        std::string wynik = "Microsoft Windows 2000";
        if (!rozszerzony) return wynik;
        if (r.typ_produktu == StacjaRobocza) return wynik + " Professional";
        if (JestSerwerem(r.typ_produktu)) {
            if (r.suite & SuiteDatacenter) return wynik + " Datacenter Server";
            if (r.suite & SuiteEnterprise) return wynik + " Advanced Server";
            return wynik + " Server";
        }
        return wynik;
    }

    if (r.major == 4) {
        std::string wynik = "Microsoft Windows NT 4.0";
        if (!rozszerzony) return wynik;
        if (r.typ_produktu == StacjaRobocza) return wynik + " Workstation";
        if (JestSerwerem(r.typ_produktu)) {
            return wynik + ((r.suite & SuiteEnterprise) ? " Server Enterprise Edition" : " Server");
        }
        return wynik;
    }

    if (r.major == 3) return "Microsoft Windows NT 3.51";
    return Nieznany;
}

std::string NazwaArchitektury(std::uint16_t architektura) {
    if (architektura == 0) return "x86";            // PROCESSOR_ARCHITECTURE_INTEL
    if (architektura == 6) return "Intel Itanium";  // PROCESSOR_ARCHITECTURE_IA64
    if (architektura == 9) return "x64";            // PROCESSOR_ARCHITECTURE_AMD64
    return "nieznana";
}

std::string NazwaMaszyny(std::uint16_t maszyna) {
    switch (maszyna) {
        case 0x014C: return "x86";            // IMAGE_FILE_MACHINE_I386
        case 0x8664: return "x64";            // IMAGE_FILE_MACHINE_AMD64
        case 0xAA64: return "ARM64";          // IMAGE_FILE_MACHINE_ARM64
        case 0x0200: return "Intel Itanium";  // IMAGE_FILE_MACHINE_IA64
        default: return "nieznana";
    }
}

// Ends the thread's impersonation when it leaves scope, on every path out,
// so the user-interface thread never keeps a borrowed identity.
class Podszycie {
public:
    explicit Podszycie(Platforma& platforma) : platforma_(platforma) {}
    Podszycie(const Podszycie&) = delete;
    Podszycie& operator=(const Podszycie&) = delete;
    ~Podszycie() {
        if (aktywne_) platforma_.PrzywrocSie();
    }
    void Zacznij() { aktywne_ = platforma_.PodszyjSie(); }

private:
    Platforma& platforma_;
    bool aktywne_ = false;
};

constexpr std::uint32_t BladBrakTokenu = 1008;    // ERROR_NO_TOKEN
constexpr std::uint32_t DlugoscDeskryptora = 20;  // SECURITY_DESCRIPTOR_MIN_LENGTH
// The list header (8) and one access-allowed entry (12) less the entry's
// first 4 bytes of SID, which the SID's own length covers.
constexpr std::uint32_t NarzutAcl = 16;
constexpr std::uint32_t MaskaOdczytZapis = 3;

const std::string KluczPolitykiSystemu =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

struct OdczytWersji {
    RekordWersji rekord;
    bool rozszerzony = false;  // suite and product type are known
};

// Since Windows 8.1, GetVersionEx tells a program without a manifest 6.2
// whatever runs; RtlGetVersion tells the truth. Where ntdll lacks it, the
// older call as before: the extended record first, then the short one.
std::optional<OdczytWersji> CzytajWersje(Platforma& platforma) {
    if (auto prawdziwa = platforma.PrawdziwaWersja()) return OdczytWersji{*prawdziwa, true};
    if (auto rozszerzona = platforma.WersjaSystemu(true)) return OdczytWersji{*rozszerzona, true};
    if (auto krotka = platforma.WersjaSystemu(false)) return OdczytWersji{*krotka, false};
    return std::nullopt;
}

}  // namespace

std::string NazwaSystemu(Platforma& platforma) {
    const auto wersja = CzytajWersje(platforma);
    if (!wersja) return Nieznany;
    const RekordWersji& rekord = wersja->rekord;

    switch (rekord.platforma) {
        case PlatformaWin32s: return "system z biblioteką Microsoft Win32s";
        case PlatformaWindows: return NazwaRodziny9x(rekord);
        case PlatformaNt: return NazwaRodzinyNt(platforma, rekord, wersja->rozszerzony);
        default: return Nieznany;
    }
}

std::string NumerWersjiSystemu(Platforma& platforma) {
    const auto wersja = CzytajWersje(platforma);
    if (!wersja) return {};
    const RekordWersji& r = wersja->rekord;
    // On the Windows 95 family the high word of the build repeats the version.
    const std::uint32_t build = r.platforma == PlatformaWindows ? r.build & 0xFFFF : r.build;
    std::string numer =
        std::to_string(r.major) + "." + std::to_string(r.minor) + "." + std::to_string(build);
    const KluczRejestru klucz = KluczWersji(platforma);
    if (!klucz) return numer;
    if (const auto ubr = LiczbaWartosci(platforma, klucz, "UBR")) {
        numer += '.';
        numer += std::to_string(*ubr);
    }
    return numer;
}

std::string OpisPlatformy(Platforma& platforma) {
    InfoProcesora info = platforma.InfoSystemu();
    // A 32-bit program on 64-bit Windows sees x86 here; the native view wins.
    if (const auto natywne = platforma.NatywneInfoSystemu()) info = *natywne;
    // On ARM64 an x86 program is told x86 or x64 above; the machine Windows
    // reports for the process is the one it really runs on.
    const auto maszyna = platforma.NatywnaMaszyna();
    return (maszyna ? NazwaMaszyny(*maszyna) : NazwaArchitektury(info.architektura)) +
           " (liczba procesorów: " + std::to_string(info.liczba_procesorow) + ")";
}

bool CzyAdministrator(Platforma& platforma) {
    // Declared before the impersonation so that they are released after the
    // thread has reverted, in the order list, descriptor, SID, token.
    Token token;
    Sid sid;
    Pamiec deskryptor;
    Pamiec acl;
    Podszycie podszycie(platforma);
    // A failed impersonation still lets the test run on the process token.
    podszycie.Zacznij();

    std::uint32_t blad = 0;
    token = platforma.OtworzTokenWatku(blad);
    if (!token) {
        if (blad != BladBrakTokenu) return false;
        token = platforma.OtworzTokenProcesu();
        if (!token) return false;
    }

    sid = platforma.UtworzSidAdministratorow();
    if (!sid) return false;

    deskryptor = platforma.PrzydzielPamiec(DlugoscDeskryptora);
    if (!deskryptor) return false;
    if (!platforma.InicjujDeskryptor(deskryptor)) return false;

    const std::uint32_t rozmiar_acl = platforma.DlugoscSid(sid) + NarzutAcl;
    acl = platforma.PrzydzielPamiec(rozmiar_acl);
    if (!acl) return false;
    if (!platforma.InicjujAcl(acl, rozmiar_acl)) return false;
    if (!platforma.DodajWpisDostepu(acl, MaskaOdczytZapis, sid)) return false;

    if (!platforma.UstawDacl(deskryptor, acl)) return false;
    // Group and owner do not decide the check; a descriptor they leave
    // unusable is caught by the validity test below.
    platforma.UstawGrupe(deskryptor, sid);
    platforma.UstawWlasciciela(deskryptor, sid);
    if (!platforma.DeskryptorPoprawny(deskryptor)) return false;

    return platforma.SprawdzDostep(deskryptor, token).value_or(false);
}

std::string StanUac(Platforma& platforma) {
    const KluczRejestru klucz = platforma.OtworzKlucz(Korzen::LocalMachine, KluczPolitykiSystemu);
    if (!klucz) return "brak informacji";
    // Only a 32-bit number is a state; a value of another type says nothing.
    const auto liczba = LiczbaWartosci(platforma, klucz, "EnableLUA");
    if (!liczba) return "brak informacji";
    return *liczba == 1 ? "aktywna" : "nieaktywna";
}

std::optional<std::uint32_t> TypProduktu(Platforma& platforma) {
    const auto wersja = CzytajWersje(platforma);
    if (!wersja || wersja->rekord.platforma != PlatformaNt) return std::nullopt;
    const RekordWersji& r = wersja->rekord;
    if (r.major != 6 && !(r.major == 10 && r.minor == 0)) return std::nullopt;
    return platforma.InfoProduktu(r.major, r.minor, 0, 0);
}

}  // namespace pro

#include "wyniki/WindowsWyniku.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <string_view>

namespace pro {
namespace {

// --- The release.

// `igla` in `tekst` not followed by a digit or a dot: "Windows 8" is not
// "Windows 8.1", "Windows 1" is not "Windows 10".
bool Zawiera(std::string_view tekst, std::string_view igla) {
    for (auto i = tekst.find(igla); i != std::string_view::npos; i = tekst.find(igla, i + 1)) {
        const std::size_t po = i + igla.size();
        if (po == tekst.size() || ((tekst[po] < '0' || tekst[po] > '9') && tekst[po] != '.'))
            return true;
    }
    return false;
}

struct Nazwa {
    const char* igla;
    int wersja;
    long build;
};

// The names this program gives, before it wrote the version number; the
// first that matches wins.
constexpr Nazwa Nazwy[] = {
    {"Server 2008 R2", 61, -1},  {"Server 2008", 60, -1},     {"Server 2012 R2", 63, -1},
    {"Server 2012", 62, -1},     {"Server 2016", 100, 14393}, {"Server 2019", 100, 17763},
    {"Server 2022", 100, 20348}, {"Server 2025", 100, 26100}, {"Server 2003", 52, -1},
    {"Windows XP", 51, -1},      {"Windows Vista", 60, -1},   {"Windows 7", 61, -1},
    {"Windows 8.1", 63, -1},     {"Windows 8", 62, -1},       {"Windows 10", 100, -1},
    {"Windows 11", 100, -1},
};

// "10.0.26100.2605": the major, minor and build numbers.
bool CzytajNumer(const std::string& tekst, int& major, int& minor, long& build) {
    long liczby[3] = {-1, -1, -1};
    std::size_t i = 0;
    for (long& liczba : liczby) {
        if (i >= tekst.size() || tekst[i] < '0' || tekst[i] > '9') return false;
        liczba = 0;
        while (i < tekst.size() && tekst[i] >= '0' && tekst[i] <= '9' && liczba < 1000000) {
            liczba = liczba * 10 + (tekst[i++] - '0');
        }
        if (i < tekst.size() && tekst[i] == '.') ++i;
    }
    if (liczby[0] > 100 || liczby[1] > 9) return false;
    major = static_cast<int>(liczby[0]);
    minor = static_cast<int>(liczby[1]);
    build = liczby[2];
    return true;
}

// --- Support.

// Edition groups, by their lifecycles.
enum class Grupa { DomowaPro, FirmowaSzkolna, Ltsc, IotLtsc };
constexpr Grupa Grupy[] = {Grupa::DomowaPro, Grupa::FirmowaSzkolna, Grupa::Ltsc, Grupa::IotLtsc};

// GetProductInfo's product types (Windows SDK's values) by edition group.
struct TypEdycji {
    std::uint32_t typ;
    Grupa grupa;
};
constexpr TypEdycji Typy[] = {
    {0x65, Grupa::DomowaPro},      {0x62, Grupa::DomowaPro},       // Home, Home N
    {0x63, Grupa::DomowaPro},      {0x64, Grupa::DomowaPro},       // Home China, Single Language
    {0x30, Grupa::DomowaPro},      {0x31, Grupa::DomowaPro},       // Pro, Pro N
    {0xA4, Grupa::DomowaPro},      {0xA5, Grupa::DomowaPro},       // Pro Education (N)
    {0xA1, Grupa::DomowaPro},      {0xA2, Grupa::DomowaPro},       // Pro for Workstations (N)
    {0xCB, Grupa::DomowaPro},      {0xCA, Grupa::DomowaPro},       // SE, SE N
    {0x04, Grupa::FirmowaSzkolna}, {0x1B, Grupa::FirmowaSzkolna},  // Enterprise (N)
    {0x48, Grupa::FirmowaSzkolna}, {0x54, Grupa::FirmowaSzkolna},  // its evaluations
    {0x79, Grupa::FirmowaSzkolna}, {0x7A, Grupa::FirmowaSzkolna},  // Education (N)
    {0xAF, Grupa::FirmowaSzkolna}, {0xBC, Grupa::FirmowaSzkolna},  // multi-session, IoT
    {0x7D, Grupa::Ltsc},           {0x7E, Grupa::Ltsc},            // Enterprise LTSC (N)
    {0x81, Grupa::Ltsc},           {0x82, Grupa::Ltsc},            // its evaluations
    {0xBF, Grupa::IotLtsc},                                        // IoT Enterprise LTSC
};

// nullopt for a type we do not place.
std::optional<Grupa> GrupaTypu(std::uint32_t typ) {
    for (const TypEdycji& t : Typy) {
        if (t.typ == typ) return t.grupa;
    }
    return std::nullopt;
}

// Microsoft's lifecycle pages: the last day of updates of a release of
// Windows 10 and 11 for one edition group. Build 0: every build of Windows 10.
struct Okres {
    long build;
    Grupa grupa;
    Dzien koniec;
};
constexpr Okres Okresy10[] = {
    {0, Grupa::DomowaPro, {2025, 10, 14}}, {0, Grupa::FirmowaSzkolna, {2025, 10, 14}},
    {14393, Grupa::Ltsc, {2026, 10, 13}},  {14393, Grupa::IotLtsc, {2026, 10, 13}},
    {17763, Grupa::Ltsc, {2029, 1, 9}},    {17763, Grupa::IotLtsc, {2029, 1, 9}},
    {19044, Grupa::Ltsc, {2027, 1, 12}},   {19044, Grupa::IotLtsc, {2032, 1, 13}},
};
constexpr Okres Okresy11[] = {
    {22000, Grupa::DomowaPro, {2023, 10, 10}},
    {22000, Grupa::FirmowaSzkolna, {2024, 10, 8}},
    {22621, Grupa::DomowaPro, {2024, 10, 8}},
    {22621, Grupa::FirmowaSzkolna, {2025, 10, 14}},
    {22631, Grupa::DomowaPro, {2025, 11, 11}},
    {22631, Grupa::FirmowaSzkolna, {2026, 11, 10}},
    {26100, Grupa::DomowaPro, {2026, 10, 13}},
    {26100, Grupa::FirmowaSzkolna, {2027, 10, 12}},
    {26100, Grupa::Ltsc, {2029, 10, 9}},
    {26200, Grupa::DomowaPro, {2027, 10, 12}},
    {26200, Grupa::FirmowaSzkolna, {2028, 10, 10}},
    {28000, Grupa::DomowaPro, {2028, 3, 14}},
    {28000, Grupa::FirmowaSzkolna, {2029, 3, 13}},
};
// LTSC releases whose date the table does not hold: such a computer is not marked.
constexpr long NieznanyOkresLtsc11 = 26100;  // IoT Enterprise LTSC 2024

// Releases whose every edition ends on one day.
struct Wydanie {
    int wersja;
    long build;  // -1: any
    bool serwer;
    Dzien koniec;
};
constexpr Wydanie Wydania[] = {
    {51, -1, false, {2014, 4, 8}},      {60, -1, false, {2017, 4, 11}},
    {61, -1, false, {2020, 1, 14}},     {62, -1, false, {2016, 1, 12}},
    {63, -1, false, {2023, 1, 10}},     {60, -1, true, {2020, 1, 14}},
    {61, -1, true, {2020, 1, 14}},      {62, -1, true, {2023, 10, 10}},
    {63, -1, true, {2023, 10, 10}},     {100, 14393, true, {2027, 1, 12}},
    {100, 17763, true, {2029, 1, 9}},   {100, 20348, true, {2031, 10, 14}},
    {100, 26100, true, {2034, 11, 14}},
};

// Windows 10 and 11 on a workstation: by build and edition group.
std::optional<Dzien> KoniecDziesiatki(const WindowsWyniku& w, std::optional<std::uint32_t> typ) {
    std::optional<Grupa> znana;
    if (typ) {
        znana = GrupaTypu(*typ);
        if (!znana) return std::nullopt;
    }
    // Without the build, only a group that ends the same on every build.
    if (w.build < 0 &&
        (w.jedenastka || !znana || *znana == Grupa::Ltsc || *znana == Grupa::IotLtsc)) {
        return std::nullopt;
    }
    const bool jedenastka = w.jedenastka;
    if (jedenastka && w.build == NieznanyOkresLtsc11 && (!znana || *znana == Grupa::IotLtsc))
        return std::nullopt;
    std::optional<Dzien> koniec;
    for (const Grupa g : Grupy) {
        if (znana && g != *znana) continue;
        bool jest = false;
        const Okres* poczatek = jedenastka ? std::begin(Okresy11) : std::begin(Okresy10);
        const Okres* za = jedenastka ? std::end(Okresy11) : std::end(Okresy10);
        for (const Okres* o = poczatek; o != za; ++o) {
            if (o->grupa != g || (o->build != 0 && o->build != w.build)) continue;
            jest = true;
            Pozniejszy(koniec, o->koniec);
        }
        if (znana && !jest) return std::nullopt;
    }
    return koniec;
}

// --- Remedies.

constexpr const char* SiecWindows =
    "funkcja systemu Windows: w wierszu polecenia uruchomionym jako administrator "
    "<code>DISM /Online /Enable-Feature /FeatureName:NetFx3 /All</code>. Na komputerach, które "
    "pobierają aktualizacje z WSUS, to polecenie kończy się błędem 0x800F0954: dopisz "
    "<code>/LimitAccess /Source:D:\\sources\\sxs</code> (folder sources\\sxs nośnika "
    "instalacyjnego tej samej wersji Windows; może to być udział sieciowy) albo włącz zasadę grupy "
    "„Określ ustawienia instalacji składników opcjonalnych i naprawy składników” (Specify settings "
    "for optional component installation and component repair; Konfiguracja komputera &gt; "
    "Szablony administracyjne &gt; System)";
constexpr const char* SiecOsobno =
    "osobny instalator .NET Framework 3.5 dla Windows 11 (od wersji 26H1 nie jest już funkcją "
    "systemu), jako administrator; <code>/q</code> instaluje bez pytań. Po każdej aktualizacji "
    "Windows do nowszej wersji trzeba go zainstalować ponownie";
constexpr const char* SiecStara =
    "pakiet redystrybucyjny .NET Framework 3.5 SP1 (dla Windows XP i Vista)";
constexpr const char* Siec48 =
    "instalator offline .NET Framework 4.8 jako administrator; <code>/q /norestart</code> "
    "instaluje bez pytań i bez ponownego uruchomienia";
constexpr const char* Instalator45 = "Windows Installer 4.5 (pakiet dla Windows XP i Vista)";
constexpr const char* ExcelRecznie =
    "uruchom raz Excela ręcznie na tym komputerze (pierwsze uruchomienie, aktywacja albo otwarte "
    "okno dialogowe nie pozwalają mu odpowiedzieć), potem sprawdź ponownie";
constexpr const char* Silverlight =
    "Microsoft zakończył wsparcie Silverlight 12 października 2021 i już go nie udostępnia. "
    "Aplikacja, która go wymaga, działa tylko tam, gdzie jest jeszcze zainstalowany: "
    "w Internet Explorerze albo w trybie Internet Explorera w Microsoft Edge";
constexpr const char* Ie11Siodemka = "Internet Explorer 11 dla Windows 7 SP1";
constexpr const char* IeEdge =
    "Windows 11 nie ma Internet Explorera: tryb Internet Explorera w Microsoft Edge";

std::string NazwaWindows(int wersja) {
    switch (wersja) {
        case 50: return "Windows 2000";
        case 51: return "Windows XP";
        case 52: return "Windows XP x64 lub Server 2003";
        case 60: return "Windows Vista";
        case 61: return "Windows 7";
        case 62: return "Windows 8";
        case 63: return "Windows 8.1";
        case 100: return "Windows 10";
        default: return "wersja " + std::to_string(wersja / 10) + "." + std::to_string(wersja % 10);
    }
}

std::string NazwaExcela(int wersja) {
    switch (wersja) {
        case 9: return "2000";
        case 10: return "2002";
        case 11: return "2003";
        case 12: return "2007";
        case 14: return "2010";
        case 15: return "2013";
        case 16: return "2016";  // and every later one: 2019, 2021, 365
        default: return "";
    }
}

}  // namespace

WindowsWyniku RozpoznajWindows(const WynikKomputera& wynik) {
    WindowsWyniku w;
    const std::string& nazwa = wynik.system;
    const bool lub = nazwa.find(" lub ") != std::string::npos;
    w.serwer = nazwa.find("Server") != std::string::npos;
    w.stacja = !w.serwer || lub;
    int major = 0, minor = 0;
    long build = -1;
    if (CzytajNumer(wynik.wersja_systemu, major, minor, build)) {
        w.wersja = major * 10 + minor;
        w.build = build;
    } else {
        for (const Nazwa& n : Nazwy) {
            if (!Zawiera(nazwa, n.igla)) continue;
            w.wersja = n.wersja;
            w.build = n.build;
            break;
        }
    }
    w.jedenastka = w.stacja && !w.serwer && w.wersja == 100 &&
                   (w.build >= 22000 || (w.build < 0 && Zawiera(nazwa, "Windows 11")));
    w.x86 = wynik.platforma.rfind("x86", 0) == 0;
    return w;
}

std::int64_t Dzien::Dni() const {
    return DniOdEpoki(rok, miesiac, dzien);
}

std::string Dzien::Tekst() const {
    char t[16];
    std::snprintf(t, sizeof t, "%04d-%02d-%02d", rok, miesiac, dzien);
    return t;
}

void Pozniejszy(std::optional<Dzien>& koniec, const Dzien& dzien) {
    if (!koniec || dzien.Dni() > koniec->Dni()) koniec = dzien;
}

std::optional<Dzien> KoniecWsparcia(const WynikKomputera& wynik) {
    const WindowsWyniku w = RozpoznajWindows(wynik);
    if (w.wersja == 100 && w.stacja && !w.serwer) return KoniecDziesiatki(w, wynik.typ_produktu);
    // A name that leaves workstation or server open: the later of the two.
    std::optional<Dzien> koniec;
    for (const bool serwer : {false, true}) {
        if (serwer ? !w.serwer : !w.stacja) continue;
        const auto it = std::find_if(std::begin(Wydania), std::end(Wydania), [&](const Wydanie& r) {
            return r.wersja == w.wersja && r.serwer == serwer &&
                   (r.build < 0 || r.build == w.build);
        });
        if (it == std::end(Wydania)) return std::nullopt;
        Pozniejszy(koniec, it->koniec);
    }
    return koniec;
}

std::string JakDoinstalowac(ComponentId komponent, bool nieustalony, const WynikKomputera& wynik,
                            int wymagana) {
    const WindowsWyniku w = RozpoznajWindows(wynik);
    const bool stary = w.wersja >= 51 && w.wersja <= 60;  // XP, Server 2003, Vista, 2008
    const bool szosty = w.wersja >= 61 && w.wersja <= 63;
    switch (komponent) {
        case komponent::Net20:
        case komponent::Net30:
        case komponent::Net35:
            if (nieustalony) return {};
            if (stary) return SiecStara;
            if (w.wersja == 100 && w.jedenastka && w.build >= 28000) return SiecOsobno;
            if (szosty || w.wersja == 100) return SiecWindows;
            return {};
        case komponent::Net40:
        case komponent::Net45:
            // Windows 10 1903 (build 18362) and later bring 4.8 themselves;
            // 4.8 does not install on Windows 8 (Server 2012 takes it).
            if (nieustalony || (w.wersja == 62 && !w.serwer)) return {};
            if (szosty || (w.wersja == 100 && w.build >= 0 && w.build < 18362)) return Siec48;
            return {};
        case komponent::Instalator: return !nieustalony && stary ? Instalator45 : "";
        case komponent::Windows:
            if (nieustalony) return {};
            if (wymagana <= 0) return "nowszy Windows niż ten, który działa na komputerze";
            return "nowszy Windows: co najmniej " + NazwaWindows(wymagana) +
                   ", bo tego wymagają czekające aplikacje";
        case komponent::Excel: {
            if (nieustalony) return ExcelRecznie;
            const std::string wydanie = NazwaExcela(wymagana);
            if (wydanie.empty()) return "Microsoft Excel (pakiet Office)";
            return "Microsoft Excel (pakiet Office) w wersji co najmniej " + wydanie + " (" +
                   std::to_string(wymagana) + ")";
        }
        case komponent::Silverlight: return Silverlight;
        case komponent::InternetExplorer:
            if (nieustalony) return {};
            if (w.wersja == 61) return Ie11Siodemka;
            if (w.jedenastka) return IeEdge;
            if (w.wersja == 100 && w.stacja) {
                return std::string(
                           "funkcja systemu Windows: jako administrator "
                           "<code>DISM /Online /Enable-Feature /FeatureName:"
                           "Internet-Explorer-Optional-") +
                       (w.x86 ? "x86" : "amd64") + "</code>";
            }
            return {};
        default: return {};
    }
}

}  // namespace pro

#include "catalogue/Prokomponent.h"

#include <limits>

#include "catalogue/Proaplikacja.h"
#include "platform/Rejestr.h"
#include "platform/Tekst.h"

namespace pro {
namespace {

constexpr const char* KluczNet = "Software\\Microsoft\\NET Framework Setup\\NDP\\";

enum class Obecnosc { InstallCoNajmniej1, SpIstnieje, InstallRowne1 };

struct RegulaNet {
    ComponentId id;
    const char* podklucz;
    Obecnosc obecnosc;
};

constexpr RegulaNet RegulyNet[] = {
    {komponent::Net20, "v2.0.50727", Obecnosc::InstallCoNajmniej1},
    {komponent::Net30, "v3.0", Obecnosc::SpIstnieje},
    {komponent::Net35, "v3.5", Obecnosc::SpIstnieje},
    {komponent::Net40, "v4\\Client", Obecnosc::InstallRowne1},
};

const RegulaNet* ZnajdzRegulaNet(ComponentId id) {
    for (const auto& r : RegulyNet) {
        if (r.id == id) return &r;
    }
    return nullptr;
}

// The default value of a key under HKEY_CLASSES_ROOT, read in the machine's
// own view first (where a 64-bit Office registers), then in the program's.
std::string TekstKlasy(Platforma& platforma, const std::string& klucz) {
    for (const bool widok64 : {true, false}) {
        const KluczRejestru uchwyt = widok64 ? platforma.OtworzKlucz64(Korzen::ClassesRoot, klucz)
                                             : platforma.OtworzKlucz(Korzen::ClassesRoot, klucz);
        if (!uchwyt) continue;
        std::string tekst = RozwinietyTekstWartosci(platforma, uchwyt, "");
        if (!tekst.empty()) return tekst;
    }
    return {};
}

// The program of a server's command line: inside the quotes when it starts
// with one, else up to and including the first ".exe".
std::string ProgramPolecenia(const std::string& linia) {
    const std::size_t start = linia.find_first_not_of(" \t");
    if (start == std::string::npos) return {};
    if (linia[start] == '"') return linia.substr(start + 1, linia.find('"', start + 1) - start - 1);
    const std::size_t exe = MaleAscii(linia).find(".exe", start);
    if (exe != std::string::npos) return linia.substr(start, exe + 4 - start);
    return linia.substr(start, linia.find_last_not_of(" \t") + 1 - start);
}

std::int32_t Dopasuj(std::int64_t wartosc) {
    if (wartosc < std::numeric_limits<std::int32_t>::min() ||
        wartosc > std::numeric_limits<std::int32_t>::max()) {
        return 0;
    }
    return static_cast<std::int32_t>(wartosc);
}

}  // namespace

std::int32_t LiczbaDziesietna(const std::string& tekst) {
    std::size_t start = 0;
    bool ujemna = false;
    if (!tekst.empty() && (tekst[0] == '+' || tekst[0] == '-')) {
        ujemna = tekst[0] == '-';
        start = 1;
    }
    if (start == tekst.size()) return 0;
    std::int64_t wartosc = 0;
    for (std::size_t i = start; i < tekst.size(); ++i) {
        if (tekst[i] < '0' || tekst[i] > '9') return 0;
        wartosc = wartosc * 10 + (tekst[i] - '0');
        if (wartosc > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return 0;
    }
    return Dopasuj(ujemna ? -wartosc : wartosc);
}

ProKomponent::ProKomponent(ComponentId id, std::string nazwa, std::string adres)
    : Id(id), Nazwa(std::move(nazwa)), Adres(std::move(adres)) {}

int ProKomponent::SpelniaWymaganie(VersionNumber wymaganie) const {
    return Wersja >= wymaganie ? 1 : 0;
}

void ProKomponent::PrzeliczWersje() {
    const auto kropka = WersjaTxt.find('.');
    const std::string major = kropka == std::string::npos ? "" : WersjaTxt.substr(0, kropka);
    std::string reszta = kropka == std::string::npos ? WersjaTxt : WersjaTxt.substr(kropka + 1);
    reszta = reszta.substr(0, reszta.find('.'));
    Wersja = Dopasuj(std::int64_t{LiczbaDziesietna(major)} * 10 + LiczbaDziesietna(reszta));
}

void ProKomponent::WykryjWersje(Platforma& platforma, const std::string& katalog_systemu,
                                OdczytExcela excel) {
    if (Wersja != NotDetected || BezOdpowiedzi) return;
    switch (Id) {
        case komponent::Windows:
            WersjaTxt = CzytajRejestrTekst(platforma, Korzen::LocalMachine,
                                           "Software\\Microsoft\\Windows NT\\CurrentVersion",
                                           "CurrentVersion");
            PrzeliczWersje();
            return;
        case komponent::Instalator:
            WersjaTxt = WersjaPliku(platforma, katalog_systemu + "\\msiexec.exe");
            PrzeliczWersje();
            return;
        case komponent::Excel: {
            if (excel == OdczytExcela::ZRejestru) {
                WersjaExcelZRejestru(platforma);
                return;
            }
            // Left NotDetected when Excel cannot be queried: the next need asks
            // again, unless it did not answer in time (it would not answer the
            // next application either).
            WersjaTxt = WersjaExcel(platforma, BezOdpowiedzi);
            if (WersjaTxt != BrakMozliwosciSprawdzenia) {
                const auto kropka = WersjaTxt.find('.');
                Wersja =
                    kropka == std::string::npos ? 0 : LiczbaDziesietna(WersjaTxt.substr(0, kropka));
            }
            return;
        }
        case komponent::Silverlight:
            WersjaTxt = WersjaSilverlight(platforma);
            PrzeliczWersje();
            return;
        case komponent::InternetExplorer:
            WersjaTxt = CzytajRejestrTekst(platforma, Korzen::LocalMachine,
                                           "Software\\Microsoft\\Internet Explorer", "svcVersion");
            PrzeliczWersje();
            return;
        default: break;
    }
    const RegulaNet* regula = ZnajdzRegulaNet(Id);
    if (regula == nullptr) return;  // MS SQL Server, .NET 4.5: no rule
    const std::string klucz = std::string(KluczNet) + regula->podklucz;
    bool zainstalowany = false;
    switch (regula->obecnosc) {
        case Obecnosc::InstallCoNajmniej1:
            zainstalowany =
                CzytajRejestrLiczba(platforma, Korzen::LocalMachine, klucz, "Install") >= 1;
            break;
        case Obecnosc::SpIstnieje:
            zainstalowany = CzytajRejestrLiczba(platforma, Korzen::LocalMachine, klucz, "SP") >= 0;
            break;
        case Obecnosc::InstallRowne1:
            zainstalowany =
                CzytajRejestrLiczba(platforma, Korzen::LocalMachine, klucz, "Install") == 1;
            break;
    }
    if (!zainstalowany) {
        Wersja = 0;
        return;
    }
    WersjaTxt = CzytajRejestrTekst(platforma, Korzen::LocalMachine, klucz, "Version");
    Wersja = Id;
}

std::string ProKomponent::WersjaExcel(Platforma& platforma, bool& bez_odpowiedzi) const {
    auto blad = BladAutomatyzacji::Blad;
    const auto nie_mozna = [&] {
        bez_odpowiedzi = blad == BladAutomatyzacji::BrakOdpowiedzi;
        return std::string(BrakMozliwosciSprawdzenia);
    };
    const ObiektAutomatyzacji obiekt = platforma.UtworzObiekt("Excel.Application", blad);
    if (!obiekt) return nie_mozna();
    const auto wersja = platforma.CzytajWlasnosc(obiekt, "Version", blad);
    if (!wersja) return nie_mozna();
    if (!platforma.WywolajMetode(obiekt, "Quit", blad)) return nie_mozna();
    bez_odpowiedzi = false;
    return *wersja;
}

void ProKomponent::WersjaExcelZRejestru(Platforma& platforma) {
    std::string klasa;
    const std::string progid = TekstKlasy(platforma, "Excel.Application\\CurVer");
    if (!progid.empty()) klasa = TekstKlasy(platforma, progid + "\\CLSID");
    if (klasa.empty()) klasa = TekstKlasy(platforma, "Excel.Application\\CLSID");
    const std::string serwer =
        klasa.empty() ? "" : TekstKlasy(platforma, "CLSID\\" + klasa + "\\LocalServer32");
    Wersja = 0;  // not installed, unless its file tells a version
    if (serwer.empty()) return;
    const std::string wersja = WersjaPliku(platforma, ProgramPolecenia(serwer));
    const std::size_t kropka = wersja.find('.');
    if (kropka == std::string::npos) {  // "brak pliku", "brak wersji"
        WersjaTxt = wersja;
        return;
    }
    WersjaTxt = wersja.substr(0, wersja.find('.', kropka + 1));
    Wersja = LiczbaDziesietna(wersja.substr(0, kropka));
}

std::string ProKomponent::WersjaSilverlight(Platforma& platforma) const {
    const KluczRejestru klucz =
        platforma.OtworzKlucz(Korzen::ClassesRoot, "AgControl.AgControl\\CurVer");
    if (!klucz) return WersjaNieustalona;
    const auto info = platforma.ZapytajWartosc(klucz, "");
    if (!info) return WersjaNieustalona;
    if (info->typ != typ_rejestru::Sz && info->typ != typ_rejestru::ExpandSz) {
        throw BladRejestru("Nieprawidłowy typ danych dla ''");
    }
    const auto dane = platforma.CzytajWartosc(klucz, "", info->rozmiar);
    if (!dane) return WersjaNieustalona;
    // What follows "AgControl.AgControl." (20 characters), at most five characters.
    const std::u16string tekst = Utf16ZBajtow(*dane);
    if (tekst.size() <= 20) return {};
    return Utf8(tekst.substr(20, 5));
}

}  // namespace pro

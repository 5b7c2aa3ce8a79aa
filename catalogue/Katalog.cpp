#include "catalogue/Katalog.h"

namespace pro {
namespace {

std::string Strona(const char* sekcja) {
    return std::string("http://") + HostProducenta + "/wymagania.html#" + sekcja;
}

}  // namespace

Katalog::Katalog()
    : Komponenty{{
          {komponent::Windows, "System operacyjny Windows", ""},
          {komponent::Instalator, "Windows Installer", ""},
          {komponent::Net20, ".NET Framework 2.0", ""},
          {komponent::Net30, ".NET Framework 3.0", ""},
          {komponent::Net35, ".NET Framework 3.5", ""},
          {komponent::Net40, ".NET Framework 4.0", ""},
          {komponent::Net45, ".NET Framework 4.5", ""},
          {komponent::Excel, "MS Excel", ""},
          {komponent::Silverlight, "SilverLight", ""},
          {komponent::InternetExplorer, "Internet Explorer", ""},
          {komponent::SqlServer, "MS SQL Server", ""},
      }},
      // Name, code, address, marker, Windows, .NET, Installer, Excel, SilverLight, IE.
      Aplikacje{{
          {"Barkon Tabulo", "BKT", Strona("barkon-tabulo"), false, 60, 0, 20, 11, 0, 90},
          {"Selvo", "SLV", Strona("selvo"), true, 60, 0, 0, 0, 50, 90},
          {"Marendo Tabulo", "MRT", Strona("marendo-tabulo"), false, 60, 3335, 20, 0, 0, 0},
          {"Kordel", "KRD", Strona("kordel"), true, 60, 0, 0, 0, 50, 90},
          {"Kordel Tabulo", "KDT", Strona("kordel-tabulo"), false, 60, 3335, 40, 0, 0, 0},
          {"Kordel Tabulo SQL", "KDQ", Strona("kordel-tabulo-sql"), false, 60, 3335, 40, 0, 0, 0},
          {"Prestwin Tabulo", "PWT", Strona("prestwin-tabulo"), false, 60, 3335, 40, 0, 0, 0},
          {"Wendaro", "WND", Strona("wendaro"), true, 60, 3335, 30, 0, 0, 0},
          {"Galvin Tabulo", "GVT", Strona("galvin-tabulo"), false, 60, 3335, 20, 0, 0, 0},
          {"Orvento Tabulo", "OVT", Strona("orvento-tabulo"), false, 60, 0, 30, 0, 0, 90},
          {"Lusor Tabulo", "LST", Strona("lusor-tabulo"), false, 60, 3320, 40, 0, 0, 90},
          {"Fendra", "FND", Strona("fendra"), true, 60, 0, 20, 0, 0, 90},
          {"Trevin Tabulo", "TVT", Strona("trevin-tabulo"), false, 60, 0, 20, 0, 0, 90},
          {"Pardeo Tabulo", "PDT", Strona("pardeo-tabulo"), false, 60, 0, 31, 11, 0, 0},
          {"Nimbra Tabulo", "GVT", Strona("nimbra-tabulo"), false, 60, 3335, 20, 0, 0, 0},
          {"Quendel Tabulo", "QDT", Strona("quendel-tabulo"), false, 60, 3335, 20, 0, 0, 0},
          {"Sarvik", "SRV", Strona("sarvik"), true, 60, 0, 0, 12, 0, 90},
          {"Ellard Tabulo", "ELT", Strona("ellard-tabulo"), false, 60, 0, 20, 0, 0, 0},
          {"Cobrin Tabulo NET", "CTN", Strona("cobrin-tabulo-net"), true, 60, 3335, 0, 12, 50, 90},
          {"Cobrin Tabulo NET+", "CTP", Strona("cobrin-tabulo-net-plus"), true, 60, 0, 0, 12, 0,
           90},
          {"Dravel Tabulo", "DVT", Strona("dravel-tabulo"), false, 60, 3320, 30, 11, 0, 90},
          {"MS SQL Server 2008 R2", "SQL", "", false, 51, 3335, 30, 0, 0, 0},
      }} {}

ProKomponent* Katalog::Komponent(ComponentId id) {
    for (auto& k : Komponenty) {
        if (k.Id == id) return &k;
    }
    return nullptr;
}

Katalog KatalogProgramu;

}  // namespace pro

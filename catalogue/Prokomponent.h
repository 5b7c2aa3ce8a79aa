#pragma once
// A system component of the catalogue and its detection.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/Platforma.h"

namespace pro {

using ComponentId = std::int32_t;
using VersionNumber = std::int32_t;

// The number of a component whose detection has not produced one.
inline constexpr VersionNumber NotDetected = -2;
inline constexpr const char* WersjaNieustalona = "??.????.??";
inline constexpr const char* BrakMozliwosciSprawdzenia = "brak możliwości sprawdzenia";

namespace komponent {
inline constexpr ComponentId Windows = 3001;
inline constexpr ComponentId Instalator = 3002;
inline constexpr ComponentId SqlServer = 3004;
inline constexpr ComponentId Excel = 3005;
inline constexpr ComponentId Silverlight = 3006;
inline constexpr ComponentId InternetExplorer = 3007;
inline constexpr ComponentId Net20 = 3320;
inline constexpr ComponentId Net30 = 3330;
inline constexpr ComponentId Net35 = 3335;
inline constexpr ComponentId Net40 = 3340;
inline constexpr ComponentId Net45 = 3345;
}  // namespace komponent

// How MS Excel's version is found: by asking Excel itself (the window, where
// a person is at the computer), or from its registration and its file
// without starting it (the check without the window: as SYSTEM, before
// anyone logs on, Office may wait on a dialog nobody sees).
enum class OdczytExcela { Automatyzacja, ZRejestru };

// A registry value that cannot be read as the type asked for. Detection lets
// it pass; the program shows it with its exception display.
class BladRejestru : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ProKomponent {
    ComponentId Id;
    std::string Nazwa;
    VersionNumber Wersja = NotDetected;
    std::string WersjaTxt = WersjaNieustalona;
    std::string Adres;
    // The probe's server gave no answer within its bound: it is not asked
    // again in this run (Wersja stays NotDetected).
    bool BezOdpowiedzi = false;

    ProKomponent(ComponentId id, std::string nazwa, std::string adres);

    // 1 when the detected number meets `wymaganie`, else 0.
    int SpelniaWymaganie(VersionNumber wymaganie) const;

    // Detects the component by its Id, only while Wersja is NotDetected and
    // its server has not failed to answer.
    // `katalog_systemu` is the system directory (for msiexec.exe).
    void WykryjWersje(Platforma& platforma, const std::string& katalog_systemu,
                      OdczytExcela excel = OdczytExcela::Automatyzacja);
    // Wersja = major * 10 + minor, from WersjaTxt.
    void PrzeliczWersje();
    // "brak możliwości sprawdzenia" on any failure; `bez_odpowiedzi` tells a
    // server that gave no answer in time from one that failed.
    std::string WersjaExcel(Platforma& platforma, bool& bez_odpowiedzi) const;
    // Excel's version from the file of the local server COM would start:
    // Wersja 0 and WersjaTxt unchanged when none is registered, "brak pliku"
    // or "brak wersji" for a server whose file has none.
    void WersjaExcelZRejestru(Platforma& platforma);
    std::string WersjaSilverlight(Platforma& platforma) const;
};

// A decimal integer (an optional sign and digits, nothing else) that fits in
// 32 bits; otherwise 0.
std::int32_t LiczbaDziesietna(const std::string& tekst);

}  // namespace pro

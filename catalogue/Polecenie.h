#pragma once
// Checks without the window: the command line, its outputs (the text report,
// JSON, a CSV row per application) and the exit code.

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "catalogue/DrzewoWyniku.h"
#include "catalogue/Katalog.h"
#include "platform/Platforma.h"

namespace pro {

namespace kod_wyjscia {
inline constexpr int Spelnione = 0;     // every selected application's requirements are met
inline constexpr int Niespelnione = 1;  // at least one is not
inline constexpr int ZleUzycie = 2;     // wrong usage: nothing checked, nothing written
inline constexpr int BladZapisu = 3;    // a result file could not be written
}  // namespace kod_wyjscia

struct Polecenie {
    bool pomoc = false;
    std::vector<std::size_t> aplikacje;  // catalogue indexes, ascending, each once
    std::optional<std::string> raport;
    std::optional<std::string> json;  // "-" for standard output
    std::optional<std::string> csv;
};

struct BladPolecenia {
    std::string komunikat;
};

std::variant<Polecenie, BladPolecenia> ParsujPolecenie(const std::vector<std::string>& argumenty,
                                                       const Katalog& katalog);

std::string TekstPomocy();

// The four summary captions as the selection window shows them, from the
// probes' values.
std::array<std::string, 4> PodpisyPodsumowania(const std::string& system,
                                               const std::string& platforma, bool administrator,
                                               const std::string& uac);

struct WynikPolecenia {
    int kod = kod_wyjscia::Spelnione;
    std::string wyjscie;  // standard output
    std::string bledy;    // standard error
};

// Verifies the selection on `platforma` and writes the chosen outputs.
WynikPolecenia WykonajPolecenie(const Polecenie& polecenie, Katalog& katalog, Platforma& platforma);

// Status of a component node as the JSON file names it.
const char* StatusKomponentu(const WezelWyniku& wezel);

}  // namespace pro

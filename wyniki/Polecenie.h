#pragma once
// Runs without the window: a check with its outputs (the text report, JSON,
// a CSV row per application) or the overview of a folder of results, and the
// exit code.

#include <array>
#include <string>

#include "wyniki/Argumenty.h"
#include "catalogue/Katalog.h"
#include "platform/Platforma.h"

namespace pro {

namespace kod_wyjscia {
inline constexpr int Spelnione = 0;     // every selected application's requirements are met
inline constexpr int Niespelnione = 1;  // at least one is not
inline constexpr int ZleUzycie = 2;     // wrong usage: nothing checked, nothing written
inline constexpr int BladZapisu = 3;    // a result file could not be written
}  // namespace kod_wyjscia

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

// Verifies the selection on `platforma` and writes the chosen outputs, or
// writes the overview page.
WynikPolecenia WykonajPolecenie(const Polecenie& polecenie, Katalog& katalog, Platforma& platforma);

}  // namespace pro

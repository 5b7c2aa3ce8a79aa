#pragma once
// The command line of a run without the window: its options, checked.

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "catalogue/Katalog.h"

namespace pro {

struct Polecenie {
    bool pomoc = false;
    std::vector<std::size_t> aplikacje;  // catalogue indexes, ascending, each once
    std::optional<std::string> raport;
    std::optional<std::string> json;  // "-" for standard output
    std::optional<std::string> csv;
    // The overview: the folder of result files and the page written from them.
    std::optional<std::string> zestawienie;
    std::optional<std::string> html;
};

struct BladPolecenia {
    std::string komunikat;
};

std::variant<Polecenie, BladPolecenia> ParsujPolecenie(const std::vector<std::string>& argumenty,
                                                       const Katalog& katalog);

std::string TekstPomocy();

}  // namespace pro

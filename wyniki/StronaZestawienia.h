#pragma once
// The overview as one self-contained HTML5 page in UTF-8: no script, no
// external file; every text taken from a result file is escaped.

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/Katalog.h"
#include "wyniki/Zestawienie.h"

namespace pro {

// Columns for applications outside the catalogue, at most; the rest are counted.
inline constexpr std::size_t LimitObcychKolumn = 30;
// A text from a file is cut to this many characters on the page.
inline constexpr std::size_t LimitTekstu = 200;

// Text for element content and attribute values: & < > " ' as references,
// control characters as U+FFFD, cut after LimitTekstu characters with "…".
std::string Html(std::string_view tekst);
// Appends the pieces in turn: one call where `+` would build a string for each.
void Dopisz(std::string& s, std::initializer_list<std::string_view> czesci);

std::string StronaZestawienia(const Zestawienie& zestawienie, const Katalog& katalog);

struct StronaFolderu {
    std::string html;
    // The folders inside holding a result; 0: none (the files directly in
    // the folder are no school).
    std::size_t szkoly = 0;
    std::size_t komputery = 0, pominiete = 0;
};

// The page of the *.json files directly in `folder` and of those directly
// in each folder inside it (a school, named by its folder; one level, links
// not followed). Where no folder inside holds a result, the folder's own
// page. nullopt when `folder` cannot be listed.
std::optional<StronaFolderu> ZbierzStrone(Platforma& platforma, const std::string& folder,
                                          const Katalog& katalog);

}  // namespace pro

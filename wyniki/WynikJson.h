#pragma once
// A computer's result as a JSON file (UTF-8): written by the check without
// the window, read back by the overview. Both ways here, by nlohmann-json.

#include <cstddef>
#include <string>
#include <variant>

#include "wyniki/Wynik.h"

namespace pro {

// The file's layout; a reader takes a file without the field as this one.
inline constexpr int FormatWynikuJson = 1;
// Our files nest five deep; anything much deeper is no result of ours.
inline constexpr std::size_t LimitZagniezdzenia = 16;
// Ours hold at most the catalogue's 22 applications of at most 11 components;
// a file with more is no result of ours, and would swell the page.
inline constexpr std::size_t LimitPozycji = 100;

// The file's text: the fields in their order, indented, a line feed at the end.
std::string WynikJson(const WynikKomputera& wynik);

// A file's bytes: the result it holds, or why it is skipped. Files of
// earlier versions, without `wersja_systemu` or `typ_produktu`, read with
// those empty.
std::variant<WynikKomputera, std::string> CzytajWynik(const std::string& bajty);

}  // namespace pro

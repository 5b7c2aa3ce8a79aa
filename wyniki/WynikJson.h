#pragma once
// The result of one computer as a JSON file (UTF-8), the input of the overview.

#include <string>

#include "catalogue/DrzewoWyniku.h"
#include "wyniki/Wynik.h"

namespace pro {

// The file's layout; a reader takes a file without the field as this one.
inline constexpr int FormatWynikuJson = 1;

std::string WynikJson(const DaneKomputera& dane, const DrzewoWyniku& drzewo);

}  // namespace pro

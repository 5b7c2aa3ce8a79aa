#pragma once
// One CSV row per application, for a file that many computers share.

#include <string>

#include "wyniki/Wynik.h"

namespace pro {

// UTF-8 with a byte-order mark, so that a spreadsheet reads the Polish letters.
inline const std::string NaglowekCsv =
    "\xEF\xBB\xBFkomputer;czas;aplikacja;kod;spelnia;brakujace\r\n";

std::string WierszeCsv(const WynikKomputera& wynik);

}  // namespace pro

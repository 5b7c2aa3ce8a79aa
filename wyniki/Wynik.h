#pragma once
// What a check without the window records about the computer, and the
// readings of the result tree that its outputs share.

#include <cstdint>
#include <optional>
#include <string>

#include "catalogue/DrzewoWyniku.h"
#include "platform/Platforma.h"

namespace pro {

struct DaneKomputera {
    std::string wersja;
    std::string komputer;
    CzasLokalny czas;
    std::string system, wersja_systemu, platforma, uac;
    std::optional<std::uint32_t> typ_produktu;  // where GetProductInfo was asked
    bool administrator = false;
};

// True when every component of the application node is satisfied.
bool Spelnia(const WezelWyniku& aplikacja);
// The names of the components not satisfied, separated by ", ".
std::string Brakujace(const WezelWyniku& aplikacja);
// Status of a component node as the JSON file names it.
const char* StatusKomponentu(const WezelWyniku& wezel);
// "2016-03-14T08:05:30+01:00".
std::string CzasIso(const CzasLokalny& czas);

}  // namespace pro

#pragma once
// The built-in catalogue: 11 components and 22 applications, and the system
// directory that detection reads. The program uses one global instance under
// the names Komponenty, Aplikacje and KatalogSystemu; a test builds its own.

#include <array>
#include <cstddef>
#include <string>

#include "catalogue/Proaplikacja.h"
#include "catalogue/Prokomponent.h"

namespace pro {

inline constexpr std::size_t LiczbaKomponentow = 11;
inline constexpr std::size_t LiczbaAplikacji = 22;

// The maker's web host, and the address an application without its own
// requirements page carries.
inline constexpr const char* HostProducenta = "www.orleko.pl";
inline constexpr const char* AdresDomyslny = HostProducenta;
// The maker's one-line notice: 13 characters, so that the report's frame
// stays 72 wide.
inline constexpr const char* NotaProducenta = "© Orleko 2026";

struct Katalog {
    std::array<ProKomponent, LiczbaKomponentow> Komponenty;
    std::array<ProAplikacja, LiczbaAplikacji> Aplikacje;
    std::string KatalogSystemu = "brak informacji";
    OdczytExcela Excel = OdczytExcela::Automatyzacja;

    Katalog();
    // The record of a component id; nullptr for an id not in the catalogue.
    ProKomponent* Komponent(ComponentId id);
};

// The program's catalogue, built before main() runs.
extern Katalog KatalogProgramu;
inline auto& Komponenty = KatalogProgramu.Komponenty;
inline auto& Aplikacje = KatalogProgramu.Aplikacje;
inline std::string& KatalogSystemu = KatalogProgramu.KatalogSystemu;

}  // namespace pro

#pragma once
// What the overview knows about a computer's Windows from its result: the
// release, the last day Microsoft updates it, and how a missing component is
// installed there.

#include <cstdint>
#include <optional>
#include <string>

#include "catalogue/Prokomponent.h"
#include "wyniki/Zestawienie.h"

namespace pro {

// A computer's Windows as far as its result tells it.
struct WindowsWyniku {
    int wersja = -1;  // major × 10 + minor (61 for 6.1); -1 when unknown
    long build = -1;  // -1 when unknown
    bool stacja = false;
    bool serwer = false;  // both when the name leaves it open
    bool jedenastka = false;
    bool x86 = false;  // 32-bit Windows
};

// From `wersja_systemu` where the result has it, else from the system's name.
WindowsWyniku RozpoznajWindows(const WynikKomputera& wynik);

// A day of Microsoft's lifecycle pages.
struct Dzien {
    int rok, miesiac, dzien;
    std::int64_t Dni() const;   // since 1970-01-01
    std::string Tekst() const;  // "2025-10-14"
};
// Of two days, the later.
void Pozniejszy(std::optional<Dzien>& koniec, const Dzien& dzien);

// Microsoft's last day of security updates for the computer's Windows and
// edition. Where the result does not tell the edition group, the later date;
// nullopt where the table does not know it.
std::optional<Dzien> KoniecWsparcia(const WynikKomputera& wynik);

// How to install the component on that computer, as page text (HTML, from
// the program's own texts only); empty when no way is known. `wymagana` is
// the highest minimum of the computer's waiting applications, 0 if unknown.
std::string JakDoinstalowac(ComponentId komponent, bool nieustalony, const WynikKomputera& wynik,
                            int wymagana);

}  // namespace pro

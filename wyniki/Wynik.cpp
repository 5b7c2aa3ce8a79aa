#include "wyniki/Wynik.h"

#include <algorithm>
#include <cstdio>

#include "catalogue/Prokomponent.h"

namespace pro {

bool Spelnia(const WezelWyniku& aplikacja) {
    return std::all_of(aplikacja.Dzieci.begin(), aplikacja.Dzieci.end(),
                       [](const auto& d) { return d->Stan == Werdykt::spelnia; });
}

std::string Brakujace(const WezelWyniku& aplikacja) {
    std::string lista;
    for (const auto& d : aplikacja.Dzieci) {
        if (d->Stan == Werdykt::spelnia) continue;
        if (!lista.empty()) lista += ", ";
        lista += d->Komponent != nullptr ? d->Komponent->Nazwa : d->Tekst;
    }
    return lista;
}

const char* StatusKomponentu(const WezelWyniku& wezel) {
    switch (wezel.Stan) {
        case Werdykt::spelnia: return "spelnia";
        case Werdykt::brak: return "nie_spelnia";
        case Werdykt::nieustalony:
        case Werdykt::tymczasowy: break;
    }
    return "nieustalony";
}

std::string CzasIso(const CzasLokalny& c) {
    char tekst[40];
    const int strefa = c.strefa_minut < 0 ? -c.strefa_minut : c.strefa_minut;
    std::snprintf(tekst, sizeof tekst, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", c.rok, c.miesiac,
                  c.dzien, c.godzina, c.minuta, c.sekunda, c.strefa_minut < 0 ? '-' : '+',
                  strefa / 60, strefa % 60);
    return tekst;
}

}  // namespace pro

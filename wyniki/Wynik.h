#pragma once
// A computer's check as one value: the computer's facts and, per checked
// application, its components as they were found. The check without the
// window builds it once from the result tree; its JSON, CSV and console
// lines are written from it, and the overview reads it back from each JSON
// file (WynikJson.h).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/DrzewoWyniku.h"
#include "catalogue/Prokomponent.h"
#include "platform/Platforma.h"

namespace pro {

enum class StanKomponentu { Spelnia, NieSpelnia, Nieustalony };

struct KomponentWyniku {
    std::string nazwa;
    int wymagana = 0;           // the application's minimum; 0 where a file does not say
    int wykryta = NotDetected;  // the detected number
    std::string tekst;          // the detected version text
    StanKomponentu stan = StanKomponentu::Nieustalony;
    bool operator==(const KomponentWyniku&) const = default;
};

struct AplikacjaWyniku {
    std::string nazwa;
    std::string kod;  // empty where a file does not say
    std::vector<KomponentWyniku> komponenty;
    bool operator==(const AplikacjaWyniku&) const = default;
};

struct WynikKomputera {
    std::string wersja;  // the program's version
    std::string komputer;
    CzasLokalny czas;  // when the check ended, in the computer's own time
    std::string system;
    std::string wersja_systemu;  // empty in files written before it was added
    // What GetProductInfo gave; nullopt where it was not asked, and in files
    // written before it was added.
    std::optional<std::uint32_t> typ_produktu;
    std::string platforma;
    bool administrator = false;
    std::string uac;
    std::vector<AplikacjaWyniku> aplikacje;
    bool operator==(const WynikKomputera&) const = default;
};

// The verdict: every component of the application met.
bool Spelnia(const AplikacjaWyniku& aplikacja);
// The names of the components not met, separated by ", ".
std::string Brakujace(const AplikacjaWyniku& aplikacja);
// The applications of the result tree as a result holds them, each
// component as its catalogue record stands now.
std::vector<AplikacjaWyniku> AplikacjeWyniku(const DrzewoWyniku& drzewo);

// "2016-03-14T08:05:30+01:00".
std::string CzasIso(const CzasLokalny& czas);
// That form, or "…Z" for UTC; nullopt for anything else.
std::optional<CzasLokalny> CzytajCzas(const std::string& tekst);
// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DniOdEpoki(std::int64_t rok, int miesiac, int dzien);
// The instant of a time: seconds since 1970-01-01 00:00 UTC.
std::int64_t Chwila(const CzasLokalny& czas);

}  // namespace pro

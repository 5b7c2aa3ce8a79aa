#pragma once
// The overview of many computers: the result files of a folder (as /json
// writes them) read, checked, and the newest result of each computer chosen.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/Platforma.h"

namespace pro {

// A file larger than this is skipped unread: it bounds the memory per file.
inline constexpr std::size_t LimitPlikuWyniku = 1u << 20;
// Our files nest five deep; anything much deeper is no result of ours.
inline constexpr std::size_t LimitZagniezdzenia = 16;
// Ours hold at most the catalogue's 22 applications of at most 11 components;
// a file with more is no result of ours, and would swell the page.
inline constexpr std::size_t LimitPozycji = 100;
// A result this much older than the newest one in the folder is marked.
inline constexpr std::int64_t WiekStaregoWyniku = 30 * 24 * 3600;

enum class StanKomponentu { Spelnia, NieSpelnia, Nieustalony };

struct KomponentWyniku {
    std::string nazwa;
    std::string tekst;  // the detected version text
    int wymagana = 0;   // the application's minimum, 0 when the file does not say
    StanKomponentu stan = StanKomponentu::Nieustalony;
};

struct AplikacjaWyniku {
    std::string nazwa;
    std::vector<KomponentWyniku> komponenty;
};

// The time of a check: as the computer wrote it, and as an instant.
struct CzasWyniku {
    CzasLokalny lokalny;
    std::int64_t utc = 0;  // seconds since 1970-01-01 00:00 UTC
};

struct WynikKomputera {
    std::string plik;  // the file's name in the folder
    std::string komputer;
    CzasWyniku czas;
    std::string wersja, system, platforma, uac;
    std::string wersja_systemu;  // empty in files written before it was added
    // What GetProductInfo gave; nullopt in older files and where it was not asked.
    std::optional<std::uint32_t> typ_produktu;
    bool administrator = false;
    std::vector<AplikacjaWyniku> aplikacje;
};

struct PominietyPlik {
    std::string plik;
    std::string powod;
};

struct Zestawienie {
    std::vector<WynikKomputera> komputery;  // the newest per computer, by name
    std::vector<PominietyPlik> pominiete;   // by file name
};

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DniOdEpoki(std::int64_t rok, int miesiac, int dzien);
// The order of computer and file names: letters of either case together,
// upper case first where two names differ in nothing else.
bool PrzedNazwa(const std::string& a, const std::string& b);
// "2016-03-14T08:05:30+01:00" (or "…Z"); nullopt for anything else.
std::optional<CzasWyniku> CzytajCzas(const std::string& tekst);
// The deepest nesting of arrays and objects in a JSON text.
std::size_t Zagniezdzenie(const std::string& json);
// A file's bytes: the result it holds, or why it is skipped.
std::variant<WynikKomputera, std::string> CzytajWynik(const std::string& bajty);
// Reads every *.json file directly in `katalog`; nullopt when the folder
// cannot be listed. A file that cannot be read is skipped with its reason.
std::optional<Zestawienie> ZbierzZestawienie(Platforma& platforma, const std::string& katalog);
// The newest result of all, nullptr when there is none.
const WynikKomputera* Najnowszy(const Zestawienie& zestawienie);
// More than WiekStaregoWyniku older than `najnowszy`.
bool StaryWynik(const WynikKomputera& najnowszy, const WynikKomputera& wynik);

}  // namespace pro

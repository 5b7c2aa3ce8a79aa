#pragma once
// The overview of many computers: the result files of a folder (as /json
// writes them) read, checked, and the newest result of each computer chosen.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platforma.h"
#include "wyniki/Wynik.h"

namespace pro {

// A file larger than this is skipped unread: it bounds the memory per file.
inline constexpr std::size_t LimitPlikuWyniku = 1u << 20;
// A result this much older than the newest one in the folder is marked.
inline constexpr std::int64_t WiekStaregoWyniku = 30 * 24 * 3600;

struct PominietyPlik {
    std::string plik;
    std::string powod;
};

struct Zestawienie {
    std::vector<WynikKomputera> komputery;  // the newest per computer, by name
    std::vector<PominietyPlik> pominiete;   // by file name
};

// The order of computer and file names: letters of either case together,
// upper case first where two names differ in nothing else.
bool PrzedNazwa(const std::string& a, const std::string& b);
// Reads every *.json file directly in `katalog`, or with `szkola` in its
// folder of that name; nullopt when the folder cannot be listed. A file that
// cannot be read is skipped with its reason (named "szkola\\plik").
std::optional<Zestawienie> ZbierzZestawienie(Platforma& platforma, const std::string& katalog,
                                             const std::string& szkola = {});
// The newest result of all, nullptr when there is none.
const WynikKomputera* Najnowszy(const Zestawienie& zestawienie);
// More than WiekStaregoWyniku older than `najnowszy`.
bool StaryWynik(const WynikKomputera& najnowszy, const WynikKomputera& wynik);

}  // namespace pro

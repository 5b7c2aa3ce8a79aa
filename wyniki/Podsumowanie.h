#pragma once
// The overview's answers at a glance, above the matrix: which components to
// install on which computers, which systems run, and how many computers are
// ready for each application. Only each computer's newest result counts.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/Katalog.h"
#include "wyniki/Zestawienie.h"

namespace pro {

// Support that ends within this many days after the newest result is marked.
inline constexpr std::int64_t KoniecWsparciaBliski = 180;

// Their style, added to the page's own.
extern const char* const StylPodsumowania;

// "1 komputer", "2 komputery", "5 komputerów", "22 komputery".
std::string Komputery(std::size_t n);

// The three sections; `aplikacje` are the matrix's columns, in its order.
std::string Podsumowanie(const Zestawienie& zestawienie, const Katalog& katalog,
                         const std::vector<std::string>& aplikacje);

}  // namespace pro

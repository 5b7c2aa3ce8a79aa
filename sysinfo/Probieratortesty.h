#pragma once
// The system summary: operating-system name and edition, processor platform,
// administrator rights and the UAC state. Each always yields a value.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Platforma.h"

namespace pro {

std::string NazwaSystemu(Platforma& platforma);
// "10.0.26100.2605": major.minor.build as Windows is, and the update
// revision (UBR) where the registry holds one; empty when no version can be
// read.
std::string NumerWersjiSystemu(Platforma& platforma);
// The product type GetProductInfo gives, on the releases whose name asks for
// it (6.x and 10.0); nullopt elsewhere and when the call fails.
std::optional<std::uint32_t> TypProduktu(Platforma& platforma);
std::string OpisPlatformy(Platforma& platforma);
bool CzyAdministrator(Platforma& platforma);
std::string StanUac(Platforma& platforma);

}  // namespace pro

#pragma once
// The system summary: operating-system name and edition, processor platform,
// administrator rights and the UAC state. Each always yields a value.

#include <string>

#include "platform/Platforma.h"

namespace pro {

std::string NazwaSystemu(Platforma& platforma);
std::string OpisPlatformy(Platforma& platforma);
bool CzyAdministrator(Platforma& platforma);
std::string StanUac(Platforma& platforma);

}  // namespace pro

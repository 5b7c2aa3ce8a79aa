#pragma once
// Where and how the Windows tests run.

#include <string>

namespace pro::testy {

// The folder of the running test program, without a trailing backslash.
std::string KatalogTestow();

// Whether this program runs as 32-bit code emulated by qemu (cmake/wine32.sh
// says so in PRO_WINE32_TRYB): every process start then costs seconds.
bool PodEmulacja();

}  // namespace pro::testy

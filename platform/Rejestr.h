#pragma once
// Values of an open registry key, read through the platform: the one reading
// of a text and of a number that detection and the system summary share.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Platforma.h"

namespace pro {

// A REG_SZ value up to its first NUL; empty when missing or of another type.
std::string TekstWartosci(Platforma& platforma, const KluczRejestru& klucz,
                          const std::string& nazwa);
// A REG_SZ value, or a REG_EXPAND_SZ one with its variables expanded, up to
// its first NUL; empty when missing or of another type.
std::string RozwinietyTekstWartosci(Platforma& platforma, const KluczRejestru& klucz,
                                    const std::string& nazwa);
// A REG_DWORD value stored in 4 bytes; nullopt otherwise (another type, another
// size, or missing).
std::optional<std::uint32_t> LiczbaWartosci(Platforma& platforma, const KluczRejestru& klucz,
                                            const std::string& nazwa);

}  // namespace pro

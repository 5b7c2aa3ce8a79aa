#pragma once
// Text conversions used at the platform boundary and by the report.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pro {

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8(std::u16string_view tekst);
// UTF-8 to UTF-16; a malformed sequence becomes U+FFFD.
std::u16string Utf16(std::string_view tekst);
// UTF-8 to Windows code page 1250. A character the code page cannot hold
// becomes "?" (never a look-alike letter).
std::string Cp1250(std::string_view tekst);
// Registry string data (UTF-16LE) up to its first NUL, or whole when it
// holds none; an odd last byte is dropped.
std::u16string Utf16ZBajtow(const std::vector<std::uint8_t>& bajty);
// The offset of the first byte that does not belong to well-formed UTF-8
// (overlong forms, surrogates and values past U+10FFFF included); nullopt
// when the whole text is well formed.
std::optional<std::size_t> BlednyUtf8(std::string_view tekst);
// Appends one code point encoded as UTF-8.
void DopiszUtf8(std::string& wynik, char32_t znak);
// ASCII letters in lower case; other bytes unchanged.
std::string MaleAscii(std::string tekst);

}  // namespace pro

#include "platform/Tekst.h"

#include <array>
#include <cstdint>

namespace pro {

void DopiszUtf8(std::string& wynik, char32_t znak) {
    if (znak < 0x80) {
        wynik += static_cast<char>(znak);
    } else if (znak < 0x800) {
        wynik += static_cast<char>(0xC0 | (znak >> 6));
        wynik += static_cast<char>(0x80 | (znak & 0x3F));
    } else if (znak < 0x10000) {
        wynik += static_cast<char>(0xE0 | (znak >> 12));
        wynik += static_cast<char>(0x80 | ((znak >> 6) & 0x3F));
        wynik += static_cast<char>(0x80 | (znak & 0x3F));
    } else {
        wynik += static_cast<char>(0xF0 | (znak >> 18));
        wynik += static_cast<char>(0x80 | ((znak >> 12) & 0x3F));
        wynik += static_cast<char>(0x80 | ((znak >> 6) & 0x3F));
        wynik += static_cast<char>(0x80 | (znak & 0x3F));
    }
}

namespace {

constexpr char32_t Zastepczy = 0xFFFD;

// Decodes the code point at `i` and moves past it.
char32_t NastepnyZnak(std::string_view tekst, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(tekst[i++]);
    if (b0 < 0x80) return b0;
    int dalsze = 0;
    char32_t znak = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        dalsze = 1, znak = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        dalsze = 2, znak = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        dalsze = 3, znak = b0 & 0x07, minimum = 0x10000;
    } else {
        return Zastepczy;
    }
    for (int k = 0; k < dalsze; ++k) {
        if (i >= tekst.size()) return Zastepczy;
        const auto b = static_cast<unsigned char>(tekst[i]);
        if ((b & 0xC0) != 0x80) return Zastepczy;
        znak = (znak << 6) | (b & 0x3F);
        ++i;
    }
    if (znak < minimum || znak > 0x10FFFF || (znak >= 0xD800 && znak <= 0xDFFF)) return Zastepczy;
    return znak;
}

// Code page 1250, bytes 0x80..0xFF; 0 marks a byte the code page leaves undefined.
constexpr std::array<char16_t, 128> Cp1250Gorna = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, 0,      0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

}  // namespace

std::string Utf8(std::u16string_view tekst) {
    std::string wynik;
    wynik.reserve(tekst.size());
    for (std::size_t i = 0; i < tekst.size(); ++i) {
        char32_t znak = tekst[i];
        if (znak >= 0xD800 && znak <= 0xDBFF && i + 1 < tekst.size() && tekst[i + 1] >= 0xDC00 &&
            tekst[i + 1] <= 0xDFFF) {
            znak = 0x10000 + ((znak - 0xD800) << 10) + (tekst[i + 1] - 0xDC00);
            ++i;
        } else if (znak >= 0xD800 && znak <= 0xDFFF) {
            znak = Zastepczy;
        }
        DopiszUtf8(wynik, znak);
    }
    return wynik;
}

std::u16string Utf16(std::string_view tekst) {
    std::u16string wynik;
    wynik.reserve(tekst.size());
    for (std::size_t i = 0; i < tekst.size();) {
        const char32_t znak = NastepnyZnak(tekst, i);
        if (znak >= 0x10000) {
            wynik += static_cast<char16_t>(0xD800 + ((znak - 0x10000) >> 10));
            wynik += static_cast<char16_t>(0xDC00 + ((znak - 0x10000) & 0x3FF));
        } else {
            wynik += static_cast<char16_t>(znak);
        }
    }
    return wynik;
}

std::string Cp1250(std::string_view tekst) {
    std::string wynik;
    wynik.reserve(tekst.size());
    for (std::size_t i = 0; i < tekst.size();) {
        const char32_t znak = NastepnyZnak(tekst, i);
        if (znak < 0x80) {
            wynik += static_cast<char>(znak);
            continue;
        }
        char bajt = '?';
        for (std::size_t k = 0; k < Cp1250Gorna.size(); ++k) {
            if (Cp1250Gorna[k] != 0 && Cp1250Gorna[k] == znak) {
                bajt = static_cast<char>(0x80 + k);
                break;
            }
        }
        wynik += bajt;
    }
    return wynik;
}

std::u16string Utf16ZBajtow(const std::vector<std::uint8_t>& bajty) {
    std::u16string wynik;
    for (std::size_t i = 0; i + 1 < bajty.size(); i += 2) {
        const auto znak = static_cast<char16_t>(bajty[i] | (bajty[i + 1] << 8));
        if (znak == 0) break;
        wynik += znak;
    }
    return wynik;
}

std::string MaleAscii(std::string tekst) {
    for (char& c : tekst) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return tekst;
}

}  // namespace pro

namespace pro {

std::optional<std::size_t> BlednyUtf8(std::string_view tekst) {
    std::size_t i = 0;
    while (i < tekst.size()) {
        const auto b = static_cast<unsigned char>(tekst[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        // The lead byte gives the length and the range of the second byte,
        // which excludes overlong forms, surrogates and values past U+10FFFF.
        std::size_t dlugosc = 0;
        unsigned char od = 0x80, doo = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            dlugosc = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            dlugosc = 3;
            if (b == 0xE0) od = 0xA0;
            if (b == 0xED) doo = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            dlugosc = 4;
            if (b == 0xF0) od = 0x90;
            if (b == 0xF4) doo = 0x8F;
        } else {
            return i;
        }
        if (i + dlugosc > tekst.size()) return i;
        for (std::size_t k = 1; k < dlugosc; ++k) {
            const auto c = static_cast<unsigned char>(tekst[i + k]);
            const unsigned char min = k == 1 ? od : 0x80, max = k == 1 ? doo : 0xBF;
            if (c < min || c > max) return i;
        }
        i += dlugosc;
    }
    return std::nullopt;
}

}  // namespace pro

#pragma once
// The program's pictures, drawn with GDI at run time: the image buttons
// (white words on olive green), the emblem and the four 16 x 16 tree icons.

#include <string>

#include "ui/Uchwyty.h"

namespace pro::ui {

inline constexpr COLORREF Oliwkowy = RGB(0x96, 0xB0, 0x05);
inline constexpr COLORREF Niebieski = RGB(0x4D, 0x73, 0xB4);    // header band
inline constexpr COLORREF Grafitowy = RGB(0x3B, 0x42, 0x48);    // hint, list, tree
inline constexpr COLORREF SzaryStopki = RGB(0x9B, 0x9B, 0x9B);  // footer
inline constexpr COLORREF Bialy = RGB(0xFF, 0xFF, 0xFF);

// A font by family and character height in pixels; Windows picks a
// substitute when the family is missing.
Czcionka UtworzCzcionke(const wchar_t* rodzina, int wysokosc, int waga = FW_NORMAL);

// The header of a top-down DIB of the given size, `bity` bits a pixel,
// uncompressed.
BITMAPINFO NaglowekBitmapy(int szerokosc, int wysokosc, WORD bity);

// A top-down 24-bit DIB section of the given size, filled with `tlo`.
Bitmapa UtworzBitmape(int szerokosc, int wysokosc, COLORREF tlo);

// A button picture: `napis` (UTF-8) in white, centred on olive green.
Bitmapa RysujPrzycisk(int szerokosc, int wysokosc, const std::string& napis, int wysokosc_czcionki);

// The emblem on an opaque white square of `rozmiar` pixels.
void RysujGodlo(HDC dc, int rozmiar);

// ProWynIkony: 0 emblem, 1 green tick, 2 red cross, 3 yellow question mark;
// the discs are transparent outside.
ListaObrazow UtworzIkonyWyniku();

// The program's icon (the emblem) at `rozmiar` x `rozmiar`.
Ikona UtworzIkoneProgramu(int rozmiar);

}  // namespace pro::ui

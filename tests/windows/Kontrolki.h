#pragma once
// The real windows' controls, read back and driven as a user would.

#include <windows.h>

#include <cstddef>
#include <vector>

namespace pro::testy {

// A click (button down and up) at (x, y) of the control's client area.
void Kliknij(HWND kontrolka, int x = 2, int y = 2);
// The control's rectangle in its parent's client coordinates.
RECT PolozenieWRodzicu(HWND kontrolka);
// What the control paints with: WM_CTLCOLOR* asked of its parent.
struct Barwy {
    COLORREF tekst;
    COLORREF tlo;
    COLORREF pedzel;
};
Barwy BarwyKontrolki(HWND kontrolka, UINT komunikat = WM_CTLCOLORSTATIC);
// The control's font.
LOGFONTW CzcionkaKontrolki(HWND kontrolka);
// The control painted (WM_PRINTCLIENT) into a bitmap of its client size.
struct Odbitka {
    int szerokosc = 0, wysokosc = 0;
    std::vector<COLORREF> piksele;  // row by row
    COLORREF Piksel(int x, int y) const {
        return piksele[static_cast<std::size_t>(y * szerokosc + x)];
    }
    bool Zawiera(COLORREF barwa) const;
};
Odbitka Odrysuj(HWND kontrolka);
// The pixels of a bitmap.
Odbitka Pobierz(HBITMAP bitmapa);

}  // namespace pro::testy

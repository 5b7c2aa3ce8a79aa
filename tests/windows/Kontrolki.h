#pragma once
// The real windows' controls, read back and driven as a user would.

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "ui/Rysunki.h"

namespace pro::testy {

// A click (button down and up) at (x, y) of the control's client area.
inline void Kliknij(HWND kontrolka, int x = 2, int y = 2) {
    const LPARAM punkt = MAKELPARAM(x, y);
    SendMessageW(kontrolka, WM_LBUTTONDOWN, MK_LBUTTON, punkt);
    SendMessageW(kontrolka, WM_LBUTTONUP, 0, punkt);
}

// The control's rectangle in its parent's client coordinates.
inline RECT PolozenieWRodzicu(HWND kontrolka) {
    RECT r{};
    GetWindowRect(kontrolka, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(kontrolka), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// What the control paints with: WM_CTLCOLOR* asked of its parent.
struct Barwy {
    COLORREF tekst;
    COLORREF tlo;
    COLORREF pedzel;
};
inline Barwy BarwyKontrolki(HWND kontrolka, UINT komunikat = WM_CTLCOLORSTATIC) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    const auto pedzel = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(kontrolka), komunikat,
                                                              reinterpret_cast<WPARAM>(dc),
                                                              reinterpret_cast<LPARAM>(kontrolka)));
    LOGBRUSH lb{};
    lb.lbColor = RGB(7, 8, 9);
    if (pedzel != nullptr) GetObjectW(pedzel, sizeof lb, &lb);
    Barwy barwy{GetTextColor(dc), GetBkColor(dc), lb.lbColor};
    DeleteDC(dc);
    return barwy;
}

// The control's font.
inline LOGFONTW CzcionkaKontrolki(HWND kontrolka) {
    LOGFONTW lf{};
    const auto czcionka = reinterpret_cast<HFONT>(SendMessageW(kontrolka, WM_GETFONT, 0, 0));
    if (czcionka != nullptr) GetObjectW(czcionka, sizeof lf, &lf);
    return lf;
}

// The pixels of a bitmap, row by row.
struct Odbitka {
    int szerokosc = 0, wysokosc = 0;
    std::vector<COLORREF> piksele;
    COLORREF Piksel(int x, int y) const {
        return piksele[static_cast<std::size_t>(y * szerokosc + x)];
    }
    bool Zawiera(COLORREF barwa) const {
        return std::find(piksele.begin(), piksele.end(), barwa) != piksele.end();
    }
};

inline Odbitka OdbitkaBitmapy(HDC dc, HBITMAP bitmapa, int szerokosc, int wysokosc) {
    Odbitka o;
    o.szerokosc = szerokosc;
    o.wysokosc = wysokosc;
    BITMAPINFO bi = ui::NaglowekBitmapy(szerokosc, wysokosc, 32);
    std::vector<DWORD> bity(static_cast<std::size_t>(szerokosc * wysokosc));
    GetDIBits(dc, bitmapa, 0, static_cast<UINT>(wysokosc), bity.data(), &bi, DIB_RGB_COLORS);
    for (DWORD b : bity) o.piksele.push_back(RGB((b >> 16) & 0xFF, (b >> 8) & 0xFF, b & 0xFF));
    return o;
}

// The control painted (WM_PRINTCLIENT) into a bitmap of its client size.
inline Odbitka Odrysuj(HWND kontrolka) {
    RECT r{};
    GetClientRect(kontrolka, &r);
    HDC ekran = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(ekran);
    HBITMAP bitmapa = CreateCompatibleBitmap(ekran, r.right, r.bottom);
    HGDIOBJ poprzedni = SelectObject(dc, bitmapa);
    SendMessageW(kontrolka, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT | PRF_ERASEBKGND);
    SelectObject(dc, poprzedni);
    Odbitka o = OdbitkaBitmapy(dc, bitmapa, r.right, r.bottom);
    DeleteObject(bitmapa);
    DeleteDC(dc);
    ReleaseDC(nullptr, ekran);
    return o;
}

// The pixels of a bitmap.
inline Odbitka Pobierz(HBITMAP bitmapa) {
    BITMAP b{};
    GetObjectW(bitmapa, sizeof b, &b);
    HDC dc = CreateCompatibleDC(nullptr);
    Odbitka o = OdbitkaBitmapy(dc, bitmapa, b.bmWidth, b.bmHeight);
    DeleteDC(dc);
    return o;
}

}  // namespace pro::testy

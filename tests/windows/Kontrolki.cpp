#include "Kontrolki.h"

#include <algorithm>

#include "ui/Rysunki.h"

namespace pro::testy {

void Kliknij(HWND kontrolka, int x, int y) {
    const LPARAM punkt = MAKELPARAM(x, y);
    SendMessageW(kontrolka, WM_LBUTTONDOWN, MK_LBUTTON, punkt);
    SendMessageW(kontrolka, WM_LBUTTONUP, 0, punkt);
}

RECT PolozenieWRodzicu(HWND kontrolka) {
    RECT r{};
    GetWindowRect(kontrolka, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(kontrolka), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

Barwy BarwyKontrolki(HWND kontrolka, UINT komunikat) {
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

LOGFONTW CzcionkaKontrolki(HWND kontrolka) {
    LOGFONTW lf{};
    const auto czcionka = reinterpret_cast<HFONT>(SendMessageW(kontrolka, WM_GETFONT, 0, 0));
    if (czcionka != nullptr) GetObjectW(czcionka, sizeof lf, &lf);
    return lf;
}

bool Odbitka::Zawiera(COLORREF barwa) const {
    return std::find(piksele.begin(), piksele.end(), barwa) != piksele.end();
}

namespace {

Odbitka Czytaj(HDC dc, HBITMAP bitmapa, int szerokosc, int wysokosc) {
    Odbitka o;
    o.szerokosc = szerokosc;
    o.wysokosc = wysokosc;
    BITMAPINFO bi = ui::NaglowekBitmapy(szerokosc, wysokosc, 32);
    std::vector<DWORD> bity(static_cast<std::size_t>(szerokosc * wysokosc));
    GetDIBits(dc, bitmapa, 0, static_cast<UINT>(wysokosc), bity.data(), &bi, DIB_RGB_COLORS);
    for (DWORD b : bity) o.piksele.push_back(RGB((b >> 16) & 0xFF, (b >> 8) & 0xFF, b & 0xFF));
    return o;
}

}  // namespace

Odbitka Odrysuj(HWND kontrolka) {
    RECT r{};
    GetClientRect(kontrolka, &r);
    HDC ekran = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(ekran);
    HBITMAP bitmapa = CreateCompatibleBitmap(ekran, r.right, r.bottom);
    HGDIOBJ poprzedni = SelectObject(dc, bitmapa);
    SendMessageW(kontrolka, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT | PRF_ERASEBKGND);
    SelectObject(dc, poprzedni);
    Odbitka o = Czytaj(dc, bitmapa, r.right, r.bottom);
    DeleteObject(bitmapa);
    DeleteDC(dc);
    ReleaseDC(nullptr, ekran);
    return o;
}

Odbitka Pobierz(HBITMAP bitmapa) {
    BITMAP b{};
    GetObjectW(bitmapa, sizeof b, &b);
    HDC dc = CreateCompatibleDC(nullptr);
    Odbitka o = Czytaj(dc, bitmapa, b.bmWidth, b.bmHeight);
    DeleteDC(dc);
    return o;
}

}  // namespace pro::testy

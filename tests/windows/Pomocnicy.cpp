#include "Pomocnicy.h"

#include <algorithm>

#include "platform/win32/PlatformaWin32.h"
#include "Okna.h"

namespace pro::testy {

std::string KatalogTestow() {
    PlatformaWin32 p;
    std::string sciezka = p.SciezkaProgramu();
    return sciezka.substr(0, sciezka.find_last_of('\\'));
}

bool PodEmulacja() {
    wchar_t tryb[16] = {};
    return sizeof(void*) == 4 && GetEnvironmentVariableW(L"PRO_WINE32_TRYB", tryb, 16) > 0 &&
           std::wstring(tryb) == L"emulacja";
}

KluczTestowy::KluczTestowy(HKEY korzen, const std::wstring& sciezka, REGSAM widok)
    : korzen_(korzen), sciezka_(sciezka), widok_(widok) {
    DWORD dyspozycja = 0;
    RegCreateKeyExW(korzen, sciezka.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | widok, nullptr,
                    &klucz_, &dyspozycja);
    utworzony_ = dyspozycja == REG_CREATED_NEW_KEY;
}

KluczTestowy::~KluczTestowy() {
    if (klucz_ == nullptr) return;
    for (auto it = poprzednie_.rbegin(); it != poprzednie_.rend(); ++it) {
        if (it->istniala) {
            RegSetValueExW(klucz_, it->nazwa.c_str(), 0, it->typ, it->dane.data(),
                           static_cast<DWORD>(it->dane.size()));
        } else {
            RegDeleteValueW(klucz_, it->nazwa.c_str());
        }
    }
    if (utworzony_ && widok_ != 0) RegDeleteTreeW(klucz_, nullptr);  // what lies below it
    RegCloseKey(klucz_);
    if (utworzony_ && widok_ != 0) RegDeleteKeyExW(korzen_, sciezka_.c_str(), widok_, 0);
    if (utworzony_ && widok_ == 0) RegDeleteTreeW(korzen_, sciezka_.c_str());
}

void KluczTestowy::Surowe(const std::wstring& nazwa, DWORD typ, const std::vector<BYTE>& dane) {
    Poprzednia poprzednia;
    poprzednia.nazwa = nazwa;
    DWORD rozmiar = 0;
    if (RegQueryValueExW(klucz_, nazwa.c_str(), nullptr, &poprzednia.typ, nullptr, &rozmiar) ==
        ERROR_SUCCESS) {
        poprzednia.dane.resize(rozmiar);
        poprzednia.istniala = RegQueryValueExW(klucz_, nazwa.c_str(), nullptr, &poprzednia.typ,
                                               poprzednia.dane.data(), &rozmiar) == ERROR_SUCCESS;
    }
    poprzednie_.push_back(std::move(poprzednia));
    RegSetValueExW(klucz_, nazwa.c_str(), 0, typ, dane.data(), static_cast<DWORD>(dane.size()));
}

void KluczTestowy::Tekst(const std::wstring& nazwa, const std::wstring& wartosc, DWORD typ) {
    const auto* bajty = reinterpret_cast<const BYTE*>(wartosc.c_str());
    Surowe(nazwa, typ, std::vector<BYTE>(bajty, bajty + (wartosc.size() + 1) * sizeof(wchar_t)));
}

void KluczTestowy::Liczba(const std::wstring& nazwa, DWORD wartosc) {
    const auto* bajty = reinterpret_cast<const BYTE*>(&wartosc);
    Surowe(nazwa, REG_DWORD, std::vector<BYTE>(bajty, bajty + sizeof wartosc));
}

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
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = szerokosc;
    bi.bmiHeader.biHeight = -wysokosc;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> bity(static_cast<std::size_t>(szerokosc * wysokosc));
    GetDIBits(dc, bitmapa, 0, static_cast<UINT>(wysokosc), bity.data(), &bi, DIB_RGB_COLORS);
    for (DWORD b : bity) o.piksele.push_back(RGB((b >> 16) & 0xFF, (b >> 8) & 0xFF, b & 0xFF));
    return o;
}

}  // namespace

namespace {
std::function<void()> zadanie_petli;  // test-only: one pending task
void CALLBACK Zadanie(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto co = std::move(zadanie_petli);
    zadanie_petli = nullptr;
    if (co) co();
}
}  // namespace

void PodczasPetli(std::function<void()> co) {
    zadanie_petli = std::move(co);
    SetTimer(nullptr, 0, 1, &Zadanie);
}

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

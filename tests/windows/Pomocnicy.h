#pragma once
// Shared helpers of the Windows tests: paths beside the test program and
// registry fixtures that remove themselves.

#include <windows.h>

#include <string>
#include <vector>

namespace pro::testy {

// The folder of the running test program, without a trailing backslash.
std::string KatalogTestow();

// Whether this program runs as 32-bit code emulated by qemu (cmake/wine32.sh
// says so in PRO_WINE32_TRYB): every process start then costs seconds.
bool PodEmulacja();

// A registry key the test creates (in the view of its own bitness, or the one
// `widok` names: KEY_WOW64_64KEY) and deletes with everything below it when
// it goes out of scope. When the key existed before, only the values the test
// set are put back as they were.
class KluczTestowy {
public:
    KluczTestowy(HKEY korzen, const std::wstring& sciezka, REGSAM widok = 0);
    ~KluczTestowy();
    KluczTestowy(const KluczTestowy&) = delete;
    KluczTestowy& operator=(const KluczTestowy&) = delete;

    void Tekst(const std::wstring& nazwa, const std::wstring& wartosc, DWORD typ = REG_SZ);
    void Liczba(const std::wstring& nazwa, DWORD wartosc);
    void Surowe(const std::wstring& nazwa, DWORD typ, const std::vector<BYTE>& dane);

private:
    HKEY korzen_;
    std::wstring sciezka_;
    REGSAM widok_;
    HKEY klucz_ = nullptr;
    bool utworzony_ = false;  // false: the key existed before, only our values go
    struct Poprzednia {
        std::wstring nazwa;
        bool istniala = false;
        DWORD typ = 0;
        std::vector<BYTE> dane;
    };
    std::vector<Poprzednia> poprzednie_;  // restored in reverse order
};

// --- The real windows, read back and driven as a user would.

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

#pragma once
// A check list: a list view with check boxes (so that assistive technology
// reads each row's tick from the platform), one column without a header,
// drawn by its owner as a list of fixed 16-pixel rows. A click on a row's
// check box or the space bar on the focused row toggles it.

#include <string>
#include <vector>

#include <windows.h>

namespace pro::ui {

class ListaWyboru {
public:
    static constexpr int WysokoscWiersza = 16;

    ListaWyboru() = default;
    ListaWyboru(const ListaWyboru&) = delete;
    ListaWyboru& operator=(const ListaWyboru&) = delete;

    void Utworz(HWND rodzic, int x, int y, int szerokosc, int wysokosc, HFONT czcionka);
    HWND Uchwyt() const { return hwnd_; }

    // Rows at the end, unticked.
    void Dodaj(const std::vector<std::string>& teksty);
    int Liczba() const;
    std::string Tekst(int indeks) const;
    bool Zaznaczony(int indeks) const;
    void Zaznacz(int indeks, bool zaznaczony);

    // WM_DRAWITEM of the list, forwarded by its parent.
    void Rysuj(const DRAWITEMSTRUCT& rysunek, COLORREF tekst, COLORREF tlo) const;

private:
    static LRESULT CALLBACK Podklasa(HWND hwnd, UINT komunikat, WPARAM w, LPARAM l);

    HWND hwnd_ = nullptr;
    WNDPROC pierwotna_ = nullptr;
};

}  // namespace pro::ui

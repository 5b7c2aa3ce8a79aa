#pragma once
// Move-only owners of the handles the windows create: fonts, brushes,
// bitmaps, icons, image lists, key tables and top-level windows. No implicit conversion
// to the raw handle: get() says where ownership stays behind.

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace pro::ui {

template <typename T, void (*Zwolnij)(T)>
class Unikalny {
public:
    Unikalny() = default;
    explicit Unikalny(T uchwyt) : uchwyt_(uchwyt) {}
    Unikalny(const Unikalny&) = delete;
    Unikalny& operator=(const Unikalny&) = delete;
    Unikalny(Unikalny&& inny) noexcept : uchwyt_(std::exchange(inny.uchwyt_, T{})) {}
    Unikalny& operator=(Unikalny&& inny) noexcept {
        if (this != &inny) reset(std::exchange(inny.uchwyt_, T{}));
        return *this;
    }
    ~Unikalny() { reset(); }

    T get() const { return uchwyt_; }
    explicit operator bool() const { return uchwyt_ != T{}; }
    void reset(T uchwyt = T{}) {
        if (uchwyt_ != T{}) Zwolnij(uchwyt_);
        uchwyt_ = uchwyt;
    }
    // Gives up ownership without releasing (the handle is already gone).
    T release() { return std::exchange(uchwyt_, T{}); }

private:
    T uchwyt_{};
};

namespace zwolnij {
inline void Czcionke(HFONT h) {
    DeleteObject(h);
}
inline void Pedzel(HBRUSH h) {
    DeleteObject(h);
}
inline void Olowek(HPEN h) {
    DeleteObject(h);
}
inline void Bitmape(HBITMAP h) {
    DeleteObject(h);
}
inline void Ikone(HICON h) {
    DestroyIcon(h);
}
inline void ListeObrazow(HIMAGELIST h) {
    ImageList_Destroy(h);
}
inline void Okno(HWND h) {
    DestroyWindow(h);
}
inline void PamiecDc(HDC h) {
    DeleteDC(h);
}
inline void TabliceKlawiszy(HACCEL h) {
    DestroyAcceleratorTable(h);
}
}  // namespace zwolnij

using Czcionka = Unikalny<HFONT, zwolnij::Czcionke>;
using Pedzel = Unikalny<HBRUSH, zwolnij::Pedzel>;
using Olowek = Unikalny<HPEN, zwolnij::Olowek>;
using Bitmapa = Unikalny<HBITMAP, zwolnij::Bitmape>;
using Ikona = Unikalny<HICON, zwolnij::Ikone>;
using ListaObrazow = Unikalny<HIMAGELIST, zwolnij::ListeObrazow>;
using UchwytOkna = Unikalny<HWND, zwolnij::Okno>;
using PamiecioweDc = Unikalny<HDC, zwolnij::PamiecDc>;
using TablicaKlawiszy = Unikalny<HACCEL, zwolnij::TabliceKlawiszy>;

// Selects an object into a DC for the lifetime of the guard.
class Wybor {
public:
    Wybor(HDC dc, HGDIOBJ obiekt) : dc_(dc), poprzedni_(SelectObject(dc, obiekt)) {}
    Wybor(const Wybor&) = delete;
    Wybor& operator=(const Wybor&) = delete;
    ~Wybor() { SelectObject(dc_, poprzedni_); }

private:
    HDC dc_;
    HGDIOBJ poprzedni_;
};

// GetDC / ReleaseDC, remembering the window the DC came from.
class DcOkna {
public:
    explicit DcOkna(HWND okno) : okno_(okno), dc_(GetDC(okno)) {}
    DcOkna(const DcOkna&) = delete;
    DcOkna& operator=(const DcOkna&) = delete;
    ~DcOkna() { ReleaseDC(okno_, dc_); }
    HDC get() const { return dc_; }

private:
    HWND okno_;
    HDC dc_;
};

}  // namespace pro::ui

#include "ui/ListaWyboru.h"

#include "platform/win32/PlatformaWin32.h"
#include "ui/Uchwyty.h"

namespace pro::ui {
namespace {

constexpr int BokPola = 13;        // the check box
constexpr int SzerokoscPola = 16;  // the check box's column, clicks there toggle

}  // namespace

void ListaWyboru::Utworz(HWND rodzic, int x, int y, int szerokosc, int wysokosc, HFONT czcionka) {
    hwnd_ = CreateWindowExW(0, L"LISTBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                                LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                            x, y, szerokosc, wysokosc, rodzic, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(czcionka), FALSE);
    SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, WysokoscWiersza);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    pierwotna_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListaWyboru::Podklasa)));
}

LRESULT CALLBACK ListaWyboru::Podklasa(HWND hwnd, UINT komunikat, WPARAM w, LPARAM l) {
    auto* lista = reinterpret_cast<ListaWyboru*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (komunikat) {
        case WM_CHAR:
            if (w == L' ') {
                const auto biezacy = static_cast<int>(SendMessageW(hwnd, LB_GETCARETINDEX, 0, 0));
                if (biezacy >= 0) lista->Przelacz(biezacy);
                return 0;
            }
            break;
        case WM_LBUTTONDOWN: {
            const LRESULT wynik = CallWindowProcW(lista->pierwotna_, hwnd, komunikat, w, l);
            const int x = static_cast<short>(LOWORD(l));
            const LRESULT trafienie = SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, l);
            if (HIWORD(trafienie) == 0 && x < SzerokoscPola) lista->Przelacz(LOWORD(trafienie));
            return wynik;
        }
        default: break;
    }
    return CallWindowProcW(lista->pierwotna_, hwnd, komunikat, w, l);
}

void ListaWyboru::Dodaj(const std::string& tekst) {
    const std::wstring szeroki = Szeroki(tekst);
    const LRESULT indeks =
        SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(szeroki.c_str()));
    SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(indeks), 0);
}

int ListaWyboru::Liczba() const {
    return static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0));
}

std::string ListaWyboru::Tekst(int indeks) const {
    const LRESULT dlugosc = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(indeks), 0);
    if (dlugosc == LB_ERR) return {};
    std::wstring tekst(static_cast<std::size_t>(dlugosc) + 1, L'\0');
    SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(indeks),
                 reinterpret_cast<LPARAM>(tekst.data()));
    tekst.resize(static_cast<std::size_t>(dlugosc));
    return Waski(tekst);
}

bool ListaWyboru::Zaznaczony(int indeks) const {
    const LRESULT dane = SendMessageW(hwnd_, LB_GETITEMDATA, static_cast<WPARAM>(indeks), 0);
    return dane != LB_ERR && dane != 0;
}

void ListaWyboru::Zaznacz(int indeks, bool zaznaczony) {
    SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(indeks), zaznaczony ? 1 : 0);
    RECT r{};
    if (SendMessageW(hwnd_, LB_GETITEMRECT, static_cast<WPARAM>(indeks),
                     reinterpret_cast<LPARAM>(&r)) != LB_ERR) {
        InvalidateRect(hwnd_, &r, TRUE);
    }
}

void ListaWyboru::Przelacz(int indeks) {
    Zaznacz(indeks, !Zaznaczony(indeks));
}

void ListaWyboru::Rysuj(const DRAWITEMSTRUCT& d, COLORREF tekst, COLORREF tlo) const {
    if (d.itemID == static_cast<UINT>(-1)) {
        if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
        return;
    }
    const auto indeks = static_cast<int>(d.itemID);
    const Pedzel pedzel_tla(CreateSolidBrush(tlo));
    RECT pole_kolumny{d.rcItem.left, d.rcItem.top, d.rcItem.left + SzerokoscPola, d.rcItem.bottom};
    FillRect(d.hDC, &pole_kolumny, pedzel_tla.get());
    const int gora = d.rcItem.top + (d.rcItem.bottom - d.rcItem.top - BokPola) / 2;
    RECT pole{d.rcItem.left + 1, gora, d.rcItem.left + 1 + BokPola, gora + BokPola};
    DrawFrameControl(d.hDC, &pole, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (Zaznaczony(indeks) ? DFCS_CHECKED : 0));

    const bool wybrany = (d.itemState & ODS_SELECTED) != 0;
    RECT tekst_r{d.rcItem.left + SzerokoscPola + 2, d.rcItem.top, d.rcItem.right, d.rcItem.bottom};
    const Pedzel pedzel(CreateSolidBrush(wybrany ? GetSysColor(COLOR_HIGHLIGHT) : tlo));
    FillRect(d.hDC, &tekst_r, pedzel.get());
    SetBkMode(d.hDC, TRANSPARENT);
    SetTextColor(d.hDC, wybrany ? GetSysColor(COLOR_HIGHLIGHTTEXT) : tekst);
    const std::wstring napis = Szeroki(Tekst(indeks));
    RECT pisz = tekst_r;
    pisz.left += 2;
    DrawTextW(d.hDC, napis.c_str(), static_cast<int>(napis.size()), &pisz,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if ((d.itemState & ODS_FOCUS) != 0) DrawFocusRect(d.hDC, &tekst_r);
}

}  // namespace pro::ui

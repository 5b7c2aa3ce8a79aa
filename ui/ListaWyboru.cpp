#include "ui/ListaWyboru.h"

#include "platform/win32/PlatformaWin32.h"
#include "ui/Uchwyty.h"

namespace pro::ui {
namespace {

constexpr int BokPola = 13;        // the check box
constexpr int SzerokoscPola = 16;  // the check box's column, clicks there toggle

}  // namespace

void ListaWyboru::Utworz(HWND rodzic, int x, int y, int szerokosc, int wysokosc, HFONT czcionka) {
    // Its parent answers WM_MEASUREITEM with the row height.
    hwnd_ = CreateWindowExW(0, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER |
                                LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED,
                            x, y, szerokosc, wysokosc, rodzic, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(czcionka), FALSE);
    ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    ListView_SetBkColor(hwnd_, RGB(0xFF, 0xFF, 0xFF));
    LVCOLUMNW kolumna{};
    kolumna.mask = LVCF_WIDTH;
    kolumna.cx = szerokosc;
    ListView_InsertColumn(hwnd_, 0, &kolumna);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    pierwotna_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListaWyboru::Podklasa)));
}

LRESULT CALLBACK ListaWyboru::Podklasa(HWND hwnd, UINT komunikat, WPARAM w, LPARAM l) {
    auto* lista = reinterpret_cast<ListaWyboru*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const LRESULT wynik = CallWindowProcW(lista->pierwotna_, hwnd, komunikat, w, l);
    if (komunikat == WM_LBUTTONDOWN) {
        // A click on the check box ticks; like a click on the text it also
        // takes the focus and selects the row, as in any list.
        LVHITTESTINFO trafienie{};
        trafienie.pt = {static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
        const int wiersz = ListView_HitTest(hwnd, &trafienie);
        if (wiersz >= 0 && trafienie.pt.x < SzerokoscPola) {
            SetFocus(hwnd);
            const UINT stan = LVIS_SELECTED | LVIS_FOCUSED;
            ListView_SetItemState(hwnd, wiersz, stan, stan);
        }
    }
    return wynik;
}

void ListaWyboru::Dodaj(const std::vector<std::string>& teksty) {
    // Laid out once, not after every row: the list view would fit its
    // scroll bars (and its header) to each.
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    for (const std::string& tekst : teksty) {
        std::wstring szeroki = Szeroki(tekst);
        LVITEMW wiersz{};
        wiersz.mask = LVIF_TEXT | LVIF_STATE;
        wiersz.iItem = Liczba();
        wiersz.pszText = szeroki.data();
        wiersz.state = INDEXTOSTATEIMAGEMASK(1);
        wiersz.stateMask = LVIS_STATEIMAGEMASK;
        ListView_InsertItem(hwnd_, &wiersz);
    }
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    // The rows span the width left beside the scroll bar, when it comes.
    RECT r{};
    GetClientRect(hwnd_, &r);
    if (ListView_GetColumnWidth(hwnd_, 0) != r.right) ListView_SetColumnWidth(hwnd_, 0, r.right);
}

int ListaWyboru::Liczba() const {
    return ListView_GetItemCount(hwnd_);
}

std::string ListaWyboru::Tekst(int indeks) const {
    wchar_t tekst[256] = {};
    ListView_GetItemText(hwnd_, indeks, 0, tekst, 256);
    return Waski(tekst);
}

bool ListaWyboru::Zaznaczony(int indeks) const {
    return indeks >= 0 && indeks < Liczba() && ListView_GetCheckState(hwnd_, indeks) != 0;
}

void ListaWyboru::Zaznacz(int indeks, bool zaznaczony) {
    ListView_SetCheckState(hwnd_, indeks, zaznaczony ? TRUE : FALSE);
}

void ListaWyboru::Rysuj(const DRAWITEMSTRUCT& d, COLORREF tekst, COLORREF tlo) const {
    if (d.itemID == static_cast<UINT>(-1)) return;
    const auto indeks = static_cast<int>(d.itemID);
    // The row from the list's left edge to its right one, wherever the list
    // view puts its item.
    RECT klient{};
    GetClientRect(hwnd_, &klient);
    const RECT wiersz{klient.left, d.rcItem.top, klient.right, d.rcItem.bottom};
    const Pedzel pedzel_tla(CreateSolidBrush(tlo));
    RECT pole_kolumny{wiersz.left, wiersz.top, wiersz.left + SzerokoscPola, wiersz.bottom};
    FillRect(d.hDC, &pole_kolumny, pedzel_tla.get());
    const int gora = wiersz.top + (wiersz.bottom - wiersz.top - BokPola) / 2;
    RECT pole{wiersz.left + 1, gora, wiersz.left + 1 + BokPola, gora + BokPola};
    DrawFrameControl(d.hDC, &pole, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (Zaznaczony(indeks) ? DFCS_CHECKED : 0));

    const bool wybrany = (d.itemState & ODS_SELECTED) != 0;
    RECT tekst_r{wiersz.left + SzerokoscPola + 2, wiersz.top, wiersz.right, wiersz.bottom};
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

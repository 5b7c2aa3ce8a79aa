#include "ui/Okno.h"

#include "platform/win32/PlatformaWin32.h"
#include "ui/Rysunki.h"

namespace pro::ui {

std::string TekstOkna(HWND okno) {
    std::wstring tekst(static_cast<std::size_t>(GetWindowTextLengthW(okno)) + 1, L'\0');
    const int dlugosc = GetWindowTextW(okno, tekst.data(), static_cast<int>(tekst.size()));
    tekst.resize(static_cast<std::size_t>(dlugosc));
    return Waski(tekst);
}

Okno::Okno(Aplikacja& aplikacja) : app_(aplikacja) {
    app_.Zarejestruj(this);
}

Okno::~Okno() {
    app_.Wyrejestruj(this);
    if (hwnd_) {
        // From here on the window's messages no longer reach this object.
        SetWindowLongPtrW(hwnd_.get(), GWLP_USERDATA, 0);
        hwnd_.reset();
    }
}

void Okno::UtworzForme(const Forma& forma) {
    const HINSTANCE instancja = GetModuleHandleW(nullptr);
    WNDCLASSEXW klasa{};
    klasa.cbSize = sizeof klasa;
    if (!GetClassInfoExW(instancja, forma.klasa, &klasa)) {
        klasa.cbSize = sizeof klasa;
        klasa.lpfnWndProc = &Okno::Thunk;
        klasa.hInstance = instancja;
        klasa.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        klasa.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        klasa.lpszClassName = forma.klasa;
        RegisterClassExW(&klasa);
    }
    RECT r{0, 0, forma.szerokosc, forma.wysokosc};
    AdjustWindowRectEx(&r, forma.styl, FALSE, 0);
    CreateWindowExW(0, forma.klasa, L"", forma.styl, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                    r.bottom - r.top, forma.wlasciciel, nullptr, instancja, this);
    if (!hwnd_) throw std::runtime_error("Nie można utworzyć okna.");
    SendMessageW(hwnd_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app_.IkonaDuza()));
    SendMessageW(hwnd_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(app_.IkonaMala()));
}

LRESULT CALLBACK Okno::Thunk(HWND hwnd, UINT komunikat, WPARAM w, LPARAM l) {
    Okno* okno = nullptr;
    if (komunikat == WM_NCCREATE) {
        okno = static_cast<Okno*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(okno));
        okno->hwnd_.reset(hwnd);
    } else {
        okno = reinterpret_cast<Okno*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (okno == nullptr) return DefWindowProcW(hwnd, komunikat, w, l);
    if (komunikat == WM_NCDESTROY) {
        // Destroyed from outside (e.g. with its owner): forget the handle.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        okno->hwnd_.release();
        return DefWindowProcW(hwnd, komunikat, w, l);
    }
    try {
        return okno->Obsluz(komunikat, w, l);
    } catch (...) {
        okno->app_.PokazWyjatek(std::current_exception());
        return 0;
    }
}

LRESULT Okno::Obsluz(UINT komunikat, WPARAM w, LPARAM l) {
    switch (komunikat) {
        case WM_COMMAND: {
            const auto kontrolka = reinterpret_cast<HWND>(l);
            if (kontrolka != nullptr && HIWORD(w) == STN_CLICKED) {
                const auto it = klikniecia_.find(kontrolka);
                if (it != klikniecia_.end()) {
                    // A copy: the handler may add or remove handlers.
                    const std::function<void()> klik = it->second;
                    klik();
                }
            }
            return 0;
        }
        case WM_NOTIFY: return OnPowiadomienie(*reinterpret_cast<const NMHDR*>(l));
        case WM_DRAWITEM: {
            const auto& rysunek = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
            const auto it = rysowanie_.find(rysunek.hwndItem);
            if (it == rysowanie_.end()) break;
            it->second(rysunek);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLOREDIT:
            return OnKolorKontrolki(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
        case WM_CLOSE: OnZamknij(); return 0;
        default: break;
    }
    return DefWindowProcW(hwnd_.get(), komunikat, w, l);
}

LRESULT Okno::OnPowiadomienie(const NMHDR&) {
    return 0;
}

void Okno::OnZamknij() {
    if (modalnie_) {
        modalnie_ = false;  // the modal loop ends and hides the window
    } else {
        ShowWindow(hwnd_.get(), SW_HIDE);
    }
}

LRESULT Okno::OnKolorKontrolki(HDC dc, HWND kontrolka) {
    const auto it = barwy_.find(kontrolka);
    if (it == barwy_.end()) {
        SetBkColor(dc, Bialy);
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    SetTextColor(dc, it->second.tekst);
    SetBkColor(dc, it->second.tlo);
    return reinterpret_cast<LRESULT>(it->second.pedzel.get());
}

void Okno::UstawBarwy(HWND kontrolka, COLORREF tekst, COLORREF tlo) {
    auto& barwy = barwy_[kontrolka];
    barwy.tekst = tekst;
    barwy.tlo = tlo;
    barwy.pedzel.reset(CreateSolidBrush(tlo));
    InvalidateRect(kontrolka, nullptr, TRUE);
}

void Okno::RysujWlasne(HWND kontrolka, std::function<void(const DRAWITEMSTRUCT&)> rysuj) {
    rysowanie_[kontrolka] = std::move(rysuj);
}

HWND Okno::DodajEtykiete(int x, int y, HFONT czcionka, const std::string& tekst, int szerokosc,
                         int wysokosc) {
    const HWND etykieta = CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, x, y, szerokosc,
        wysokosc, hwnd_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(nastepny_id_++)),
        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(etykieta, WM_SETFONT, reinterpret_cast<WPARAM>(czcionka), FALSE);
    etykiety_[etykieta] = {czcionka, szerokosc == 0 && wysokosc == 0};
    UstawTekst(etykieta, tekst);
    return etykieta;
}

void Okno::UstawTekst(HWND etykieta, const std::string& tekst) {
    const std::wstring szeroki = Szeroki(tekst);
    SetWindowTextW(etykieta, szeroki.c_str());
    const auto it = etykiety_.find(etykieta);
    if (it == etykiety_.end() || !it->second.dopasuj) return;
    DcOkna dc(etykieta);
    Wybor w(dc.get(), it->second.czcionka);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc.get(), szeroki.c_str(), static_cast<int>(szeroki.size()), &r,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SetWindowPos(etykieta, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Okno::DodajKsztalt(int x, int y, int szerokosc, int wysokosc, COLORREF wypelnienie) {
    // Created after what lies on it: a later sibling is lower in the z-order,
    // and WS_CLIPSIBLINGS keeps it from painting over them.
    const HWND ksztalt = CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_OWNERDRAW, x, y, szerokosc,
        wysokosc, hwnd_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(nastepny_id_++)),
        GetModuleHandleW(nullptr), nullptr);
    UstawBarwy(ksztalt, wypelnienie, wypelnienie);
    RysujWlasne(ksztalt, [this](const DRAWITEMSTRUCT& d) {
        FillRect(d.hDC, &d.rcItem, barwy_.at(d.hwndItem).pedzel.get());
    });
    return ksztalt;
}

HWND Okno::DodajObrazek(int x, int y, int szerokosc, int wysokosc, Bitmapa obraz,
                        std::function<void()> klik) {
    const HWND obrazek = CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY, x, y, szerokosc, wysokosc,
        hwnd_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(nastepny_id_++)),
        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(obrazek, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(obraz.get()));
    SetWindowPos(obrazek, nullptr, x, y, szerokosc, wysokosc, SWP_NOZORDER | SWP_NOACTIVATE);
    obrazy_[obrazek] = std::move(obraz);
    klikniecia_[obrazek] = std::move(klik);
    return obrazek;
}

HWND Okno::DodajRysunek(int x, int y, int szerokosc, int wysokosc, std::function<void(HDC)> rysuj) {
    const HWND rysunek = CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, x, y, szerokosc, wysokosc,
        hwnd_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(nastepny_id_++)),
        GetModuleHandleW(nullptr), nullptr);
    RysujWlasne(rysunek, [rysuj = std::move(rysuj)](const DRAWITEMSTRUCT& d) {
        FillRect(d.hDC, &d.rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        rysuj(d.hDC);
    });
    return rysunek;
}

void Okno::Wysrodkuj(HWND wzgledem) {
    RECT obszar{};
    if (wzgledem != nullptr) {
        GetWindowRect(wzgledem, &obszar);
    } else {
        obszar = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    RECT okno{};
    GetWindowRect(hwnd_.get(), &okno);
    const int szerokosc = okno.right - okno.left;
    const int wysokosc = okno.bottom - okno.top;
    const int x = obszar.left + (obszar.right - obszar.left - szerokosc) / 2;
    const int y = obszar.top + (obszar.bottom - obszar.top - wysokosc) / 2;
    SetWindowPos(hwnd_.get(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Okno::Pokaz(HWND wzgledem) {
    Wysrodkuj(wzgledem);
    ShowWindow(hwnd_.get(), SW_SHOW);
    app_.Chron([this] { OnPokazanie(); });
}

void Okno::PokazModalnie() {
    if (modalnie_) return;
    const HWND poprzednie = GetActiveWindow();
    std::vector<HWND> wylaczone;
    // Only the windows on screen: a hidden one disabled here would stay
    // disabled when it is later shown modally over this one.
    for (Okno* okno : app_.Okna()) {
        if (okno != this && okno->Uchwyt() != nullptr && IsWindowVisible(okno->Uchwyt()) &&
            IsWindowEnabled(okno->Uchwyt())) {
            EnableWindow(okno->Uchwyt(), FALSE);
            wylaczone.push_back(okno->Uchwyt());
        }
    }
    modalnie_ = true;
    const Okno* glowne = app_.Okna().empty() ? nullptr : app_.Okna().front();
    Wysrodkuj(glowne != nullptr && glowne != this ? glowne->Uchwyt() : nullptr);
    ShowWindow(hwnd_.get(), SW_SHOW);
    SetActiveWindow(hwnd_.get());
    app_.Chron([this] { OnPokazanie(); });
    MSG komunikat{};
    while (modalnie_) {
        const BOOL wynik = GetMessageW(&komunikat, nullptr, 0, 0);
        if (wynik <= 0) {
            // The program ends: leave the quit message for the outer loop.
            if (wynik == 0) PostQuitMessage(static_cast<int>(komunikat.wParam));
            modalnie_ = false;
            break;
        }
        app_.Przetworz(komunikat);
    }
    // Enabled again before hiding, so that Windows activates the owner.
    for (HWND h : wylaczone) EnableWindow(h, TRUE);
    ShowWindow(hwnd_.get(), SW_HIDE);
    if (poprzednie != nullptr && IsWindow(poprzednie)) SetActiveWindow(poprzednie);
}

void Okno::Zamknij() {
    SendMessageW(hwnd_.get(), WM_CLOSE, 0, 0);
}

}  // namespace pro::ui

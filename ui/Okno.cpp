#include "ui/Okno.h"

#include <cstddef>
#include <utility>

#include "platform/win32/PlatformaWin32.h"
#include "ui/Rysunki.h"

namespace pro::ui {
namespace {

// Commands of keys, above the controls' ids.
constexpr WORD PierwszyKlawisz = 0x8000;

}  // namespace

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
        podpowiedzi_.reset();  // owned by the window: gone before it
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
        okno->podpowiedzi_.release();  // destroyed with its owner
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
        case WM_COMMAND: OnPolecenie(w, l); return 0;
        case WM_NOTIFY: return OnPowiadomienie(*reinterpret_cast<const NMHDR*>(l));
        case WM_DRAWITEM: {
            const auto& rysunek = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
            const auto it = kontrolki_.find(rysunek.hwndItem);
            if (it == kontrolki_.end() || !it->second.rysuj) break;
            it->second.rysuj(rysunek);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLOREDIT:
            return OnKolorKontrolki(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
        case WM_CLOSE: OnZamknij(); return 0;
        case WM_ACTIVATE:
            if (OnAktywacja(w)) return 0;
            break;
        default: break;
    }
    return DefWindowProcW(hwnd_.get(), komunikat, w, l);
}

void Okno::OnPolecenie(WPARAM w, LPARAM l) {
    const auto kontrolka = reinterpret_cast<HWND>(l);
    // A copy of the action: it may add or remove controls and keys.
    std::function<void()> dzialanie;
    if (kontrolka == nullptr && HIWORD(w) == 1) {
        const std::size_t i = LOWORD(w) - PierwszyKlawisz;
        if (i < polecenia_.size()) dzialanie = polecenia_[i].dzialanie;
    } else if (kontrolka != nullptr && HIWORD(w) == BN_CLICKED) {
        const auto it = kontrolki_.find(kontrolka);
        if (it != kontrolki_.end()) dzialanie = it->second.klik;
    }
    if (dzialanie) dzialanie();
}

// This is no dialog, so nothing else remembers the focused control: left
// alone, an activated window takes the focus itself and its selected item
// shows as not selected.
bool Okno::OnAktywacja(WPARAM w) {
    if (LOWORD(w) == WA_INACTIVE) {
        const HWND fokus = GetFocus();
        if (fokus != nullptr && IsChild(hwnd_.get(), fokus)) fokus_ = fokus;
        return false;
    }
    const bool zminimalizowane = HIWORD(w) != 0;
    if (zminimalizowane || fokus_ == nullptr || !IsChild(hwnd_.get(), fokus_) ||
        !IsWindowVisible(fokus_) || !IsWindowEnabled(fokus_)) {
        return false;
    }
    SetFocus(fokus_);
    return true;
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
    const auto it = kontrolki_.find(kontrolka);
    if (it == kontrolki_.end() || !it->second.ma_barwy) {
        SetBkColor(dc, Bialy);
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    const Barwy& barwy = it->second.barwy;
    SetTextColor(dc, barwy.tekst);
    SetBkColor(dc, barwy.tlo);
    return reinterpret_cast<LRESULT>(barwy.pedzel.get());
}

void Okno::UstawBarwy(HWND kontrolka, COLORREF tekst, COLORREF tlo) {
    Kontrolka& k = kontrolki_[kontrolka];
    k.ma_barwy = true;
    k.barwy.tekst = tekst;
    k.barwy.tlo = tlo;
    k.barwy.pedzel.reset(CreateSolidBrush(tlo));
    InvalidateRect(kontrolka, nullptr, TRUE);
}

void Okno::RysujWlasne(HWND kontrolka, std::function<void(const DRAWITEMSTRUCT&)> rysuj) {
    kontrolki_[kontrolka].rysuj = std::move(rysuj);
}

HWND Okno::Utworz(const wchar_t* klasa, const std::wstring& tekst, DWORD styl, int x, int y,
                  int szerokosc, int wysokosc) {
    const HWND h = CreateWindowExW(0, klasa, tekst.c_str(), WS_CHILD | WS_VISIBLE | styl, x, y,
                                   szerokosc, wysokosc, hwnd_.get(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(nastepny_id_++)),
                                   GetModuleHandleW(nullptr), nullptr);
    kontrolki_.try_emplace(h);
    return h;
}

HWND Okno::DodajEtykiete(int x, int y, HFONT czcionka, const std::string& tekst, int szerokosc,
                         int wysokosc) {
    const HWND etykieta =
        Utworz(L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX, x, y, szerokosc, wysokosc);
    SendMessageW(etykieta, WM_SETFONT, reinterpret_cast<WPARAM>(czcionka), FALSE);
    Kontrolka& k = kontrolki_[etykieta];
    k.czcionka = czcionka;
    k.dopasuj = szerokosc == 0 && wysokosc == 0;
    UstawTekst(etykieta, tekst);
    return etykieta;
}

void Okno::UstawTekst(HWND etykieta, const std::string& tekst) {
    const std::wstring szeroki = Szeroki(tekst);
    SetWindowTextW(etykieta, szeroki.c_str());
    const auto it = kontrolki_.find(etykieta);
    if (it == kontrolki_.end() || !it->second.dopasuj) return;
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
    const HWND ksztalt =
        Utworz(L"STATIC", L"", WS_CLIPSIBLINGS | SS_OWNERDRAW, x, y, szerokosc, wysokosc);
    UstawBarwy(ksztalt, wypelnienie, wypelnienie);
    RysujWlasne(ksztalt, [this](const DRAWITEMSTRUCT& d) {
        FillRect(d.hDC, &d.rcItem, kontrolki_.at(d.hwndItem).barwy.pedzel.get());
    });
    return ksztalt;
}

HWND Okno::DodajPrzycisk(int x, int y, int szerokosc, int wysokosc, const std::string& nazwa,
                         Bitmapa obraz, const std::string& podpowiedz, std::function<void()> klik) {
    // A standard button, so that the system's accessibility proxies report a
    // push button named by its text; the picture is all it draws.
    const HWND przycisk =
        Utworz(L"BUTTON", Szeroki(nazwa), BS_OWNERDRAW, x, y, szerokosc, wysokosc);
    SetWindowLongPtrW(przycisk, GWLP_USERDATA,
                      SetWindowLongPtrW(przycisk, GWLP_WNDPROC,
                                        reinterpret_cast<LONG_PTR>(&Okno::PodklasaPrzycisku)));
    Kontrolka& k = kontrolki_[przycisk];
    k.obraz = std::move(obraz);
    k.klik = std::move(klik);
    k.rysuj = [this](const DRAWITEMSTRUCT& d) {
        PamiecioweDc zrodlo(CreateCompatibleDC(d.hDC));
        Wybor w(zrodlo.get(), kontrolki_.at(d.hwndItem).obraz.get());
        BitBlt(d.hDC, d.rcItem.left, d.rcItem.top, d.rcItem.right - d.rcItem.left,
               d.rcItem.bottom - d.rcItem.top, zrodlo.get(), 0, 0, SRCCOPY);
    };

    if (!podpowiedzi_) {
        podpowiedzi_.reset(
            CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0,
                            0, 0, 0, hwnd_.get(), nullptr, GetModuleHandleW(nullptr), nullptr));
    }
    std::wstring tekst = Szeroki(podpowiedz);
    TTTOOLINFOW narzedzie{};
    // The size comctl32 5 takes as well (without lpReserved).
    narzedzie.cbSize = static_cast<UINT>(offsetof(TTTOOLINFOW, lpReserved));
    narzedzie.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    narzedzie.hwnd = hwnd_.get();
    narzedzie.uId = reinterpret_cast<UINT_PTR>(przycisk);
    narzedzie.lpszText = tekst.data();
    SendMessageW(podpowiedzi_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&narzedzie));
    return przycisk;
}

// A click leaves the focus where it was. The button takes the focus for its
// press, and a button that loses it mid-press ends the press without a click
// (in what order a press takes the focus and the capture is the button's own
// business and has changed between Wine 8 and 10). So the focus goes back
// only when the press is over: the button lets go of the capture before it
// reports the click, whether the press ended on it, outside it, or was
// taken from it. The click's command then finds the focus where it was.
LRESULT CALLBACK Okno::PodklasaPrzycisku(HWND hwnd, UINT komunikat, WPARAM w, LPARAM l) {
    const auto pierwotna = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    auto* okno = reinterpret_cast<Okno*>(GetWindowLongPtrW(GetParent(hwnd), GWLP_USERDATA));
    if (komunikat == WM_SETFOCUS && okno != nullptr) {
        okno->przed_przyciskiem_ = reinterpret_cast<HWND>(w);
    }
    const LRESULT wynik = CallWindowProcW(pierwotna, hwnd, komunikat, w, l);
    if (komunikat == WM_CAPTURECHANGED && okno != nullptr && GetFocus() == hwnd) {
        const HWND przed = std::exchange(okno->przed_przyciskiem_, nullptr);
        const HWND forma = okno->hwnd_.get();
        if (przed != nullptr && (przed == forma || IsChild(forma, przed))) SetFocus(przed);
    }
    return wynik;
}

HWND Okno::DodajRysunek(int x, int y, int szerokosc, int wysokosc, std::function<void(HDC)> rysuj) {
    const HWND rysunek = Utworz(L"STATIC", L"", SS_OWNERDRAW, x, y, szerokosc, wysokosc);
    RysujWlasne(rysunek, [rysuj = std::move(rysuj)](const DRAWITEMSTRUCT& d) {
        FillRect(d.hDC, &d.rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        rysuj(d.hDC);
    });
    return rysunek;
}

void Okno::DodajKlawisz(WORD klawisz, BYTE modyfikatory, std::function<void()> dzialanie) {
    const auto id = static_cast<WORD>(PierwszyKlawisz + polecenia_.size());
    polecenia_.push_back(
        {{static_cast<BYTE>(FVIRTKEY | modyfikatory), klawisz, id}, std::move(dzialanie)});
    std::vector<ACCEL> tablica;
    for (const auto& p : polecenia_) tablica.push_back(p.klawisz);
    klawisze_.reset(CreateAcceleratorTableW(tablica.data(), static_cast<int>(tablica.size())));
}

bool Okno::Klawisz(MSG& komunikat) {
    return klawisze_ && TranslateAcceleratorW(hwnd_.get(), klawisze_.get(), &komunikat) != 0;
}

void Okno::Przygotuj() {
    if (przygotowane_) return;
    przygotowane_ = true;
    UtworzKontrolki();
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
    Przygotuj();
    Wysrodkuj(wzgledem);
    ShowWindow(hwnd_.get(), SW_SHOW);
    app_.Chron([this] { OnPokazanie(); });
}

void Okno::PokazModalnie() {
    if (modalnie_) return;
    Przygotuj();
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

#pragma once
// The window base: a static thunk binds `this` on WM_NCCREATE and forwards
// to Obsluz; fixed-size forms with a white client area; labels, shapes and
// images used as buttons; modal showing. No exception leaves a window
// procedure: the thunk hands it to the application's exception display.

#include <functional>
#include <map>
#include <string>

#include "ui/Aplikacja.h"
#include "ui/Uchwyty.h"

namespace pro::ui {

// Text of a window as UTF-8.
std::string TekstOkna(HWND okno);

class Okno {
public:
    explicit Okno(Aplikacja& aplikacja);
    Okno(const Okno&) = delete;
    Okno& operator=(const Okno&) = delete;
    virtual ~Okno();

    HWND Uchwyt() const { return hwnd_.get(); }

    // Shown non-modally, centred over `wzgledem` (the screen when null).
    void Pokaz(HWND wzgledem = nullptr);
    // Shown modally, centred over the main window: the program's other
    // windows are disabled until this one closes, then enabled and the
    // previously active one activated again.
    void PokazModalnie();
    bool PokazaneModalnie() const { return modalnie_; }
    // Closes the window as its title-bar button does.
    void Zamknij();

protected:
    struct Forma {
        const wchar_t* klasa;
        DWORD styl;
        int szerokosc, wysokosc;  // client area
        HWND wlasciciel = nullptr;
    };
    void UtworzForme(const Forma& forma);

    // A label at (x, y). With no size it fits its text (and refits on every
    // UstawTekst); with a size it keeps it and clips the text.
    HWND DodajEtykiete(int x, int y, HFONT czcionka, const std::string& tekst, int szerokosc = 0,
                       int wysokosc = 0);
    void UstawTekst(HWND etykieta, const std::string& tekst);
    // A rectangle without outline, filled with `wypelnienie`.
    HWND DodajKsztalt(int x, int y, int szerokosc, int wysokosc, COLORREF wypelnienie);
    // An image used as a button; `klik` runs on a click.
    HWND DodajObrazek(int x, int y, int szerokosc, int wysokosc, Bitmapa obraz,
                      std::function<void()> klik);
    // An image drawn by `rysuj` on a white background.
    HWND DodajRysunek(int x, int y, int szerokosc, int wysokosc, std::function<void(HDC)> rysuj);
    // Text and background colour of a label or a shape, or of a list's
    // background (WM_CTLCOLOR*).
    void UstawBarwy(HWND kontrolka, COLORREF tekst, COLORREF tlo);
    // Owner drawing of a control, routed by DRAWITEMSTRUCT::hwndItem.
    void RysujWlasne(HWND kontrolka, std::function<void(const DRAWITEMSTRUCT&)> rysuj);

    virtual LRESULT Obsluz(UINT komunikat, WPARAM w, LPARAM l);
    virtual LRESULT OnPowiadomienie(const NMHDR& naglowek);
    // The window has just been shown (each showing, not each activation).
    virtual void OnPokazanie() {}
    // WM_CLOSE: hides the window (and ends its modal showing).
    virtual void OnZamknij();

    Aplikacja& app_;

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT komunikat, WPARAM w, LPARAM l);
    LRESULT OnKolorKontrolki(HDC dc, HWND kontrolka);
    void Wysrodkuj(HWND wzgledem);

    struct Barwy {
        COLORREF tekst;
        COLORREF tlo;
        Pedzel pedzel;
    };
    struct Etykieta {
        HFONT czcionka;
        bool dopasuj;
    };
    UchwytOkna hwnd_;
    std::map<HWND, Barwy> barwy_;
    std::map<HWND, Etykieta> etykiety_;
    std::map<HWND, Bitmapa> obrazy_;
    std::map<HWND, std::function<void()>> klikniecia_;
    std::map<HWND, std::function<void(const DRAWITEMSTRUCT&)>> rysowanie_;
    int nastepny_id_ = 100;
    bool modalnie_ = false;
};

}  // namespace pro::ui

#pragma once
// The window base: a static thunk binds `this` on WM_NCCREATE and forwards
// to Obsluz; fixed-size forms with a white client area; labels, shapes,
// pictures and image buttons, each one record owned by its window; keys;
// modal showing. No exception leaves a window procedure: the thunk hands it
// to the application's exception display.

#include <functional>
#include <map>
#include <string>
#include <vector>

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

    // Makes the child controls, once: a hidden window gets them only when it
    // is first shown.
    void Przygotuj();
    // Shown non-modally, centred over `wzgledem` (the screen when null).
    void Pokaz(HWND wzgledem = nullptr);
    // Shown modally, centred over the main window: the program's other
    // windows are disabled until this one closes, then enabled and the
    // previously active one activated again.
    void PokazModalnie();
    bool PokazaneModalnie() const { return modalnie_; }
    // Closes the window as its title-bar button does.
    void Zamknij();
    // A key of this window (see DodajKlawisz): runs its action; false when
    // the message is no such key.
    bool Klawisz(MSG& komunikat);

protected:
    struct Forma {
        const wchar_t* klasa;
        DWORD styl;
        int szerokosc, wysokosc;  // client area
        HWND wlasciciel = nullptr;
    };
    void UtworzForme(const Forma& forma);
    // The child controls, made by Przygotuj.
    virtual void UtworzKontrolki() {}

    // A label at (x, y). With no size it fits its text (and refits on every
    // UstawTekst); with a size it keeps it and clips the text.
    HWND DodajEtykiete(int x, int y, HFONT czcionka, const std::string& tekst, int szerokosc = 0,
                       int wysokosc = 0);
    void UstawTekst(HWND etykieta, const std::string& tekst);
    // A rectangle without outline, filled with `wypelnienie`.
    HWND DodajKsztalt(int x, int y, int szerokosc, int wysokosc, COLORREF wypelnienie);
    // An image used as a button: a push button named `nazwa` for assistive
    // technology, drawn as `obraz`, with `podpowiedz` as its tooltip. Like
    // the picture it stands for it keeps no focus: Tab passes it by, and a
    // click gives the focus back once its press is over.
    HWND DodajPrzycisk(int x, int y, int szerokosc, int wysokosc, const std::string& nazwa,
                       Bitmapa obraz, const std::string& podpowiedz, std::function<void()> klik);
    // An image drawn by `rysuj` on a white background.
    HWND DodajRysunek(int x, int y, int szerokosc, int wysokosc, std::function<void(HDC)> rysuj);
    // Text and background colour of a label or a shape, or of a list's
    // background (WM_CTLCOLOR*).
    void UstawBarwy(HWND kontrolka, COLORREF tekst, COLORREF tlo);
    // Owner drawing of a control, routed by DRAWITEMSTRUCT::hwndItem.
    void RysujWlasne(HWND kontrolka, std::function<void(const DRAWITEMSTRUCT&)> rysuj);
    // A key (a virtual key with FCONTROL, FSHIFT, FALT) of this window while
    // it is active; it runs `dzialanie`, as a click does.
    void DodajKlawisz(WORD klawisz, BYTE modyfikatory, std::function<void()> dzialanie);
    // The control that takes the focus when the window is activated and no
    // control of it had the focus before.
    void UstawFokusPoczatkowy(HWND kontrolka) { fokus_ = kontrolka; }

    virtual LRESULT Obsluz(UINT komunikat, WPARAM w, LPARAM l);
    virtual LRESULT OnPowiadomienie(const NMHDR& naglowek);
    // The window has just been shown (each showing, not each activation).
    virtual void OnPokazanie() {}
    // WM_CLOSE: hides the window (and ends its modal showing).
    virtual void OnZamknij();

    Aplikacja& app_;

private:
    struct Barwy {
        COLORREF tekst;
        COLORREF tlo;
        Pedzel pedzel;
    };
    // One child control: what the window keeps of it.
    struct Kontrolka {
        HFONT czcionka = nullptr;
        bool dopasuj = false;  // a label that fits its text
        bool ma_barwy = false;
        Barwy barwy{};
        Bitmapa obraz;
        std::function<void()> klik;
        std::function<void(const DRAWITEMSTRUCT&)> rysuj;
    };
    struct Polecenie {
        ACCEL klawisz;
        std::function<void()> dzialanie;
    };

    static LRESULT CALLBACK Thunk(HWND hwnd, UINT komunikat, WPARAM w, LPARAM l);
    static LRESULT CALLBACK PodklasaPrzycisku(HWND hwnd, UINT komunikat, WPARAM w, LPARAM l);
    // A child control of the window, with its (empty) record.
    HWND Utworz(const wchar_t* klasa, const std::wstring& tekst, DWORD styl, int x, int y,
                int szerokosc, int wysokosc);
    LRESULT OnKolorKontrolki(HDC dc, HWND kontrolka);
    void OnPolecenie(WPARAM w, LPARAM l);
    bool OnAktywacja(WPARAM w);
    void Wysrodkuj(HWND wzgledem);

    UchwytOkna hwnd_;
    std::map<HWND, Kontrolka> kontrolki_;
    UchwytOkna podpowiedzi_;  // the tooltip window of the buttons
    std::vector<Polecenie> polecenia_;
    TablicaKlawiszy klawisze_;
    // The control that had the focus when the window was last deactivated.
    HWND fokus_ = nullptr;
    // The control that had the focus before a button's press took it.
    HWND przed_przyciskiem_ = nullptr;
    int nastepny_id_ = 100;
    bool przygotowane_ = false;
    bool modalnie_ = false;
};

}  // namespace pro::ui

#pragma once
// The legend window: what the pictures of the results tree mean.

#include "ui/Okno.h"

namespace pro::ui {

class TProOknoLeg : public Okno {
public:
    static constexpr const wchar_t* Klasa = L"TProOknoLeg";

    explicit TProOknoLeg(Aplikacja& aplikacja);

    HWND imZamknij = nullptr;
    HWND shTloNaglowek = nullptr;
    HWND lbTytul = nullptr;
    HWND imIkonaOk = nullptr;
    HWND imIkonaBrak = nullptr;
    HWND imIkonaApp = nullptr;
    HWND lbIkonaApp = nullptr;
    HWND lbIkonaOK = nullptr;
    HWND lbIkonaBrak = nullptr;

    void FormCreate();
    void imZamknijClick();

protected:
    void UtworzKontrolki() override;

private:
    HWND Ikona(int x, int y, int indeks);

    Czcionka verdana15_, tytulowa_;
    ListaObrazow ikony_;
};

}  // namespace pro::ui

#pragma once
// The legend window: what the pictures of the results tree mean.

#include "ui/Okno.h"

namespace pro::ui {

class TProOknoLeg : public Okno {
public:
    static constexpr const wchar_t* Klasa = L"TProOknoLeg";

    explicit TProOknoLeg(Aplikacja& aplikacja);

    HWND imZamknij = nullptr;

    void FormCreate();
    void imZamknijClick();
};

}  // namespace pro::ui

#pragma once
// The results window: the verdict tree of the ticked applications.

#include "ui/Okno.h"

namespace pro::ui {

class TProOknoWyn : public Okno {
public:
    static constexpr const wchar_t* Klasa = L"TProOknoWyn";

    explicit TProOknoWyn(Aplikacja& aplikacja);

    HWND imZamknij = nullptr;

    void FormCreate();
    void FormActivate();
    void imZamknijClick();

protected:
    void OnPokazanie() override { FormActivate(); }
};

}  // namespace pro::ui

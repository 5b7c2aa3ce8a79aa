#pragma once
// What the windows ask of the person at the machine: message boxes and the
// save dialog. The windows reach them only through this interface, so that
// a test can stand in for them; DialogiWin32 shows the real ones.

#include <windows.h>

#include <optional>
#include <string>

namespace pro::ui {

// The save-file dialog. `filtr` is in the "Opis|*.wzor|Opis|*.wzor" form.
struct ParametryZapisu {
    HWND wlasciciel = nullptr;  // the owner window; none for nullptr
    std::string nazwa_pliku;
    std::string filtr;
    int indeks_filtru = 1;  // 1-based, as in OPENFILENAME
};

class Dialogi {
public:
    virtual ~Dialogi() = default;
    // A message box owned by the active window, with MessageBox's flags;
    // returns the button pressed.
    virtual int Komunikat(const std::string& tekst, const std::string& tytul, UINT flagi) = 0;
    // The save-file dialog: the full path chosen, nullopt when cancelled.
    virtual std::optional<std::string> DialogZapisu(const ParametryZapisu& parametry) = 0;
};

class DialogiWin32 : public Dialogi {
public:
    int Komunikat(const std::string& tekst, const std::string& tytul, UINT flagi) override;
    std::optional<std::string> DialogZapisu(const ParametryZapisu& parametry) override;
};

}  // namespace pro::ui

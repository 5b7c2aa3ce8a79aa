#include "ui/Dialogi.h"

#include <commdlg.h>

#include "platform/win32/PlatformaWin32.h"
#include "platform/win32/leniwe/ZSystemu.h"

namespace pro::ui {

int DialogiWin32::Komunikat(const std::string& tekst, const std::string& tytul, UINT flagi) {
    return MessageBoxW(GetActiveWindow(), Szeroki(tekst).c_str(), Szeroki(tytul).c_str(), flagi);
}

std::optional<std::string> DialogiWin32::DialogZapisu(const ParametryZapisu& parametry) {
    // "Opis|*.a|Opis|*.b" becomes "Opis\0*.a\0Opis\0*.b\0\0".
    std::wstring filtr = Szeroki(parametry.filtr);
    for (wchar_t& z : filtr) {
        if (z == L'|') z = L'\0';
    }
    filtr.push_back(L'\0');
    filtr.push_back(L'\0');
    std::wstring plik = Szeroki(parametry.nazwa_pliku);
    plik.resize(32768, L'\0');

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = parametry.wlasciciel;
    ofn.lpstrFilter = filtr.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(parametry.indeks_filtru);
    ofn.lpstrFile = plik.data();
    ofn.nMaxFile = static_cast<DWORD>(plik.size());
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING |
                OFN_EXPLORER;
    ZaladujZawczasu(Droga::DialogZapisu);
    if (!GetSaveFileNameW(&ofn)) return std::nullopt;
    return Waski(plik.c_str());
}

}  // namespace pro::ui

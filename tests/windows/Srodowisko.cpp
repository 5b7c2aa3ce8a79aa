#include "Srodowisko.h"

#include <windows.h>

#include "platform/win32/PlatformaWin32.h"

namespace pro::testy {

std::string KatalogTestow() {
    PlatformaWin32 p;
    std::string sciezka = p.SciezkaProgramu();
    return sciezka.substr(0, sciezka.find_last_of('\\'));
}

bool PodEmulacja() {
    wchar_t tryb[16] = {};
    return sizeof(void*) == 4 && GetEnvironmentVariableW(L"PRO_WINE32_TRYB", tryb, 16) > 0 &&
           std::wstring(tryb) == L"emulacja";
}

}  // namespace pro::testy

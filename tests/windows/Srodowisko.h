#pragma once
// Where and how the Windows tests run.

#include <windows.h>

#include <string>

#include "platform/win32/PlatformaWin32.h"

namespace pro::testy {

// The folder of the running test program, without a trailing backslash.
inline std::string KatalogTestow() {
    PlatformaWin32 p;
    std::string sciezka = p.SciezkaProgramu();
    return sciezka.substr(0, sciezka.find_last_of('\\'));
}

// Whether this program runs as 32-bit code emulated by qemu (cmake/wine32.sh
// says so in PRO_WINE32_TRYB): every process start then costs seconds.
inline bool PodEmulacja() {
    wchar_t tryb[16] = {};
    return sizeof(void*) == 4 && GetEnvironmentVariableW(L"PRO_WINE32_TRYB", tryb, 16) > 0 &&
           std::wstring(tryb) == L"emulacja";
}

}  // namespace pro::testy

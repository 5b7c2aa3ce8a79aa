#include "platform/win32/leniwe/ZSystemu.h"

#include <string>

namespace pro {
namespace {

FARPROC Kernel32(const char* nazwa) {
    return GetProcAddress(GetModuleHandleW(L"kernel32.dll"), nazwa);
}

}  // namespace

HMODULE ZaladujZSystemu(const wchar_t* nazwa) {
    // The search flags exist where AddDllDirectory does.
    if (Kernel32("AddDllDirectory") != nullptr) {
        return LoadLibraryExW(nazwa, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    wchar_t folder[MAX_PATH];
    const UINT dlugosc = GetSystemDirectoryW(folder, MAX_PATH);
    if (dlugosc == 0 || dlugosc >= MAX_PATH) return nullptr;
    const std::wstring sciezka = std::wstring(folder, dlugosc) + L"\\" + nazwa;
    // Its own dependencies are looked for beside it, in the system folder.
    return LoadLibraryExW(sciezka.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void ZSystemuOdTeraz() {
    using Fn = BOOL(WINAPI*)(DWORD);
    if (const auto domyslne =
            reinterpret_cast<Fn>(reinterpret_cast<void*>(Kernel32("SetDefaultDllDirectories")))) {
        domyslne(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    SetDllDirectoryW(L"");
}

}  // namespace pro

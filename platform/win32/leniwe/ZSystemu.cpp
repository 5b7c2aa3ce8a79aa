#include "platform/win32/leniwe/ZSystemu.h"

#include <span>
#include <string>

namespace pro {
namespace {

FARPROC Kernel32(const char* nazwa) {
    return GetProcAddress(GetModuleHandleW(L"kernel32.dll"), nazwa);
}

// Found with Wine's loader trace (WINEDEBUG=+pid,+loaddll,+debugstr while the
// keyboard test walks every window, marking each step with
// OutputDebugString): what the program's process loads in each way beyond
// what it had, in the order loaded. The legend and the message boxes load
// nothing more. The DLLs the program binds itself (comctl32, msftedit,
// comdlg32, shell32) are here too: what they load by name comes after them.
constexpr const wchar_t* OknaWyboru[] = {L"imm32.dll", L"uxtheme.dll", L"comctl32.dll",
                                         L"msimg32.dll"};
constexpr const wchar_t* OknaWyniku[] = {L"msftedit.dll", L"oleaut32.dll", L"usp10.dll",
                                         L"riched20.dll"};
constexpr const wchar_t* DialoguZapisu[] = {L"shcore.dll",   L"shlwapi.dll",  L"shell32.dll",
                                            L"compstui.dll", L"winspool.drv", L"comdlg32.dll"};
constexpr const wchar_t* Adresu[] = {L"shcore.dll", L"shlwapi.dll", L"shell32.dll"};

std::span<const wchar_t* const> Dlle(Droga droga) {
    switch (droga) {
        case Droga::OknoWyboru: return OknaWyboru;
        case Droga::OknoWyniku: return OknaWyniku;
        case Droga::DialogZapisu: return DialoguZapisu;
        case Droga::Adres: return Adresu;
    }
    return {};
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

void ZaladujZawczasu(Droga droga) {
    // Kept loaded for the whole run: that is what the later loads find.
    static bool zaladowane[4] = {};
    bool& juz = zaladowane[static_cast<int>(droga)];
    if (juz) return;
    juz = true;
    for (const wchar_t* nazwa : Dlle(droga)) ZaladujZSystemu(nazwa);
}

}  // namespace pro

#include "app/BezOkna.h"

#include <windows.h>

#include <shellapi.h>

#include "catalogue/Katalog.h"
#include "catalogue/Polecenie.h"
#include "platform/win32/PlatformaWin32.h"

namespace {

// A program with a window has no console of its own: write to the one it was
// started from, or to wherever its output was redirected.
HANDLE Wyjscie(DWORD ktore) {
    HANDLE h = GetStdHandle(ktore);
    if (h != nullptr && h != INVALID_HANDLE_VALUE) return h;
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) {
        return nullptr;
    }
    h = GetStdHandle(ktore);
    if (h != nullptr && h != INVALID_HANDLE_VALUE) return h;
    h = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

void Wypisz(DWORD ktore, const std::string& tekst) {
    if (tekst.empty()) return;
    HANDLE h = Wyjscie(ktore);
    if (h == nullptr) return;
    DWORD tryb = 0;
    DWORD zapisane = 0;
    if (GetConsoleMode(h, &tryb)) {
        // A console shows UTF-16 text whatever its code page.
        const std::wstring w = pro::Szeroki(tekst);
        WriteConsoleW(h, w.data(), static_cast<DWORD>(w.size()), &zapisane, nullptr);
        return;
    }
    WriteFile(h, tekst.data(), static_cast<DWORD>(tekst.size()), &zapisane, nullptr);
}

}  // namespace

std::vector<std::string> ArgumentyProgramu() {
    int liczba = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &liczba);
    std::vector<std::string> argumenty;
    if (argv == nullptr) return argumenty;
    for (int i = 1; i < liczba; ++i) argumenty.push_back(pro::Waski(argv[i]));
    LocalFree(argv);
    return argumenty;
}

int UruchomBezOkna(const std::vector<std::string>& argumenty) {
    using namespace pro;
    const auto polecenie = ParsujPolecenie(argumenty, KatalogProgramu);
    if (const auto* blad = std::get_if<BladPolecenia>(&polecenie)) {
        Wypisz(STD_ERROR_HANDLE, "probierator: " + blad->komunikat + "\nOpis opcji: probierator.exe /?\n");
        return kod_wyjscia::ZleUzycie;
    }
    PlatformaWin32 platforma;
    const WynikPolecenia wynik =
        WykonajPolecenie(std::get<Polecenie>(polecenie), KatalogProgramu, platforma);
    Wypisz(STD_OUTPUT_HANDLE, wynik.wyjscie);
    Wypisz(STD_ERROR_HANDLE, wynik.bledy);
    return wynik.kod;
}

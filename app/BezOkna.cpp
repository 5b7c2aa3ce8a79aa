#include "app/BezOkna.h"

#include <windows.h>

#include "catalogue/Katalog.h"
#include "wyniki/Polecenie.h"
#include "platform/win32/PlatformaWin32.h"
#include "platform/win32/Znaczniki.h"

// msvcrt's own splitting of the command line into wide arguments, the one a
// wmain program gets; our main has only the narrow ones.
struct InfoStartu {
    int nowy_tryb;
};
extern "C" int __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** srodowisko, int wzorce,
                              InfoStartu* info);

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
    // Not CommandLineToArgvW: it would load shell32, which costs more under
    // Wine than the whole check. No wildcard expansion, as before.
    int liczba = 0;
    wchar_t** argv = nullptr;
    wchar_t** srodowisko = nullptr;
    InfoStartu info{0};
    std::vector<std::string> argumenty;
    if (__wgetmainargs(&liczba, &argv, &srodowisko, 0, &info) < 0 || argv == nullptr) {
        return argumenty;
    }
    for (int i = 1; i < liczba; ++i) argumenty.push_back(pro::Waski(argv[i]));
    return argumenty;
}

int UruchomBezOkna(const std::vector<std::string>& argumenty) {
    using namespace pro;
    const auto polecenie = ParsujPolecenie(argumenty, KatalogProgramu);
    znaczniki::Znacznik("polecenie");
    if (const auto* blad = std::get_if<BladPolecenia>(&polecenie)) {
        Wypisz(STD_ERROR_HANDLE,
               "probierator: " + blad->komunikat + "\nOpis opcji: probierator.exe /?\n");
        return kod_wyjscia::ZleUzycie;
    }
    PlatformaWin32 platforma;
    const WynikPolecenia wynik =
        WykonajPolecenie(std::get<Polecenie>(polecenie), KatalogProgramu, platforma);
    znaczniki::Znacznik("sprawdzenie");
    Wypisz(STD_OUTPUT_HANDLE, wynik.wyjscie);
    Wypisz(STD_ERROR_HANDLE, wynik.bledy);
    znaczniki::Znacznik("wypisane");
    znaczniki::Zapisz();
    return wynik.kod;
}

// A substitute "Excel.Application" for the tests as a local server (an exe
// that COM starts): excel_lokalny.exe TRYB LOG CLSID -Embedding. TRYB is
// "odpowiada" (answers "16.0"), "wersja_bez_odpowiedzi" (never returns from
// "Version") or "bez_rejestracji" (never registers its class object). Every
// start, "Version" and "Quit" adds a line to the file LOG, so a test can
// count probes and end the process by its id. A class id of each test's own:
// a server ended from outside leaves its registration behind in the prefix.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "ExcelZastepczy.h"

namespace {

// A safety net: a server that the test did not end ends itself.
constexpr DWORD NajdluzejMs = 300000;

std::wstring dziennik;
bool wersja_odpowiada = true;
DWORD watek_glowny = 0;

void Zapisz(const std::string& linia) {
    HANDLE h = CreateFileW(dziennik.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    const std::string tekst = linia + "\n";
    DWORD zapisane = 0;
    WriteFile(h, tekst.data(), static_cast<DWORD>(tekst.size()), &zapisane, nullptr);
    CloseHandle(h);
}

class Excel : public excel::Obiekt {
private:
    // The last object gone: the server ends.
    ~Excel() override { PostThreadMessageW(watek_glowny, WM_QUIT, 0, 0); }
    const wchar_t* Wersja() override {
        Zapisz("Version");
        if (!wersja_odpowiada) {
            Sleep(NajdluzejMs);
            ExitProcess(3);
        }
        return L"16.0";
    }
    void Quit() override { Zapisz("Quit"); }
};

class Fabryka : public excel::Fabryka {
    excel::Obiekt* Nowy() override { return new Excel; }
};

Fabryka fabryka;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int liczba = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &liczba);
    CLSID clsid{};
    if (argv == nullptr || liczba < 4 || FAILED(CLSIDFromString(argv[3], &clsid))) return 2;
    const std::wstring tryb = argv[1];
    dziennik = argv[2];
    watek_glowny = GetCurrentThreadId();
    Zapisz("start " + std::to_string(GetCurrentProcessId()));
    if (tryb == L"bez_rejestracji") {
        Sleep(NajdluzejMs);
        return 0;
    }
    wersja_odpowiada = tryb != L"wersja_bez_odpowiedzi";
    if (FAILED(CoInitialize(nullptr))) return 2;
    DWORD rejestracja = 0;
    if (FAILED(CoRegisterClassObject(clsid, &fabryka, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                     &rejestracja))) {
        CoUninitialize();
        return 2;
    }
    // Until the last object is released, or the safety net.
    SetTimer(nullptr, 0, NajdluzejMs, nullptr);
    MSG komunikat;
    while (GetMessageW(&komunikat, nullptr, 0, 0) > 0) {
        if (komunikat.message == WM_TIMER) break;
        DispatchMessageW(&komunikat);
    }
    CoRevokeClassObject(rejestracja);
    CoUninitialize();
    return 0;
}

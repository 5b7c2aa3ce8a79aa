#include "Proces.h"

namespace pro::testy {
namespace {

struct Potok {
    HANDLE czytaj = nullptr;
    HANDLE pisz = nullptr;
    Potok() {
        SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
        CreatePipe(&czytaj, &pisz, &sa, 0);
        SetHandleInformation(czytaj, HANDLE_FLAG_INHERIT, 0);
    }
    ~Potok() {
        if (czytaj) CloseHandle(czytaj);
        if (pisz) CloseHandle(pisz);
    }
    void ZamknijPisanie() {
        CloseHandle(pisz);
        pisz = nullptr;
    }
};

// Moves what the pipe holds now into `cel`, without waiting for more.
void Odbierz(HANDLE potok, std::string& cel) {
    DWORD dostepne = 0;
    while (PeekNamedPipe(potok, nullptr, 0, nullptr, &dostepne, nullptr) && dostepne > 0) {
        char bufor[4096];
        DWORD n = 0;
        if (!ReadFile(potok, bufor, dostepne < sizeof bufor ? dostepne : sizeof bufor, &n,
                      nullptr) ||
            n == 0) {
            return;
        }
        cel.append(bufor, n);
    }
}

}  // namespace

WynikProcesu Uruchom(const std::wstring& linia, DWORD ms) {
    Potok wyjscie, bledy;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = wyjscie.pisz;
    si.hStdError = bledy.pisz;
    PROCESS_INFORMATION pi{};
    std::wstring kopia = linia;
    WynikProcesu wynik;
    if (!CreateProcessW(nullptr, kopia.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                        &pi)) {
        return wynik;
    }
    wyjscie.ZamknijPisanie();
    bledy.ZamknijPisanie();
    // Polled in this thread: a process the child started (a COM server) may
    // hold the pipes on after the child's end, so their end is not waited for.
    const ULONGLONG koniec = GetTickCount64() + ms;
    bool zakonczony = false;
    while (!zakonczony && GetTickCount64() < koniec) {
        Odbierz(wyjscie.czytaj, wynik.wyjscie);
        Odbierz(bledy.czytaj, wynik.bledy);
        zakonczony = WaitForSingleObject(pi.hProcess, 10) == WAIT_OBJECT_0;
    }
    if (zakonczony) {
        GetExitCodeProcess(pi.hProcess, &wynik.kod);
    } else {
        // Ended by its own handle; the exit code stays 0xFFFFFFFF.
        TerminateProcess(pi.hProcess, 0xDEAD);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    // What it wrote before its end is in the pipes already.
    Odbierz(wyjscie.czytaj, wynik.wyjscie);
    Odbierz(bledy.czytaj, wynik.bledy);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return wynik;
}

std::vector<HANDLE> UruchomWiele(const std::vector<std::wstring>& linie) {
    std::vector<HANDLE> procesy;
    for (const auto& linia : linie) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::wstring kopia = linia;
        if (CreateProcessW(nullptr, kopia.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                           &pi)) {
            CloseHandle(pi.hThread);
            procesy.push_back(pi.hProcess);
        }
    }
    return procesy;
}

std::vector<DWORD> Czekaj(std::vector<HANDLE>& procesy, DWORD ms) {
    std::vector<DWORD> kody;
    for (HANDLE h : procesy) {
        DWORD kod = 0xFFFFFFFF;
        if (WaitForSingleObject(h, ms) == WAIT_OBJECT_0) GetExitCodeProcess(h, &kod);
        kody.push_back(kod);
        CloseHandle(h);
    }
    procesy.clear();
    return kody;
}

}  // namespace pro::testy

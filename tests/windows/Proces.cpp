#include "Proces.h"

#include <thread>

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

void CzytajWszystko(HANDLE h, std::string& cel) {
    char bufor[4096];
    DWORD n = 0;
    while (ReadFile(h, bufor, sizeof bufor, &n, nullptr) && n > 0) cel.append(bufor, n);
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
    std::thread czytelnik([&] { CzytajWszystko(bledy.czytaj, wynik.bledy); });
    CzytajWszystko(wyjscie.czytaj, wynik.wyjscie);
    czytelnik.join();
    if (WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0) {
        GetExitCodeProcess(pi.hProcess, &wynik.kod);
    } else {
        TerminateProcess(pi.hProcess, 0xDEAD);
    }
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

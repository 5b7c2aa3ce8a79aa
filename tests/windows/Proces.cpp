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

void CzytajWszystko(HANDLE h, std::string& cel) {
    char bufor[4096];
    DWORD n = 0;
    while (ReadFile(h, bufor, sizeof bufor, &n, nullptr) && n > 0) cel.append(bufor, n);
}

// Reads a pipe to its end in a thread of its own, so that the wait for the
// process keeps its bound.
class Czytelnik {
public:
    Czytelnik(HANDLE potok, std::string& cel) : potok_(potok), cel_(cel) {
        watek_ = CreateThread(nullptr, 0, &Czytelnik::Czytaj, this, 0, nullptr);
    }
    ~Czytelnik() {
        if (watek_ == nullptr) return;
        // A process the child started may hold the pipe on: stop reading.
        if (WaitForSingleObject(watek_, 5000) != WAIT_OBJECT_0) {
            CancelSynchronousIo(watek_);
            WaitForSingleObject(watek_, 5000);
        }
        CloseHandle(watek_);
    }
    Czytelnik(const Czytelnik&) = delete;
    Czytelnik& operator=(const Czytelnik&) = delete;

private:
    static DWORD WINAPI Czytaj(void* ja) {
        auto* c = static_cast<Czytelnik*>(ja);
        CzytajWszystko(c->potok_, c->cel_);
        return 0;
    }
    HANDLE potok_;
    std::string& cel_;
    HANDLE watek_ = nullptr;
};

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
    {
        const Czytelnik czytelnik_bledow(bledy.czytaj, wynik.bledy);
        const Czytelnik czytelnik_wyjscia(wyjscie.czytaj, wynik.wyjscie);
        if (WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0) {
            GetExitCodeProcess(pi.hProcess, &wynik.kod);
        } else {
            // Ended by its own handle; the exit code stays 0xFFFFFFFF.
            TerminateProcess(pi.hProcess, 0xDEAD);
            WaitForSingleObject(pi.hProcess, 5000);
        }
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

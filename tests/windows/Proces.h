#pragma once
// Bounded waits: a child process started, waited for and, past the bound,
// ended by its own handle (the one way the tests and the bench run a
// program), and a condition asked until it holds.

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace pro::testy {

// Where the child's standard handles go: ours, NUL, or pipes whose output
// the waits collect.
enum class Wyjscie { Dziedziczone, Nul, Zbierane };

struct OpcjeProcesu {
    Wyjscie wyjscie = Wyjscie::Dziedziczone;
    const wchar_t* folder = nullptr;  // its working folder; null: ours
    DWORD flagi = 0;                  // creation flags (a debugger's)
};

// One still running when its owner goes is ended.
class Proces {
public:
    // `linia` is the whole command line, program first.
    explicit Proces(std::wstring linia, OpcjeProcesu opcje = {}) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        HANDLE dla_niego[2] = {};  // ours to close once the child holds them
        if (opcje.wyjscie == Wyjscie::Zbierane) {
            for (int i = 0; i < 2; ++i) {
                CreatePipe(&potoki_[i], &dla_niego[i], nullptr, 0);
                SetHandleInformation(dla_niego[i], HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
            }
            si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
            si.hStdOutput = dla_niego[0];
            si.hStdError = dla_niego[1];
        } else if (opcje.wyjscie == Wyjscie::Nul) {
            SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
            dla_niego[0] =
                CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr);
            si.hStdInput = si.hStdOutput = si.hStdError = dla_niego[0];
        }
        const bool przekazuje = opcje.wyjscie != Wyjscie::Dziedziczone;
        if (przekazuje) si.dwFlags = STARTF_USESTDHANDLES;
        if (!CreateProcessW(nullptr, linia.data(), nullptr, nullptr, przekazuje, opcje.flagi,
                            nullptr, opcje.folder, &si, &pi_)) {
            pi_ = {};
        }
        for (HANDLE h : dla_niego) {
            if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
        }
    }
    Proces(const Proces&) = delete;
    Proces& operator=(const Proces&) = delete;
    ~Proces() {
        Zakoncz();
        for (HANDLE h : {pi_.hThread, pi_.hProcess, potoki_[0], potoki_[1]}) {
            if (h != nullptr) CloseHandle(h);
        }
    }

    bool Uruchomiony() const { return pi_.hProcess != nullptr; }
    HANDLE Uchwyt() const { return pi_.hProcess; }
    DWORD Id() const { return pi_.dwProcessId; }
    // Waits at most `ms` for its end, collecting its output meanwhile; true
    // when it has ended. It is left running otherwise.
    bool Zakonczony(DWORD ms) {
        if (!Uruchomiony()) return true;
        if (potoki_[0] == nullptr) return WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0;
        // Polled in this thread: a process the child started (a COM server) may
        // hold the pipes on after the child's end, so their end is not waited for.
        const ULONGLONG koniec = GetTickCount64() + ms;
        bool zakonczony = false;
        do {
            Odbierz();
            zakonczony = WaitForSingleObject(pi_.hProcess, 10) == WAIT_OBJECT_0;
        } while (!zakonczony && GetTickCount64() < koniec);
        Odbierz();  // what it wrote before its end is in the pipes already
        return zakonczony;
    }
    // Waits at most `ms` and ends it past that. Its exit code; 0xFFFFFFFF
    // when it had to be ended or did not start.
    DWORD Czekaj(DWORD ms) {
        if (Zakonczony(ms) && Uruchomiony()) {
            GetExitCodeProcess(pi_.hProcess, &kod_);
        } else {
            Zakoncz();
        }
        return kod_;
    }
    void Zakoncz() {
        if (!Uruchomiony() || WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0) return;
        TerminateProcess(pi_.hProcess, 0xDEAD);
        WaitForSingleObject(pi_.hProcess, 5000);
        Odbierz();
    }

    std::string wyjscie, bledy;  // what it wrote, with Wyjscie::Zbierane

private:
    // Moves what the pipes hold now into the texts, without waiting for more.
    void Odbierz() {
        std::string* cele[2] = {&wyjscie, &bledy};
        for (int i = 0; i < 2; ++i) {
            DWORD dostepne = 0, n = 0;
            char bufor[4096];
            while (potoki_[i] != nullptr &&
                   PeekNamedPipe(potoki_[i], nullptr, 0, nullptr, &dostepne, nullptr) &&
                   dostepne > 0 &&
                   ReadFile(potoki_[i], bufor, dostepne < sizeof bufor ? dostepne : sizeof bufor,
                            &n, nullptr) &&
                   n > 0) {
                cele[i]->append(bufor, n);
            }
        }
    }

    PROCESS_INFORMATION pi_{};
    HANDLE potoki_[2] = {};  // the reading ends of its output and its errors
    DWORD kod_ = 0xFFFFFFFF;
};

struct WynikProcesu {
    DWORD kod = 0xFFFFFFFF;
    std::string wyjscie;
    std::string bledy;
};

// Runs the command line to its end, at most `ms`, and collects its output.
inline WynikProcesu Uruchom(const std::wstring& linia, DWORD ms = 60000) {
    Proces proces(linia, {Wyjscie::Zbierane});
    const DWORD kod = proces.Czekaj(ms);
    return {kod, std::move(proces.wyjscie), std::move(proces.bledy)};
}

// Starts many at once without waiting; Czekaj waits for each at most `ms`
// and gives their exit codes.
inline std::deque<Proces> UruchomWiele(const std::vector<std::wstring>& linie) {
    std::deque<Proces> procesy;
    for (const auto& linia : linie) {
        if (!procesy.emplace_back(linia).Uruchomiony()) procesy.pop_back();
    }
    return procesy;
}
inline std::vector<DWORD> Czekaj(std::deque<Proces>& procesy, DWORD ms = 120000) {
    std::vector<DWORD> kody;
    for (Proces& proces : procesy) kody.push_back(proces.Czekaj(ms));
    procesy.clear();
    return kody;
}

// Asks `warunek` until it holds, at most `ms` (60 s: enough also where 32-bit
// code is emulated); whether it came to hold.
inline bool Czekaj(const std::function<bool()>& warunek, DWORD ms = 60000) {
    for (const ULONGLONG koniec = GetTickCount64() + ms; !warunek(); Sleep(50)) {
        if (GetTickCount64() > koniec) return false;
    }
    return true;
}

}  // namespace pro::testy

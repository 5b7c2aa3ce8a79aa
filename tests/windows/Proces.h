#pragma once
// A child process started, waited for within a bound and, past the bound,
// ended: the one way the tests and the bench run a program.

#include <windows.h>

#include <string>
#include <vector>

namespace pro::testy {

// Where the child's standard handles go: the parent's, NUL, or pipes whose
// output the waits collect.
enum class Wyjscie { Dziedziczone, Nul, Zbierane };

struct OpcjeProcesu {
    Wyjscie wyjscie = Wyjscie::Dziedziczone;
    const wchar_t* folder = nullptr;  // its working folder; null: this process's
    DWORD flagi = 0;                  // creation flags (a debugger's)
};

// Owns the child: one still running when its owner goes is ended by its own
// handle, never by name.
class Proces {
public:
    // `linia` is the whole command line, program first.
    explicit Proces(std::wstring linia, OpcjeProcesu opcje = {});
    Proces(Proces&& inny) noexcept;
    Proces& operator=(Proces&&) = delete;
    Proces(const Proces&) = delete;
    ~Proces();

    bool Uruchomiony() const { return pi_.hProcess != nullptr; }
    HANDLE Uchwyt() const { return pi_.hProcess; }
    DWORD Id() const { return pi_.dwProcessId; }

    // Waits at most `ms` for its end (collecting its output meanwhile); true
    // when it has ended. It is left running otherwise.
    bool Zakonczony(DWORD ms);
    // Waits at most `ms`; one that overran is ended. Its exit code,
    // 0xFFFFFFFF when it had to be ended or did not start.
    DWORD Czekaj(DWORD ms);
    void Zakoncz();

    // What it wrote, with Wyjscie::Zbierane.
    const std::string& Wyjscia() const { return wyjscie_; }
    const std::string& Bledy() const { return bledy_; }

private:
    void Odbierz();
    void Zamknij();

    PROCESS_INFORMATION pi_{};
    HANDLE potoki_[2] = {};  // the reading ends of its output and its errors
    std::string wyjscie_, bledy_;
    DWORD kod_ = 0xFFFFFFFF;
};

struct WynikProcesu {
    DWORD kod = 0xFFFFFFFF;
    std::string wyjscie;
    std::string bledy;
};

// Runs the command line to its end, at most `ms`, and collects its output.
WynikProcesu Uruchom(const std::wstring& linia, DWORD ms = 60000);

// Starts many at once without waiting; Czekaj waits for each at most `ms`
// and gives their exit codes.
std::vector<Proces> UruchomWiele(const std::vector<std::wstring>& linie);
std::vector<DWORD> Czekaj(std::vector<Proces>& procesy, DWORD ms = 120000);

}  // namespace pro::testy

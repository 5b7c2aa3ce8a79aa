#pragma once
// Runs a program as a child process and collects its output and exit code.

#include <windows.h>

#include <string>
#include <vector>

namespace pro::testy {

struct WynikProcesu {
    DWORD kod = 0xFFFFFFFF;
    std::string wyjscie;
    std::string bledy;
};

// `linia` is the whole command line, program first. Waits at most `ms`.
WynikProcesu Uruchom(const std::wstring& linia, DWORD ms = 60000);

// Starts many at once without waiting; Czekaj waits for all and gives their exit codes.
std::vector<HANDLE> UruchomWiele(const std::vector<std::wstring>& linie);
std::vector<DWORD> Czekaj(std::vector<HANDLE>& procesy, DWORD ms = 120000);

}  // namespace pro::testy

// Runs a command line N times and prints the median and the least wall time.
//
// Without /okno the time runs to the process's exit, and the largest peak
// working set of the started process is printed too. The working set is read
// while the process runs, in runs of its own: under Wine a process that has
// exited has no memory counters left (the query fails), and polling would
// slow the timed runs.
//
// With /okno the time runs from CreateProcess until the program's window is
// shown and the program waits for input (WaitForInputIdle): its window is
// filled and ready. The program is then ended.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD LimitMs = 60000;  // one run; a program that overruns it fails the measurement

struct Czas {
    LARGE_INTEGER czestotliwosc;
    LARGE_INTEGER start;
    Czas() {
        QueryPerformanceFrequency(&czestotliwosc);
        QueryPerformanceCounter(&start);
    }
    double Ms() const {
        LARGE_INTEGER teraz;
        QueryPerformanceCounter(&teraz);
        return 1000.0 * static_cast<double>(teraz.QuadPart - start.QuadPart) /
               static_cast<double>(czestotliwosc.QuadPart);
    }
};

BOOL CALLBACK CzyWidoczneOkno(HWND okno, LPARAM parametr) {
    auto* szukane = reinterpret_cast<std::pair<DWORD, bool>*>(parametr);
    DWORD pid = 0;
    GetWindowThreadProcessId(okno, &pid);
    if (pid != szukane->first || !IsWindowVisible(okno)) return TRUE;
    szukane->second = true;
    return FALSE;
}

bool MaWidoczneOkno(DWORD pid) {
    std::pair<DWORD, bool> szukane{pid, false};
    EnumWindows(CzyWidoczneOkno, reinterpret_cast<LPARAM>(&szukane));
    return szukane.second;
}

// Waits until the process shows a window and is idle; false if it ends first
// or takes longer than the limit.
bool CzekajNaOkno(const PROCESS_INFORMATION& pi, const Czas& czas) {
    while (czas.Ms() < LimitMs) {
        const DWORD idle = WaitForInputIdle(pi.hProcess, LimitMs);
        if (idle == WAIT_FAILED || idle == WAIT_TIMEOUT) return false;
        if (MaWidoczneOkno(pi.dwProcessId)) return true;
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) return false;
    }
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"pomiar.exe N [/okno] PROGRAM [ARGUMENTY...]\n");
        return 2;
    }
    const int powtorzenia = _wtoi(argv[1]);
    int pierwszy = 2;
    const bool okno = std::wstring(argv[2]) == L"/okno";
    if (okno) ++pierwszy;
    std::wstring linia;
    for (int i = pierwszy; i < argc; ++i) {
        if (i > pierwszy) linia += L' ';
        linia += L'"' + std::wstring(argv[i]) + L'"';
    }
    std::vector<double> czasy;
    SIZE_T szczyt = 0;
    HANDLE nul =
        CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    const int przebiegi_pamieci = okno ? 0 : 3;
    for (int i = 0; i < powtorzenia + przebiegi_pamieci; ++i) {
        const bool pamiec = i >= powtorzenia;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = nul;
        PROCESS_INFORMATION pi{};
        std::wstring kopia = linia;
        const Czas czas;
        if (!CreateProcessW(nullptr, kopia.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                            &pi)) {
            std::fwprintf(stderr, L"nie można uruchomić: %ls\n", linia.c_str());
            return 1;
        }
        bool w_czasie = true;
        if (okno) {
            w_czasie = CzekajNaOkno(pi, czas);
            czasy.push_back(czas.Ms());
            TerminateProcess(pi.hProcess, 0);
            WaitForSingleObject(pi.hProcess, LimitMs);
        } else if (pamiec) {
            // The peak only grows: its last reading before the exit is the peak.
            do {
                PROCESS_MEMORY_COUNTERS liczniki{};
                if (GetProcessMemoryInfo(pi.hProcess, &liczniki, sizeof liczniki)) {
                    szczyt = std::max(szczyt, liczniki.PeakWorkingSetSize);
                }
            } while (WaitForSingleObject(pi.hProcess, 1) == WAIT_TIMEOUT && czas.Ms() < LimitMs);
            w_czasie = czas.Ms() < LimitMs;
        } else {
            w_czasie = WaitForSingleObject(pi.hProcess, LimitMs) == WAIT_OBJECT_0;
            czasy.push_back(czas.Ms());
        }
        if (!w_czasie) {
            TerminateProcess(pi.hProcess, 0xDEAD);
            std::fwprintf(stderr, L"%ls: %ls w ciągu %lu ms\n", linia.c_str(),
                          okno ? L"okno nie pokazało się" : L"program nie zakończył się", LimitMs);
            return 1;
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(nul);
    std::sort(czasy.begin(), czasy.end());
    // The minimum too: on a busy machine it moves less than the median.
    std::printf("mediana_ms %.1f\nminimum_ms %.1f\n", czasy[czasy.size() / 2], czasy.front());
    if (!okno)
        std::printf("szczyt_zestawu_roboczego_kib %zu\n", static_cast<size_t>(szczyt / 1024));
    return 0;
}

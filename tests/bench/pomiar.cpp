// Runs a command line N times and prints the median wall time and the largest
// peak working set of the started process. The working set is read while the
// process runs, in runs of its own: under Wine a process that has exited has
// no memory counters left (the query fails), and polling would slow the timed
// runs.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"pomiar.exe N PROGRAM [ARGUMENTY...]\n");
        return 2;
    }
    const int powtorzenia = _wtoi(argv[1]);
    std::wstring linia;
    for (int i = 2; i < argc; ++i) {
        if (i > 2) linia += L' ';
        linia += L'"' + std::wstring(argv[i]) + L'"';
    }
    std::vector<double> czasy;
    SIZE_T szczyt = 0;
    LARGE_INTEGER czestotliwosc;
    QueryPerformanceFrequency(&czestotliwosc);
    HANDLE nul =
        CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    constexpr int przebiegi_pamieci = 3;
    for (int i = 0; i < powtorzenia + przebiegi_pamieci; ++i) {
        const bool pamiec = i >= powtorzenia;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = nul;
        PROCESS_INFORMATION pi{};
        std::wstring kopia = linia;
        LARGE_INTEGER start, koniec;
        QueryPerformanceCounter(&start);
        if (!CreateProcessW(nullptr, kopia.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                            &pi)) {
            std::fwprintf(stderr, L"nie można uruchomić: %ls\n", linia.c_str());
            return 1;
        }
        if (pamiec) {
            // The peak only grows: its last reading before the exit is the peak.
            do {
                PROCESS_MEMORY_COUNTERS liczniki{};
                if (GetProcessMemoryInfo(pi.hProcess, &liczniki, sizeof liczniki)) {
                    szczyt = std::max(szczyt, liczniki.PeakWorkingSetSize);
                }
            } while (WaitForSingleObject(pi.hProcess, 1) == WAIT_TIMEOUT);
        } else {
            WaitForSingleObject(pi.hProcess, INFINITE);
            QueryPerformanceCounter(&koniec);
            czasy.push_back(1000.0 * static_cast<double>(koniec.QuadPart - start.QuadPart) /
                            static_cast<double>(czestotliwosc.QuadPart));
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(nul);
    std::sort(czasy.begin(), czasy.end());
    std::printf("mediana_ms %.1f\nszczyt_zestawu_roboczego_kib %zu\n", czasy[czasy.size() / 2],
                static_cast<size_t>(szczyt / 1024));
    return 0;
}

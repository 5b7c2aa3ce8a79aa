// Runs a command line N times and prints the median wall time and the largest
// peak working set of the started process.
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
    for (int i = 0; i < powtorzenia; ++i) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
        si.hStdOutput = si.hStdError = nul;
        PROCESS_INFORMATION pi{};
        std::wstring kopia = linia;
        LARGE_INTEGER start, koniec;
        QueryPerformanceCounter(&start);
        if (!CreateProcessW(nullptr, kopia.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                            &si, &pi)) {
            std::fwprintf(stderr, L"nie można uruchomić: %ls\n", linia.c_str());
            return 1;
        }
        WaitForSingleObject(pi.hProcess, INFINITE);
        QueryPerformanceCounter(&koniec);
        PROCESS_MEMORY_COUNTERS pamiec{};
        if (GetProcessMemoryInfo(pi.hProcess, &pamiec, sizeof pamiec)) {
            szczyt = std::max(szczyt, pamiec.PeakWorkingSetSize);
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        CloseHandle(nul);
        czasy.push_back(1000.0 * static_cast<double>(koniec.QuadPart - start.QuadPart) /
                        static_cast<double>(czestotliwosc.QuadPart));
    }
    std::sort(czasy.begin(), czasy.end());
    std::printf("mediana_ms %.1f\nszczyt_zestawu_roboczego_kib %zu\n", czasy[czasy.size() / 2],
                static_cast<size_t>(szczyt / 1024));
    return 0;
}

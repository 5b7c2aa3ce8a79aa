// Runs a command line N times and prints the median and the least wall time;
// with /wobec, a second command line (the baseline) runs in turn with it, so
// both meet the same load of a busy machine, and the median of the ratios of
// each pair is printed too.
//
// Without /okno the time runs to the process's exit, and the largest peak
// working set of the first program is printed as well. The working set is
// read while the process runs, in runs of its own: under Wine a process that
// has exited has no memory counters left (the query fails), and polling would
// slow the timed runs.
//
// With /okno the time runs from CreateProcess until the program's window is
// shown and the program waits for input (WaitForInputIdle): its window is
// filled and ready. The program is then ended.
//
// With /znaczniki the programs are the bench builds that mark their start's
// steps (platform/win32/Znaczniki.h): each run's marks are read from the
// file it writes, as times from CreateProcess, and the median of each is
// printed per program ("znacznik 0|1 MS NAME", in the program's order).
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "../windows/OknoProcesu.h"

namespace {

constexpr DWORD LimitMs = 60000;  // one run; a program that overruns it fails the measurement

struct Czas {
    LARGE_INTEGER czestotliwosc;
    LARGE_INTEGER start;
    Czas() {
        QueryPerformanceFrequency(&czestotliwosc);
        QueryPerformanceCounter(&start);
    }
    // Since the start, of a counter read now or by another process.
    double Ms(LONGLONG licznik) const {
        return 1000.0 * static_cast<double>(licznik - start.QuadPart) /
               static_cast<double>(czestotliwosc.QuadPart);
    }
    double Ms() const {
        LARGE_INTEGER teraz;
        QueryPerformanceCounter(&teraz);
        return Ms(teraz.QuadPart);
    }
};

// The marks of one program's runs: each name's times, in the order the
// program marks them.
using Znaczniki = std::vector<std::pair<std::string, std::vector<double>>>;

// The file a bench build writes its marks to, named to it by the environment.
class PlikZnacznikow {
public:
    explicit PlikZnacznikow(int ktory) {
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        sciezka_ = std::wstring(folder) + L"znaczniki-" + std::to_wstring(GetCurrentProcessId()) +
                   L"-" + std::to_wstring(ktory) + L".txt";
    }
    ~PlikZnacznikow() { DeleteFileW(sciezka_.c_str()); }
    // Before a run: the next program writes here.
    void Przygotuj() const {
        DeleteFileW(sciezka_.c_str());
        SetEnvironmentVariableW(L"PROBIERATOR_ZNACZNIKI", sciezka_.c_str());
    }
    // After a run: waits a little for the file's last line, then adds its
    // marks; false when they did not come.
    bool Dodaj(const Czas& czas, Znaczniki& znaczniki) const {
        std::string tekst;
        for (int proba = 0; proba < 200; ++proba, Sleep(50)) {
            tekst = Czytaj();
            if (tekst.find("koniec\n") != std::string::npos) break;
        }
        if (tekst.find("koniec\n") == std::string::npos) return false;
        std::istringstream linie(tekst);
        LONGLONG licznik = 0;
        std::string nazwa;
        while (linie >> licznik >> nazwa) {
            auto it = std::find_if(znaczniki.begin(), znaczniki.end(),
                                   [&](const auto& z) { return z.first == nazwa; });
            if (it == znaczniki.end()) it = znaczniki.insert(znaczniki.end(), {nazwa, {}});
            it->second.push_back(czas.Ms(licznik));
        }
        return true;
    }

private:
    std::string Czytaj() const {
        const HANDLE plik = CreateFileW(sciezka_.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
        if (plik == INVALID_HANDLE_VALUE) return {};
        std::string tekst;
        char bufor[4096];
        DWORD n = 0;
        while (ReadFile(plik, bufor, sizeof bufor, &n, nullptr) && n > 0) tekst.append(bufor, n);
        CloseHandle(plik);
        return tekst;
    }

    std::wstring sciezka_;
};

// Waits until the process shows a window and is idle; false if it ends first
// or takes longer than the limit.
bool CzekajNaOkno(pro::testy::Proces& program, const Czas& czas) {
    while (czas.Ms() < LimitMs) {
        const DWORD idle = WaitForInputIdle(program.Uchwyt(), LimitMs);
        if (idle == WAIT_FAILED || idle == WAIT_TIMEOUT) return false;
        if (pro::testy::WidoczneOknoProcesu(program.Id()) != nullptr) return true;
        if (program.Zakonczony(1)) return false;
    }
    return false;
}

enum class Tryb { DoKonca, Okno, Pamiec };

// One run: its time in ms, or nothing when it could not start or overran
// the limit (then it is ended). Tryb::Pamiec raises `szczyt` to the peak.
// With `plik`, the run's marks are added to `znaczniki` before the program
// is ended.
std::optional<double> Przebieg(const std::wstring& linia, Tryb tryb, SIZE_T& szczyt,
                               const PlikZnacznikow* plik = nullptr,
                               Znaczniki* znaczniki = nullptr) {
    if (plik != nullptr) plik->Przygotuj();
    const Czas czas;
    pro::testy::Proces program(linia, {pro::testy::Wyjscie::Nul});
    if (!program.Uruchomiony()) {
        std::fwprintf(stderr, L"nie można uruchomić: %ls\n", linia.c_str());
        return std::nullopt;
    }
    bool w_czasie = true;
    double ms = 0;
    switch (tryb) {
        case Tryb::Okno:
            w_czasie = CzekajNaOkno(program, czas);
            ms = czas.Ms();
            if (w_czasie && plik != nullptr && !plik->Dodaj(czas, *znaczniki)) {
                std::fwprintf(stderr, L"%ls: brak znaczników\n", linia.c_str());
            }
            program.Zakoncz();
            break;
        case Tryb::Pamiec:
            // The peak only grows: its last reading before the exit is the peak.
            do {
                PROCESS_MEMORY_COUNTERS liczniki{};
                if (GetProcessMemoryInfo(program.Uchwyt(), &liczniki, sizeof liczniki)) {
                    szczyt = std::max(szczyt, liczniki.PeakWorkingSetSize);
                }
            } while (!program.Zakonczony(1) && czas.Ms() < LimitMs);
            w_czasie = czas.Ms() < LimitMs;
            break;
        case Tryb::DoKonca:
            w_czasie = program.Zakonczony(LimitMs);
            ms = czas.Ms();
            if (w_czasie && plik != nullptr && !plik->Dodaj(czas, *znaczniki)) {
                std::fwprintf(stderr, L"%ls: brak znaczników\n", linia.c_str());
            }
            break;
    }
    if (!w_czasie) {
        program.Zakoncz();
        std::fwprintf(stderr, L"%ls: %ls w ciągu %lu ms\n", linia.c_str(),
                      tryb == Tryb::Okno ? L"okno nie pokazało się" : L"program nie zakończył się",
                      LimitMs);
    }
    if (!w_czasie) return std::nullopt;
    return ms;
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr,
                      L"pomiar.exe N [/okno] [/znaczniki] PROGRAM [ARGUMENTY...] [/wobec "
                      L"WZORZEC [ARGUMENTY...]]\n");
        return 2;
    }
    const int powtorzenia = std::max(1, _wtoi(argv[1]));
    int i = 2;
    const bool okno = std::wstring(argv[i]) == L"/okno";
    if (okno) ++i;
    const bool z_znacznikami = i < argc && std::wstring(argv[i]) == L"/znaczniki";
    if (z_znacznikami) ++i;
    std::wstring linie[2];
    int ktora = 0;
    for (; i < argc; ++i) {
        if (ktora == 0 && std::wstring(argv[i]) == L"/wobec") {
            ktora = 1;
            continue;
        }
        if (!linie[ktora].empty()) linie[ktora] += L' ';
        linie[ktora] += L'"' + std::wstring(argv[i]) + L'"';
    }
    const bool wzorzec = !linie[1].empty();
    const Tryb tryb = okno ? Tryb::Okno : Tryb::DoKonca;
    std::vector<double> czasy[2];
    std::vector<double> stosunki;
    SIZE_T szczyt = 0;
    const PlikZnacznikow pliki[2] = {PlikZnacznikow(0), PlikZnacznikow(1)};
    Znaczniki znaczniki[2];
    const auto plik = [&](int ktory) { return z_znacznikami ? &pliki[ktory] : nullptr; };
    for (int n = 0; n < powtorzenia; ++n) {
        const auto t = Przebieg(linie[0], tryb, szczyt, plik(0), &znaczniki[0]);
        if (!t) return 1;
        czasy[0].push_back(*t);
        if (!wzorzec) continue;
        const auto w = Przebieg(linie[1], tryb, szczyt, plik(1), &znaczniki[1]);
        if (!w) return 1;
        czasy[1].push_back(*w);
        stosunki.push_back(*t / *w);
    }
    for (int n = 0; !okno && !z_znacznikami && n < 3; ++n) {
        if (!Przebieg(linie[0], Tryb::Pamiec, szczyt)) return 1;
    }
    // The minimum too: on a busy machine it moves less than the median.
    std::printf("mediana_ms %.1f\nminimum_ms %.1f\n", Mediana(czasy[0]),
                *std::min_element(czasy[0].begin(), czasy[0].end()));
    if (wzorzec) {
        std::printf("wzorzec_mediana_ms %.1f\nwzorzec_minimum_ms %.1f\nstosunek %.2f\n",
                    Mediana(czasy[1]), *std::min_element(czasy[1].begin(), czasy[1].end()),
                    Mediana(stosunki));
    }
    if (!okno && !z_znacznikami)
        std::printf("szczyt_zestawu_roboczego_kib %zu\n", static_cast<size_t>(szczyt / 1024));
    for (int ktory = 0; ktory < 2; ++ktory) {
        for (const auto& [nazwa, ms] : znaczniki[ktory]) {
            std::printf("znacznik %d %.1f %s\n", ktory, Mediana(ms), nazwa.c_str());
        }
    }
    return 0;
}

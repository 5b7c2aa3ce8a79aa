#pragma once
// Marks of the start's steps (QueryPerformanceCounter), for scripts/bench
// only. A build of its own takes them (PRO_ZNACZNIKI: the targets
// *_znaczniki); in the product every call below is empty and compiles to
// nothing. The marks go, when the program first waits for input (or ends
// without a window), to the file named by PROBIERATOR_ZNACZNIKI: a line
// "counter name" each, then "koniec".

#ifdef PRO_ZNACZNIKI
#include <windows.h>

#include <cstdio>
#endif

namespace pro::znaczniki {

#ifdef PRO_ZNACZNIKI

struct Chwila {
    LONGLONG licznik;
    const char* nazwa;
};
inline constexpr int Najwiecej = 48;
inline Chwila zebrane[Najwiecej];
inline int liczba = 0;
inline bool zapisane = false;

// `nazwa`: a word without spaces, a literal.
inline void Znacznik(const char* nazwa) {
    if (liczba == Najwiecej) return;
    LARGE_INTEGER teraz;
    QueryPerformanceCounter(&teraz);
    zebrane[liczba++] = {teraz.QuadPart, nazwa};
}

inline void Zapisz() {
    if (zapisane) return;
    zapisane = true;
    wchar_t sciezka[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"PROBIERATOR_ZNACZNIKI", sciezka, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    const HANDLE plik = CreateFileW(sciezka, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (plik == INVALID_HANDLE_VALUE) return;
    char tekst[Najwiecej * 64 + 16];  // a mark's name is short
    int dlugosc = 0;
    for (int i = 0; i < liczba; ++i) {
        dlugosc += std::snprintf(tekst + dlugosc, sizeof tekst - dlugosc, "%lld %s\n",
                                 zebrane[i].licznik, zebrane[i].nazwa);
    }
    dlugosc += std::snprintf(tekst + dlugosc, sizeof tekst - dlugosc, "koniec\n");
    DWORD zapisano = 0;
    WriteFile(plik, tekst, static_cast<DWORD>(dlugosc), &zapisano, nullptr);
    CloseHandle(plik);
}

// Before each wait for a message: the first time the queue is empty, the
// program is idle (what WaitForInputIdle waits for).
inline void PrzedCzekaniem() {
    if (zapisane || HIWORD(GetQueueStatus(QS_ALLINPUT)) != 0) return;
    Znacznik("bezczynnosc");
    Zapisz();
}

#else

inline void Znacznik(const char*) {}
inline void Zapisz() {}
inline void PrzedCzekaniem() {}

#endif

}  // namespace pro::znaczniki

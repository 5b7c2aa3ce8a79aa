#pragma once
// The first visible top-level window of a process (of a class, if given), or null.
#include <windows.h>

#include <functional>
#include <string>

#include "Proces.h"

namespace pro::testy {

struct SzukaneOkno {
    DWORD pid;
    const wchar_t* klasa;
    HWND okno = nullptr;
};

inline BOOL CALLBACK SprawdzOkno(HWND okno, LPARAM parametr) {
    auto* szukane = reinterpret_cast<SzukaneOkno*>(parametr);
    DWORD wlasciciel = 0;
    GetWindowThreadProcessId(okno, &wlasciciel);
    if (wlasciciel != szukane->pid || !IsWindowVisible(okno)) return TRUE;
    wchar_t klasa[64] = {};
    if (szukane->klasa != nullptr &&
        (GetClassNameW(okno, klasa, 64) == 0 || lstrcmpW(klasa, szukane->klasa) != 0)) {
        return TRUE;
    }
    szukane->okno = okno;
    return FALSE;
}

inline HWND WidoczneOknoProcesu(DWORD pid, const wchar_t* klasa = nullptr) {
    SzukaneOkno szukane{pid, klasa};
    EnumWindows(SprawdzOkno, reinterpret_cast<LPARAM>(&szukane));
    return szukane.okno;
}

// Starts the command line, hands its first visible window (null when none
// came within 60 s) to `sprawdz`, closes it and waits for the end. Returns the
// exit code; 0xFFFFFFFF when it could not start or had to be ended.
inline DWORD ZOknemProgramu(std::wstring linia, const std::function<void(HWND)>& sprawdz) {
    Proces program(std::move(linia));
    if (!program.Uruchomiony()) return 0xFFFFFFFF;
    HWND okno = nullptr;
    Czekaj([&] {
        return program.Zakonczony(0) || (okno = WidoczneOknoProcesu(program.Id())) != nullptr;
    });
    sprawdz(okno);
    if (okno != nullptr) PostMessageW(okno, WM_CLOSE, 0, 0);
    return program.Czekaj(30000);
}

}  // namespace pro::testy

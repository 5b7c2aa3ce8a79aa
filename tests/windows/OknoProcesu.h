#pragma once
// The first visible top-level window of a process, or null.
#include <windows.h>

namespace pro::testy {

struct SzukaneOkno {
    DWORD pid;
    HWND okno = nullptr;
};

inline BOOL CALLBACK SprawdzOkno(HWND okno, LPARAM parametr) {
    auto* szukane = reinterpret_cast<SzukaneOkno*>(parametr);
    DWORD wlasciciel = 0;
    GetWindowThreadProcessId(okno, &wlasciciel);
    if (wlasciciel != szukane->pid || !IsWindowVisible(okno)) return TRUE;
    szukane->okno = okno;
    return FALSE;
}

inline HWND WidoczneOknoProcesu(DWORD pid) {
    SzukaneOkno szukane{pid};
    EnumWindows(SprawdzOkno, reinterpret_cast<LPARAM>(&szukane));
    return szukane.okno;
}

}  // namespace pro::testy

#pragma once
// The first visible top-level window of a process (of a class, if given), or null.
#include <windows.h>

#include <functional>
#include <string>

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

// Waits up to 30 s for the process to end and releases its handles. Returns
// its exit code; 0xFFFFFFFF when it had to be ended.
inline DWORD KodPoZakonczeniu(PROCESS_INFORMATION& pi) {
    DWORD kod = 0xFFFFFFFF;
    if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(pi.hProcess, &kod);
    } else {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return kod;
}

// Starts the command line, hands its first visible window (null when none
// came within 60 s) to `sprawdz`, closes it and waits for the end. Returns the
// exit code; 0xFFFFFFFF when it could not start or had to be ended.
inline DWORD ZOknemProgramu(std::wstring linia, const std::function<void(HWND)>& sprawdz) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, linia.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        return 0xFFFFFFFF;
    }
    HWND okno = nullptr;
    for (int n = 0; n < 600 && okno == nullptr; ++n) {
        if (WaitForSingleObject(pi.hProcess, 100) == WAIT_OBJECT_0) break;
        okno = WidoczneOknoProcesu(pi.dwProcessId);
    }
    sprawdz(okno);
    if (okno != nullptr) PostMessageW(okno, WM_CLOSE, 0, 0);
    return KodPoZakonczeniu(pi);
}

}  // namespace pro::testy

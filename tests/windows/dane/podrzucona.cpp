// A DLL planted beside the program under a system DLL's name: if it is ever
// loaded, its entry leaves a mark, a file named as itself with ".slad" added.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE dll, DWORD powod, LPVOID) {
    if (powod != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t sciezka[MAX_PATH + 8];
    const DWORD dlugosc = GetModuleFileNameW(dll, sciezka, MAX_PATH);
    if (dlugosc == 0 || dlugosc >= MAX_PATH) return TRUE;
    lstrcatW(sciezka, L".slad");
    const HANDLE slad = CreateFileW(sciezka, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (slad != INVALID_HANDLE_VALUE) CloseHandle(slad);
    return TRUE;
}

// The floor of the overview: the least a program does to list a folder of
// result files and the folders directly inside it, and read every *.json
// file whole. Built like minimalny.cpp; scripts/bench-zestawienie times the
// overview against it.
//   minimalny_odczyt.exe FOLDER
#include <windows.h>

#include <string>

namespace {

char bufor[1 << 16];

// Reads the *.json files directly in `folder`; with `szkoly`, also those of
// each folder directly inside it (a link is not followed). The count of
// files read.
int Czytaj(const std::wstring& folder, bool szkoly) {
    WIN32_FIND_DATAW dane;
    HANDLE szukanie = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &dane,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (szukanie == INVALID_HANDLE_VALUE) return 0;
    int pliki = 0;
    do {
        const std::wstring nazwa = dane.cFileName;
        const std::wstring sciezka = folder + L"\\" + nazwa;
        if ((dane.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            if (szkoly && nazwa != L"." && nazwa != L".." &&
                (dane.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
                pliki += Czytaj(sciezka, false);
            }
            continue;
        }
        if (nazwa.size() < 5 || nazwa.compare(nazwa.size() - 5, 5, L".json") != 0) continue;
        HANDLE plik = CreateFileW(sciezka.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (plik == INVALID_HANDLE_VALUE) continue;
        DWORD przeczytane = 0;
        while (ReadFile(plik, bufor, sizeof bufor, &przeczytane, nullptr) && przeczytane > 0) {
        }
        CloseHandle(plik);
        ++pliki;
    } while (FindNextFileW(szukanie, &dane));
    FindClose(szukanie);
    return pliki;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc < 2) return 2;
    return Czytaj(__wargv[1], true) > 0 ? 0 : 1;
}

// Which DLLs the program maps, seen as its debugger: one load event per DLL,
// whether the loader maps it at start or the program loads it later.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>

#include "KatalogTymczasowy.h"
#include "OknoProcesu.h"
#include "Proces.h"
#include "Srodowisko.h"
#include "ZastepczyExcel.h"
#include "catalogue/Katalog.h"

#include <commctrl.h>

namespace pro {
namespace {

constexpr DWORD StatusWx86Breakpoint = 0x4000001F;

struct Przebieg {
    std::set<std::string> moduly;  // base names, lower case
    DWORD kod = 0xFFFFFFFF;
    DWORD wyjatek = 0;  // an exception the program did not handle
    bool zakonczony = false;
};

std::string NazwaBazowa(std::wstring sciezka) {
    sciezka = sciezka.substr(sciezka.find_last_of(L"\\/") + 1);
    std::string nazwa = Waski(sciezka);
    std::transform(nazwa.begin(), nazwa.end(), nazwa.begin(), [](char z) {
        return z >= 'A' && z <= 'Z' ? static_cast<char>(z - 'A' + 'a') : z;
    });
    return nazwa;
}

// The DLL's path from its file handle, else from the name the loader passes.
std::string NazwaModulu(HANDLE proces, const LOAD_DLL_DEBUG_INFO& dll) {
    wchar_t sciezka[MAX_PATH];
    const DWORD dlugosc =
        dll.hFile == nullptr
            ? 0
            : GetFinalPathNameByHandleW(dll.hFile, sciezka, MAX_PATH, FILE_NAME_NORMALIZED);
    if (dlugosc > 0 && dlugosc < MAX_PATH) return NazwaBazowa(sciezka);
    void* adres = nullptr;
    SIZE_T przeczytane = 0;
    if (dll.lpImageName == nullptr ||
        !ReadProcessMemory(proces, dll.lpImageName, &adres, sizeof adres, &przeczytane) ||
        adres == nullptr) {
        return {};
    }
    wchar_t nazwa[MAX_PATH] = {};
    if (dll.fUnicode == 0) return {};
    ReadProcessMemory(proces, adres, nazwa, sizeof nazwa - sizeof(wchar_t), &przeczytane);
    return NazwaBazowa(nazwa);
}

// Runs the command line as a debuggee until it ends, at most `ms`; its output
// goes to NUL. Started with the debugger's flag, and waited for through its
// debug events, not its handle: this thread must take them or it never ends.
Przebieg UruchomPodDebuggerem(const std::wstring& linia, DWORD ms = 60000) {
    Przebieg wynik;
    testy::Proces program(linia, {testy::Wyjscie::Nul, nullptr, DEBUG_ONLY_THIS_PROCESS});
    if (!program.Uruchomiony()) return wynik;
    const ULONGLONG koniec = GetTickCount64() + ms;
    while (!wynik.zakonczony) {
        const ULONGLONG teraz = GetTickCount64();
        DEBUG_EVENT z{};
        if (teraz >= koniec || !WaitForDebugEvent(&z, static_cast<DWORD>(koniec - teraz))) {
            // Ended before the debugger lets go: its end is a debug event
            // no one would take, so Zakoncz's wait would only run out.
            TerminateProcess(program.Uchwyt(), 0xDEAD);
            DebugActiveProcessStop(program.Id());
            break;
        }
        DWORD dalej = DBG_CONTINUE;
        switch (z.dwDebugEventCode) {
            case CREATE_PROCESS_DEBUG_EVENT:
                if (z.u.CreateProcessInfo.hFile) CloseHandle(z.u.CreateProcessInfo.hFile);
                break;
            case LOAD_DLL_DEBUG_EVENT:
                wynik.moduly.insert(NazwaModulu(program.Uchwyt(), z.u.LoadDll));
                if (z.u.LoadDll.hFile) CloseHandle(z.u.LoadDll.hFile);
                break;
            case EXCEPTION_DEBUG_EVENT: {
                const auto& w = z.u.Exception;
                // The loader's breakpoint (a 32-bit process on 64-bit Windows has two).
                const DWORD kod = w.ExceptionRecord.ExceptionCode;
                if (kod != EXCEPTION_BREAKPOINT && kod != StatusWx86Breakpoint) {
                    dalej = DBG_EXCEPTION_NOT_HANDLED;
                    if (!w.dwFirstChance) wynik.wyjatek = kod;
                }
                break;
            }
            case EXIT_PROCESS_DEBUG_EVENT:
                wynik.kod = z.u.ExitProcess.dwExitCode;
                wynik.zakonczony = true;
                break;
            default: break;
        }
        ContinueDebugEvent(z.dwProcessId, z.dwThreadId, dalej);
    }
    program.Czekaj(5000);
    return wynik;
}

// Under qemu no debugger can work: Wine's server reads and writes a
// debuggee's memory at its Windows addresses, and qemu keeps the emulated
// memory 4 KiB above them (the first page cannot be mapped), so the debuggee
// fails its start. There the loader's own log says the same, each DLL as it
// is mapped: Wine writes it to the standard error it inherited, which
// cmake/wine-test.sh keeps in the file PRO_WINE_BLEDY names.
Przebieg UruchomZDziennikiemLadowania(const std::wstring& linia, DWORD ms = 60000) {
    Przebieg wynik;
    char plik[MAX_PATH] = {};
    if (GetEnvironmentVariableA("PRO_WINE_BLEDY", plik, MAX_PATH) == 0) {
        ADD_FAILURE() << "PRO_WINE_BLEDY unset: run through cmake/wine-test.sh";
        return wynik;
    }
    std::string sciezka = std::string("Z:") + plik;
    std::replace(sciezka.begin(), sciezka.end(), '/', '\\');
    const std::size_t poczatek = testy::KatalogTymczasowy::Czytaj(sciezka).size();
    SetEnvironmentVariableW(L"WINEDEBUG", L"+loaddll");
    const auto proces = testy::Uruchom(linia, ms);
    SetEnvironmentVariableW(L"WINEDEBUG", L"-all");
    wynik.zakonczony = proces.kod != 0xFFFFFFFF;
    wynik.kod = proces.kod;
    if ((proces.kod & 0xF0000000u) == 0xC0000000u) wynik.wyjatek = proces.kod;
    std::istringstream dziennik(testy::KatalogTymczasowy::Czytaj(sciezka).substr(poczatek));
    for (std::string wiersz; std::getline(dziennik, wiersz);) {
        const auto od = wiersz.find(":loaddll:build_module Loaded L\"");
        if (od == std::string::npos) continue;
        const auto nazwa = wiersz.find('"', od) + 1;
        wynik.moduly.insert(
            NazwaBazowa(Szeroki(wiersz.substr(nazwa, wiersz.find('"', nazwa) - nazwa))));
    }
    std::printf("zastępczo: pod emulacją moduły z dziennika ładowania Wine, bez debuggera\n");
    return wynik;
}

Przebieg Uruchom(const std::wstring& linia) {
    return testy::PodEmulacja() ? UruchomZDziennikiemLadowania(linia) : UruchomPodDebuggerem(linia);
}

std::wstring Probierator(const std::wstring& opcje) {
    return L"\"" + Szeroki(testy::KatalogTestow()) + L"\\probierator.exe\" " + opcje;
}

std::string Lista(const std::set<std::string>& moduly) {
    std::string s;
    for (const auto& m : moduly) s += m + " ";
    return s;
}

// Windows' window, shell and COM DLLs, and what they bring with them under Wine.
const char* const ModulyOkienPowlokiCom[] = {
    "user32.dll",        "gdi32.dll",    "win32u.dll",   "imm32.dll",    "comctl32.dll",
    "comdlg32.dll",      "msimg32.dll",  "uxtheme.dll",  "msftedit.dll", "riched20.dll",
    "usp10.dll",         "shell32.dll",  "shlwapi.dll",  "shcore.dll",   "propsys.dll",
    "windowscodecs.dll", "ole32.dll",    "oleaut32.dll", "combase.dll",  "rpcrt4.dll",
    "actxprxy.dll",      "winspool.drv", "compstui.dll",
};

// The check of every application needs the registry and version resources
// only: an Excel registered is read, never created (this one in-process).
TEST(Moduly, SprawdzenieBezOknaNieLadujeOkienPowlokiAniCom) {
    testy::ZastepczyExcel excel(testy::ClsidDziala);
    const auto przebieg = Uruchom(Probierator(L"/aplikacje wszystkie /json -"));
    ASSERT_TRUE(przebieg.zakonczony);
    EXPECT_EQ(przebieg.wyjatek, 0u);
    EXPECT_EQ(przebieg.kod, 1u) << "no Excel server: not met";
    EXPECT_EQ(przebieg.moduly.count("excel_zastepczy.dll"), 0u);
    const std::string lista = Lista(przebieg.moduly);
    for (const char* potrzebny : {"kernel32.dll", "advapi32.dll", "version.dll", "msvcrt.dll"}) {
        EXPECT_EQ(przebieg.moduly.count(potrzebny), 1u) << potrzebny << " not seen in: " << lista;
    }
    std::set<std::string> zbedne;
    for (const char* m : ModulyOkienPowlokiCom) {
        if (przebieg.moduly.count(m)) zbedne.insert(m);
    }
    EXPECT_TRUE(zbedne.empty()) << "window, shell or COM DLLs: " << Lista(zbedne)
                                << "\nall: " << lista;
    std::printf("moduly: %s\n", lista.c_str());
}

// The windows' path through the lazily bound DLLs: the selection window is
// shown with every application listed, and closing it ends the program.
TEST(Moduly, OknoWyboruPokazaneIZamkniete) {
    const DWORD kod = testy::ZOknemProgramu(Probierator(L""), [](HWND okno) {
        EXPECT_NE(okno, nullptr) << "no window within 60 s";
        const HWND lista = FindWindowExW(okno, nullptr, WC_LISTVIEWW, nullptr);
        EXPECT_EQ(SendMessageW(lista, LVM_GETITEMCOUNT, 0, 0),
                  static_cast<LRESULT>(KatalogProgramu.Aplikacje.size()));
    });
    EXPECT_EQ(kod, 0u);
}

}  // namespace
}  // namespace pro

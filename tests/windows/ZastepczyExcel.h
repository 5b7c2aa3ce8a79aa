#pragma once
// The substitute "Excel.Application" automation server (excel/), registered
// for the tests that need one.

#include <windows.h>

#include <string>

#include "KluczTestowy.h"
#include "Srodowisko.h"
#include "platform/win32/PlatformaWin32.h"

namespace pro::testy {

const wchar_t* const ClsidDziala = L"{6A1F3E2C-7B55-4C1E-9F0A-2D6B7C8E9F01}";
const wchar_t* const ClsidBezWersji = L"{6A1F3E2C-7B55-4C1E-9F0A-2D6B7C8E9F02}";

// Registers the substitute server under "Excel.Application" for this
// process's registry view, and removes the registration afterwards.
class ZastepczyExcel {
public:
    explicit ZastepczyExcel(const wchar_t* clsid)
        : prog_id_(HKEY_LOCAL_MACHINE, L"Software\\Classes\\Excel.Application\\CLSID"),
          serwer_(HKEY_LOCAL_MACHINE,
                  std::wstring(L"Software\\Classes\\CLSID\\") + clsid + L"\\InprocServer32") {
        prog_id_.Tekst(L"", clsid);
        serwer_.Tekst(L"", Szeroki(KatalogTestow() + "\\excel_zastepczy.dll"));
        serwer_.Tekst(L"ThreadingModel", L"Apartment");
    }
    ~ZastepczyExcel() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\Excel.Application");
    }
    // A counter the loaded substitute exports ("LiczbaQuit", "LiczbaObiektow").
    static LONG Licznik(const char* nazwa) {
        HMODULE dll = GetModuleHandleW(L"excel_zastepczy.dll");
        if (dll == nullptr) return -1;
        using Fn = LONG(WINAPI*)();
        auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(dll, nazwa)));
        return fn ? fn() : -1;
    }

private:
    KluczTestowy prog_id_;
    KluczTestowy serwer_;
};

}  // namespace pro::testy

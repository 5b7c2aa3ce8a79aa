// A substitute "Excel.Application" for the tests: an in-process server whose
// IDispatch answers "Version" and counts "Quit". Two classes: one answers
// "14.0", the other fails the "Version" read.
#include "ExcelZastepczy.h"

namespace {

// {6A1F3E2C-7B55-4C1E-9F0A-2D6B7C8E9F01}
const CLSID ClsidDziala = {
    0x6a1f3e2c, 0x7b55, 0x4c1e, {0x9f, 0x0a, 0x2d, 0x6b, 0x7c, 0x8e, 0x9f, 0x01}};
// {6A1F3E2C-7B55-4C1E-9F0A-2D6B7C8E9F02}
const CLSID ClsidBezWersji = {
    0x6a1f3e2c, 0x7b55, 0x4c1e, {0x9f, 0x0a, 0x2d, 0x6b, 0x7c, 0x8e, 0x9f, 0x02}};

LONG liczba_quit = 0;
LONG liczba_obiektow = 0;
LONG blokady = 0;

class Excel : public excel::Obiekt {
public:
    explicit Excel(bool wersja) : wersja_(wersja) { InterlockedIncrement(&liczba_obiektow); }

private:
    ~Excel() override { InterlockedDecrement(&liczba_obiektow); }
    const wchar_t* Wersja() override { return wersja_ ? L"14.0" : nullptr; }
    void Quit() override { InterlockedIncrement(&liczba_quit); }
    bool wersja_;
};

class Fabryka : public excel::Fabryka {
public:
    explicit Fabryka(bool wersja) : wersja_(wersja) {}
    HRESULT STDMETHODCALLTYPE LockServer(BOOL blokuj) override {
        if (blokuj)
            InterlockedIncrement(&blokady);
        else
            InterlockedDecrement(&blokady);
        return S_OK;
    }

private:
    excel::Obiekt* Nowy() override { return new Excel(wersja_); }
    bool wersja_;
};

Fabryka fabryka_dziala(true);
Fabryka fabryka_bez_wersji(false);

}  // namespace

extern "C" {

HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** wynik) {
    if (IsEqualCLSID(clsid, ClsidDziala)) return fabryka_dziala.QueryInterface(iid, wynik);
    if (IsEqualCLSID(clsid, ClsidBezWersji)) return fabryka_bez_wersji.QueryInterface(iid, wynik);
    *wynik = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT __stdcall DllCanUnloadNow() {
    return liczba_obiektow == 0 && blokady == 0 ? S_OK : S_FALSE;
}

// For the tests: how many times "Quit" was called, and how many objects live.
LONG __stdcall LiczbaQuit() {
    return liczba_quit;
}
LONG __stdcall LiczbaObiektow() {
    return liczba_obiektow;
}
}

// A substitute "Excel.Application" for the tests: an in-process server whose
// IDispatch answers "Version" and counts "Quit". Two classes: one answers
// "14.0", the other fails the "Version" read.
#include <windows.h>

#include <oleauto.h>

namespace {

// {6A1F3E2C-7B55-4C1E-9F0A-2D6B7C8E9F01}
const CLSID ClsidDziala = {
    0x6a1f3e2c, 0x7b55, 0x4c1e, {0x9f, 0x0a, 0x2d, 0x6b, 0x7c, 0x8e, 0x9f, 0x01}};
// {6A1F3E2C-7B55-4C1E-9F0A-2D6B7C8E9F02}
const CLSID ClsidBezWersji = {
    0x6a1f3e2c, 0x7b55, 0x4c1e, {0x9f, 0x0a, 0x2d, 0x6b, 0x7c, 0x8e, 0x9f, 0x02}};

constexpr DISPID IdVersion = 1;
constexpr DISPID IdQuit = 2;

LONG liczba_quit = 0;
LONG liczba_obiektow = 0;
LONG blokady = 0;

class Excel : public IDispatch {
public:
    explicit Excel(bool wersja) : wersja_(wersja) { InterlockedIncrement(&liczba_obiektow); }
    virtual ~Excel() { InterlockedDecrement(&liczba_obiektow); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** wynik) override {
        if (wynik == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *wynik = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *wynik = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&ref_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG r = InterlockedDecrement(&ref_);
        if (r == 0) delete this;
        return static_cast<ULONG>(r);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* nazwy, UINT n, LCID,
                                            DISPID* ids) override {
        if (n != 1) return DISP_E_UNKNOWNNAME;
        if (lstrcmpiW(nazwy[0], L"Version") == 0) {
            ids[0] = IdVersion;
            return S_OK;
        }
        if (lstrcmpiW(nazwy[0], L"Quit") == 0) {
            ids[0] = IdQuit;
            return S_OK;
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID lcid, WORD flagi, DISPPARAMS* p,
                                     VARIANT* wynik, EXCEPINFO*, UINT*) override {
        if (id == IdVersion && (flagi & DISPATCH_PROPERTYGET) != 0) {
            if (!wersja_) return DISP_E_EXCEPTION;
            if (wynik == nullptr) return E_INVALIDARG;
            VariantInit(wynik);
            wynik->vt = VT_BSTR;
            wynik->bstrVal = SysAllocString(L"14.0");
            return S_OK;
        }
        if (id == IdQuit && (flagi & DISPATCH_METHOD) != 0) {
            if (p != nullptr && p->cArgs != 0) return DISP_E_BADPARAMCOUNT;
            if (lcid != 0x800) return DISP_E_UNKNOWNLCID;
            InterlockedIncrement(&liczba_quit);
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    LONG ref_ = 1;
    bool wersja_;
};

class Fabryka : public IClassFactory {
public:
    explicit Fabryka(bool wersja) : wersja_(wersja) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** wynik) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *wynik = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *wynik = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* zewn, REFIID iid, void** wynik) override {
        if (zewn != nullptr) return CLASS_E_NOAGGREGATION;
        Excel* obiekt = new Excel(wersja_);
        const HRESULT hr = obiekt->QueryInterface(iid, wynik);
        obiekt->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL blokuj) override {
        if (blokuj)
            InterlockedIncrement(&blokady);
        else
            InterlockedDecrement(&blokady);
        return S_OK;
    }

private:
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

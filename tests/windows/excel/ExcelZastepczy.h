#pragma once
// What the tests' substitutes of "Excel.Application" share: an IDispatch that
// knows the two names the probe uses, "Version" (a property) and "Quit" (a
// method without arguments, called with LOCALE_SYSTEM_DEFAULT), and its class
// factory. Each substitute says what the two do.
#include <windows.h>

#include <oleauto.h>

namespace excel {

class Obiekt : public IDispatch {
public:
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
            const wchar_t* wersja = Wersja();
            if (wersja == nullptr) return DISP_E_EXCEPTION;
            if (wynik == nullptr) return E_INVALIDARG;
            VariantInit(wynik);
            wynik->vt = VT_BSTR;
            wynik->bstrVal = SysAllocString(wersja);
            return S_OK;
        }
        if (id == IdQuit && (flagi & DISPATCH_METHOD) != 0) {
            if (p != nullptr && p->cArgs != 0) return DISP_E_BADPARAMCOUNT;
            if (lcid != 0x800) return DISP_E_UNKNOWNLCID;
            Quit();
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

protected:
    virtual ~Obiekt() = default;
    // The version text, or null for a read that fails.
    virtual const wchar_t* Wersja() = 0;
    virtual void Quit() = 0;

private:
    static constexpr DISPID IdVersion = 1;
    static constexpr DISPID IdQuit = 2;
    LONG ref_ = 1;
};

// A factory that lives as long as its module.
class Fabryka : public IClassFactory {
public:
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
        Obiekt* obiekt = Nowy();
        const HRESULT hr = obiekt->QueryInterface(iid, wynik);
        obiekt->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

protected:
    virtual ~Fabryka() = default;
    virtual Obiekt* Nowy() = 0;
};

}  // namespace excel

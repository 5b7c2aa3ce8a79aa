// A substitute "Excel.Application" for the tests as a local server (an exe
// that COM starts): excel_lokalny.exe TRYB LOG CLSID -Embedding. TRYB is
// "odpowiada" (answers "16.0"), "wersja_bez_odpowiedzi" (never returns from
// "Version") or "bez_rejestracji" (never registers its class object). Every
// start, "Version" and "Quit" adds a line to the file LOG, so a test can
// count probes and end the process by its id. A class id of each test's own:
// a server ended from outside leaves its registration behind in the prefix.
#include <windows.h>

#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>

#include <string>

namespace {

constexpr DISPID IdVersion = 1;
constexpr DISPID IdQuit = 2;
// A safety net: a server that the test did not end ends itself.
constexpr DWORD NajdluzejMs = 300000;

std::wstring dziennik;
bool wersja_odpowiada = true;
DWORD watek_glowny = 0;

void Zapisz(const std::string& linia) {
    HANDLE h = CreateFileW(dziennik.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    const std::string tekst = linia + "\n";
    DWORD zapisane = 0;
    WriteFile(h, tekst.data(), static_cast<DWORD>(tekst.size()), &zapisane, nullptr);
    CloseHandle(h);
}

class Excel : public IDispatch {
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
        if (r == 0) {
            delete this;
            // The last object gone: the server ends.
            PostThreadMessageW(watek_glowny, WM_QUIT, 0, 0);
        }
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
            Zapisz("Version");
            if (!wersja_odpowiada) {
                Sleep(NajdluzejMs);
                ExitProcess(3);
            }
            if (wynik == nullptr) return E_INVALIDARG;
            VariantInit(wynik);
            wynik->vt = VT_BSTR;
            wynik->bstrVal = SysAllocString(L"16.0");
            return S_OK;
        }
        if (id == IdQuit && (flagi & DISPATCH_METHOD) != 0) {
            if (p != nullptr && p->cArgs != 0) return DISP_E_BADPARAMCOUNT;
            if (lcid != 0x800) return DISP_E_UNKNOWNLCID;
            Zapisz("Quit");
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    virtual ~Excel() = default;
    LONG ref_ = 1;
};

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
        Excel* obiekt = new Excel;
        const HRESULT hr = obiekt->QueryInterface(iid, wynik);
        obiekt->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Fabryka fabryka;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int liczba = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &liczba);
    CLSID clsid{};
    if (argv == nullptr || liczba < 4 || FAILED(CLSIDFromString(argv[3], &clsid))) return 2;
    const std::wstring tryb = argv[1];
    dziennik = argv[2];
    watek_glowny = GetCurrentThreadId();
    Zapisz("start " + std::to_string(GetCurrentProcessId()));
    if (tryb == L"bez_rejestracji") {
        Sleep(NajdluzejMs);
        return 0;
    }
    wersja_odpowiada = tryb != L"wersja_bez_odpowiedzi";
    if (FAILED(CoInitialize(nullptr))) return 2;
    DWORD rejestracja = 0;
    if (FAILED(CoRegisterClassObject(clsid, &fabryka, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                     &rejestracja))) {
        CoUninitialize();
        return 2;
    }
    // Until the last object is released, or the safety net.
    SetTimer(nullptr, 0, NajdluzejMs, nullptr);
    MSG komunikat;
    while (GetMessageW(&komunikat, nullptr, 0, 0) > 0) {
        if (komunikat.message == WM_TIMER) break;
        DispatchMessageW(&komunikat);
    }
    CoRevokeClassObject(rejestracja);
    CoUninitialize();
    return 0;
}

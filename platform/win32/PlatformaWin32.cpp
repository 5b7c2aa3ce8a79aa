#include "platform/win32/PlatformaWin32.h"

#include <oleauto.h>
#include <shellapi.h>

#include "platform/Tekst.h"
#include "platform/win32/leniwe/ZSystemu.h"

namespace pro {
namespace {

// An export of an already loaded system DLL, looked up by name at the time
// of the call.
template <typename Fn>
Fn Eksport(const wchar_t* modul, const char* nazwa) {
    HMODULE uchwyt = GetModuleHandleW(modul);
    if (uchwyt == nullptr) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(uchwyt, nazwa)));
}

template <typename Fn>
Fn Kernel32(const char* nazwa) {
    return Eksport<Fn>(L"kernel32.dll", nazwa);
}

// The fields the program reads; suite and product type only from the
// extended record.
RekordWersji ZRekordu(const OSVERSIONINFOEXW& info, bool rozszerzony) {
    RekordWersji rekord;
    rekord.major = info.dwMajorVersion;
    rekord.minor = info.dwMinorVersion;
    rekord.build = info.dwBuildNumber;
    rekord.platforma = info.dwPlatformId;
    for (const wchar_t* z = info.szCSDVersion; *z != 0 && z < info.szCSDVersion + 128; ++z) {
        rekord.csd += static_cast<char16_t>(*z);
    }
    if (rozszerzony) {
        rekord.suite = info.wSuiteMask;
        rekord.typ_produktu = info.wProductType;
    }
    return rekord;
}

HKEY OtworzZDostepem(Korzen korzen, const std::string& sciezka, REGSAM dostep) {
    HKEY klucz = nullptr;
    if (RegOpenKeyExW(korzen == Korzen::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CLASSES_ROOT,
                      Szeroki(sciezka).c_str(), 0, dostep, &klucz) != ERROR_SUCCESS) {
        return nullptr;
    }
    return klucz;
}

InfoProcesora ZInfo(const SYSTEM_INFO& si) {
    return InfoProcesora{si.wProcessorArchitecture, si.dwNumberOfProcessors};
}

// Owns a BSTR or a VARIANT for the length of a call.
struct Wariant {
    VARIANT v;
    Wariant() { VariantInit(&v); }
    ~Wariant() { VariantClear(&v); }
    Wariant(const Wariant&) = delete;
    Wariant& operator=(const Wariant&) = delete;
};

std::optional<DISPID> IdNazwy(IDispatch* obiekt, const std::wstring& nazwa) {
    std::wstring w = nazwa;
    LPOLESTR nazwy[] = {w.data()};
    DISPID id = 0;
    if (FAILED(obiekt->GetIDsOfNames(IID_NULL, nazwy, 1, LOCALE_SYSTEM_DEFAULT, &id))) {
        return std::nullopt;
    }
    return id;
}

// These run in the automation thread, on objects of its apartment.
std::optional<std::string> Wlasnosc(IDispatch* obiekt, const std::wstring& nazwa) {
    const auto id = IdNazwy(obiekt, nazwa);
    if (!id) return std::nullopt;
    DISPPARAMS bez_argumentow{};
    Wariant wynik;
    if (FAILED(obiekt->Invoke(*id, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_PROPERTYGET,
                              &bez_argumentow, &wynik.v, nullptr, nullptr))) {
        return std::nullopt;
    }
    if (FAILED(VariantChangeType(&wynik.v, &wynik.v, 0, VT_BSTR))) return std::nullopt;
    if (wynik.v.bstrVal == nullptr) return std::string();
    return Waski(std::wstring(wynik.v.bstrVal, SysStringLen(wynik.v.bstrVal)));
}

bool Metoda(IDispatch* obiekt, const std::wstring& nazwa) {
    const auto id = IdNazwy(obiekt, nazwa);
    if (!id) return false;
    DISPPARAMS bez_argumentow{};
    return SUCCEEDED(obiekt->Invoke(*id, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_METHOD,
                                    &bez_argumentow, nullptr, nullptr, nullptr));
}

DWORD LimitZeSrodowiska() {
    wchar_t tekst[16] = {};
    const DWORD dlugosc = GetEnvironmentVariableW(ZmiennaLimituSondy, tekst, 16);
    if (dlugosc == 0 || dlugosc >= 16) return LimitSondyMs;
    DWORD ms = 0;
    for (const wchar_t* z = tekst; *z != 0; ++z) {
        if (*z < L'0' || *z > L'9') return LimitSondyMs;
        ms = ms * 10 + static_cast<DWORD>(*z - L'0');
        if (ms > LimitSondyMs) return LimitSondyMs;
    }
    return ms == 0 ? LimitSondyMs : ms;
}

// Closes a file handle when it goes out of scope.
class Plik {
public:
    explicit Plik(HANDLE h) : h_(h) {}
    Plik(const Plik&) = delete;
    Plik& operator=(const Plik&) = delete;
    ~Plik() { Zamknij(); }
    HANDLE get() const { return h_; }
    bool Poprawny() const { return h_ != INVALID_HANDLE_VALUE; }
    bool Zamknij() {
        if (h_ == INVALID_HANDLE_VALUE) return true;
        const bool ok = CloseHandle(h_) != FALSE;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

SYSTEMTIME ZCzasu(const CzasLokalny& c) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(c.rok);
    st.wMonth = static_cast<WORD>(c.miesiac);
    st.wDay = static_cast<WORD>(c.dzien);
    st.wHour = static_cast<WORD>(c.godzina);
    st.wMinute = static_cast<WORD>(c.minuta);
    st.wSecond = static_cast<WORD>(c.sekunda);
    return st;
}

}  // namespace

std::wstring Szeroki(const std::string& tekst) {
    const std::u16string w = Utf16(tekst);
    return std::wstring(w.begin(), w.end());
}

std::string Waski(const std::wstring& tekst) {
    return Utf8(std::u16string(tekst.begin(), tekst.end()));
}

// --- Registry ---------------------------------------------------------------

KluczRejestru PlatformaWin32::OtworzKlucz(Korzen korzen, const std::string& sciezka) {
    return Wydaj<RodzajKlucza>(OtworzZDostepem(korzen, sciezka, KEY_READ));
}

KluczRejestru PlatformaWin32::OtworzKlucz64(Korzen korzen, const std::string& sciezka) {
    return Wydaj<RodzajKlucza>(OtworzZDostepem(korzen, sciezka, KEY_READ | KEY_WOW64_64KEY));
}

std::optional<InfoWartosci> PlatformaWin32::ZapytajWartosc(const KluczRejestru& klucz,
                                                           const std::string& nazwa) {
    DWORD typ = 0;
    DWORD rozmiar = 0;
    if (RegQueryValueExW(Jako<HKEY>(klucz), Szeroki(nazwa).c_str(), nullptr, &typ, nullptr,
                         &rozmiar) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return InfoWartosci{typ, rozmiar};
}

std::optional<std::vector<std::uint8_t>> PlatformaWin32::CzytajWartosc(const KluczRejestru& klucz,
                                                                       const std::string& nazwa,
                                                                       std::uint32_t rozmiar) {
    std::vector<std::uint8_t> dane(rozmiar);
    DWORD przeczytane = rozmiar;
    if (RegQueryValueExW(Jako<HKEY>(klucz), Szeroki(nazwa).c_str(), nullptr, nullptr, dane.data(),
                         &przeczytane) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    dane.resize(przeczytane);
    return dane;
}

void PlatformaWin32::Zwolnij(const KluczRejestru& klucz) {
    RegCloseKey(Jako<HKEY>(klucz));
}

std::string PlatformaWin32::RozwinZmienne(const std::string& tekst) {
    const std::wstring zrodlo = Szeroki(tekst);
    // The size asked first, then filled; a variable may change in between.
    for (int proba = 0; proba < 2; ++proba) {
        const DWORD potrzeba = ExpandEnvironmentStringsW(zrodlo.c_str(), nullptr, 0);
        if (potrzeba == 0) return tekst;
        std::wstring wynik(potrzeba, L'\0');
        const DWORD dlugosc = ExpandEnvironmentStringsW(zrodlo.c_str(), wynik.data(), potrzeba);
        if (dlugosc == 0) return tekst;
        if (dlugosc <= potrzeba) return Waski(wynik.c_str());
    }
    return tekst;
}

// --- Files ------------------------------------------------------------------

bool PlatformaWin32::PlikIstnieje(const std::string& sciezka) {
    const DWORD atrybuty = GetFileAttributesW(Szeroki(sciezka).c_str());
    return atrybuty != INVALID_FILE_ATTRIBUTES && (atrybuty & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::uint32_t PlatformaWin32::RozmiarInfoWersji(const std::string& sciezka) {
    DWORD uchwyt = 0;
    return GetFileVersionInfoSizeW(Szeroki(sciezka).c_str(), &uchwyt);
}

std::optional<std::vector<std::uint8_t>> PlatformaWin32::CzytajInfoWersji(
    const std::string& sciezka, std::uint32_t rozmiar) {
    std::vector<std::uint8_t> info(rozmiar);
    if (!GetFileVersionInfoW(Szeroki(sciezka).c_str(), 0, rozmiar, info.data())) {
        return std::nullopt;
    }
    return info;
}

std::optional<StalyBlokWersji> PlatformaWin32::StalyBlok(const std::vector<std::uint8_t>& info) {
    std::vector<std::uint8_t> kopia = info;  // VerQueryValue wants a writable block
    void* blok = nullptr;
    UINT dlugosc = 0;
    if (kopia.empty() || !VerQueryValueW(kopia.data(), L"\\", &blok, &dlugosc) || blok == nullptr ||
        dlugosc < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    const auto* staly = static_cast<const VS_FIXEDFILEINFO*>(blok);
    return StalyBlokWersji{staly->dwFileVersionMS, staly->dwFileVersionLS};
}

// --- System facts -----------------------------------------------------------

std::string PlatformaWin32::KatalogSystemowy() {
    wchar_t bufor[MAX_PATH] = {};
    const UINT dlugosc = GetSystemDirectoryW(bufor, MAX_PATH);
    if (dlugosc == 0 || dlugosc >= MAX_PATH) return {};
    return Waski(std::wstring(bufor, dlugosc));
}

std::string PlatformaWin32::SciezkaProgramu() {
    std::wstring bufor(MAX_PATH, L'\0');
    for (;;) {
        const DWORD dlugosc =
            GetModuleFileNameW(nullptr, bufor.data(), static_cast<DWORD>(bufor.size()));
        if (dlugosc == 0) return {};
        if (dlugosc < bufor.size()) return Waski(bufor.substr(0, dlugosc));
        bufor.resize(bufor.size() * 2);
    }
}

std::optional<RekordWersji> PlatformaWin32::WersjaSystemu(bool rozszerzony) {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = rozszerzony ? sizeof(OSVERSIONINFOEXW) : sizeof(OSVERSIONINFOW);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) return std::nullopt;
    return ZRekordu(info, rozszerzony);
}

std::optional<RekordWersji> PlatformaWin32::PrawdziwaWersja() {
    using Fn = LONG(WINAPI*)(OSVERSIONINFOEXW*);  // NTSTATUS RtlGetVersion
    const auto prawdziwa = Eksport<Fn>(L"ntdll.dll", "RtlGetVersion");
    if (prawdziwa == nullptr) return std::nullopt;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (prawdziwa(&info) != 0) return std::nullopt;  // not STATUS_SUCCESS
    return ZRekordu(info, true);
}

InfoProcesora PlatformaWin32::InfoSystemu() {
    SYSTEM_INFO si{};
    GetSystemInfo(&si);
    return ZInfo(si);
}

std::optional<InfoProcesora> PlatformaWin32::NatywneInfoSystemu() {
    using Fn = void(WINAPI*)(SYSTEM_INFO*);
    const auto natywne = Kernel32<Fn>("GetNativeSystemInfo");
    if (natywne == nullptr) return std::nullopt;
    SYSTEM_INFO si{};
    natywne(&si);
    return ZInfo(si);
}

std::optional<std::uint16_t> PlatformaWin32::NatywnaMaszyna() {
    using Fn = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
    const auto wow64_2 = Kernel32<Fn>("IsWow64Process2");
    if (wow64_2 == nullptr) return std::nullopt;
    USHORT procesu = 0;
    USHORT natywna = 0;
    if (!wow64_2(GetCurrentProcess(), &procesu, &natywna)) return std::nullopt;
    return natywna;
}

std::optional<std::uint32_t> PlatformaWin32::InfoProduktu(std::uint32_t major, std::uint32_t minor,
                                                          std::uint32_t sp_major,
                                                          std::uint32_t sp_minor) {
    using Fn = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, DWORD*);
    const auto info_produktu = Kernel32<Fn>("GetProductInfo");
    if (info_produktu == nullptr) return std::nullopt;
    DWORD typ = 0;
    if (!info_produktu(major, minor, sp_major, sp_minor, &typ)) return std::nullopt;
    return typ;
}

int PlatformaWin32::MetrykaSystemu(int indeks) {
    return GetSystemMetrics(indeks);
}

// --- Administrator test -----------------------------------------------------

bool PlatformaWin32::PodszyjSie() {
    return ImpersonateSelf(SecurityImpersonation) != FALSE;
}

Token PlatformaWin32::OtworzTokenWatku(std::uint32_t& blad) {
    HANDLE token = nullptr;
    if (token_testowy_ != nullptr) {
        if (!DuplicateHandle(GetCurrentProcess(), token_testowy_, GetCurrentProcess(), &token, 0,
                             FALSE, DUPLICATE_SAME_ACCESS)) {
            blad = GetLastError();
            return {};
        }
        return Wydaj<RodzajTokenu>(token);
    }
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, FALSE, &token)) {
        blad = GetLastError();
        return {};
    }
    return Wydaj<RodzajTokenu>(token);
}

Token PlatformaWin32::OtworzTokenProcesu() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    return Wydaj<RodzajTokenu>(token);
}

Sid PlatformaWin32::UtworzSidAdministratorow() {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0,
                                  0, 0, 0, 0, 0, &sid)) {
        return {};
    }
    return Wydaj<RodzajSid>(sid);
}

std::uint32_t PlatformaWin32::DlugoscSid(const Sid& sid) {
    return GetLengthSid(Jako<PSID>(sid));
}

Pamiec PlatformaWin32::PrzydzielPamiec(std::uint32_t rozmiar) {
    return Wydaj<RodzajPamieci>(LocalAlloc(LPTR, rozmiar));
}

bool PlatformaWin32::InicjujDeskryptor(const Pamiec& deskryptor) {
    return InitializeSecurityDescriptor(Jako<PSECURITY_DESCRIPTOR>(deskryptor),
                                        SECURITY_DESCRIPTOR_REVISION) != FALSE;
}

bool PlatformaWin32::InicjujAcl(const Pamiec& acl, std::uint32_t rozmiar) {
    return InitializeAcl(Jako<PACL>(acl), rozmiar, ACL_REVISION2) != FALSE;
}

bool PlatformaWin32::DodajWpisDostepu(const Pamiec& acl, std::uint32_t maska, const Sid& sid) {
    return AddAccessAllowedAce(Jako<PACL>(acl), ACL_REVISION2, maska, Jako<PSID>(sid)) != FALSE;
}

bool PlatformaWin32::UstawDacl(const Pamiec& deskryptor, const Pamiec& acl) {
    return SetSecurityDescriptorDacl(Jako<PSECURITY_DESCRIPTOR>(deskryptor), TRUE, Jako<PACL>(acl),
                                     FALSE) != FALSE;
}

bool PlatformaWin32::UstawGrupe(const Pamiec& deskryptor, const Sid& sid) {
    return SetSecurityDescriptorGroup(Jako<PSECURITY_DESCRIPTOR>(deskryptor), Jako<PSID>(sid),
                                      FALSE) != FALSE;
}

bool PlatformaWin32::UstawWlasciciela(const Pamiec& deskryptor, const Sid& sid) {
    return SetSecurityDescriptorOwner(Jako<PSECURITY_DESCRIPTOR>(deskryptor), Jako<PSID>(sid),
                                      FALSE) != FALSE;
}

bool PlatformaWin32::DeskryptorPoprawny(const Pamiec& deskryptor) {
    return IsValidSecurityDescriptor(Jako<PSECURITY_DESCRIPTOR>(deskryptor)) != FALSE;
}

std::optional<bool> PlatformaWin32::SprawdzDostep(const Pamiec& deskryptor, const Token& token) {
    GENERIC_MAPPING mapowanie{1, 2, 0, 3};
    alignas(PRIVILEGE_SET) std::uint8_t przywileje[20] = {};
    DWORD dlugosc = sizeof przywileje;
    DWORD przyznane = 0;
    BOOL status = FALSE;
    if (!AccessCheck(Jako<PSECURITY_DESCRIPTOR>(deskryptor), Jako<HANDLE>(token), 1, &mapowanie,
                     reinterpret_cast<PRIVILEGE_SET*>(przywileje), &dlugosc, &przyznane, &status)) {
        return std::nullopt;
    }
    return status != FALSE;
}

void PlatformaWin32::PrzywrocSie() {
    RevertToSelf();
}
void PlatformaWin32::Zwolnij(const Pamiec& pamiec) {
    LocalFree(Jako<HLOCAL>(pamiec));
}
void PlatformaWin32::Zwolnij(const Sid& sid) {
    FreeSid(Jako<PSID>(sid));
}
void PlatformaWin32::Zwolnij(const Token& token) {
    CloseHandle(Jako<HANDLE>(token));
}

// --- COM automation ---------------------------------------------------------

PlatformaWin32::PlatformaWin32() : limit_sondy_ms_(LimitZeSrodowiska()) {}

PlatformaWin32::~PlatformaWin32() = default;

bool PlatformaWin32::Wykonaj(WatekAutomatyzacji::Zadanie zadanie, ULONGLONG termin,
                             BladAutomatyzacji& blad) {
    blad = BladAutomatyzacji::Blad;
    czeka_ = true;
    const bool wykonane = automatyzacja_->Wykonaj(std::move(zadanie), termin);
    czeka_ = false;
    if (!wykonane && automatyzacja_->Porzucony()) {
        blad = BladAutomatyzacji::BrakOdpowiedzi;
        obiekty_.clear();  // they went with the abandoned apartment
    }
    return wykonane;
}

ObiektAutomatyzacji PlatformaWin32::UtworzObiekt(const std::string& prog_id,
                                                 BladAutomatyzacji& blad) {
    blad = BladAutomatyzacji::Blad;
    // CLSIDFromProgID reads HKCR\<ProgID>\CLSID: without that key it fails,
    // and a check on a machine without the server need not load COM at all.
    const std::wstring nazwa = Szeroki(prog_id);
    HKEY klucz = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, (nazwa + L"\\CLSID").c_str(), 0, KEY_READ, &klucz) !=
        ERROR_SUCCESS) {
        return {};
    }
    RegCloseKey(klucz);
    if (czeka_) return {};
    // COM starts with the first object, in a thread of its own; a new one
    // after a thread that did not answer.
    if (!automatyzacja_ || automatyzacja_->Porzucony()) {
        automatyzacja_ = std::make_unique<WatekAutomatyzacji>();
    }
    const ULONGLONG termin = GetTickCount64() + limit_sondy_ms_;
    const std::uintptr_t uchwyt = nastepny_obiekt_++;
    auto utworzony = std::make_shared<bool>(false);
    const bool wykonane = Wykonaj(
        [nazwa, uchwyt, utworzony](WatekAutomatyzacji::Obiekty& obiekty) {
            CLSID clsid{};
            if (FAILED(CLSIDFromProgID(nazwa.c_str(), &clsid))) return;
            Microsoft::WRL::ComPtr<IDispatch> obiekt;
            if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                        IID_IDispatch,
                                        reinterpret_cast<void**>(obiekt.GetAddressOf()))) ||
                !obiekt) {
                return;
            }
            obiekty[uchwyt] = std::move(obiekt);
            *utworzony = true;
        },
        termin, blad);
    if (!wykonane || !*utworzony) return {};
    obiekty_[uchwyt] = termin;
    return Platforma::Wydaj<RodzajObiektu>(uchwyt);
}

std::optional<std::string> PlatformaWin32::CzytajWlasnosc(const ObiektAutomatyzacji& uchwyt,
                                                          const std::string& nazwa,
                                                          BladAutomatyzacji& blad) {
    blad = BladAutomatyzacji::Blad;
    const std::uintptr_t obiekt = WartoscUchwytu(uchwyt);
    const auto it = obiekty_.find(obiekt);
    if (it == obiekty_.end() || czeka_) return std::nullopt;
    auto wynik = std::make_shared<std::optional<std::string>>();
    const std::wstring w = Szeroki(nazwa);
    if (!Wykonaj(
            [obiekt, w, wynik](WatekAutomatyzacji::Obiekty& obiekty) {
                const auto jest = obiekty.find(obiekt);
                if (jest != obiekty.end()) *wynik = Wlasnosc(jest->second.Get(), w);
            },
            it->second, blad)) {
        return std::nullopt;
    }
    return *wynik;
}

bool PlatformaWin32::WywolajMetode(const ObiektAutomatyzacji& uchwyt, const std::string& nazwa,
                                   BladAutomatyzacji& blad) {
    blad = BladAutomatyzacji::Blad;
    const std::uintptr_t obiekt = WartoscUchwytu(uchwyt);
    const auto it = obiekty_.find(obiekt);
    if (it == obiekty_.end() || czeka_) return false;
    auto wynik = std::make_shared<bool>(false);
    const std::wstring w = Szeroki(nazwa);
    return Wykonaj(
               [obiekt, w, wynik](WatekAutomatyzacji::Obiekty& obiekty) {
                   const auto jest = obiekty.find(obiekt);
                   if (jest != obiekty.end()) *wynik = Metoda(jest->second.Get(), w);
               },
               it->second, blad) &&
           *wynik;
}

void PlatformaWin32::Zwolnij(const ObiektAutomatyzacji& uchwyt) {
    const std::uintptr_t obiekt = WartoscUchwytu(uchwyt);
    const auto it = obiekty_.find(obiekt);
    if (it == obiekty_.end() || czeka_) return;
    const ULONGLONG termin = it->second;
    obiekty_.erase(it);
    // Within the probe's bound too: a release that does not come back in
    // time is left to the abandoned thread.
    BladAutomatyzacji blad = BladAutomatyzacji::Blad;
    Wykonaj([obiekt](WatekAutomatyzacji::Obiekty& obiekty) { obiekty.erase(obiekt); }, termin,
            blad);
}

// --- Effects of the windows -------------------------------------------------

void PlatformaWin32::OtworzAdres(const std::string& adres) {
    ZaladujZawczasu(Droga::Adres);
    ShellExecuteW(nullptr, L"open", Szeroki(adres).c_str(), nullptr, nullptr, SW_SHOW);
}

bool PlatformaWin32::ZapiszPlik(const std::string& sciezka, const std::string& bajty) {
    const std::wstring cel = Szeroki(sciezka);
    // Not std::to_wstring: it formats through the C library's wide printf,
    // which the program would carry for this one number.
    const std::wstring tymczasowy =
        cel + L'.' + Szeroki(std::to_string(GetCurrentProcessId())) + L".tmp";
    {
        Plik plik(CreateFileW(tymczasowy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!plik.Poprawny()) return false;
        bool ok = true;
        std::size_t zapisane = 0;
        while (ok && zapisane < bajty.size()) {
            DWORD porcja = 0;
            const auto reszta =
                static_cast<DWORD>(std::min<std::size_t>(bajty.size() - zapisane, 1u << 20));
            ok = WriteFile(plik.get(), bajty.data() + zapisane, reszta, &porcja, nullptr) &&
                 porcja == reszta;
            zapisane += porcja;
        }
        ok = ok && FlushFileBuffers(plik.get());
        ok = plik.Zamknij() && ok;
        if (!ok) {
            DeleteFileW(tymczasowy.c_str());
            return false;
        }
    }
    if (!MoveFileExW(tymczasowy.c_str(), cel.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(tymczasowy.c_str());
        return false;
    }
    return true;
}

// --- Time -------------------------------------------------------------------

CzasLokalny PlatformaWin32::Teraz() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    CzasLokalny czas{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, 0};
    TIME_ZONE_INFORMATION strefa{};
    switch (GetTimeZoneInformation(&strefa)) {
        case TIME_ZONE_ID_STANDARD: czas.strefa_minut = -(strefa.Bias + strefa.StandardBias); break;
        case TIME_ZONE_ID_DAYLIGHT: czas.strefa_minut = -(strefa.Bias + strefa.DaylightBias); break;
        case TIME_ZONE_ID_UNKNOWN: czas.strefa_minut = -strefa.Bias; break;
        default: break;
    }
    return czas;
}

std::string PlatformaWin32::KrotkaData(const CzasLokalny& czas) {
    const SYSTEMTIME st = ZCzasu(czas);
    wchar_t bufor[128] = {};
    const int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, bufor, 128);
    return n > 0 ? Waski(std::wstring(bufor, static_cast<std::size_t>(n - 1))) : std::string();
}

std::string PlatformaWin32::DlugiCzas(const CzasLokalny& czas) {
    const SYSTEMTIME st = ZCzasu(czas);
    wchar_t bufor[128] = {};
    const int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, bufor, 128);
    return n > 0 ? Waski(std::wstring(bufor, static_cast<std::size_t>(n - 1))) : std::string();
}

}  // namespace pro

namespace pro {

// --- Runs without a window ------------------------------------------------

std::string PlatformaWin32::NazwaKomputera() {
    wchar_t nazwa[256] = {};
    DWORD dlugosc = 256;
    if (!GetComputerNameExW(ComputerNameDnsHostname, nazwa, &dlugosc)) {
        dlugosc = 256;
        if (!GetComputerNameW(nazwa, &dlugosc)) return {};
    }
    return Waski(std::wstring(nazwa, dlugosc));
}

bool PlatformaWin32::DopiszDoPliku(const std::string& sciezka, const std::string& naglowek,
                                   const std::string& wiersze) {
    // Many workstations append to one file on a share: hold it exclusively,
    // and wait a little while another one holds it.
    const std::wstring cel = Szeroki(sciezka);
    HANDLE uchwyt = INVALID_HANDLE_VALUE;
    for (int proba = 0; proba < 200; ++proba) {
        uchwyt = CreateFileW(cel.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (uchwyt != INVALID_HANDLE_VALUE) break;
        const DWORD blad = GetLastError();
        if (blad != ERROR_SHARING_VIOLATION && blad != ERROR_LOCK_VIOLATION &&
            blad != ERROR_ACCESS_DENIED) {
            return false;
        }
        Sleep(20 + static_cast<DWORD>((GetTickCount() ^ GetCurrentProcessId()) % 60));
    }
    Plik plik(uchwyt);
    if (!plik.Poprawny()) return false;
    LARGE_INTEGER rozmiar{};
    if (!GetFileSizeEx(plik.get(), &rozmiar)) return false;
    const std::string dane = (rozmiar.QuadPart == 0 ? naglowek : std::string()) + wiersze;
    LARGE_INTEGER koniec{};
    if (!SetFilePointerEx(plik.get(), LARGE_INTEGER{}, &koniec, FILE_END)) return false;
    DWORD zapisane = 0;
    const bool ok =
        WriteFile(plik.get(), dane.data(), static_cast<DWORD>(dane.size()), &zapisane, nullptr) &&
        zapisane == dane.size() && FlushFileBuffers(plik.get());
    if (!ok) {
        // Take back a partial write: a row is there whole or not at all.
        SetFilePointerEx(plik.get(), koniec, nullptr, FILE_BEGIN);
        SetEndOfFile(plik.get());
        return false;
    }
    return plik.Zamknij();
}

}  // namespace pro

namespace pro {

// --- The overview of many computers' results --------------------------------

namespace {

// The names in `katalog`: with `katalogi` its folders, else its *.json files.
std::optional<std::vector<std::string>> Listuj(const std::string& katalog, bool katalogi) {
    std::wstring wzorzec = Szeroki(katalog);
    if (!wzorzec.empty() && wzorzec.back() != L'\\' && wzorzec.back() != L'/') wzorzec += L'\\';
    wzorzec += katalogi ? L"*" : L"*.json";
    WIN32_FIND_DATAW dane{};
    // Basic information only: no short names, so the pattern is matched on
    // the long ones (and checked again below).
    HANDLE szukanie = FindFirstFileExW(wzorzec.c_str(), FindExInfoBasic, &dane,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (szukanie == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) {
        // Before Windows 7 neither the basic level nor the large fetch exists.
        szukanie = FindFirstFileExW(wzorzec.c_str(), FindExInfoStandard, &dane,
                                    FindExSearchNameMatch, nullptr, 0);
    }
    std::vector<std::string> nazwy;
    if (szukanie == INVALID_HANDLE_VALUE) {
        // An existing folder without a match is an empty list, not a failure.
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return std::nullopt;
        const DWORD atrybuty = GetFileAttributesW(Szeroki(katalog).c_str());
        if (atrybuty == INVALID_FILE_ATTRIBUTES || (atrybuty & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            return std::nullopt;
        }
        return nazwy;
    }
    do {
        const std::wstring nazwa = dane.cFileName;
        const bool katalog_ = (dane.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (katalog_ != katalogi) continue;
        if (katalogi) {
            // A link or junction is not followed.
            if ((dane.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || nazwa == L"." ||
                nazwa == L"..") {
                continue;
            }
        } else if (nazwa.size() <= 5 || _wcsicmp(nazwa.c_str() + nazwa.size() - 5, L".json") != 0) {
            continue;
        }
        nazwy.push_back(Waski(nazwa));
    } while (FindNextFileW(szukanie, &dane));
    const DWORD blad = GetLastError();
    FindClose(szukanie);
    if (blad != ERROR_NO_MORE_FILES) return std::nullopt;
    return nazwy;
}

}  // namespace

std::optional<std::vector<std::string>> PlatformaWin32::PlikiJson(const std::string& katalog) {
    return Listuj(katalog, false);
}

std::optional<std::vector<std::string>> PlatformaWin32::Katalogi(const std::string& katalog) {
    return Listuj(katalog, true);
}

namespace {

// Whether the path may name a device: a device's name ("con.json" from a
// foreign client) opens the device, which would wait for input. Windows
// resolves the path as CreateFile does, naming a device in the device
// namespace; only then is the open handle asked (a call to the server under
// Wine, a tenth of a millisecond a file).
bool MozeBycUrzadzeniem(const std::wstring& sciezka) {
    wchar_t pelna[MAX_PATH];
    const DWORD n = GetFullPathNameW(sciezka.c_str(), MAX_PATH, pelna, nullptr);
    return n == 0 || n >= MAX_PATH || wcsncmp(pelna, L"\\\\.\\", 4) == 0 ||
           wcsncmp(pelna, L"\\\\?\\", 4) == 0;
}

}  // namespace

OdczytPliku PlatformaWin32::CzytajPlik(const std::string& sciezka, std::size_t limit) {
    OdczytPliku odczyt;
    const std::wstring szeroka = Szeroki(sciezka);
    // Shared for writing and deleting: a workstation may put a new result in
    // place while the file is read.
    Plik plik(CreateFileW(
        szeroka.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!plik.Poprawny()) return odczyt;
    if (MozeBycUrzadzeniem(szeroka) && GetFileType(plik.get()) != FILE_TYPE_DISK) return odczyt;
    LARGE_INTEGER rozmiar{};
    if (!GetFileSizeEx(plik.get(), &rozmiar) || rozmiar.QuadPart < 0) return odczyt;
    if (static_cast<unsigned long long>(rozmiar.QuadPart) > limit) {
        odczyt.stan = OdczytPliku::Stan::ZaDuzy;
        return odczyt;
    }
    // The file may grow meanwhile: read at most one byte past the bound.
    std::string bajty(static_cast<std::size_t>(rozmiar.QuadPart) + 1, '\0');
    std::size_t przeczytane = 0;
    for (;;) {
        if (przeczytane == bajty.size()) {
            if (bajty.size() > limit) break;
            bajty.resize(std::min(limit + 1, bajty.size() * 2));
        }
        DWORD porcja = 0;
        const auto chce =
            static_cast<DWORD>(std::min<std::size_t>(bajty.size() - przeczytane, 1u << 20));
        if (!ReadFile(plik.get(), bajty.data() + przeczytane, chce, &porcja, nullptr))
            return odczyt;
        if (porcja == 0) break;
        przeczytane += porcja;
    }
    if (przeczytane > limit) {
        odczyt.stan = OdczytPliku::Stan::ZaDuzy;
        return odczyt;
    }
    bajty.resize(przeczytane);
    odczyt.stan = OdczytPliku::Stan::Bajty;
    odczyt.bajty = std::move(bajty);
    return odczyt;
}

}  // namespace pro

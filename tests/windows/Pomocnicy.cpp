#include "Pomocnicy.h"

#include "platform/win32/PlatformaWin32.h"

namespace pro::testy {

std::string KatalogTestow() {
    PlatformaWin32 p;
    std::string sciezka = p.SciezkaProgramu();
    return sciezka.substr(0, sciezka.find_last_of('\\'));
}

std::string UruchomIPrzechwyc(const std::wstring& program, int& kod) {
    kod = -1;
    SECURITY_ATTRIBUTES dziedziczony{sizeof dziedziczony, nullptr, TRUE};
    HANDLE odczyt = nullptr;
    HANDLE zapis = nullptr;
    if (!CreatePipe(&odczyt, &zapis, &dziedziczony, 0)) return {};
    // Only the child's end is inherited.
    SetHandleInformation(odczyt, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = zapis;
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi{};
    std::wstring wiersz = L"\"" + program + L"\"";
    const BOOL uruchomiony = CreateProcessW(program.c_str(), wiersz.data(), nullptr, nullptr, TRUE,
                                            0, nullptr, nullptr, &si, &pi);
    // Our copy of the writing end goes, so the read ends when the child exits.
    CloseHandle(zapis);
    if (!uruchomiony) {
        CloseHandle(odczyt);
        return {};
    }
    std::string wyjscie;
    char bufor[4096];
    DWORD przeczytane = 0;
    while (ReadFile(odczyt, bufor, sizeof bufor, &przeczytane, nullptr) && przeczytane > 0) {
        wyjscie.append(bufor, przeczytane);
    }
    CloseHandle(odczyt);
    DWORD wyjscie_procesu = 0;
    if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(pi.hProcess, &wyjscie_procesu)) {
        kod = static_cast<int>(wyjscie_procesu);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return wyjscie;
}

KluczTestowy::KluczTestowy(HKEY korzen, const std::wstring& sciezka)
    : korzen_(korzen), sciezka_(sciezka) {
    DWORD dyspozycja = 0;
    RegCreateKeyExW(korzen, sciezka.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &klucz_,
                    &dyspozycja);
    utworzony_ = dyspozycja == REG_CREATED_NEW_KEY;
}

KluczTestowy::~KluczTestowy() {
    if (klucz_ == nullptr) return;
    for (auto it = poprzednie_.rbegin(); it != poprzednie_.rend(); ++it) {
        if (it->istniala) {
            RegSetValueExW(klucz_, it->nazwa.c_str(), 0, it->typ, it->dane.data(),
                           static_cast<DWORD>(it->dane.size()));
        } else {
            RegDeleteValueW(klucz_, it->nazwa.c_str());
        }
    }
    RegCloseKey(klucz_);
    if (utworzony_) RegDeleteTreeW(korzen_, sciezka_.c_str());
}

void KluczTestowy::Surowe(const std::wstring& nazwa, DWORD typ, const std::vector<BYTE>& dane) {
    Poprzednia poprzednia;
    poprzednia.nazwa = nazwa;
    DWORD rozmiar = 0;
    if (RegQueryValueExW(klucz_, nazwa.c_str(), nullptr, &poprzednia.typ, nullptr, &rozmiar) ==
        ERROR_SUCCESS) {
        poprzednia.dane.resize(rozmiar);
        poprzednia.istniala = RegQueryValueExW(klucz_, nazwa.c_str(), nullptr, &poprzednia.typ,
                                               poprzednia.dane.data(), &rozmiar) == ERROR_SUCCESS;
    }
    poprzednie_.push_back(std::move(poprzednia));
    RegSetValueExW(klucz_, nazwa.c_str(), 0, typ, dane.data(), static_cast<DWORD>(dane.size()));
}

void KluczTestowy::Tekst(const std::wstring& nazwa, const std::wstring& wartosc, DWORD typ) {
    const auto* bajty = reinterpret_cast<const BYTE*>(wartosc.c_str());
    Surowe(nazwa, typ, std::vector<BYTE>(bajty, bajty + (wartosc.size() + 1) * sizeof(wchar_t)));
}

void KluczTestowy::Liczba(const std::wstring& nazwa, DWORD wartosc) {
    const auto* bajty = reinterpret_cast<const BYTE*>(&wartosc);
    Surowe(nazwa, REG_DWORD, std::vector<BYTE>(bajty, bajty + sizeof wartosc));
}

}  // namespace pro::testy

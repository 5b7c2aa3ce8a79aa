#include "KluczTestowy.h"

namespace pro::testy {

KluczTestowy::KluczTestowy(HKEY korzen, const std::wstring& sciezka, REGSAM widok)
    : korzen_(korzen), sciezka_(sciezka), widok_(widok) {
    DWORD dyspozycja = 0;
    RegCreateKeyExW(korzen, sciezka.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | widok, nullptr,
                    &klucz_, &dyspozycja);
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
    if (utworzony_ && widok_ != 0) RegDeleteTreeW(klucz_, nullptr);  // what lies below it
    RegCloseKey(klucz_);
    if (utworzony_ && widok_ != 0) RegDeleteKeyExW(korzen_, sciezka_.c_str(), widok_, 0);
    if (utworzony_ && widok_ == 0) RegDeleteTreeW(korzen_, sciezka_.c_str());
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

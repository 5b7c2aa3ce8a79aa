#pragma once
// A registry fixture that removes itself.

#include <windows.h>

#include <string>
#include <vector>

namespace pro::testy {

// A registry key the test creates (in the view of its own bitness, or the one
// `widok` names: KEY_WOW64_64KEY) and deletes with everything below it when
// it goes out of scope. When the key existed before, only the values the test
// set are put back as they were.
class KluczTestowy {
public:
    KluczTestowy(HKEY korzen, const std::wstring& sciezka, REGSAM widok = 0)
        : korzen_(korzen), sciezka_(sciezka), widok_(widok) {
        DWORD dyspozycja = 0;
        RegCreateKeyExW(korzen, sciezka.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | widok, nullptr,
                        &klucz_, &dyspozycja);
        utworzony_ = dyspozycja == REG_CREATED_NEW_KEY;
    }
    ~KluczTestowy() {
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
    KluczTestowy(const KluczTestowy&) = delete;
    KluczTestowy& operator=(const KluczTestowy&) = delete;

    void Tekst(const std::wstring& nazwa, const std::wstring& wartosc, DWORD typ = REG_SZ) {
        const auto* bajty = reinterpret_cast<const BYTE*>(wartosc.c_str());
        Surowe(nazwa, typ,
               std::vector<BYTE>(bajty, bajty + (wartosc.size() + 1) * sizeof(wchar_t)));
    }
    void Liczba(const std::wstring& nazwa, DWORD wartosc) {
        const auto* bajty = reinterpret_cast<const BYTE*>(&wartosc);
        Surowe(nazwa, REG_DWORD, std::vector<BYTE>(bajty, bajty + sizeof wartosc));
    }
    void Surowe(const std::wstring& nazwa, DWORD typ, const std::vector<BYTE>& dane) {
        Poprzednia poprzednia;
        poprzednia.nazwa = nazwa;
        DWORD rozmiar = 0;
        if (RegQueryValueExW(klucz_, nazwa.c_str(), nullptr, &poprzednia.typ, nullptr, &rozmiar) ==
            ERROR_SUCCESS) {
            poprzednia.dane.resize(rozmiar);
            poprzednia.istniala =
                RegQueryValueExW(klucz_, nazwa.c_str(), nullptr, &poprzednia.typ,
                                 poprzednia.dane.data(), &rozmiar) == ERROR_SUCCESS;
        }
        poprzednie_.push_back(std::move(poprzednia));
        RegSetValueExW(klucz_, nazwa.c_str(), 0, typ, dane.data(), static_cast<DWORD>(dane.size()));
    }

private:
    HKEY korzen_;
    std::wstring sciezka_;
    REGSAM widok_;
    HKEY klucz_ = nullptr;
    bool utworzony_ = false;  // false: the key existed before, only our values go
    struct Poprzednia {
        std::wstring nazwa;
        bool istniala = false;
        DWORD typ = 0;
        std::vector<BYTE> dane;
    };
    std::vector<Poprzednia> poprzednie_;  // restored in reverse order
};

}  // namespace pro::testy

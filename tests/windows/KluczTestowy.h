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
    KluczTestowy(HKEY korzen, const std::wstring& sciezka, REGSAM widok = 0);
    ~KluczTestowy();
    KluczTestowy(const KluczTestowy&) = delete;
    KluczTestowy& operator=(const KluczTestowy&) = delete;

    void Tekst(const std::wstring& nazwa, const std::wstring& wartosc, DWORD typ = REG_SZ);
    void Liczba(const std::wstring& nazwa, DWORD wartosc);
    void Surowe(const std::wstring& nazwa, DWORD typ, const std::vector<BYTE>& dane);

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

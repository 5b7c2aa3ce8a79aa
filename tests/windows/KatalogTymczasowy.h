#pragma once
// A folder of the test's own under %TEMP%, removed with its files afterwards.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/win32/PlatformaWin32.h"

namespace pro::testy {

class KatalogTymczasowy {
public:
    explicit KatalogTymczasowy(const std::wstring& nazwa) {
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        sciezka_ =
            std::filesystem::path(tmp) / (nazwa + L"_" + std::to_wstring(GetCurrentProcessId()));
        std::filesystem::create_directories(sciezka_);
    }
    ~KatalogTymczasowy() {
        std::error_code blad;
        std::filesystem::remove_all(sciezka_, blad);
    }
    KatalogTymczasowy(const KatalogTymczasowy&) = delete;
    KatalogTymczasowy& operator=(const KatalogTymczasowy&) = delete;

    // The full path of `nazwa` in this folder, in UTF-8.
    std::string Sciezka(const std::string& nazwa) const {
        return Waski((sciezka_ / Szeroki(nazwa)).wstring());
    }
    int LiczbaPlikow() const {
        int n = 0;
        for (const auto& wpis : std::filesystem::directory_iterator(sciezka_)) {
            n += wpis.is_regular_file() ? 1 : 0;
        }
        return n;
    }
    static std::string Czytaj(const std::string& sciezka) {
        std::ifstream plik(std::filesystem::path(Szeroki(sciezka)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(plik), {});
    }
    static void Pisz(const std::string& sciezka, const std::string& tresc) {
        std::ofstream(std::filesystem::path(Szeroki(sciezka)), std::ios::binary) << tresc;
    }

private:
    std::filesystem::path sciezka_;
};

}  // namespace pro::testy

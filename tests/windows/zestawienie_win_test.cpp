// The overview's two platform operations on real files.
#include <gtest/gtest.h>

#include <algorithm>

#include "KatalogTymczasowy.h"
#include "platform/win32/PlatformaWin32.h"

namespace pro {
namespace {

TEST(PlatformaZestawienia, PlikiJsonTylkoWprostWFolderze) {
    testy::KatalogTymczasowy k(L"probierator_pliki_json");
    for (const char* plik : {"a.json", "B.JSON", "żółw.json", "c.json.123.tmp", "d.txt", "e.jsonx",
                             "f.json~", ".json"}) {
        testy::KatalogTymczasowy::Pisz(k.Sciezka(plik), "{}");
    }
    CreateDirectoryW(Szeroki(k.Sciezka("folder.json")).c_str(), nullptr);
    testy::KatalogTymczasowy::Pisz(k.Sciezka("folder.json\\w-srodku.json"), "{}");
    CreateDirectoryW(Szeroki(k.Sciezka("pusty")).c_str(), nullptr);

    PlatformaWin32 p;
    auto nazwy = p.PlikiJson(k.Sciezka(""));
    ASSERT_TRUE(nazwy);
    std::sort(nazwy->begin(), nazwy->end());
    EXPECT_EQ(*nazwy, (std::vector<std::string>{"B.JSON", "a.json", "żółw.json"}));
    EXPECT_EQ(p.PlikiJson(k.Sciezka("folder.json")), std::vector<std::string>{"w-srodku.json"})
        << "a folder without a trailing backslash";
    EXPECT_EQ(p.PlikiJson(k.Sciezka("pusty")), std::vector<std::string>{});
    EXPECT_FALSE(p.PlikiJson(k.Sciezka("brak")));
    EXPECT_FALSE(p.PlikiJson(k.Sciezka("a.json"))) << "a file is no folder";
}

TEST(PlatformaZestawienia, CzytajPlikZGranica) {
    testy::KatalogTymczasowy k(L"probierator_czytaj_plik");
    const std::string sto(100, 'x');
    testy::KatalogTymczasowy::Pisz(k.Sciezka("100.json"), sto);
    testy::KatalogTymczasowy::Pisz(k.Sciezka("101.json"), sto + "y");
    testy::KatalogTymczasowy::Pisz(k.Sciezka("0.json"), "");
    testy::KatalogTymczasowy::Pisz(k.Sciezka("zajety.json"), sto);
    CreateDirectoryW(Szeroki(k.Sciezka("folder.json")).c_str(), nullptr);
    HANDLE zajety = CreateFileW(Szeroki(k.Sciezka("zajety.json")).c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(zajety, INVALID_HANDLE_VALUE);

    using S = OdczytPliku::Stan;
    struct Wiersz {
        const char* plik;
        S stan;
        std::string bajty;
    };
    const Wiersz wiersze[] = {
        {"100.json", S::Bajty, sto},        {"101.json", S::ZaDuzy, ""},
        {"0.json", S::Bajty, ""},           {"brak.json", S::NieOtwarty, ""},
        {"folder.json", S::NieOtwarty, ""}, {"zajety.json", S::NieOtwarty, ""},
    };
    PlatformaWin32 p;
    for (const auto& w : wiersze) {
        const OdczytPliku odczyt = p.CzytajPlik(k.Sciezka(w.plik), 100);
        EXPECT_EQ(odczyt.stan, w.stan) << w.plik;
        EXPECT_EQ(odczyt.bajty, w.bajty) << w.plik;
    }
    CloseHandle(zajety);
    EXPECT_EQ(p.CzytajPlik("\\\\.\\NUL", 100).stan, S::NieOtwarty) << "a device is no file";
}

}  // namespace
}  // namespace pro

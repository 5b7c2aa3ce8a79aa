#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "Pomocnicy.h"
#include "platform/win32/PlatformaWin32.h"

namespace pro {
namespace {

// A folder of its own for each test, removed afterwards.
class ZapisPliku : public testing::Test {
protected:
    void SetUp() override {
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        katalog_ = std::wstring(tmp) + L"probierator_zapis_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(katalog_.c_str(), nullptr);
    }
    void TearDown() override {
        WIN32_FIND_DATAW d;
        HANDLE h = FindFirstFileW((katalog_ + L"\\*").c_str(), &d);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring sciezka = katalog_ + L"\\" + d.cFileName;
                if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveDirectoryW(sciezka.c_str());
                } else {
                    DeleteFileW(sciezka.c_str());
                }
            } while (FindNextFileW(h, &d));
            FindClose(h);
        }
        RemoveDirectoryW(katalog_.c_str());
    }
    std::string Sciezka(const std::string& nazwa) const { return Waski(katalog_) + "\\" + nazwa; }
    static std::string Czytaj(const std::string& sciezka) {
        std::ifstream plik(std::filesystem::path(Szeroki(sciezka)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(plik), {});
    }
    static void Pisz(const std::string& sciezka, const std::string& tresc) {
        std::ofstream(std::filesystem::path(Szeroki(sciezka)), std::ios::binary) << tresc;
    }
    int LiczbaPlikow() const {
        int n = 0;
        WIN32_FIND_DATAW d;
        HANDLE h = FindFirstFileW((katalog_ + L"\\*").c_str(), &d);
        if (h == INVALID_HANDLE_VALUE) return 0;
        do {
            if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
        } while (FindNextFileW(h, &d));
        FindClose(h);
        return n;
    }

    std::wstring katalog_;
    PlatformaWin32 p_;
};

TEST_F(ZapisPliku, NowyPlikBajtPoBajcie) {
    const std::string tresc("wersj\xB9\r\n\0\x80\r\n", 11);
    ASSERT_TRUE(p_.ZapiszPlik(Sciezka("raport ąę 100%.txt"), tresc));
    EXPECT_EQ(Czytaj(Sciezka("raport ąę 100%.txt")), tresc);
    EXPECT_EQ(LiczbaPlikow(), 1) << "no temporary file left behind";
}

TEST_F(ZapisPliku, IstniejacyPlikZastapionyCaly) {
    Pisz(Sciezka("r.txt"), std::string(1000, 'x'));
    ASSERT_TRUE(p_.ZapiszPlik(Sciezka("r.txt"), "nowy"));
    EXPECT_EQ(Czytaj(Sciezka("r.txt")), "nowy");
    EXPECT_EQ(LiczbaPlikow(), 1);
}

TEST_F(ZapisPliku, KatalogONazwiePliku) {
    CreateDirectoryW(Szeroki(Sciezka("r.txt")).c_str(), nullptr);
    EXPECT_FALSE(p_.ZapiszPlik(Sciezka("r.txt"), "nowy"));
    const DWORD atrybuty = GetFileAttributesW(Szeroki(Sciezka("r.txt")).c_str());
    EXPECT_TRUE(atrybuty != INVALID_FILE_ATTRIBUTES && (atrybuty & FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(LiczbaPlikow(), 0);
}

TEST_F(ZapisPliku, PlikOtwartyBezWspoldzielenia) {
    Pisz(Sciezka("r.txt"), "stary");
    HANDLE h = CreateFileW(Szeroki(Sciezka("r.txt")).c_str(), GENERIC_READ, 0, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(p_.ZapiszPlik(Sciezka("r.txt"), "nowy"));
    CloseHandle(h);
    EXPECT_EQ(Czytaj(Sciezka("r.txt")), "stary");
    EXPECT_EQ(LiczbaPlikow(), 1);
}

TEST_F(ZapisPliku, BrakKatalogu) {
    EXPECT_FALSE(p_.ZapiszPlik(Sciezka("nie_ma\\r.txt"), "nowy"));
}

}  // namespace
}  // namespace pro

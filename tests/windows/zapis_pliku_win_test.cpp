#include <gtest/gtest.h>

#include "KatalogTymczasowy.h"
#include "platform/win32/PlatformaWin32.h"

namespace pro {
namespace {

class ZapisPliku : public testing::Test {
protected:
    std::string Sciezka(const std::string& nazwa) const { return katalog_.Sciezka(nazwa); }
    int LiczbaPlikow() const { return katalog_.LiczbaPlikow(); }
    static std::string Czytaj(const std::string& s) { return testy::KatalogTymczasowy::Czytaj(s); }
    static void Pisz(const std::string& s, const std::string& t) {
        testy::KatalogTymczasowy::Pisz(s, t);
    }

    testy::KatalogTymczasowy katalog_{L"probierator_zapis"};
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

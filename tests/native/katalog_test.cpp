#include <gtest/gtest.h>

#include <set>
#include <string>

#include "catalogue/Katalog.h"

namespace pro {
namespace {

TEST(Katalog, KomponentyWKolejnosciTabeliINieustalone) {
    const Katalog k;
    const ComponentId ids[] = {3001, 3002, 3320, 3330, 3335, 3340, 3345, 3005, 3006, 3007, 3004};
    ASSERT_EQ(k.Komponenty.size(), 11u);
    for (std::size_t i = 0; i < k.Komponenty.size(); ++i) {
        EXPECT_EQ(k.Komponenty[i].Id, ids[i]) << i;
        EXPECT_EQ(k.Komponenty[i].Wersja, NotDetected);
        EXPECT_EQ(k.Komponenty[i].WersjaTxt, "??.????.??");
        EXPECT_EQ(k.Komponenty[i].Adres, "");
    }
    EXPECT_EQ(k.Komponenty[0].Nazwa, "System operacyjny Windows");
    EXPECT_EQ(k.Komponenty[7].Nazwa, "MS Excel");
    EXPECT_EQ(k.Komponenty[8].Nazwa, "SilverLight");
    EXPECT_EQ(k.KatalogSystemu, "brak informacji");
}

struct Wiersz {
    const char* nazwa;
    const char* kod;
    bool zn;
    int system, net, inst, excel, sl, ie;
};

// The table as the catalogue must hold it, row by row.
constexpr Wiersz Tabela[] = {
    {"Barkon Tabulo", "BKT", false, 60, 0, 20, 11, 0, 90},
    {"Selvo", "SLV", true, 60, 0, 0, 0, 50, 90},
    {"Marendo Tabulo", "MRT", false, 60, 3335, 20, 0, 0, 0},
    {"Kordel", "KRD", true, 60, 0, 0, 0, 50, 90},
    {"Kordel Tabulo", "KDT", false, 60, 3335, 40, 0, 0, 0},
    {"Kordel Tabulo SQL", "KDQ", false, 60, 3335, 40, 0, 0, 0},
    {"Prestwin Tabulo", "PWT", false, 60, 3335, 40, 0, 0, 0},
    {"Wendaro", "WND", true, 60, 3335, 30, 0, 0, 0},
    {"Galvin Tabulo", "GVT", false, 60, 3335, 20, 0, 0, 0},
    {"Orvento Tabulo", "OVT", false, 60, 0, 30, 0, 0, 90},
    {"Lusor Tabulo", "LST", false, 60, 3320, 40, 0, 0, 90},
    {"Fendra", "FND", true, 60, 0, 20, 0, 0, 90},
    {"Trevin Tabulo", "TVT", false, 60, 0, 20, 0, 0, 90},
    {"Pardeo Tabulo", "PDT", false, 60, 0, 31, 11, 0, 0},
    {"Nimbra Tabulo", "GVT", false, 60, 3335, 20, 0, 0, 0},
    {"Quendel Tabulo", "QDT", false, 60, 3335, 20, 0, 0, 0},
    {"Sarvik", "SRV", true, 60, 0, 0, 12, 0, 90},
    {"Ellard Tabulo", "ELT", false, 60, 0, 20, 0, 0, 0},
    {"Cobrin Tabulo NET", "CTN", true, 60, 3335, 0, 12, 50, 90},
    {"Cobrin Tabulo NET+", "CTP", true, 60, 0, 0, 12, 0, 90},
    {"Dravel Tabulo", "DVT", false, 60, 3320, 30, 11, 0, 90},
    {"MS SQL Server 2008 R2", "SQL", false, 51, 3335, 30, 0, 0, 0},
};

TEST(Katalog, AplikacjeWierszPoWierszu) {
    const Katalog k;
    ASSERT_EQ(k.Aplikacje.size(), std::size(Tabela));
    for (std::size_t i = 0; i < std::size(Tabela); ++i) {
        const auto& a = k.Aplikacje[i];
        const auto& w = Tabela[i];
        SCOPED_TRACE(w.nazwa);
        EXPECT_EQ(a.Nazwa, w.nazwa);
        EXPECT_EQ(a.Kod, w.kod);
        EXPECT_EQ(a.Znacznik, w.zn);
        EXPECT_EQ(a.MinSystem, w.system);
        EXPECT_EQ(a.MinNet20 + a.MinNet30 + a.MinNet35 + a.MinNet40 + a.MinNet45, w.net);
        EXPECT_EQ(a.Wymaganie(w.net == 0 ? 3335 : w.net), w.net);
        EXPECT_EQ(a.MinInstaller, w.inst);
        EXPECT_EQ(a.MinExcel, w.excel);
        EXPECT_EQ(a.MinSilverlight, w.sl);
        EXPECT_EQ(a.MinIE, w.ie);
        EXPECT_EQ(a.Wezel, nullptr);
        EXPECT_EQ(a.Wymaganie(komponent::SqlServer), 0);
    }
}

TEST(Katalog, AdresyStronWymagan) {
    const Katalog k;
    std::set<std::string> adresy;
    for (std::size_t i = 0; i + 1 < k.Aplikacje.size(); ++i) {
        const std::string& adres = k.Aplikacje[i].Adres;
        EXPECT_EQ(adres.rfind(std::string("http://") + HostProducenta + "/", 0), 0u) << adres;
        EXPECT_NE(adres.find('#'), std::string::npos) << adres;
        adresy.insert(adres);
    }
    EXPECT_EQ(adresy.size(), 21u) << "each application has its own section";
    EXPECT_EQ(k.Aplikacje[21].Adres, AdresDomyslny);
    EXPECT_EQ(std::string(AdresDomyslny).find("://"), std::string::npos);
}

struct PrzypadekNet {
    int net;
    int slot;  // 0..4 for 2.0..4.5, -1 for none
};

class KonstruktorNet : public testing::TestWithParam<PrzypadekNet> {};

TEST_P(KonstruktorNet, WypelniaJedenSlot) {
    const auto p = GetParam();
    const ProAplikacja a("X", "XXX", "http://a/", false, 60, p.net, 0, 0, 0, 0);
    const int sloty[] = {a.MinNet20, a.MinNet30, a.MinNet35, a.MinNet40, a.MinNet45};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(sloty[i], i == p.slot ? p.net : 0) << i;
}

INSTANTIATE_TEST_SUITE_P(Sloty, KonstruktorNet,
                         testing::Values(PrzypadekNet{0, -1}, PrzypadekNet{3320, 0},
                                         PrzypadekNet{3330, 1}, PrzypadekNet{3335, 2},
                                         PrzypadekNet{3340, 3}, PrzypadekNet{3345, 4},
                                         PrzypadekNet{3001, -1}, PrzypadekNet{3325, -1},
                                         PrzypadekNet{-3320, -1}));

TEST(Katalog, AdresPustyZastepowanyDomyslnym) {
    EXPECT_EQ(ProAplikacja("X", "X", "", false, 60, 0, 0, 0, 0, 0).Adres, AdresDomyslny);
    EXPECT_EQ(ProAplikacja("X", "X", "http://x/#y", false, 60, 0, 0, 0, 0, 0).Adres, "http://x/#y");
}

TEST(Katalog, NotaProducentaMa13Znakow) {
    // Counted in characters as the report writes them (one byte each in CP 1250).
    std::size_t znaki = 0;
    for (unsigned char c : std::string(NotaProducenta)) znaki += (c & 0xC0) != 0x80;
    EXPECT_EQ(znaki, 13u);
}

TEST(Katalog, GlobalnyKatalogProgramu) {
    EXPECT_EQ(&Komponenty, &KatalogProgramu.Komponenty);
    EXPECT_EQ(Aplikacje[21].Kod, "SQL");
}

}  // namespace
}  // namespace pro

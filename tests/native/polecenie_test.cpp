#include <gtest/gtest.h>

#include "catalogue/Polecenie.h"

namespace pro {
namespace {

struct PrzypadekOpcji {
    const char* opis;
    std::vector<std::string> argumenty;
    std::vector<std::size_t> aplikacje;  // expected selection when valid
    bool poprawne;
};

class Opcje : public testing::TestWithParam<PrzypadekOpcji> {};

TEST_P(Opcje, WyborAplikacji) {
    const auto& p = GetParam();
    const Katalog k;
    const auto wynik = ParsujPolecenie(p.argumenty, k);
    if (!p.poprawne) {
        ASSERT_TRUE(std::holds_alternative<BladPolecenia>(wynik));
        EXPECT_FALSE(std::get<BladPolecenia>(wynik).komunikat.empty());
        return;
    }
    ASSERT_TRUE(std::holds_alternative<Polecenie>(wynik))
        << std::get<BladPolecenia>(wynik).komunikat;
    EXPECT_EQ(std::get<Polecenie>(wynik).aplikacje, p.aplikacje);
}

std::vector<std::size_t> Wszystkie() {
    std::vector<std::size_t> w;
    for (std::size_t i = 0; i < 22; ++i) w.push_back(i);
    return w;
}

INSTANTIATE_TEST_SUITE_P(
    Przypadki, Opcje,
    testing::Values(
        PrzypadekOpcji{"bez_aplikacji_wszystkie", {"/json", "-"}, Wszystkie(), true},
        PrzypadekOpcji{"wszystkie", {"/aplikacje", "wszystkie", "/json", "-"}, Wszystkie(), true},
        PrzypadekOpcji{"wszystkie_wielkie", {"/APLIKACJE", "Wszystkie", "/JSON", "-"}, Wszystkie(),
                       true},
        PrzypadekOpcji{"wspolny_kod_GVT", {"/aplikacje", "GVT", "/csv", "w.csv"}, {8, 14}, true},
        PrzypadekOpcji{"kody_i_numery", {"-aplikacje", "bkt, 3 ,22", "-raport", "r.txt"},
                       {0, 2, 21}, true},
        PrzypadekOpcji{"duplikaty_raz", {"/aplikacje", "1,BKT,1", "/json", "-"}, {0}, true},
        PrzypadekOpcji{"kolejnosc_katalogu", {"/aplikacje", "SQL,2", "/json", "-"}, {1, 21}, true},
        PrzypadekOpcji{"pusta_lista", {"/aplikacje", "", "/json", "-"}, {}, false},
        PrzypadekOpcji{"pusta_pozycja", {"/aplikacje", "1,,2", "/json", "-"}, {}, false},
        PrzypadekOpcji{"nieznany_kod", {"/aplikacje", "XYZ", "/json", "-"}, {}, false},
        PrzypadekOpcji{"numer_zero", {"/aplikacje", "0", "/json", "-"}, {}, false},
        PrzypadekOpcji{"numer_23", {"/aplikacje", "23", "/json", "-"}, {}, false},
        PrzypadekOpcji{"numer_ogromny", {"/aplikacje", "99999999999999999999", "/json", "-"}, {},
                       false},
        PrzypadekOpcji{"brak_wartosci", {"/json"}, {}, false},
        PrzypadekOpcji{"opcja_zamiast_wartosci", {"/raport", "/json", "-"}, {}, false},
        PrzypadekOpcji{"nieznana_opcja", {"/okno", "/json", "-"}, {}, false},
        PrzypadekOpcji{"sama_wartosc", {"plik.txt"}, {}, false},
        PrzypadekOpcji{"bez_wyjscia", {"/aplikacje", "1"}, {}, false},
        PrzypadekOpcji{"dwa_razy_json", {"/json", "a", "/json", "b"}, {}, false},
        PrzypadekOpcji{"raport_na_ekran", {"/raport", "-"}, {}, false}),
    [](const auto& info) { return std::string(info.param.opis); });

TEST(Opcje, PomocIPliki) {
    const Katalog k;
    const auto pomoc = ParsujPolecenie({"/?"}, k);
    ASSERT_TRUE(std::holds_alternative<Polecenie>(pomoc));
    EXPECT_TRUE(std::get<Polecenie>(pomoc).pomoc);
    EXPECT_TRUE(std::get<Polecenie>(ParsujPolecenie({"-?"}, k)).pomoc);

    const auto p = std::get<Polecenie>(
        ParsujPolecenie({"/raport", "C:\\r.txt", "/json", "-", "/csv", "\\\\serwer\\w.csv"}, k));
    EXPECT_EQ(p.raport, "C:\\r.txt");
    EXPECT_EQ(p.json, "-");
    EXPECT_EQ(p.csv, "\\\\serwer\\w.csv");
    EXPECT_FALSE(p.pomoc);
}

TEST(Opcje, PomocOpisujeKodyWyjscia) {
    const std::string pomoc = TekstPomocy();
    for (const char* fragment : {"/aplikacje", "/raport", "/json", "/csv", "/?", "  0  ", "  1  ",
                                 "  2  ", "  3  "}) {
        EXPECT_NE(pomoc.find(fragment), std::string::npos) << fragment;
    }
}

}  // namespace
}  // namespace pro

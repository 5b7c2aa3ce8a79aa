#include <gtest/gtest.h>

#include "catalogue/Proaplikacja.h"
#include "platform/sim/SymulowanaMaszyna.h"

namespace pro {
using namespace std::string_literals;
namespace {

constexpr auto HKLM = Korzen::LocalMachine;
const std::string Klucz = "Software\\Test";

TEST(WersjaPliku, CzteryCzesciZeStalegoBloku) {
    struct Wiersz {
        unsigned a, b, c, d;
        const char* tekst;
    };
    const Wiersz wiersze[] = {
        {5, 0, 7601, 17514, "5.0.7601.17514"},
        {6, 1, 7600, 16385, "6.1.7600.16385"},
        {65535, 65535, 65535, 65535, "65535.65535.65535.65535"},
        {0, 0, 0, 0, "0.0.0.0"},
    };
    for (const auto& w : wiersze) {
        SymulowanaMaszyna m;
        m.DodajPlik("C:\\a.exe", SymulowanaMaszyna::Wersja(w.a, w.b, w.c, w.d));
        EXPECT_EQ(WersjaPliku(m, "C:\\a.exe"), w.tekst);
        EXPECT_TRUE(m.Niezwolnione().empty());
    }
}

TEST(WersjaPliku, Niepowodzenia) {
    SymulowanaMaszyna m;
    m.DodajKatalog("C:\\katalog");
    m.DodajPlik("C:\\bez_wersji.exe");
    m.DodajPlik("C:\\zly_odczyt.exe", SymulowanaMaszyna::Wersja(1, 2, 3, 4));
    m.pliki["c:\\zly_odczyt.exe"].odczyt_zawodzi = true;
    m.DodajPlik("C:\\bez_bloku.exe", SymulowanaMaszyna::Wersja(1, 2, 3, 4));
    m.pliki["c:\\bez_bloku.exe"].bez_bloku = true;

    EXPECT_EQ(WersjaPliku(m, ""), "brak pliku");
    EXPECT_EQ(WersjaPliku(m, "C:\\nie_ma.exe"), "brak pliku");
    EXPECT_EQ(WersjaPliku(m, "C:\\katalog"), "brak pliku");
    EXPECT_EQ(WersjaPliku(m, "C:\\bez_wersji.exe"), "brak wersji");
    EXPECT_EQ(WersjaPliku(m, "C:\\zly_odczyt.exe"), "brak wersji");
    EXPECT_EQ(WersjaPliku(m, "C:\\bez_bloku.exe"), "brak wersji");
    EXPECT_EQ(m.Liczba("RozmiarInfoWersji C:\\katalog"), 0u) << "a directory is not read";
}

struct PrzypadekTekstu {
    const char* opis;
    std::uint32_t typ;
    std::vector<std::uint8_t> dane;
    const char* oczekiwany;
};

std::vector<std::uint8_t> Utf16Le(std::u16string tekst) {
    std::vector<std::uint8_t> b;
    for (char16_t z : tekst) {
        b.push_back(static_cast<std::uint8_t>(z & 0xFF));
        b.push_back(static_cast<std::uint8_t>(z >> 8));
    }
    return b;
}

TEST(CzytajRejestrTekst, TypyIZakonczenia) {
    const PrzypadekTekstu przypadki[] = {
        {"REG_SZ z NUL", typ_rejestru::Sz, Utf16Le(u"6.1\0"s), "6.1"},
        {"REG_SZ bez NUL", typ_rejestru::Sz, Utf16Le(u"6.1"), "6.1"},
        {"pusty REG_SZ", typ_rejestru::Sz, Utf16Le(u"\0"s), ""},
        {"REG_SZ zerowej dlugosci", typ_rejestru::Sz, {}, ""},
        {"do pierwszego NUL", typ_rejestru::Sz, Utf16Le(u"11.0\0xyz\0"s), "11.0"},
        {"nieparzysta liczba bajtow", typ_rejestru::Sz, {'6', 0, '.', 0, '1'}, "6."},
        {"polskie litery", typ_rejestru::Sz, Utf16Le(u"wersją\0"s), "wersją"},
        {"REG_EXPAND_SZ", typ_rejestru::ExpandSz, Utf16Le(u"6.1\0"s), ""},
        {"REG_MULTI_SZ", typ_rejestru::MultiSz, Utf16Le(u"6.1\0\0"s), ""},
        {"REG_DWORD", typ_rejestru::Dword, {1, 0, 0, 0}, ""},
        {"REG_BINARY", typ_rejestru::Binary, {'6', 0}, ""},
    };
    for (const auto& p : przypadki) {
        SymulowanaMaszyna m;
        m.UstawWartosc(HKLM, Klucz, "Wartosc", p.typ, p.dane);
        EXPECT_EQ(CzytajRejestrTekst(m, HKLM, Klucz, "Wartosc"), p.oczekiwany) << p.opis;
        EXPECT_TRUE(m.Niezwolnione().empty()) << p.opis;
    }
}

TEST(CzytajRejestrTekst, BrakKluczaLubWartosci) {
    SymulowanaMaszyna m;
    m.UtworzKlucz(HKLM, Klucz);
    m.UstawTekst(HKLM, "Software\\Zablokowany", "Wartosc", "1.0");
    m.ZablokujKlucz(HKLM, "Software\\Zablokowany");
    EXPECT_EQ(CzytajRejestrTekst(m, HKLM, "Software\\Nie ma", "Wartosc"), "");
    EXPECT_EQ(CzytajRejestrTekst(m, HKLM, Klucz, "Wartosc"), "");
    EXPECT_EQ(CzytajRejestrTekst(m, HKLM, "Software\\Zablokowany", "Wartosc"), "");
    EXPECT_EQ(m.Liczba("ZamknijKlucz"), 1u) << "only the opened key is closed";
    EXPECT_TRUE(m.Niezwolnione().empty());
}

TEST(CzytajRejestrTekst, KluczINazwaBezWzgleduNaWielkosc) {
    SymulowanaMaszyna m;
    m.UstawTekst(HKLM, "SOFTWARE\\Microsoft\\Internet Explorer", "svcVersion", "11.0.9600.17420");
    EXPECT_EQ(CzytajRejestrTekst(m, HKLM, "Software\\Microsoft\\Internet Explorer", "SVCVERSION"),
              "11.0.9600.17420");
}

struct PrzypadekLiczby {
    const char* opis;
    std::uint32_t typ;
    std::vector<std::uint8_t> dane;
    std::int32_t oczekiwana;
};

TEST(CzytajRejestrLiczba, TypyIRozmiary) {
    const PrzypadekLiczby przypadki[] = {
        {"0", typ_rejestru::Dword, {0, 0, 0, 0}, 0},
        {"1", typ_rejestru::Dword, {1, 0, 0, 0}, 1},
        {"0x12345678", typ_rejestru::Dword, {0x78, 0x56, 0x34, 0x12}, 0x12345678},
        {"0xFFFFFFFF", typ_rejestru::Dword, {0xFF, 0xFF, 0xFF, 0xFF}, -1},
        {"0x80000000", typ_rejestru::Dword, {0, 0, 0, 0x80}, INT32_MIN},
        // A REG_DWORD of another size than 4 is never read past 4 bytes.
        {"DWORD o 8 bajtach", typ_rejestru::Dword, {1, 0, 0, 0, 9, 9, 9, 9}, -1},
        {"DWORD o 2 bajtach", typ_rejestru::Dword, {1, 0}, -1},
        {"DWORD pusty", typ_rejestru::Dword, {}, -1},
        {"cyfra jako REG_SZ", typ_rejestru::Sz, Utf16Le(u"1\0"s), -1},
        {"REG_QWORD", typ_rejestru::Qword, {1, 0, 0, 0, 0, 0, 0, 0}, -1},
        {"REG_BINARY", typ_rejestru::Binary, {1, 0, 0, 0}, -1},
    };
    for (const auto& p : przypadki) {
        SymulowanaMaszyna m;
        m.UstawWartosc(HKLM, Klucz, "Install", p.typ, p.dane);
        EXPECT_EQ(CzytajRejestrLiczba(m, HKLM, Klucz, "Install"), p.oczekiwana) << p.opis;
        EXPECT_TRUE(m.Niezwolnione().empty()) << p.opis;
    }
}

TEST(CzytajRejestrLiczba, BrakKluczaLubWartosci) {
    SymulowanaMaszyna m;
    m.UtworzKlucz(HKLM, Klucz);
    EXPECT_EQ(CzytajRejestrLiczba(m, HKLM, "Software\\Nie ma", "Install"), -1);
    EXPECT_EQ(CzytajRejestrLiczba(m, HKLM, Klucz, "Install"), -1);
    EXPECT_TRUE(m.Niezwolnione().empty());
}

}  // namespace
}  // namespace pro

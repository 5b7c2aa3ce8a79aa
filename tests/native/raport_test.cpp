#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/Katalog.h"
#include "catalogue/Raport.h"
#include "platform/sim/SymulowanaMaszyna.h"

namespace pro {
namespace {

std::vector<std::string> Linie(const std::string& tekst) {
    std::vector<std::string> linie;
    std::istringstream wejscie(tekst);
    for (std::string linia; std::getline(wejscie, linia);) linie.push_back(linia);
    return linie;
}

std::size_t Znaki(const std::string& utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
    return n;
}

NaglowekRaportu Naglowek() {
    NaglowekRaportu n;
    n.wersja = "1.2.0.7";
    n.data_czas = "2016-03-14 08:05:30";
    n.podsumowanie = {"System operacyjny: Microsoft Windows 7 Ultimate Edition",
                      "Platforma: x64 (liczba procesorów: 4)", "Uprawnienia administratora: nie",
                      "Kontrola konta użytkownika: aktywna"};
    return n;
}

TEST(Raport, NaglowekIZakonczenie) {
    DrzewoWyniku drzewo;
    const auto linie = Linie(TrescRaportu(Naglowek(), drzewo));
    const std::string gwiazdki(72, '*');
    const std::vector<std::string> oczekiwane = {
        gwiazdki,
        "***                    Raport programu probierator                   ***",
        "***         utworzony wersją 1.2.0.7 dnia 2016-03-14 08:05:30        ***",
        "***                           " + std::string(NotaProducenta) +
            "                          ***",
        gwiazdki,
        "",
        "Dane systemu:",
        "System operacyjny: Microsoft Windows 7 Ultimate Edition",
        "Platforma: x64 (liczba procesorów: 4)",
        "Uprawnienia administratora: nie",
        "Kontrola konta użytkownika: aktywna",
        "",
        "Wybrane aplikacje:",
        "",
        gwiazdki,
        "***                          koniec raportu                          ***",
        gwiazdki,
    };
    EXPECT_EQ(linie, oczekiwane);
    for (std::size_t i : {1u, 3u, 15u}) EXPECT_EQ(Znaki(linie[i]), 72u) << i;
}

TEST(Raport, BlokiAplikacji) {
    SymulowanaMaszyna m;
    Katalog k;
    DrzewoWyniku drzewo;
    auto& a = drzewo.DodajKorzen("Marendo Tabulo", obraz::Aplikacja, &k.Aplikacje[2]);
    drzewo.DodajDziecko(a, "System operacyjny Windows", Werdykt::spelnia, &k.Komponenty[0]);
    drzewo.DodajDziecko(a, ".NET Framework 3.5:  ??.????.??", Werdykt::brak, &k.Komponenty[4]);
    drzewo.DodajDziecko(a, "nieznany komponent", Werdykt::tymczasowy, &k.Komponenty[1]);
    auto& b = drzewo.DodajKorzen("Ellard 100% Tabulo %s", obraz::Aplikacja, &k.Aplikacje[17]);
    drzewo.DodajDziecko(b, "Windows Installer", Werdykt::spelnia, &k.Komponenty[1]);
    drzewo.DodajKorzen("Bez dzieci", obraz::Aplikacja, &k.Aplikacje[0]);

    const std::string podkreslenia(72, '_');
    const auto linie = Linie(TekstDrzewa(0, drzewo.Korzenie()));
    const std::vector<std::string> oczekiwane = {
        podkreslenia,
        "Marendo Tabulo",
        podkreslenia,
        " System operacyjny Windows",
        " - komponent zainstalowany",
        " .NET Framework 3.5:  ??.????.??",
        " - BRAK komponentu!",
        " nieznany komponent",
        "",
        podkreslenia,
        "Ellard 100% Tabulo %s",
        podkreslenia,
        " Windows Installer",
        " - komponent zainstalowany",
        "",
        podkreslenia,
        "Bez dzieci",
        podkreslenia,
    };
    EXPECT_EQ(linie, oczekiwane);
}

TEST(Raport, WszystkoSpelnioneDwiePusteLiniePrzedGwiazdkami) {
    DrzewoWyniku drzewo;
    auto& a = drzewo.DodajKorzen("Ellard Tabulo", obraz::Aplikacja, nullptr);
    drzewo.DodajDziecko(a, "Windows Installer", Werdykt::spelnia, nullptr);
    const std::string tresc = TrescRaportu(Naglowek(), drzewo);
    EXPECT_NE(tresc.find(" Windows Installer\n - komponent zainstalowany\n\n\n" +
                         std::string(72, '*') + "\n"),
              std::string::npos);
}

TEST(Raport, DataICzas) {
    SymulowanaMaszyna m;
    EXPECT_EQ(DataCzasRaportu(m, {2016, 3, 14, 8, 5, 30}), "2016-03-14 08:05:30");
    EXPECT_EQ(DataCzasRaportu(m, {2016, 3, 14, 0, 0, 0}), "2016-03-14");
    EXPECT_EQ(DataCzasRaportu(m, {2016, 3, 14, 0, 0, 1}), "2016-03-14 00:00:01");
    EXPECT_EQ(DataCzasRaportu(m, {2016, 3, 14, 12, 0, 0}), "2016-03-14 12:00:00");
}

TEST(Raport, KodowanieCp1250ICrLf) {
    const std::string bajty = BajtyRaportu("wersją\nŻółć ĄĘŚ\n€ → 中\n100% %s\n");
    EXPECT_EQ(bajty, "wersj\xB9\r\n\xAF\xF3\xB3\xE6 \xA5\xCA\x8C\r\n\x80 ? ?\r\n100% %s\r\n");
    DrzewoWyniku drzewo;
    const std::string plik = BajtyRaportu(TrescRaportu(Naglowek(), drzewo));
    for (std::size_t i = 0; i < plik.size(); ++i) {
        if (plik[i] == '\n') {
            ASSERT_TRUE(i > 0 && plik[i - 1] == '\r') << "lone LF at " << i;
        }
        if (plik[i] == '\r') {
            ASSERT_TRUE(i + 1 < plik.size() && plik[i + 1] == '\n');
        }
    }
    EXPECT_EQ(plik.substr(plik.size() - 2), "\r\n");
    EXPECT_NE(plik.find("utworzony wersj\xB9 1.2.0.7"), std::string::npos);
    EXPECT_NE(plik.find("\xA9 Orleko"), std::string::npos);
}

TEST(Raport, NazwaPlikuBezZnakowZabronionych) {
    EXPECT_EQ(NazwaRaportu("2016-03-14"), "Raport_probieratora_2016-03-14.txt");
    EXPECT_EQ(NazwaRaportu("3/14/2016"), "Raport_probieratora_3-14-2016.txt");
    EXPECT_EQ(NazwaRaportu("14.03.2016"), "Raport_probieratora_14.03.2016.txt");
    EXPECT_EQ(NazwaRaportu("a<b>c:d\"e\\f|g?h*i\tj"),
              "Raport_probieratora_a-b-c-d-e-f-g-h-i-j.txt");
}

}  // namespace
}  // namespace pro

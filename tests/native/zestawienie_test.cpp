#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>

#include "wyniki/Podsumowanie.h"
#include "wyniki/Polecenie.h"
#include "wyniki/StronaZestawienia.h"
#include "wyniki/WynikJson.h"
#include "wyniki/Zestawienie.h"
#include "platform/Tekst.h"
#include "platform/sim/SymulowanaMaszyna.h"

namespace pro {
namespace {

using nlohmann::json;

// A result as /json writes it, one application with one component of each status.
json Wynik(const std::string& komputer, const std::string& czas) {
    return json{{"format", 1},
                {"wersja_programu", "1.0.0.1"},
                {"komputer", komputer},
                {"czas", czas},
                {"system", "Windows 7 Professional"},
                {"platforma", "x64"},
                {"administrator", true},
                {"uac", "włączona"},
                {"aplikacje",
                 {{{"nazwa", "Barkon Tabulo"},
                   {"kod", "BKT"},
                   {"spelnia_wymagania", false},
                   {"komponenty",
                    {{{"nazwa", "System operacyjny Windows"},
                      {"wymagana", 60},
                      {"wykryta", 61},
                      {"tekst", "6.1"},
                      {"status", "spelnia"}},
                     {{"nazwa", "MS Excel"},
                      {"wymagana", 11},
                      {"wykryta", -2},
                      {"tekst", "brak możliwości sprawdzenia"},
                      {"status", "nieustalony"}}}}}}}};
}

std::string Tekst(const json& j) {
    return j.dump(2);
}

constexpr const char* Folder = "C:\\Wyniki";

struct ZlyPlik {
    const char* nazwa;
    std::function<std::string()> tresc;  // empty for a file that cannot be opened
    const char* powod;                   // empty: the file is read
};

std::string Zmieniony(const std::function<void(json&)>& zmiana) {
    json j = Wynik("PC", "2026-12-01T10:00:00+01:00");
    zmiana(j);
    return Tekst(j);
}

TEST(Zestawienie, ZlePlikiZPowodami) {
    const std::string dobry = Tekst(Wynik("PC", "2026-12-01T10:00:00+01:00"));
    std::string megabajt = dobry;
    megabajt.resize(LimitPlikuWyniku, ' ');
    const ZlyPlik pliki[] = {
        {"01-pusty.json", [] { return std::string(); }, "niepoprawny JSON (bajt 1)"},
        {"02-uciety.json", [&] { return dobry.substr(0, 40); }, "niepoprawny JSON (bajt 41)"},
        {"03-utf8.json", [] { return std::string("{\"komputer\": \"PC\xC3\x28\"}"); },
         "niepoprawny JSON: błędny znak UTF-8 (bajt 17)"},
        {"04-nadmiarowy.json", [] { return std::string("{\"komputer\": \"\xC0\xAF\"}"); },
         "niepoprawny JSON: błędny znak UTF-8 (bajt 15)"},
        {"05-surogat.json", [] { return std::string("{\"komputer\": \"\xED\xA0\x80\"}"); },
         "niepoprawny JSON: błędny znak UTF-8 (bajt 15)"},
        {"06-surogat-escape.json", [] { return std::string("{\"komputer\": \"\\ud800\"}"); },
         "niepoprawny JSON (bajt 21)"},
        {"07-tablica.json", [&] { return "[" + dobry + "]"; }, "plik nie zawiera obiektu JSON"},
        {"08-gleboko.json",
         [] { return "{\"system\": " + std::string(100000, '[') + std::string(100000, ']') + "}"; },
         "niepoprawny JSON: zagnieżdżenie głębsze niż 16 poziomów"},
        {"09-bez-czasu.json", [] { return Zmieniony([](json& j) { j.erase("czas"); }); },
         "brak pola „czas”"},
        {"10-czas-liczba.json", [] { return Zmieniony([](json& j) { j["czas"] = 5; }); },
         "pole „czas” ma zły typ"},
        {"11-30-lutego.json",
         [] { return Zmieniony([](json& j) { j["czas"] = "2026-02-30T10:00:00+01:00"; }); },
         "pole „czas” nie jest czasem"},
        {"12-bez-komputera.json", [] { return Zmieniony([](json& j) { j["komputer"] = ""; }); },
         "pole „komputer” jest puste"},
        {"13-administrator.json",
         [] { return Zmieniony([](json& j) { j["administrator"] = "tak"; }); },
         "pole „administrator” ma zły typ"},
        {"14-aplikacja-liczba.json",
         [] { return Zmieniony([](json& j) { j["aplikacje"] = json::array({5}); }); },
         "pole „aplikacje[0]” ma zły typ"},
        {"15-status.json",
         [] {
             return Zmieniony(
                 [](json& j) { j["aplikacje"][0]["komponenty"][1]["status"] = "<b>"; });
         },
         "pole „aplikacje[0].komponenty[1].status” ma nieznaną wartość"},
        {"16-bez-tekstu.json",
         [] {
             return Zmieniony([](json& j) { j["aplikacje"][0]["komponenty"][0].erase("tekst"); });
         },
         "brak pola „aplikacje[0].komponenty[0].tekst”"},
        {"17-format-2.json", [] { return Zmieniony([](json& j) { j["format"] = 2; }); },
         "nieobsługiwany format pliku: 2"},
        {"18-format-tekst.json", [] { return Zmieniony([](json& j) { j["format"] = "1"; }); },
         "pole „format” ma zły typ"},
        {"19-za-wiele.json",
         [] {
             return Zmieniony([](json& j) {
                 for (int i = 0; i < 100; ++i) j["aplikacje"].push_back(j["aplikacje"][0]);
             });
         },
         "pole „aplikacje” ma ponad 100 pozycji"},
        {"20-duzy.json", [&] { return megabajt + " "; }, "plik większy niż 1 MiB"},
        {"20b-wersja-systemu.json",
         [] { return Zmieniony([](json& j) { j["wersja_systemu"] = 10; }); },
         "pole „wersja_systemu” ma zły typ"},
        {"20c-typ-produktu.json", [] { return Zmieniony([](json& j) { j["typ_produktu"] = -1; }); },
         "pole „typ_produktu” ma zły typ"},
        {"21-zamkniety.json", nullptr, "nie udało się otworzyć pliku"},
        // Read: exactly 1 MiB; no "format" field (read as format 1).
        {"22-dokladnie-1-MiB.json", [&] { return megabajt; }, ""},
        {"23-bez-formatu.json",
         [] {
             json j = Wynik("PC-2", "2026-12-01T10:00:00+01:00");
             j.erase("format");
             return Tekst(j);
         },
         ""},
        // Read: a byte-order mark, as a text editor may leave it.
        {"24-bom.json",
         [] { return "\xEF\xBB\xBF" + Tekst(Wynik("PC-3", "2026-12-01T10:00:00+01:00")); }, ""},
    };
    SymulowanaMaszyna m;
    m.DodajKatalog(Folder);
    std::vector<PominietyPlik> oczekiwane;
    for (const auto& p : pliki) {
        const std::string sciezka = std::string(Folder) + "\\" + p.nazwa;
        m.zapisane_pliki[sciezka] = p.tresc ? p.tresc() : std::string("{}");
        if (!p.tresc) m.nie_do_otwarcia.insert(sciezka);
        if (*p.powod != '\0') oczekiwane.push_back({p.nazwa, p.powod});
    }
    const auto z = ZbierzZestawienie(m, Folder);
    ASSERT_TRUE(z);
    ASSERT_EQ(z->pominiete.size(), oczekiwane.size());
    for (std::size_t i = 0; i < oczekiwane.size(); ++i) {
        EXPECT_EQ(z->pominiete[i].plik, oczekiwane[i].plik);
        EXPECT_EQ(z->pominiete[i].powod, oczekiwane[i].powod) << oczekiwane[i].plik;
    }
    ASSERT_EQ(z->komputery.size(), 3u);
    EXPECT_EQ(z->komputery[0].komputer, "PC");  // 22-dokladnie-1-MiB.json
    EXPECT_EQ(z->komputery[1].komputer, "PC-2");
    EXPECT_EQ(z->komputery[2].komputer, "PC-3");
    // Every file is read once, with the bound.
    EXPECT_EQ(m.Liczba("CzytajPlik "), std::size(pliki));
    EXPECT_EQ(m.Liczba("CzytajPlik C:\\Wyniki\\01-pusty.json 1048576"), 1u);
}

TEST(Zestawienie, NajnowszyWygrywaIStaryWynik) {
    SymulowanaMaszyna m;
    m.DodajKatalog(Folder);
    const auto dodaj = [&m](const char* plik, const std::string& komputer, const char* czas,
                            const char* system) {
        json j = Wynik(komputer, czas);
        j["system"] = system;
        m.zapisane_pliki[std::string(Folder) + "\\" + plik] = Tekst(j);
    };
    // 09:30Z is the latest instant of PC01, though 11:00+02:00 reads later.
    dodaj("a1.json", "SALA1-PC01", "2026-12-01T10:00:00+01:00", "starszy");
    dodaj("a2.json", "sala1-pc01", "2026-12-01T09:30:00Z", "najnowszy");
    dodaj("a3.json", "Sala1-PC01", "2026-12-01T11:00:00+02:00", "starszy");
    // Files enough that a4 is parsed in a later batch than a2.
    for (int i = 0; i < 70; ++i) {
        dodaj(("a3-" + std::to_string(i) + ".json").c_str(), "SALA1-PC01", "2026-11-30T10:00:00Z",
              "starszy");
    }
    dodaj("a4.json", "SALA1-PC01", "2026-12-01T09:30:00Z", "ta sama chwila, drugi plik");
    dodaj("b.json", "SALA1-PC02", "2026-11-01T10:30:00+01:00", "równo 30 dni");
    dodaj("c.json", "SALA1-PC03", "2026-11-01T09:29:59Z", "30 dni i sekunda");
    dodaj("d.txt", "SALA1-PC04", "2026-12-01T09:30:00Z", "nie *.json");
    m.zapisane_pliki["C:\\Inny\\e.json"] = Tekst(Wynik("SALA1-PC05", "2026-12-01T09:30:00Z"));

    const auto z = ZbierzZestawienie(m, "C:\\Wyniki\\");
    ASSERT_TRUE(z);
    EXPECT_TRUE(z->pominiete.empty());
    ASSERT_EQ(z->komputery.size(), 3u);
    EXPECT_EQ(z->komputery[0].komputer, "sala1-pc01");
    EXPECT_EQ(z->komputery[0].system, "najnowszy");
    EXPECT_EQ(z->komputery[1].komputer, "SALA1-PC02");
    EXPECT_EQ(z->komputery[2].komputer, "SALA1-PC03");
    const WynikKomputera* najnowszy = Najnowszy(*z);
    ASSERT_NE(najnowszy, nullptr);
    EXPECT_EQ(najnowszy, &z->komputery[0]);
    EXPECT_FALSE(StaryWynik(*najnowszy, z->komputery[0]));
    EXPECT_FALSE(StaryWynik(*najnowszy, z->komputery[1]));
    EXPECT_TRUE(StaryWynik(*najnowszy, z->komputery[2]));
}

TEST(Zestawienie, CzasJakoChwila) {
    struct Wiersz {
        const char* tekst;
        std::optional<std::int64_t> utc;
    };
    const Wiersz wiersze[] = {
        {"1970-01-01T00:00:00Z", 0},
        {"1970-01-01T01:00:00+01:00", 0},
        {"1969-12-31T23:30:00-00:30", 0},
        {"2016-03-14T08:05:30+01:00", 1457939130},
        {"2024-02-29T12:00:00+00:00", 1709208000},
        {"2023-02-29T12:00:00+00:00", std::nullopt},
        {"2016-03-14 08:05:30+01:00", std::nullopt},
        {"2016-03-14T24:00:00+01:00", std::nullopt},
        {"2016-03-14T08:05:30+15:00", std::nullopt},
        {"2016-03-14T08:05:30", std::nullopt},
        {"2016-03-14T08:05:30+01:00 ", std::nullopt},
        {"2016-13-14T08:05:30+01:00", std::nullopt},
        {"+016-03-14T08:05:30+01:00", std::nullopt},
    };
    for (const auto& w : wiersze) {
        const auto czas = CzytajCzas(w.tekst);
        EXPECT_EQ(czas.has_value(), w.utc.has_value()) << w.tekst;
        if (czas && w.utc) {
            EXPECT_EQ(Chwila(*czas), *w.utc) << w.tekst;
        }
    }
}

// A result written as JSON reads back equal: today's file with a component
// in each state, and a file of an earlier version, without `wersja_systemu`
// and `typ_produktu`.
TEST(WynikJson, ZapisanyCzytaSieRowny) {
    const auto wynik = [](StanKomponentu stan, const char* wersja_systemu = "10.0.26100.2605",
                          std::optional<std::uint32_t> typ_produktu = 0x79) {
        const KomponentWyniku excel{"MS Excel", 12, -2, "brak możliwości sprawdzenia", stan};
        const std::vector<AplikacjaWyniku> aplikacje{{"Barkon", "BKT", {excel}}, {"Pusta", "", {}}};
        return WynikKomputera("1.0.0.1", "SALA \"7\"\t<b> ąę",
                              CzasLokalny{2016, 3, 14, 8, 5, 30, -150}, "Windows 11",
                              wersja_systemu, typ_produktu, "x64", true, "aktywna", aplikacje);
    };
    const std::pair<const char*, WynikKomputera> wiersze[] = {
        {"met", wynik(StanKomponentu::Spelnia)},
        {"not met", wynik(StanKomponentu::NieSpelnia)},
        {"not determined", wynik(StanKomponentu::Nieustalony)},
        {"earlier version", wynik(StanKomponentu::NieSpelnia, "", std::nullopt)},
    };
    for (const auto& [opis, w] : wiersze) {
        std::string plik = WynikJson(w);
        if (!w.typ_produktu) {  // as versions before the two fields wrote it
            json j = json::parse(plik);
            for (const char* pole : {"wersja_systemu", "typ_produktu"}) j.erase(pole);
            plik = Tekst(j);
        }
        const auto odczyt = CzytajWynik(plik);
        ASSERT_TRUE(std::holds_alternative<WynikKomputera>(odczyt)) << opis;
        EXPECT_EQ(std::get<WynikKomputera>(odczyt), w) << opis << "\n" << plik;
    }
}

struct WykonanieZestawienia : testing::Test {
    SymulowanaMaszyna m;
    Katalog k;
    WynikPolecenia Zestaw(const std::string& folder = Folder) {
        return WykonajPolecenie(std::get<Polecenie>(ParsujPolecenie(
                                    {"/zestawienie", folder, "/html", "C:\\z.html"}, k)),
                                k, m);
    }
};

TEST_F(WykonanieZestawienia, ZestawienieKodyIJednaLinia) {
    m.DodajKatalog(Folder);
    m.zapisane_pliki["C:\\Wyniki\\a.json"] = Tekst(Wynik("PC-1", "2026-12-01T10:00:00+01:00"));
    m.zapisane_pliki["C:\\Wyniki\\b.json"] = "nie JSON";
    const auto wynik = Zestaw();
    EXPECT_EQ(wynik.kod, 0) << "a skipped file never stops the page";
    EXPECT_EQ(wynik.wyjscie, "Zestawienie: komputery: 1, pominięte pliki: 1, strona: C:\\z.html\n");
    EXPECT_TRUE(wynik.bledy.empty());
    const std::string strona = m.zapisane_pliki.at("C:\\z.html");
    EXPECT_NE(strona.find("Pliki, których nie udało się odczytać"), std::string::npos);
    EXPECT_EQ(m.Liczba("OtworzKlucz"), 0u) << "the overview checks nothing";
    EXPECT_EQ(m.Liczba("NazwaKomputera"), 0u);
}

TEST_F(WykonanieZestawienia, ZestawienieNieudane) {
    m.zapisane_pliki["C:\\z.html"] = "poprzednia";
    const auto bez_folderu = Zestaw("C:\\Brak");
    EXPECT_EQ(bez_folderu.kod, 3);
    EXPECT_NE(bez_folderu.bledy.find("C:\\Brak"), std::string::npos);
    EXPECT_TRUE(bez_folderu.wyjscie.empty());
    EXPECT_EQ(m.Liczba("ZapiszPlik"), 0u);

    m.DodajKatalog(Folder);
    m.zapis_zawodzi = true;
    const auto bez_zapisu = Zestaw();
    EXPECT_EQ(bez_zapisu.kod, 3);
    EXPECT_NE(bez_zapisu.bledy.find("C:\\z.html"), std::string::npos);
    EXPECT_EQ(m.zapisane_pliki.at("C:\\z.html"), "poprzednia");
}

TEST(Zestawienie, LiczbaKomputerowOdmieniona) {
    const std::pair<std::size_t, const char*> wiersze[] = {
        {0, "0 komputerów"},    {1, "1 komputer"},      {4, "4 komputery"},    {5, "5 komputerów"},
        {12, "12 komputerów"},  {14, "14 komputerów"},  {21, "21 komputerów"}, {22, "22 komputery"},
        {104, "104 komputery"}, {112, "112 komputerów"}};
    for (const auto& [n, tekst] : wiersze) EXPECT_EQ(Komputery(n), tekst);
}

TEST(Html, ZnakiSpecjalneSterujaceIDlugosc) {
    struct Wiersz {
        std::string tekst, html;
    };
    const Wiersz wiersze[] = {
        {"<script>", "&lt;script&gt;"},
        {"\"><img src=x onerror=alert(1)>", "&quot;&gt;&lt;img src=x onerror=alert(1)&gt;"},
        {"&lt; 'a'", "&amp;lt; &#39;a&#39;"},
        {"a\x01\tb\x7F\xC2\x85\xC2\xA0ą",
         "a\xEF\xBF\xBD\xEF\xBF\xBD"
         "b\xEF\xBF\xBD\xEF\xBF\xBD\xC2\xA0ą"},
        {std::string(LimitTekstu, 'x'), std::string(LimitTekstu, 'x')},
        {std::string(LimitTekstu, 'x') + "ą", std::string(LimitTekstu, 'x') + "…"},
        {std::string(LimitTekstu - 1, 'x') + "ą<", std::string(LimitTekstu - 1, 'x') + "ą…"},
    };
    for (const auto& w : wiersze) EXPECT_EQ(Html(w.tekst), w.html) << w.tekst;
}

TEST(Utf8, PierwszyBlednyBajt) {
    struct Wiersz {
        std::string tekst;
        std::optional<std::size_t> blad;
    };
    const Wiersz wiersze[] = {
        {"zażółć \xE2\x9C\x93 \xF0\x9F\x98\x80", std::nullopt},
        {"a\x80", 1},             // a lone continuation byte
        {"ab\xC3", 2},            // cut short
        {"\xC1\xBF", 0},          // overlong
        {"\xE0\x9F\xBF", 0},      // overlong
        {"\xED\xBF\xBF", 0},      // a surrogate
        {"\xF4\x90\x80\x80", 0},  // past U+10FFFF
        {"\xF5\x80\x80\x80", 0},
        {"\xE2\x9C", 0},
    };
    for (const auto& w : wiersze) EXPECT_EQ(BlednyUtf8(w.tekst), w.blad) << w.tekst;
}

}  // namespace
}  // namespace pro

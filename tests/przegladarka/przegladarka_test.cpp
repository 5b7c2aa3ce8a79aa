// The overview page as a real browser reads it: headless Chromium loads the
// page written on the simulated machine and prints its DOM.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "Dom.h"
#include "wyniki/Polecenie.h"
#include "platform/sim/SymulowanaMaszyna.h"

namespace pro {
namespace {

using nlohmann::json;
using testy::Dom;
using testy::Element;

constexpr const char* Folder = "C:\\Wyniki";

json Komponent(const std::string& nazwa, const std::string& tekst, const char* status) {
    return json{
        {"nazwa", nazwa}, {"wymagana", 0}, {"wykryta", 0}, {"tekst", tekst}, {"status", status}};
}

json Wynik(const std::string& komputer, const std::string& czas, json aplikacje) {
    return json{{"format", 1},
                {"wersja_programu", "1.0.0.1"},
                {"komputer", komputer},
                {"czas", czas},
                {"system", "Windows 7"},
                {"platforma", "x64"},
                {"administrator", false},
                {"uac", "włączona"},
                {"aplikacje", aplikacje}};
}

json Aplikacja(const std::string& nazwa, json komponenty) {
    return json{
        {"nazwa", nazwa}, {"kod", ""}, {"spelnia_wymagania", false}, {"komponenty", komponenty}};
}

// The page of the folder on `m`, written to disk and read back by Chromium;
// with `druk`, also its printed text, and with `wyjscie` the console's line.
Dom Strona(SymulowanaMaszyna& m, const std::string& nazwa, std::string* druk = nullptr,
           std::string* wyjscie = nullptr) {
    Katalog k;
    const auto wynik = WykonajPolecenie(
        std::get<Polecenie>(ParsujPolecenie({"/zestawienie", Folder, "/html", "C:\\z.html"}, k)), k,
        m);
    EXPECT_EQ(wynik.kod, 0) << wynik.bledy;
    if (wyjscie != nullptr) *wyjscie = wynik.wyjscie;
    const auto plik = std::filesystem::temp_directory_path() /
                      (nazwa + "-" + std::to_string(::getpid()) + ".html");
    std::ofstream(plik, std::ios::binary) << m.zapisane_pliki.at("C:\\z.html");
    if (std::system("command -v chromium >/dev/null 2>&1") != 0) {
        ADD_FAILURE() << "chromium is missing: scripts/instaluj installs it";
        return {};
    }
    const std::string dom = testy::ZrzutDom(plik.string());
    if (druk != nullptr) *druk = testy::ZrzutDom(plik.string(), plik.string() + ".pdf");
    std::filesystem::remove(plik);
    std::filesystem::remove(plik.string() + ".pdf");
    EXPECT_FALSE(dom.empty()) << "chromium printed no DOM";
    return Dom::Czytaj(dom);
}

// Nothing that could run or fetch anything, anywhere in the DOM.
void BezAktywnejTresci(const Dom& dom) {
    ASSERT_FALSE(dom.elementy.empty());
    for (const auto& e : dom.elementy) {
        for (const char* zakazany : {"script", "img", "iframe", "object", "embed", "svg", "link",
                                     "base", "form", "video", "audio"}) {
            EXPECT_NE(e.nazwa, zakazany);
        }
        for (const auto& [nazwa, wartosc] : e.atrybuty) {
            EXPECT_NE(nazwa.rfind("on", 0), 0u) << e.nazwa << " " << nazwa << "=" << wartosc;
        }
    }
}

// What the page shows of a text: controls as U+FFFD, cut after 200 characters.
std::string Widoczny(const std::string& tekst) {
    std::string w;
    std::size_t znaki = 0;
    for (char z : tekst) {
        const auto b = static_cast<unsigned char>(z);
        if ((b & 0xC0) != 0x80 && ++znaki > 200) return w + "…";
        if (b < 0x20 || b == 0x7F)
            w += "\xEF\xBF\xBD";
        else
            w += z;
    }
    return w;
}

const Element* Wiersz(const Dom& dom, const std::string& komputer) {
    for (const Element* th : dom.Wszystkie("th")) {
        const auto b = dom.Wszystkie("b", dom.Indeks(th));
        if (!b.empty() && b.front()->tekst == komputer) {
            return &dom.elementy[static_cast<std::size_t>(th->rodzic)];
        }
    }
    return nullptr;
}

std::vector<std::string> Teksty(const std::vector<const Element*>& elementy) {
    std::vector<std::string> t;
    for (const Element* e : elementy) t.push_back(e->tekst);
    return t;
}

std::vector<std::string> Posortowane(std::vector<std::string> t) {
    std::sort(t.begin(), t.end());
    return t;
}

bool Klasa(const Element* e, const char* klasa) {
    const std::string* a = e->Atrybut("class");
    return a != nullptr && *a == klasa;
}

// The items of the section with this id: elements below each item, in order.
std::vector<const Element*> Elementy(const Dom& dom, const std::string& id) {
    for (const auto& e : dom.elementy) {
        const std::string* a = e.Atrybut("id");
        if (a != nullptr && *a == id) return dom.Wszystkie("li", dom.Indeks(&e));
    }
    ADD_FAILURE() << "no element with the id " << id;
    return {};
}

// Their texts, without the ways to install and the support marks.
std::vector<std::string> Pozycje(const Dom& dom, const std::string& id) {
    std::vector<std::string> t;
    for (const Element* li : Elementy(dom, id)) {
        std::string tekst = li->tekst;
        for (const char* nazwa : {"div", "span"}) {
            for (const Element* e : dom.Wszystkie(nazwa, dom.Indeks(li))) {
                if (!Klasa(e, "jak") && !Klasa(e, "poza-wsparciem") &&
                    !Klasa(e, "koniec-wsparcia")) {
                    continue;
                }
                const auto i = tekst.find(e->tekst);
                if (i != std::string::npos) tekst.erase(i, e->tekst.size());
            }
        }
        while (!tekst.empty() && tekst.back() == ' ') tekst.pop_back();
        t.push_back(tekst);
    }
    return t;
}

TEST(Przegladarka, WrogieWartosciTylkoJakoTekst) {
    const std::string wartosci[] = {
        "<script>alert(1)</script>",
        "\"><img src=x onerror=alert(1)>",
        "</td></tr><tr><td>",
        "&lt;b&gt; &amp;",
        "' onmouseover='alert(1)' x='",
        "<svg onload=alert(1)><iframe src=javascript:alert(1)></iframe>",
        "<object data=x></object><!--",
        std::string(100000, 'W'),
        "ster\x01\x08\x1b[31m\x7fowanie",
    };
    SymulowanaMaszyna m;
    m.DodajKatalog(Folder);
    for (std::size_t i = 0; i < std::size(wartosci); ++i) {
        const std::string& v = wartosci[i];
        const std::string nr = std::to_string(10 + i);
        json w = Wynik("K" + nr + " " + v, "2026-12-01T10:00:00+01:00",
                       {Aplikacja("A" + nr + " " + v, {Komponent(v, v, "nie_spelnia")})});
        for (const char* pole :
             {"system", "wersja_systemu", "platforma", "uac", "wersja_programu"}) {
            w[pole] = v;
        }
        m.zapisane_pliki[std::string(Folder) + "\\w" + nr + ".json"] = w.dump();
    }
    // Skipped: a value nested deep, an array instead of an object, a crafted name.
    json gleboki = Wynik("G", "2026-12-01T10:00:00+01:00", json::array());
    m.zapisane_pliki["C:\\Wyniki\\x-gleboko.json"] =
        gleboki.dump().substr(0, 1) + "\"system\": " + std::string(5000, '[') +
        std::string(5000, ']') + "," + gleboki.dump().substr(1);
    m.zapisane_pliki["C:\\Wyniki\\x-tablica.json"] = "[" + gleboki.dump() + "]";
    const std::string zla_nazwa = "<img src=x onerror=alert(1)>&amp;.json";
    m.zapisane_pliki["C:\\Wyniki\\" + zla_nazwa] = "<script>";

    const Dom dom = Strona(m, "wrogie");
    BezAktywnejTresci(dom);
    if (HasFatalFailure() || dom.elementy.empty()) return;
    const auto naglowki = dom.Wszystkie("th", dom.Indeks(dom.Wszystkie("thead").front()));
    std::vector<std::string> systemy, braki;
    for (std::size_t i = 0; i < std::size(wartosci); ++i) {
        const std::string& v = wartosci[i];
        const std::string nr = std::to_string(10 + i);
        SCOPED_TRACE("value " + nr);
        systemy.push_back(Widoczny(v) + " — 1 komputer");
        braki.push_back(Widoczny(v) + " — 1 komputer: " + Widoczny("K" + nr + " " + v) +
                        "; dla aplikacji: " + Widoczny("A" + nr + " " + v));
        const Element* wiersz = Wiersz(dom, Widoczny("K" + nr + " " + v));
        ASSERT_NE(wiersz, nullptr);
        const Element* th = dom.Wszystkie("th", dom.Indeks(wiersz)).front();
        EXPECT_NE(th->tekst.find(Widoczny(v) + " (" + Widoczny(v) + ")"), std::string::npos);
        EXPECT_NE(th->tekst.find("program " + Widoczny(v)), std::string::npos);
        EXPECT_EQ(Teksty(dom.Wszystkie("p", dom.Indeks(th))),
                  std::vector<std::string>{"Brakuje: " + Widoczny(v) + ": " + Widoczny(v)});
        // The application's column (after "Komputer"), and this row's cell in it.
        std::size_t kolumna = 0;
        while (kolumna < naglowki.size() &&
               naglowki[kolumna]->tekst != Widoczny("A" + nr + " " + v)) {
            ++kolumna;
        }
        ASSERT_LT(kolumna, naglowki.size());
        EXPECT_EQ(*naglowki[kolumna]->Atrybut("title"), Widoczny("A" + nr + " " + v));
        const auto komorki = dom.Wszystkie("td", dom.Indeks(wiersz));
        ASSERT_EQ(komorki.size(), naglowki.size() - 1) << "one cell per application column";
        EXPECT_EQ(komorki[kolumna - 1]->tekst, "✗");
    }
    EXPECT_EQ(dom.Wszystkie("tr", dom.Indeks(dom.Wszystkie("tbody").front())).size(),
              std::size(wartosci));
    EXPECT_EQ(Posortowane(Pozycje(dom, "systemy")), Posortowane(systemy));
    EXPECT_EQ(Posortowane(Pozycje(dom, "do-zainstalowania")), Posortowane(braki));

    const auto pominiete = dom.Wszystkie("table").back();
    const auto wiersze = dom.Wszystkie("tr", dom.Indeks(pominiete));
    ASSERT_EQ(wiersze.size(), 4u);
    const std::vector<std::string> oczekiwane = {
        "PlikPowód", zla_nazwa + "niepoprawny JSON (bajt 1)",
        "x-gleboko.jsonniepoprawny JSON: zagnieżdżenie głębsze niż 16 poziomów",
        "x-tablica.jsonplik nie zawiera obiektu JSON"};
    EXPECT_EQ(Teksty(wiersze), oczekiwane);
}

TEST(Przegladarka, NajnowszyStaryWynikIGotowe) {
    SymulowanaMaszyna m;
    m.DodajKatalog(Folder);
    const auto dodaj = [&m](const char* plik, const json& w) {
        m.zapisane_pliki[std::string(Folder) + "\\" + plik] = w.dump();
    };
    const json gotowa =
        Aplikacja("Ellard Tabulo", {Komponent("Windows Installer", "4.5", "spelnia")});
    const json brak = Aplikacja(
        "Ellard Tabulo", {Komponent(".NET Framework 3.5", "??.????.??", "nie_spelnia"),
                          Komponent("MS Excel", "brak możliwości sprawdzenia", "nieustalony")});
    const json nieustalona = Aplikacja(
        "Barkon Tabulo", {Komponent("System operacyjny Windows", "6.1", "spelnia"),
                          Komponent("MS Excel", "brak możliwości sprawdzenia", "nieustalony")});
    json stary = Wynik("PC01", "2026-12-01T10:00:00+01:00", {brak});
    stary["system"] = "Windows XP";
    dodaj("pc01-stary.json", stary);
    dodaj("pc01-nowy.json",
          Wynik("pc01", "2026-12-01T09:30:00Z", {gotowa, Aplikacja("Zeta", json::array())}));
    dodaj("pc02.json",
          Wynik("PC02", "2026-11-01T10:30:00+01:00",
                {brak, Aplikacja("Alfa", {Komponent("Windows Installer", "3.1", "nie_spelnia")})}));
    dodaj("pc03.json", Wynik("PC03", "2026-11-01T09:29:59Z", {nieustalona}));
    // Z01..Z22 lack Windows Installer, the first five SilverLight, Z01 also
    // .NET Framework 3.5 and Internet Explorer: the plural of 22, 5, 2 and 1.
    std::string z22;
    for (int i = 1; i <= 22; ++i) {
        const std::string nazwa = (i < 10 ? "Z0" : "Z") + std::to_string(i);
        z22 += (i > 1 ? ", " : "") + nazwa;
        json komponenty = {Komponent("Windows Installer", "3.1", "nie_spelnia")};
        if (i <= 5) komponenty.push_back(Komponent("SilverLight", "??.????.??", "nie_spelnia"));
        if (i == 1) komponenty.push_back(Komponent(".NET Framework 3.5", "", "nie_spelnia"));
        if (i == 1) komponenty.push_back(Komponent("Internet Explorer", "8.0", "nie_spelnia"));
        json w = Wynik(nazwa, "2026-11-30T08:00:00Z", {Aplikacja("Zeta", komponenty)});
        w["system"] = "Windows 10 Pro";
        dodaj((nazwa + ".json").c_str(), w);
    }
    // Windows 10 22H2 and 11 26H1 lack .NET 3.5, installed two ways; the
    // LTSC's support ends soon; the 24H2 result tells no edition.
    const auto windows = [&](const char* nazwa, const char* system, const char* wersja, json typ,
                             const json& komponent) {
        json w = Wynik(nazwa, "2026-11-30T08:00:00Z", {Aplikacja("Zeta", {komponent})});
        w["system"] = system;
        w["wersja_systemu"] = wersja;
        if (!typ.is_null()) w["typ_produktu"] = typ;
        dodaj((std::string(nazwa) + ".json").c_str(), w);
    };
    const json brak35 = Komponent(".NET Framework 3.5", "", "nie_spelnia");
    const json jest = Komponent("Windows Installer", "5.0", "spelnia");
    windows("W10", "Microsoft Windows 10 Professional 22H2", "10.0.19045.5247", 0x30, brak35);
    windows("W10-LTSC", "Microsoft Windows 10 Enterprise LTSC 21H2", "10.0.19044.5247", 0x7D, jest);
    windows("W11", "Microsoft Windows 11 Professional 26H1", "10.0.28000.1", 0x30, brak35);
    windows("W11-24H2", "Microsoft Windows 11 Professional 24H2", "10.0.26100.2605", nullptr, jest);

    const Dom dom = Strona(m, "najnowszy");
    BezAktywnejTresci(dom);
    if (dom.elementy.empty()) return;
    const auto meta = dom.Wszystkie("meta");
    bool csp = false;
    for (const Element* e : meta) {
        const std::string* rodzaj = e->Atrybut("http-equiv");
        csp = csp || (rodzaj != nullptr && *rodzaj == "Content-Security-Policy" &&
                      *e->Atrybut("content") == "default-src 'none'; style-src 'unsafe-inline'");
    }
    EXPECT_TRUE(csp);
    EXPECT_EQ(dom.Wszystkie("h1").front()->tekst,
              "Zestawienie wynikówkomputery: 29, najnowszy wynik: 2026-12-01 09:30:00 (UTC)");
    EXPECT_EQ(
        Teksty(dom.Wszystkie("th", dom.Indeks(dom.Wszystkie("thead").front()))),
        (std::vector<std::string>{"Komputer", "Barkon Tabulo", "Ellard Tabulo", "Alfa", "Zeta"}));

    struct Oczekiwany {
        const char* komputer;
        bool stary;
        std::vector<std::string> komorki;
        std::vector<std::string> braki;  // what the row lists once
    };
    const Oczekiwany wiersze[] = {
        {"pc01", false, {"–", "✓", "–", "✓"}, {}},
        {"PC02",
         false,
         {"–", "✗ 1", "✗ 2", "–"},
         {"Brakuje: 1) .NET Framework 3.5: ??.????.??; 2) Windows Installer: 3.1",
          "Nie ustalono: MS Excel: brak możliwości sprawdzenia"}},
        {"PC03",
         true,
         {"?", "–", "–", "–"},
         {"Nie ustalono: MS Excel: brak możliwości sprawdzenia"}},
    };
    const auto tbody = dom.Wszystkie("tbody").front();
    const auto tr = dom.Wszystkie("tr", dom.Indeks(tbody));
    ASSERT_EQ(tr.size(), std::size(wiersze) + 26);
    for (std::size_t i = 0; i < std::size(wiersze); ++i) {
        SCOPED_TRACE(wiersze[i].komputer);
        const Element* th = dom.Wszystkie("th", dom.Indeks(tr[i])).front();
        EXPECT_EQ(dom.Wszystkie("b", dom.Indeks(th)).front()->tekst, wiersze[i].komputer);
        EXPECT_EQ(dom.Wszystkie("em", dom.Indeks(th)).size(), wiersze[i].stary ? 1u : 0u);
        EXPECT_EQ(th->tekst.find("stary wynik") != std::string::npos, wiersze[i].stary);
        EXPECT_EQ(Teksty(dom.Wszystkie("td", dom.Indeks(tr[i]))), wiersze[i].komorki);
        EXPECT_EQ(Teksty(dom.Wszystkie("p", dom.Indeks(th))), wiersze[i].braki);
    }
    EXPECT_NE(
        dom.Wszystkie("th", dom.Indeks(tr[0])).front()->tekst.find("2026-12-01 09:30:00 (UTC)"),
        std::string::npos);
    EXPECT_EQ(Teksty(dom.Wszystkie("td", dom.Indeks(dom.Wszystkie("tfoot").front()))),
              (std::vector<std::string>{"gotowe: 0 z 1", "gotowe: 1 z 2", "gotowe: 0 z 1",
                                        "gotowe: 3 z 27"}));
    EXPECT_EQ(Teksty(dom.Wszystkie("h2")),
              (std::vector<std::string>{"Do zainstalowania", "Systemy", "Gotowość"}))
        << "no file was skipped";

    // Only the newest results count: PC01's older file neither lacks nor runs anything.
    EXPECT_EQ(
        Pozycje(dom, "do-zainstalowania"),
        (std::vector<std::string>{
            "Windows Installer — 23 komputery: PC02, " + z22 + "; dla aplikacji: Alfa, Zeta",
            ".NET Framework 3.5 — 4 komputery: PC02, W10, W11, Z01; dla aplikacji: Ellard Tabulo, "
            "Zeta",
            "SilverLight — 5 komputerów: Z01, Z02, Z03, Z04, Z05; dla aplikacji: Zeta",
            "Internet Explorer — 1 komputer: Z01; dla aplikacji: Zeta",
            "MS Excel (nie udało się ustalić) — 2 komputery: PC02, PC03; dla aplikacji: "
            "Barkon Tabulo, Ellard Tabulo"}));
    // One element per way to install, naming its computers in the page's order.
    std::vector<std::vector<std::string>> jak;
    std::vector<std::string> sposoby;
    for (const Element* li : Elementy(dom, "do-zainstalowania")) {
        jak.emplace_back();
        for (const Element* e : dom.Wszystkie("div", dom.Indeks(li))) {
            if (!Klasa(e, "jak")) continue;
            jak.back().push_back(dom.Wszystkie("b", dom.Indeks(e)).front()->tekst);
            sposoby.push_back(e->tekst.substr(e->tekst.find(": ")));
        }
    }
    EXPECT_EQ(
        jak,
        (std::vector<std::vector<std::string>>{
            {}, {"PC02, W10, Z01", "W11"}, {"Z01, Z02, Z03, Z04, Z05"}, {"Z01"}, {"PC02, PC03"}}));
    ASSERT_EQ(sposoby.size(), 5u);
    EXPECT_NE(sposoby[0], sposoby[1]) << "a feature of Windows, and a standalone installer";
    EXPECT_EQ(Pozycje(dom, "systemy"),
              (std::vector<std::string>{"Windows 10 Pro — 22 komputery", "Windows 7 — 3 komputery",
                                        "Microsoft Windows 10 Enterprise LTSC 21H2 — 1 komputer",
                                        "Microsoft Windows 10 Professional 22H2 — 1 komputer",
                                        "Microsoft Windows 11 Professional 24H2 — 1 komputer",
                                        "Microsoft Windows 11 Professional 26H1 — 1 komputer"}));
    // Windows 10 Pro without its build could be an LTSC; 24H2 without its
    // edition could be an Enterprise: neither is called unsupported.
    std::vector<std::string> wsparcie;
    for (const Element* li : Elementy(dom, "systemy")) {
        const auto span = dom.Wszystkie("span", dom.Indeks(li));
        // The mark without its date.
        const std::string t = span.empty() ? "" : span.front()->tekst;
        wsparcie.push_back(span.empty()
                               ? ""
                               : *span.front()->Atrybut("class") + " " +
                                     t.substr(0, t.size() - std::string(" 2025-10-14").size()));
    }
    EXPECT_EQ(wsparcie, (std::vector<std::string>{"", "poza-wsparciem wsparcie zakończone",
                                                  "koniec-wsparcia wsparcie kończy się",
                                                  "poza-wsparciem wsparcie zakończone", "", ""}));
    EXPECT_EQ(Pozycje(dom, "gotowosc"),
              (std::vector<std::string>{"Barkon Tabulo0 z 1", "Ellard Tabulo1 z 2", "Alfa0 z 1",
                                        "Zeta3 z 27"}));
    std::vector<std::string> paski;
    for (const Element* e : dom.Wszystkie("meter"))
        paski.push_back(*e->Atrybut("value") + "/" + *e->Atrybut("max"));
    EXPECT_EQ(paski, (std::vector<std::string>{"0/1", "1/2", "0/1", "3/27"}));
}

TEST(Przegladarka, NicDoZainstalowania) {
    SymulowanaMaszyna m;
    m.DodajKatalog(Folder);
    m.zapisane_pliki[std::string(Folder) + "\\pc01.json"] =
        Wynik("PC01", "2026-12-01T10:00:00Z",
              {Aplikacja("Ellard Tabulo", {Komponent("Windows Installer", "4.5", "spelnia")})})
            .dump();
    const Dom dom = Strona(m, "nic");
    if (dom.elementy.empty()) return;
    EXPECT_TRUE(Pozycje(dom, "do-zainstalowania").empty());
    EXPECT_EQ(dom.Wszystkie("p", dom.Indeks(dom.Wszystkie("section").front())).front()->tekst,
              "Nic nie trzeba doinstalować.");
}

// Schools are the folders inside: each computer is its school and its name.
TEST(Przegladarka, Szkoly) {
    SymulowanaMaszyna m;
    m.DodajKatalog(Folder);
    const std::string szkola = "LO & 'Ósemka'";
    const json brak = Aplikacja("Zeta", {Komponent(".NET Framework 3.5", "", "nie_spelnia")});
    const json jest = Aplikacja("Zeta", {Komponent("Windows Installer", "5.0", "spelnia")});
    m.zapisane_pliki["C:\\Wyniki\\SP1\\prac01.json"] =
        Wynik("PRAC01", "2026-12-01T10:00:00Z", {brak}).dump();
    m.zapisane_pliki["C:\\Wyniki\\" + szkola + "\\prac01.json"] =
        Wynik("PRAC01", "2026-11-02T10:00:00Z", {jest}).dump();
    m.zapisane_pliki["C:\\Wyniki\\" + szkola + "\\prac01-stary.json"] =
        Wynik("PRAC01", "2026-10-01T10:00:00Z", {brak}).dump();
    m.zapisane_pliki["C:\\Wyniki\\pc00.json"] =
        Wynik("PC00", "2026-11-30T10:00:00Z", {jest}).dump();
    // Deeper than one level: not read.
    m.zapisane_pliki["C:\\Wyniki\\SP1\\stare\\prac09.json"] =
        Wynik("PRAC09", "2026-11-30T10:00:00Z", {brak}).dump();
    m.zapisane_pliki["C:\\Wyniki\\Zamknięta\\prac01.json"] = "{}";
    m.nie_do_listowania.insert("c:\\wyniki\\zamknięta");
    std::string druk, wyjscie;
    const Dom dom = Strona(m, "szkoly", &druk, &wyjscie);
    BezAktywnejTresci(dom);
    if (dom.elementy.empty()) return;
    EXPECT_EQ(wyjscie,
              "Zestawienie: szkoły: 2, komputery: 3, pominięte pliki: 1, strona: C:\\z.html\n");
    // The schools by name, the files directly in the folder after them.
    const std::vector<std::string> nazwy = {szkola, "SP1", "(bez szkoły)"};
    std::vector<std::string> wiersze;
    for (const Element* tr : dom.Wszystkie("tr", dom.Indeks(dom.Wszystkie("tbody").front()))) {
        wiersze.push_back(Teksty(dom.Wszystkie("td", dom.Indeks(tr))).front() + " " +
                          Teksty(dom.Wszystkie("td", dom.Indeks(tr))).back());
        const Element* a = dom.Wszystkie("a", dom.Indeks(tr)).front();
        // The link leads to the school's section, headed by its name.
        const Element* sekcja = nullptr;
        for (const auto& e : dom.elementy) {
            if (e.Atrybut("id") != nullptr && "#" + *e.Atrybut("id") == *a->Atrybut("href"))
                sekcja = &e;
        }
        ASSERT_NE(sekcja, nullptr) << a->tekst;
        EXPECT_EQ(dom.Wszystkie("h2", dom.Indeks(sekcja)).front()->tekst, a->tekst);
        EXPECT_EQ(dom.Wszystkie("h2", dom.Indeks(sekcja)).size(), 4u) << "three answers";
        // Its matrix: the newest of its own PRAC01's results.
        const auto th =
            dom.Wszystkie("th", dom.Indeks(dom.Wszystkie("tbody", dom.Indeks(sekcja)).front()));
        ASSERT_EQ(th.size(), 1u);
        EXPECT_EQ(dom.Wszystkie("b", dom.Indeks(th.front())).front()->tekst,
                  a->tekst == "SP1"    ? "PRAC01"
                  : a->tekst == szkola ? "PRAC01"
                                       : "PC00");
        EXPECT_EQ(Teksty(dom.Wszystkie("td", dom.Indeks(&dom.elementy[th.front()->rodzic]))),
                  std::vector<std::string>{a->tekst == "SP1" ? "✗" : "✓"});
    }
    EXPECT_EQ(Teksty(dom.Wszystkie("a")), nazwy);
    EXPECT_EQ(wiersze, (std::vector<std::string>{"1 2026-11-02", "1 2026-12-01", "1 2026-11-30"}));
    EXPECT_EQ(
        Pozycje(dom, "do-zainstalowania"),
        std::vector<std::string>{".NET Framework 3.5 — 1 komputer: SP1 (1); dla aplikacji: Zeta"});
    EXPECT_EQ(Pozycje(dom, "systemy"),
              std::vector<std::string>{"Windows 7 — 3 komputery: " + szkola +
                                       " (1), SP1 (1), (bez szkoły) (1)"});
    const auto pominiete = dom.Wszystkie("tr", dom.Indeks(dom.Wszystkie("table").back()));
    EXPECT_EQ(Teksty(pominiete).back(), "Zamkniętanie udało się odczytać folderu");
    // In print each school starts a page.
    std::size_t strony = 0;
    for (std::size_t i = 0; i != std::string::npos; i = druk.find('\f', i + 1)) {
        const std::string strona = druk.substr(i == 0 ? 0 : i + 1, 40);
        for (const auto& nazwa : nazwy) strony += strona.rfind(nazwa, 0) == 0;
    }
    EXPECT_EQ(strony, nazwy.size()) << druk;
}

}  // namespace
}  // namespace pro

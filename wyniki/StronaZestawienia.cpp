#include "wyniki/StronaZestawienia.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/Tekst.h"
#include "wyniki/Podsumowanie.h"

namespace pro {
namespace {

// Colours of the program's windows, and the three marks' own.
constexpr const char* Styl = R"(
*{box-sizing:border-box}
body{margin:0;font:13px/1.35 "Segoe UI",Tahoma,Arial,sans-serif;color:#3B4248;background:#fff}
header{background:#4D73B4;color:#fff;padding:10px 16px}
h1{margin:0;font-size:20px;font-weight:600}
h1 small{font-size:14px;font-weight:400;margin-left:12px}
.legenda{margin:8px 0;font-size:12px}
.legenda span{display:inline-block;min-width:1.6em;text-align:center;font-weight:700;border-radius:3px;margin-left:10px}
main{padding:0 16px 16px}
table{border-collapse:collapse}
.macierz th,.macierz td{border:1px solid #C9CED3;padding:3px 4px;vertical-align:top}
.macierz thead th{background:#4D73B4;color:#fff;font-weight:600;vertical-align:bottom;position:sticky;top:0}
.macierz thead th.a{width:74px;min-width:74px;max-width:74px;height:14em;padding:4px 2px}
.macierz thead th.a div{writing-mode:vertical-rl;transform:rotate(180deg);white-space:nowrap;overflow:hidden;text-overflow:ellipsis;max-height:13.5em;margin:0 auto}
.macierz tbody th{text-align:left;font-weight:400;font-size:11px;line-height:1.3;min-width:290px;max-width:340px;overflow-wrap:anywhere;background:#F5F7FA}
.macierz tbody th b{display:block;font-size:14px}
.macierz tbody th p{margin:2px 0 0;color:#A3261B}
.macierz tbody th p.u{color:#7A5C00}
.macierz td{font-size:10.5px;line-height:1.25;overflow-wrap:break-word;width:74px;max-width:74px}
.macierz tbody td{font-size:15px;text-align:center}
.t,.macierz tbody td:not([class]){background:#EEF4D2;color:#566600}.n{background:#FBE4E1;color:#A3261B}
.u{background:#FFF4C7;color:#7A5C00}.x{color:#9B9B9B;text-align:center}
.stary{display:inline-block;margin-left:6px;padding:0 5px;border:1px solid #A3261B;border-radius:3px;color:#A3261B;font-style:normal;font-size:11px}
.macierz tfoot td{font-size:11px;font-weight:600;background:#F5F7FA;color:#3B4248;text-align:center}
.macierz tfoot th{text-align:left;background:#F5F7FA}
h2{font-size:16px;margin:20px 0 6px;color:#4D73B4}
.pominiete th,.pominiete td{border:1px solid #C9CED3;padding:3px 8px;text-align:left;overflow-wrap:anywhere;max-width:700px}
.pominiete thead th{background:#4D73B4;color:#fff}
footer{color:#9B9B9B;font-size:11px;padding:0 16px 12px}
@media print{
@page{size:A4 landscape;margin:8mm}
*{-webkit-print-color-adjust:exact;print-color-adjust:exact}
body{font-size:9pt}
header{padding:4px 0;background:none;color:#3B4248;border-bottom:2px solid #4D73B4}
main,.legenda,footer{padding-left:0;padding-right:0;margin-left:0}
main,footer{padding-bottom:0}
footer{break-before:avoid}
.macierz thead{display:table-header-group}
.macierz tfoot{display:table-row-group}
.macierz thead th{position:static}
.macierz tr{break-inside:avoid}
.macierz{width:100%;table-layout:fixed}
.macierz thead th:first-child{width:54mm}
.macierz tbody th{min-width:0;max-width:none}
.macierz tbody th b{font-size:9pt}
.macierz tbody th{font-size:6pt;line-height:1.2}
.macierz thead th.a{width:auto;min-width:0;max-width:none;height:30mm}
.macierz thead th.a div{max-height:29mm;font-size:7pt}
.macierz td{font-size:6pt;width:auto;max-width:none;padding:1px 2px;overflow-wrap:anywhere}
.macierz tbody td{font-size:9pt}
.macierz tfoot td{font-size:6pt;padding:1px;overflow-wrap:normal}
}
)";

std::string Liczba(std::size_t n) {
    return std::to_string(n);
}

// "2016-03-14 08:05:30 (UTC+01:00)" in the computer's own time.
std::string Czas(const CzasLokalny& c) {
    char t[48];
    std::snprintf(t, sizeof t, "%04d-%02d-%02d %02d:%02d:%02d (UTC", c.rok, c.miesiac, c.dzien,
                  c.godzina, c.minuta, c.sekunda);
    std::string tekst = t;
    if (c.strefa_minut != 0) {
        const int m = c.strefa_minut < 0 ? -c.strefa_minut : c.strefa_minut;
        std::snprintf(t, sizeof t, "%c%02d:%02d", c.strefa_minut < 0 ? '-' : '+', m / 60, m % 60);
        tekst += t;
    }
    return tekst + ")";
}

struct Kolumny {
    std::vector<std::string> nazwy;
    std::size_t niepokazane = 0;  // applications outside the catalogue left out
};

// Catalogue order first, then the names outside it alphabetically;
// `wszystkie` sorted, each once.
Kolumny UlozKolumny(const std::vector<std::string>& wszystkie, const Katalog& katalog) {
    Kolumny k;
    for (const auto& a : katalog.Aplikacje) {
        if (std::binary_search(wszystkie.begin(), wszystkie.end(), a.Nazwa))
            k.nazwy.push_back(a.Nazwa);
    }
    std::vector<std::string> obce;
    for (const auto& nazwa : wszystkie) {
        if (std::find(k.nazwy.begin(), k.nazwy.end(), nazwa) == k.nazwy.end())
            obce.push_back(nazwa);
    }
    std::sort(obce.begin(), obce.end(), PrzedNazwa);
    if (obce.size() > LimitObcychKolumn) {
        k.niepokazane = obce.size() - LimitObcychKolumn;
        obce.resize(LimitObcychKolumn);
    }
    k.nazwy.insert(k.nazwy.end(), obce.begin(), obce.end());
    return k;
}

// What a computer's row names once: its components not met, or not
// determined, each by its name and detected version, in the order of the
// columns that need them. A cell then marks which of them it lacks.
class BrakiWiersza {
public:
    void Dodaj(const KomponentWyniku& c) {
        auto& lista = pozycje_[c.stan == StanKomponentu::NieSpelnia ? 0 : 1];
        if (Numer(lista, c) == 0) lista.push_back(&c);
    }
    // Those of `a` in the state `stan`, by their numbers on the row's list;
    // empty when it lacks every one of them.
    std::vector<std::size_t> Numery(const AplikacjaWyniku& a, StanKomponentu stan) {
        const int i = stan == StanKomponentu::NieSpelnia ? 0 : 1;
        std::vector<std::size_t> numery;
        for (const auto& c : a.komponenty) {
            const std::size_t n = c.stan == stan ? Numer(pozycje_[i], c) : 0;
            if (n != 0 && std::find(numery.begin(), numery.end(), n) == numery.end())
                numery.push_back(n);
        }
        if (numery.size() == pozycje_[i].size()) return {};
        std::sort(numery.begin(), numery.end());
        numerowane_[i] = true;
        return numery;
    }
    // The lists, after every cell: numbered where a cell names a part of one.
    void DopiszListy(std::string& s) const {
        for (int i = 0; i < 2; ++i) {
            if (pozycje_[i].empty()) continue;
            s += i == 0 ? "<p>Brakuje: " : "<p class=u>Nie ustalono: ";
            for (std::size_t n = 0; n < pozycje_[i].size(); ++n) {
                if (n > 0) s += "; ";
                if (numerowane_[i]) Dopisz(s, {Liczba(n + 1), ") "});
                Dopisz(s, {Html(pozycje_[i][n]->nazwa), ": ", Html(pozycje_[i][n]->tekst)});
            }
        }
    }

private:
    // 1-based; 0 when not listed. A component is the same where its name and
    // detected version are.
    static std::size_t Numer(const std::vector<const KomponentWyniku*>& lista,
                             const KomponentWyniku& c) {
        for (std::size_t n = 0; n < lista.size(); ++n) {
            if (lista[n]->nazwa == c.nazwa && lista[n]->tekst == c.tekst) return n + 1;
        }
        return 0;
    }
    std::vector<const KomponentWyniku*> pozycje_[2];
    bool numerowane_[2] = {false, false};
};

// Appends the cell of one computer and one application; true when it is
// ready. A cell is its mark, and the numbers of what it lacks where the row
// lists more. A district has hundreds of thousands of cells: each closes
// itself, and a ready cell is styled without a class.
bool Komorka(std::string& s, const AplikacjaWyniku* a, BrakiWiersza& braki) {
    if (a == nullptr) {
        s += "<td class=x>\xE2\x80\x93";
        return false;
    }
    for (const StanKomponentu stan : {StanKomponentu::NieSpelnia, StanKomponentu::Nieustalony}) {
        if (std::none_of(a->komponenty.begin(), a->komponenty.end(),
                         [stan](const auto& c) { return c.stan == stan; })) {
            continue;
        }
        s += stan == StanKomponentu::NieSpelnia ? "<td class=n>\xE2\x9C\x97" : "<td class=u>?";
        const auto numery = braki.Numery(*a, stan);
        for (std::size_t i = 0; i < numery.size(); ++i) {
            Dopisz(s, {i == 0 ? " " : ", ", Liczba(numery[i])});
        }
        return false;
    }
    s += "<td>\xE2\x9C\x93";
    return true;
}

// A row: the computer's name, its facts on three lines, what it lacks, and
// a cell per column. The first cell of a row is its header without a scope:
// a header followed by data cells heads its row.
void Wiersz(std::string& s, const WynikKomputera& w, bool stary,
            const std::vector<std::string>& kolumny, std::vector<std::size_t>& gotowe,
            std::vector<std::size_t>& sprawdzone) {
    std::vector<const AplikacjaWyniku*> aplikacje(kolumny.size());
    BrakiWiersza braki;
    for (std::size_t i = 0; i < kolumny.size(); ++i) {
        for (const auto& kandydat : w.aplikacje) {
            if (kandydat.nazwa != kolumny[i]) continue;
            aplikacje[i] = &kandydat;
            for (const auto& c : kandydat.komponenty) {
                if (c.stan != StanKomponentu::Spelnia) braki.Dodaj(c);
            }
            break;
        }
    }
    std::string komorki;
    for (std::size_t i = 0; i < kolumny.size(); ++i) {
        if (Komorka(komorki, aplikacje[i], braki)) ++gotowe[i];
        if (aplikacje[i] != nullptr) ++sprawdzone[i];
    }
    Dopisz(s, {"<tr><th><b>", Html(w.komputer), "</b>",
               stary ? "<em class=stary>stary wynik</em><br>" : "", Czas(w.czas), "<br>",
               Html(w.system)});
    if (!w.wersja_systemu.empty()) Dopisz(s, {" (", Html(w.wersja_systemu), ")"});
    Dopisz(s, {"<br>", Html(w.platforma), ", administrator: ", w.administrator ? "tak" : "nie",
               ", UAC: ", Html(w.uac), ", program ", Html(w.wersja)});
    braki.DopiszListy(s);
    Dopisz(s, {komorki, "</tr>\n"});
}

std::string Pominiete(const std::vector<PominietyPlik>& pominiete) {
    if (pominiete.empty()) return {};
    std::string s =
        "<h2>Pliki, których nie udało się odczytać</h2>\n<table class=\"pominiete\"><thead><tr>"
        "<th>Plik</th><th>Powód</th></tr></thead><tbody>\n";
    for (const auto& p : pominiete) {
        Dopisz(s, {"<tr><td>", Html(p.plik), "</td><td>", Html(p.powod), "</td></tr>\n"});
    }
    return s + "</tbody></table>\n";
}

}  // namespace

void Dopisz(std::string& s, std::initializer_list<std::string_view> czesci) {
    for (const std::string_view c : czesci) s += c;
}

std::string Html(std::string_view tekst) {
    std::string wynik;
    wynik.reserve(tekst.size());
    std::size_t znaki = 0;
    for (std::size_t i = 0; i < tekst.size(); ++i) {
        const auto b = static_cast<unsigned char>(tekst[i]);
        if ((b & 0xC0) != 0x80 && ++znaki > LimitTekstu) {
            wynik += "\xE2\x80\xA6";  // …
            break;
        }
        // C0 controls, DEL, and C1 controls (U+0080 to U+009F).
        if (b < 0x20 || b == 0x7F) {
            wynik += "\xEF\xBF\xBD";
            continue;
        }
        if (b == 0xC2 && i + 1 < tekst.size() && static_cast<unsigned char>(tekst[i + 1]) < 0xA0) {
            wynik += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        switch (tekst[i]) {
            case '&': wynik += "&amp;"; break;
            case '<': wynik += "&lt;"; break;
            case '>': wynik += "&gt;"; break;
            case '"': wynik += "&quot;"; break;
            case '\'': wynik += "&#39;"; break;
            default: wynik += tekst[i];
        }
    }
    return wynik;
}

namespace {

// The page up to its content; `podtytul` goes in the heading.
std::string Poczatek(const std::string& podtytul) {
    std::string s =
        "<!DOCTYPE html>\n<html lang=\"pl\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
        "style-src 'unsafe-inline'\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>Zestawienie wyników</title>\n<style>";
    s += Styl;
    s += StylPodsumowania;
    Dopisz(s, {"</style>\n</head>\n<body>\n<header><h1>Zestawienie wyników<small>", podtytul,
               "</small></h1></header>\n<main>\n"});
    return s;
}

std::string Koniec(const std::vector<PominietyPlik>& pominiete) {
    return Pominiete(pominiete) + "</main>\n<footer>Probierator " PRO_WERSJA
                                  "</footer>\n</body>\n</html>\n";
}

// What the heading tells: `s`, then the computers and the newest result.
std::string Podtytul(std::string s, std::size_t komputery, const CzasLokalny* najnowszy) {
    Dopisz(s, {"komputery: ", Liczba(komputery)});
    if (najnowszy != nullptr) Dopisz(s, {", najnowszy wynik: ", Czas(*najnowszy)});
    return s;
}

// The answers, the legend and the matrix of one folder's results; `sufiks`
// ends the sections' ids.
std::string Tresc(const Zestawienie& z, const Katalog& katalog, const std::string& sufiks) {
    const WynikKomputera* najnowszy = Najnowszy(z);
    Okreg szkola;
    szkola.Dodaj({}, z);
    const Kolumny kolumny = UlozKolumny(szkola.Aplikacje(), katalog);
    // What to install where, above the matrix that shows it cell by cell.
    std::string s;
    if (!z.komputery.empty()) s += Podsumowanie(szkola, katalog, kolumny.nazwy, sufiks);
    s += "<p class=\"legenda\"><span class=\"t\">\xE2\x9C\x93</span> spełnia wymagania"
         "<span class=\"n\">\xE2\x9C\x97</span> nie spełnia: brakuje komponentów wymienionych w "
         "wierszu komputera (z numerami: tylko tych pozycji)"
         "<span class=\"u\">?</span> nie udało się ustalić"
         "<span class=\"x\">\xE2\x80\x93</span> nie sprawdzano</p>\n";
    if (z.komputery.empty()) return s + "<p>Brak wyników w folderze.</p>\n";
    s += "<table class=\"macierz\">\n<thead><tr><th>Komputer</th>";
    for (const auto& nazwa : kolumny.nazwy) {
        const std::string n = Html(nazwa);
        Dopisz(s, {"<th class=\"a\" title=\"", n, "\"><div>", n, "</div></th>"});
    }
    s += "</tr></thead>\n<tbody>\n";
    std::vector<std::size_t> gotowe(kolumny.nazwy.size()), sprawdzone(kolumny.nazwy.size());
    for (const auto& w : z.komputery) {
        Wiersz(s, w, StaryWynik(*najnowszy, w), kolumny.nazwy, gotowe, sprawdzone);
    }
    s += "</tbody>\n<tfoot><tr><th></th>";
    for (std::size_t i = 0; i < kolumny.nazwy.size(); ++i) {
        Dopisz(s, {"<td>gotowe: ", Liczba(gotowe[i]), " z ", Liczba(sprawdzone[i]), "</td>"});
    }
    s += "</tr></tfoot>\n</table>\n";
    if (kolumny.niepokazane > 0) {
        s += "<p>Aplikacji spoza katalogu nie pokazano w tabeli: " + Liczba(kolumny.niepokazane) +
             ".</p>\n";
    }
    return s;
}

}  // namespace

std::string StronaZestawienia(const Zestawienie& z, const Katalog& katalog) {
    const WynikKomputera* najnowszy = Najnowszy(z);
    std::string s;
    Dopisz(s, {Poczatek(Podtytul({}, z.komputery.size(), najnowszy ? &najnowszy->czas : nullptr)),
               Tresc(z, katalog, {}), Koniec(z.pominiete)});
    return s;
}

std::optional<StronaFolderu> ZbierzStrone(Platforma& platforma, const std::string& folder,
                                          const Katalog& katalog) {
    auto glowny = ZbierzZestawienie(platforma, folder);
    if (!glowny) return std::nullopt;
    StronaFolderu strona;
    auto nazwy = platforma.Katalogi(folder).value_or(std::vector<std::string>());
    std::sort(nazwy.begin(), nazwy.end(), PrzedNazwa);
    // Each school read, written as its section and counted, then let go.
    Okreg okreg;
    std::string sekcje;
    const auto dodaj = [&](const std::string& szkola, const Zestawienie& z) {
        okreg.Dodaj(szkola, z);
        const std::string nr = Liczba(okreg.Szkoly());
        Dopisz(sekcje,
               {"<section class=\"szkola\" id=\"szkola-", nr, "\"><h2>", NazwaSzkoly(szkola),
                "</h2>\n", Tresc(z, katalog, "-" + nr), "</section>\n"});
    };
    std::vector<PominietyPlik> pominiete = std::move(glowny->pominiete);
    for (const std::string& nazwa : nazwy) {
        auto z = ZbierzZestawienie(platforma, folder, nazwa);
        if (!z) {
            pominiete.push_back({nazwa, "nie udało się odczytać folderu"});
            continue;
        }
        for (auto& p : z->pominiete) pominiete.push_back(std::move(p));
        if (!z->komputery.empty()) dodaj(nazwa, *z);
    }
    strona.pominiete = pominiete.size();
    // No school holds a result: the folder's own page.
    strona.szkoly = okreg.Szkoly();
    if (strona.szkoly == 0) {
        glowny->pominiete = std::move(pominiete);
        strona.komputery = glowny->komputery.size();
        strona.html = StronaZestawienia(*glowny, katalog);
        return strona;
    }
    // The files directly in the folder after the schools.
    if (!glowny->komputery.empty()) dodaj({}, *glowny);
    glowny.reset();
    strona.komputery = okreg.Komputery();
    const Kolumny kolumny = UlozKolumny(okreg.Aplikacje(), katalog);
    const auto& najnowszy = okreg.Najnowszy();
    Dopisz(strona.html, {Poczatek(Podtytul("szkoły: " + Liczba(strona.szkoly) + ", ",
                                           strona.komputery, najnowszy ? &*najnowszy : nullptr)),
                         okreg.Tresc(katalog, kolumny.nazwy), sekcje, Koniec(pominiete)});
    return strona;
}

}  // namespace pro

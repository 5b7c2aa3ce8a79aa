#include "wyniki/Podsumowanie.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "wyniki/StronaZestawienia.h"
#include "wyniki/WindowsWyniku.h"

namespace pro {

// Three columns side by side, so that they fit above the matrix on the first
// printed page. The bars are drawn in one dark tone on white with an outline,
// readable in black-and-white print.
const char* const StylPodsumowania = R"(
.podsumowanie{display:grid;grid-template-columns:minmax(0,5fr) minmax(0,3fr) minmax(0,4fr);gap:0 28px;margin-bottom:14px}
.podsumowanie h2{margin:12px 0 6px}
.podsumowanie ul{margin:0;padding:0;list-style:none}
.podsumowanie li{padding:3px 0;border-bottom:1px solid #E3E6EA;overflow-wrap:anywhere}
.podsumowanie p{margin:0}
[id^=do-zainstalowania] li{padding-left:7px;border-left:3px solid #A3261B}
[id^=do-zainstalowania] li.u{border-left:3px dotted #7A5C00}
[id^=do-zainstalowania] .aplikacje{color:#6B7278}
.jak{margin:2px 0 0;font-size:12px;color:#3B4248}
.jak code{font:11px Consolas,"Courier New",monospace;background:#F0F2F4;padding:0 2px;overflow-wrap:anywhere}
.poza-wsparciem,.koniec-wsparcia{display:inline-block;margin-left:6px;padding:0 5px;border-radius:3px;font-size:11px}
.poza-wsparciem{border:1px solid #A3261B;color:#A3261B;font-weight:600}
.koniec-wsparcia{border:1px dotted #7A5C00;color:#7A5C00}
[id^=gotowosc] li{display:grid;grid-template-columns:minmax(0,1fr) 120px 4.8em;gap:8px;align-items:center}
[id^=gotowosc] li span:first-child{white-space:nowrap;overflow:hidden;text-overflow:ellipsis}
[id^=gotowosc] li span:last-child{text-align:right;white-space:nowrap}
[id^=gotowosc] meter{display:block;width:100%;height:11px}
[id^=gotowosc] meter::-webkit-meter-bar{background:#fff;border:1px solid #3B4248;border-radius:0;box-sizing:border-box;height:11px}
[id^=gotowosc] meter::-webkit-meter-optimum-value,[id^=gotowosc] meter::-webkit-meter-suboptimum-value,[id^=gotowosc] meter::-webkit-meter-even-less-good-value{background:#3B4248}
[id^=gotowosc] meter::-moz-meter-bar{background:#3B4248}
[id^=gotowosc] li small{grid-column:1/-1;color:#6B7278}
.szkoly th,.szkoly td{border:1px solid #C9CED3;padding:3px 8px;text-align:right}
.szkoly thead th{background:#4D73B4;color:#fff}
.szkoly tbody th{text-align:left;font-weight:400;overflow-wrap:anywhere;max-width:340px}
@media print{
.podsumowanie{gap:0 8mm;margin-bottom:4mm;font-size:7.5pt}
.podsumowanie h2{font-size:10pt;margin:2mm 0 1mm}
.podsumowanie li{padding:0.4mm 0}
[id^=gotowosc] li{grid-template-columns:minmax(0,1fr) 26mm 4.2em;gap:2mm}
[id^=gotowosc] meter,[id^=gotowosc] meter::-webkit-meter-bar{height:3mm}
.jak{font-size:6.5pt;margin-top:0.3mm}
.jak code{font-size:6pt;padding:0}
.poza-wsparciem,.koniec-wsparcia{font-size:6.5pt;padding:0 1mm}
.szkola{break-before:page}
}
)";

namespace {

// Catalogue order first, then the names outside it alphabetically.
template <typename PoNazwie>
std::vector<std::string> Kolejnosc(const PoNazwie& braki, const Katalog& katalog) {
    std::vector<std::string> nazwy;
    for (const auto& k : katalog.Komponenty) {
        if (braki.count(k.Nazwa) > 0) nazwy.push_back(k.Nazwa);
    }
    for (const auto& [nazwa, b] : braki) {
        const bool w_katalogu = std::any_of(katalog.Komponenty.begin(), katalog.Komponenty.end(),
                                            [&nazwa](const auto& k) { return k.Nazwa == nazwa; });
        if (!w_katalogu) nazwy.push_back(nazwa);
    }
    return nazwy;
}

// The matrix's column order, then those it leaves out.
std::string ListaAplikacji(const std::set<std::string>& aplikacje,
                           const std::vector<std::string>& kolumny) {
    std::string s;
    const auto dopisz = [&s](const std::string& nazwa) {
        if (!s.empty()) s += ", ";
        s += Html(nazwa);
    };
    for (const auto& nazwa : kolumny) {
        if (aplikacje.count(nazwa) > 0) dopisz(nazwa);
    }
    for (const auto& nazwa : aplikacje) {
        if (std::find(kolumny.begin(), kolumny.end(), nazwa) == kolumny.end()) dopisz(nazwa);
    }
    return s;
}

// One line per way to install it, with the computers it is for, in the
// page's order; the ways in the order of their first computer.
std::string Jak(ComponentId id, bool nieustalony,
                const std::vector<const WynikKomputera*>& komputery,
                const std::vector<int>& wymagane) {
    std::vector<std::pair<std::string, std::string>> sposoby;  // the way, the computers
    for (std::size_t i = 0; i < komputery.size(); ++i) {
        std::string sposob = JakDoinstalowac(id, nieustalony, *komputery[i], wymagane[i]);
        if (sposob.empty()) continue;
        auto it = std::find_if(sposoby.begin(), sposoby.end(),
                               [&sposob](const auto& s) { return s.first == sposob; });
        if (it == sposoby.end()) {
            sposoby.emplace_back(std::move(sposob), std::string());
            it = std::prev(sposoby.end());
        } else {
            it->second += ", ";
        }
        it->second += Html(komputery[i]->komputer);
    }
    std::string s;
    for (const auto& [sposob, komputery] : sposoby) {
        s += "<div class=\"jak\">Jak doinstalować na <b>" + komputery + "</b>: " + sposob +
             ".</div>";
    }
    return s;
}

// `kto`: the computers, or the schools with their counts.
std::string Pozycja(const std::string& komponent, bool nieustalony, std::size_t komputery,
                    const std::string& kto, const std::string& aplikacje, const std::string& jak) {
    // An undetermined one in the colours of the matrix's "?" cells.
    std::string s = nieustalony ? "<li class=\"u\"><b>" : "<li><b>";
    s += Html(komponent);
    s += "</b>";
    if (nieustalony) s += " (nie udało się ustalić)";
    Dopisz(s,
           {" \xE2\x80\x94 ", Komputery(komputery), ": ", kto,
            "; <span class=\"aplikacje\">dla aplikacji: ", aplikacje, "</span>", jak, "</li>\n"});
    return s;
}

// The section's start: its id ends with `sufiks`.
std::string Sekcja(const char* id, const char* tytul, const std::string& sufiks) {
    std::string s;
    Dopisz(s, {"<section id=\"", id, sufiks, "\"><h2>", tytul, "</h2>\n"});
    return s;
}

// Whether support has ended by the newest result, or ends within
// KoniecWsparciaBliski after it; computers of one name that differ count by
// the latest date, and one the table does not know leaves the name unmarked.
struct Wsparcie {
    std::size_t komputery = 0;
    std::optional<Dzien> koniec;
    bool nieznane = false;
};

std::string Oznaczenie(const Wsparcie& w, std::int64_t dzis) {
    if (w.nieznane || !w.koniec) return {};
    const std::int64_t koniec = w.koniec->Dni();
    if (koniec <= dzis) {
        return " <span class=\"poza-wsparciem\">wsparcie zakończone " + w.koniec->Tekst() +
               "</span>";
    }
    if (koniec <= dzis + KoniecWsparciaBliski) {
        return " <span class=\"koniec-wsparcia\">wsparcie kończy się " + w.koniec->Tekst() +
               "</span>";
    }
    return {};
}

// The most frequent first; equal ones stay in the order of their names.
void NajczestszeNajpierw(std::vector<std::pair<std::string, std::size_t>>& systemy) {
    std::sort(systemy.begin(), systemy.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
}

// An item of "Gotowość", open for what follows it.
std::string Gotowa(const std::string& nazwa, std::size_t gotowe, std::size_t sprawdzone) {
    const std::string n = Html(nazwa), g = std::to_string(gotowe), m = std::to_string(sprawdzone);
    std::string s;
    Dopisz(s, {"<li><span title=\"", n, "\">", n, "</span><meter min=\"0\" max=\"", m,
               "\" value=\"", g, "\"></meter><span>", g, " z ", m, "</span>"});
    return s;
}

}  // namespace

std::string Komputery(std::size_t n) {
    const std::size_t jednosci = n % 10, dwie_ostatnie = n % 100;
    const bool kilka = jednosci >= 2 && jednosci <= 4 && (dwie_ostatnie < 12 || dwie_ostatnie > 14);
    return std::to_string(n) + (n == 1 ? " komputer" : kilka ? " komputery" : " komputerów");
}

std::string Podsumowanie(const Okreg& szkola, const Katalog& katalog,
                         const std::vector<std::string>& aplikacje, const std::string& sufiks) {
    return "<div class=\"podsumowanie\">\n" + szkola.DoZainstalowania(katalog, aplikacje, sufiks) +
           szkola.Systemy(sufiks) + szkola.Gotowosc(aplikacje, sufiks) + "</div>\n";
}

std::size_t Okreg::Pozycja::Razem() const {
    std::size_t n = 0;
    for (const std::size_t k : komputery) n += k;
    return n;
}

std::size_t& Okreg::Licz(Pozycje& pozycje, const std::string& nazwa, bool gotowe) {
    auto& liczby = gotowe ? pozycje[nazwa].gotowe : pozycje[nazwa].komputery;
    liczby.resize(szkoly_.size());
    return liczby.back();
}

void Okreg::Dodaj(const std::string& nazwa, const Zestawienie& z) {
    Szkola& szkola = szkoly_.emplace_back();
    szkola.nazwa = nazwa;
    szkola.komputery = z.komputery.size();
    for (const auto& w : z.komputery) {
        if (!szkola.najstarszy || Chwila(w.czas) < Chwila(*szkola.najstarszy)) {
            szkola.najstarszy = w.czas;
        }
        if (!najnowszy_ || Chwila(w.czas) > Chwila(*najnowszy_)) najnowszy_ = w.czas;
        // Each component once per computer, as a school's page counts them.
        std::set<std::string> brakuje, nieustalone;
        for (const auto& a : w.aplikacje) {
            // Counted as the matrix counts: a computer's first entry of the application.
            const auto pierwsza = [&a](const auto& b) { return b.nazwa == a.nazwa; };
            if (std::find_if(w.aplikacje.data(), &a, pierwsza) == &a) {
                ++Licz(aplikacje_, a.nazwa);
                Licz(aplikacje_, a.nazwa, true) += Spelnia(a);
            }
            for (const auto& k : a.komponenty) {
                if (k.stan == StanKomponentu::Spelnia) continue;
                const bool brak = k.stan == StanKomponentu::NieSpelnia;
                Pozycja& p = (brak ? brak_ : nieustalony_)[k.nazwa];
                p.aplikacje.insert(a.nazwa);
                if ((brak ? brakuje : nieustalone).insert(k.nazwa).second) {
                    ++Licz(brak ? brak_ : nieustalony_, k.nazwa);
                    p.wyniki.push_back(&w);
                    p.wymagane.push_back(0);
                }
                p.wymagane.back() = std::max(p.wymagane.back(), k.wymagana);
            }
        }
        szkola.braki += !brakuje.empty();
        szkola.nieustalone += brakuje.empty() && !nieustalone.empty();
        szkola.gotowe += brakuje.empty() && nieustalone.empty();
        ++Licz(systemy_, w.system);
        Pozycja& system = systemy_[w.system];
        const auto koniec = KoniecWsparcia(w);
        if (koniec) {
            Pozniejszy(system.koniec, *koniec);
            szkola.konce_wsparcia.push_back(static_cast<int>(koniec->Dni()));
        } else {
            system.nieznany = true;
        }
    }
}

std::size_t Okreg::Komputery() const {
    std::size_t n = 0;
    for (const auto& s : szkoly_) n += s.komputery;
    return n;
}

std::vector<std::string> Okreg::Aplikacje() const {
    std::vector<std::string> nazwy;
    for (const auto& [nazwa, p] : aplikacje_) nazwy.push_back(nazwa);
    return nazwy;
}

// "SP1 (2), SP2 (1)"; with `gotowe`, "SP1: 1 z 2, SP2: 1 z 1".
std::string Okreg::Wymien(const Pozycja& p, bool gotowe) const {
    std::string s;
    for (std::size_t i = 0; i < p.komputery.size(); ++i) {
        if (p.komputery[i] == 0) continue;
        if (!s.empty()) s += ", ";
        s += NazwaSzkoly(szkoly_[i].nazwa);
        s += gotowe ? ": " + std::to_string(i < p.gotowe.size() ? p.gotowe[i] : 0) + " z " : " (";
        s += std::to_string(p.komputery[i]);
        if (!gotowe) s += ")";
    }
    return s;
}

std::string Okreg::Tresc(const Katalog& katalog, const std::vector<std::string>& kolumny) const {
    const std::int64_t dzis = najnowszy_ ? Chwila(*najnowszy_) / 86400 : 0;
    std::string s =
        "<section id=\"szkoly\"><h2>Szkoły</h2>\n<table class=\"szkoly\"><thead><tr>"
        "<th>Szkoła</th><th>Komputery</th><th>Gotowe</th><th>Z brakami</th>"
        "<th>Nieustalone</th><th>Windows bez wsparcia</th><th>Najstarszy wynik</th>"
        "</tr></thead><tbody>\n";
    for (std::size_t i = 0; i < szkoly_.size(); ++i) {
        const Szkola& sz = szkoly_[i];
        std::size_t poza = 0;
        for (const int koniec : sz.konce_wsparcia) poza += koniec <= dzis;
        Dopisz(s, {"<tr><th><a href=\"#szkola-", std::to_string(i + 1), "\">",
                   NazwaSzkoly(sz.nazwa), "</a></th>"});
        for (const std::size_t n : {sz.komputery, sz.gotowe, sz.braki, sz.nieustalone, poza}) {
            Dopisz(s, {"<td>", std::to_string(n), "</td>"});
        }
        s += "<td>";
        if (sz.najstarszy) {
            s += Dzien{sz.najstarszy->rok, sz.najstarszy->miesiac, sz.najstarszy->dzien}.Tekst();
        }
        s += "</td></tr>\n";
    }
    s += "</tbody></table>\n</section>\n<div class=\"podsumowanie\">\n";

    return s + DoZainstalowania(katalog, kolumny, {}) + Systemy({}) + Gotowosc(kolumny, {}) +
           "</div>\n";
}

std::string Okreg::DoZainstalowania(const Katalog& katalog, const std::vector<std::string>& kolumny,
                                    const std::string& sufiks) const {
    std::string s = Sekcja("do-zainstalowania", "Do zainstalowania", sufiks);
    if (brak_.empty()) s += "<p>Nic nie trzeba doinstalować.</p>\n";
    if (brak_.empty() && nieustalony_.empty()) return s + "</section>\n";
    s += "<ul>\n";
    for (const bool nieustalony : {false, true}) {
        const Pozycje& braki = nieustalony ? nieustalony_ : brak_;
        for (const auto& nazwa : Kolejnosc(braki, katalog)) {
            const Pozycja& p = braki.at(nazwa);
            // A school's page names the computers and how to install it there.
            std::string kto, jak;
            if (WieleSzkol()) {
                kto = Wymien(p, false);
            } else {
                for (std::size_t i = 0; i < p.wyniki.size(); ++i) {
                    if (i > 0) kto += ", ";
                    kto += Html(p.wyniki[i]->komputer);
                }
                ComponentId id = 0;
                for (const auto& k : katalog.Komponenty) {
                    if (k.Nazwa == nazwa) id = k.Id;
                }
                jak = Jak(id, nieustalony, p.wyniki, p.wymagane);
            }
            s += pro::Pozycja(nazwa, nieustalony, p.Razem(), kto,
                              ListaAplikacji(p.aplikacje, kolumny), jak);
        }
    }
    return s + "</ul>\n</section>\n";
}

std::string Okreg::Systemy(const std::string& sufiks) const {
    const std::int64_t dzis = najnowszy_ ? Chwila(*najnowszy_) / 86400 : 0;
    std::vector<std::pair<std::string, std::size_t>> systemy;
    for (const auto& [system, p] : systemy_) systemy.emplace_back(system, p.Razem());
    NajczestszeNajpierw(systemy);
    std::string s = Sekcja("systemy", "Systemy", sufiks) + "<ul>\n";
    for (const auto& [system, n] : systemy) {
        const Pozycja& p = systemy_.at(system);
        Dopisz(s, {"<li><b>", Html(system), "</b> \xE2\x80\x94 ", pro::Komputery(n),
                   WieleSzkol() ? ": " + Wymien(p, false) : std::string(),
                   Oznaczenie(Wsparcie{n, p.koniec, p.nieznany}, dzis), "</li>\n"});
    }
    return s + "</ul>\n</section>\n";
}

std::string Okreg::Gotowosc(const std::vector<std::string>& kolumny,
                            const std::string& sufiks) const {
    std::string s = Sekcja("gotowosc", "Gotowość", sufiks) + "<ul>\n";
    for (const auto& nazwa : kolumny) {
        const Pozycja& p = aplikacje_.at(nazwa);
        std::size_t gotowe = 0;
        for (const std::size_t g : p.gotowe) gotowe += g;
        Dopisz(s, {Gotowa(nazwa, gotowe, p.Razem()),
                   WieleSzkol() ? "<small>" + Wymien(p, true) + "</small>" : std::string(),
                   "</li>\n"});
    }
    return s + "</ul>\n</section>\n";
}

std::string NazwaSzkoly(const std::string& nazwa) {
    return nazwa.empty() ? "(bez szkoły)" : Html(nazwa);
}

}  // namespace pro

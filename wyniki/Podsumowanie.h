#pragma once
// The overview's answers at a glance, above the matrix: which components to
// install on which computers, which systems run, and how many computers are
// ready for each application. Only each computer's newest result counts.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/Katalog.h"
#include "wyniki/WindowsWyniku.h"
#include "wyniki/Zestawienie.h"

namespace pro {

// Support that ends within this many days after the newest result is marked.
inline constexpr std::int64_t KoniecWsparciaBliski = 180;

// Their style, added to the page's own.
extern const char* const StylPodsumowania;

// "1 komputer", "2 komputery", "5 komputerów", "22 komputery".
std::string Komputery(std::size_t n);

// A school's name on the page, escaped; the files directly in the folder
// ("") under a name of their own.
std::string NazwaSzkoly(const std::string& nazwa);

// What the district's part of the page tells of its schools, counted one
// school at a time so that no school's results are kept after it.
class Okreg {
public:
    // A school's newest results; an empty name for the files directly in the folder.
    void Dodaj(const std::string& szkola, const Zestawienie& zestawienie);
    std::size_t Szkoly() const { return szkoly_.size(); }
    std::size_t Komputery() const;
    const std::optional<CzasLokalny>& Najnowszy() const { return najnowszy_; }
    // The applications of all schools, sorted.
    std::vector<std::string> Aplikacje() const;
    // The table of schools (each name a link to "#szkola-N", N counted from
    // 1 in the order added), then the three sections with each item's
    // count per school; `aplikacje` in the matrices' column order.
    std::string Tresc(const Katalog& katalog, const std::vector<std::string>& aplikacje) const;
    // The three sections, as a school's page has them: `sufiks` ends their ids.
    std::string DoZainstalowania(const Katalog& katalog, const std::vector<std::string>& aplikacje,
                                 const std::string& sufiks) const;
    std::string Systemy(const std::string& sufiks) const;
    std::string Gotowosc(const std::vector<std::string>& aplikacje,
                         const std::string& sufiks) const;

private:
    struct Szkola {
        std::string nazwa;
        std::size_t komputery = 0, gotowe = 0, braki = 0, nieustalone = 0;
        std::optional<CzasLokalny> najstarszy;
        std::vector<int> konce_wsparcia;  // days, of the computers whose end is known
    };
    // An item: a component lacking or undetermined, a system, an application.
    struct Pozycja {
        std::vector<std::size_t> komputery, gotowe;  // by school
        std::set<std::string> aplikacje;             // waiting for the component
        // The computers lacking it and the highest minimum each waits for:
        // read only for one school's page, while its results live.
        std::vector<const WynikKomputera*> wyniki;
        std::vector<int> wymagane;
        std::optional<Dzien> koniec;  // of the system's support
        bool nieznany = false;        // a system the table does not know
        std::size_t Razem() const;
    };
    using Pozycje = std::map<std::string, Pozycja>;
    // A school's count of the item, by the name.
    std::size_t& Licz(Pozycje& pozycje, const std::string& nazwa, bool gotowe = false);
    std::string Wymien(const Pozycja& pozycja, bool gotowe) const;
    // Items name their schools: more than the files directly in the folder.
    bool WieleSzkol() const { return szkoly_.size() > 1 || !szkoly_.front().nazwa.empty(); }
    std::vector<Szkola> szkoly_;
    Pozycje brak_, nieustalony_, systemy_, aplikacje_;
    std::optional<CzasLokalny> najnowszy_;
};

// The three sections of one school's results (`szkola` counted them, as its
// only school); `aplikacje` are the matrix's columns, in its order;
// `sufiks` ends the sections' ids (one page may hold several).
std::string Podsumowanie(const Okreg& szkola, const Katalog& katalog,
                         const std::vector<std::string>& aplikacje, const std::string& sufiks = {});

}  // namespace pro

#pragma once
// The result tree: one root per verified application, one child per required
// component. The results window mirrors it into a tree view; the report
// reads it. Nodes refer to catalogue records without owning them.

#include <memory>
#include <string>
#include <vector>

namespace pro {

struct ProAplikacja;
struct ProKomponent;

// Image indexes of the tree's image list.
namespace obraz {
inline constexpr int Aplikacja = 0;
inline constexpr int Spelnia = 1;
inline constexpr int NieSpelnia = 2;
inline constexpr int Tymczasowy = 3;
}  // namespace obraz

// A component's verdict. Its node's image, the JSON's status, the CSV's
// columns and the report's status line all follow from it.
enum class Werdykt {
    spelnia,      // detected, and at least the application's minimum
    brak,         // missing or older than the minimum
    nieustalony,  // the version could not be obtained (Excel that cannot be queried)
    tymczasowy,   // not evaluated: a detection that raised leaves it so
};

// Not met, whether missing or not determined: the report and the description
// say so alike.
inline bool NieSpelnia(Werdykt werdykt) {
    return werdykt == Werdykt::brak || werdykt == Werdykt::nieustalony;
}
// The image of a component node: the cross both when missing and when not
// determined, the question mark while provisional.
int ObrazWerdyktu(Werdykt werdykt);

struct WezelWyniku {
    std::string Tekst;
    Werdykt Stan = Werdykt::tymczasowy;  // of a component node (level 1)
    int Obraz = 0;
    int ObrazWybrany = 0;
    ProAplikacja* Aplikacja = nullptr;  // data of a level-0 node
    ProKomponent* Komponent = nullptr;  // data of a level-1 node
    bool Rozwiniety = false;
    WezelWyniku* Rodzic = nullptr;
    std::vector<std::unique_ptr<WezelWyniku>> Dzieci;

    int Poziom() const;
    bool MaDane() const { return Aplikacja != nullptr || Komponent != nullptr; }
    void UstawObraz(int indeks) { Obraz = ObrazWybrany = indeks; }
    void UstawWerdykt(Werdykt werdykt) {
        Stan = werdykt;
        UstawObraz(ObrazWerdyktu(werdykt));
    }
};

class DrzewoWyniku {
public:
    WezelWyniku& DodajKorzen(std::string tekst, int obraz, ProAplikacja* aplikacja);
    WezelWyniku& DodajDziecko(WezelWyniku& rodzic, std::string tekst, Werdykt werdykt,
                              ProKomponent* komponent);
    void Wyczysc() { korzenie_.clear(); }
    const std::vector<std::unique_ptr<WezelWyniku>>& Korzenie() const { return korzenie_; }
    bool Puste() const { return korzenie_.empty(); }

    // Expands or collapses `wezel` and every node below it.
    static void UstawRozwiniecie(WezelWyniku& wezel, bool rozwiniety);

private:
    std::vector<std::unique_ptr<WezelWyniku>> korzenie_;
};

}  // namespace pro

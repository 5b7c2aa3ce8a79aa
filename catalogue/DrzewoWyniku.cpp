#include "catalogue/DrzewoWyniku.h"

namespace pro {

int ObrazWerdyktu(Werdykt werdykt) {
    switch (werdykt) {
        case Werdykt::spelnia: return obraz::Spelnia;
        case Werdykt::brak:
        case Werdykt::nieustalony: return obraz::NieSpelnia;
        case Werdykt::tymczasowy: break;
    }
    return obraz::Tymczasowy;
}

int WezelWyniku::Poziom() const {
    int poziom = 0;
    for (const WezelWyniku* w = Rodzic; w != nullptr; w = w->Rodzic) ++poziom;
    return poziom;
}

WezelWyniku& DrzewoWyniku::DodajKorzen(std::string tekst, int obraz, ProAplikacja* aplikacja) {
    auto wezel = std::make_unique<WezelWyniku>();
    wezel->Tekst = std::move(tekst);
    wezel->UstawObraz(obraz);
    wezel->Aplikacja = aplikacja;
    korzenie_.push_back(std::move(wezel));
    return *korzenie_.back();
}

WezelWyniku& DrzewoWyniku::DodajDziecko(WezelWyniku& rodzic, std::string tekst, Werdykt werdykt,
                                        ProKomponent* komponent) {
    auto wezel = std::make_unique<WezelWyniku>();
    wezel->Tekst = std::move(tekst);
    wezel->UstawWerdykt(werdykt);
    wezel->Komponent = komponent;
    wezel->Rodzic = &rodzic;
    rodzic.Dzieci.push_back(std::move(wezel));
    return *rodzic.Dzieci.back();
}

void DrzewoWyniku::UstawRozwiniecie(WezelWyniku& wezel, bool rozwiniety) {
    wezel.Rozwiniety = rozwiniety;
    for (auto& dziecko : wezel.Dzieci) UstawRozwiniecie(*dziecko, rozwiniety);
}

}  // namespace pro

#include "wyniki/Wynik.h"

#include <algorithm>
#include <cstdio>

#include "catalogue/Proaplikacja.h"

namespace pro {
namespace {

StanKomponentu Stan(Werdykt werdykt) {
    switch (werdykt) {
        case Werdykt::spelnia: return StanKomponentu::Spelnia;
        case Werdykt::brak: return StanKomponentu::NieSpelnia;
        case Werdykt::nieustalony:
        case Werdykt::tymczasowy: break;
    }
    return StanKomponentu::Nieustalony;
}

int DniMiesiaca(int rok, int miesiac) {
    static constexpr int dni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool przestepny = (rok % 4 == 0 && rok % 100 != 0) || rok % 400 == 0;
    return miesiac == 2 && przestepny ? 29 : dni[miesiac - 1];
}

// The digits of tekst[od, od + n) as a number; -1 when one is not a digit.
int Cyfry(const std::string& tekst, std::size_t od, std::size_t n) {
    int liczba = 0;
    for (std::size_t i = od; i < od + n; ++i) {
        if (tekst[i] < '0' || tekst[i] > '9') return -1;
        liczba = liczba * 10 + (tekst[i] - '0');
    }
    return liczba;
}

}  // namespace

bool Spelnia(const AplikacjaWyniku& aplikacja) {
    return std::all_of(aplikacja.komponenty.begin(), aplikacja.komponenty.end(),
                       [](const auto& k) { return k.stan == StanKomponentu::Spelnia; });
}

std::string Brakujace(const AplikacjaWyniku& aplikacja) {
    std::string lista;
    for (const auto& k : aplikacja.komponenty) {
        if (k.stan == StanKomponentu::Spelnia) continue;
        if (!lista.empty()) lista += ", ";
        lista += k.nazwa;
    }
    return lista;
}

std::vector<AplikacjaWyniku> AplikacjeWyniku(const DrzewoWyniku& drzewo) {
    std::vector<AplikacjaWyniku> aplikacje;
    for (const auto& korzen : drzewo.Korzenie()) {
        const ProAplikacja* a = korzen->Aplikacja;
        AplikacjaWyniku aplikacja{korzen->Tekst, a != nullptr ? a->Kod : "", {}};
        for (const auto& d : korzen->Dzieci) {
            const ProKomponent* c = d->Komponent;
            KomponentWyniku k;
            k.nazwa = c != nullptr ? c->Nazwa : d->Tekst;
            k.wymagana = a != nullptr && c != nullptr ? a->Wymaganie(c->Id) : 0;
            k.wykryta = c != nullptr ? c->Wersja : NotDetected;
            k.tekst = c != nullptr ? c->WersjaTxt : "";
            k.stan = Stan(d->Stan);
            aplikacja.komponenty.push_back(std::move(k));
        }
        aplikacje.push_back(std::move(aplikacja));
    }
    return aplikacje;
}

std::string CzasIso(const CzasLokalny& c) {
    char tekst[40];
    const int strefa = c.strefa_minut < 0 ? -c.strefa_minut : c.strefa_minut;
    std::snprintf(tekst, sizeof tekst, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", c.rok, c.miesiac,
                  c.dzien, c.godzina, c.minuta, c.sekunda, c.strefa_minut < 0 ? '-' : '+',
                  strefa / 60, strefa % 60);
    return tekst;
}

std::optional<CzasLokalny> CzytajCzas(const std::string& t) {
    // yyyy-mm-ddThh:mm:ss then Z or +hh:mm / -hh:mm.
    if (t.size() != 20 && t.size() != 25) return std::nullopt;
    if (t[4] != '-' || t[7] != '-' || t[10] != 'T' || t[13] != ':' || t[16] != ':') {
        return std::nullopt;
    }
    CzasLokalny c;
    c.rok = Cyfry(t, 0, 4);
    c.miesiac = Cyfry(t, 5, 2);
    c.dzien = Cyfry(t, 8, 2);
    c.godzina = Cyfry(t, 11, 2);
    c.minuta = Cyfry(t, 14, 2);
    c.sekunda = Cyfry(t, 17, 2);
    if (c.rok < 1 || c.miesiac < 1 || c.miesiac > 12 || c.dzien < 1 ||
        c.dzien > DniMiesiaca(c.rok, c.miesiac) || c.godzina < 0 || c.godzina > 23 ||
        c.minuta < 0 || c.minuta > 59 || c.sekunda < 0 || c.sekunda > 59) {
        return std::nullopt;
    }
    if (t.size() == 20) {
        if (t[19] != 'Z') return std::nullopt;
    } else {
        const int godziny = Cyfry(t, 20, 2), minuty = Cyfry(t, 23, 2);
        if ((t[19] != '+' && t[19] != '-') || t[22] != ':' || godziny < 0 || godziny > 14 ||
            minuty < 0 || minuty > 59) {
            return std::nullopt;
        }
        c.strefa_minut = (t[19] == '-' ? -1 : 1) * (godziny * 60 + minuty);
    }
    return c;
}

std::int64_t DniOdEpoki(std::int64_t rok, int miesiac, int dzien) {
    rok -= miesiac <= 2 ? 1 : 0;
    const std::int64_t era = (rok >= 0 ? rok : rok - 399) / 400;
    const std::int64_t rok_ery = rok - era * 400;
    const std::int64_t dzien_roku = (153 * (miesiac + (miesiac > 2 ? -3 : 9)) + 2) / 5 + dzien - 1;
    const std::int64_t dzien_ery = rok_ery * 365 + rok_ery / 4 - rok_ery / 100 + dzien_roku;
    return era * 146097 + dzien_ery - 719468;
}

std::int64_t Chwila(const CzasLokalny& c) {
    return DniOdEpoki(c.rok, c.miesiac, c.dzien) * 86400 + c.godzina * 3600 + c.minuta * 60 +
           c.sekunda - std::int64_t{c.strefa_minut} * 60;
}

}  // namespace pro

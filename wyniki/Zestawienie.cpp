#include "wyniki/Zestawienie.h"

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>

#include "platform/Tekst.h"

namespace pro {
namespace {

using nlohmann::json;

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

// A field's error, named by its path in the file.
struct BladPola {
    std::string powod;
};

std::string Cytat(const std::string& sciezka) {
    return "\xE2\x80\x9E" + sciezka + "\xE2\x80\x9D";  // „…”
}

const json& Pole(const json& obiekt, const std::string& nazwa, const std::string& sciezka) {
    const auto it = obiekt.find(nazwa);
    if (it == obiekt.end()) throw BladPola{"brak pola " + Cytat(sciezka + nazwa)};
    return *it;
}

std::string Tekst(const json& obiekt, const std::string& nazwa, const std::string& sciezka = {}) {
    const json& pole = Pole(obiekt, nazwa, sciezka);
    if (!pole.is_string()) throw BladPola{"pole " + Cytat(sciezka + nazwa) + " ma zły typ"};
    return pole.get<std::string>();
}

const json& Tablica(const json& obiekt, const std::string& nazwa, const std::string& sciezka) {
    const json& pole = Pole(obiekt, nazwa, sciezka);
    if (!pole.is_array()) throw BladPola{"pole " + Cytat(sciezka + nazwa) + " ma zły typ"};
    if (pole.size() > LimitPozycji) {
        throw BladPola{"pole " + Cytat(sciezka + nazwa) + " ma ponad " +
                       std::to_string(LimitPozycji) + " pozycji"};
    }
    return pole;
}

void Obiekt(const json& wartosc, const std::string& sciezka) {
    if (!wartosc.is_object()) throw BladPola{"pole " + Cytat(sciezka) + " ma zły typ"};
}

StanKomponentu Stan(const json& komponent, const std::string& sciezka) {
    const std::string status = Tekst(komponent, "status", sciezka);
    if (status == "spelnia") return StanKomponentu::Spelnia;
    if (status == "nie_spelnia") return StanKomponentu::NieSpelnia;
    if (status == "nieustalony") return StanKomponentu::Nieustalony;
    throw BladPola{"pole " + Cytat(sciezka + "status") + " ma nieznaną wartość"};
}

WynikKomputera Odczytaj(const json& j) {
    if (!j.is_object()) throw BladPola{"plik nie zawiera obiektu JSON"};
    const auto format = j.find("format");
    if (format != j.end()) {
        if (!format->is_number_integer()) throw BladPola{"pole " + Cytat("format") + " ma zły typ"};
        // Numbers are compared and printed as the numbers read: comparing
        // JSON values and the serializer would link in much of the library.
        if (format->get<std::int64_t>() != 1) {
            throw BladPola{"nieobsługiwany format pliku: " +
                           (format->is_number_unsigned()
                                ? std::to_string(format->get<std::uint64_t>())
                                : std::to_string(format->get<std::int64_t>()))};
        }
    }
    WynikKomputera w;
    w.komputer = Tekst(j, "komputer");
    if (w.komputer.empty()) throw BladPola{"pole " + Cytat("komputer") + " jest puste"};
    const auto czas = CzytajCzas(Tekst(j, "czas"));
    if (!czas) throw BladPola{"pole " + Cytat("czas") + " nie jest czasem"};
    w.czas = *czas;
    w.wersja = Tekst(j, "wersja_programu");
    w.system = Tekst(j, "system");
    if (j.contains("wersja_systemu")) w.wersja_systemu = Tekst(j, "wersja_systemu");
    if (const auto typ = j.find("typ_produktu"); typ != j.end() && !typ->is_null()) {
        if (!typ->is_number_unsigned() || typ->get<std::uint64_t>() > 0xFFFFFFFFu) {
            throw BladPola{"pole " + Cytat("typ_produktu") + " ma zły typ"};
        }
        w.typ_produktu = static_cast<std::uint32_t>(typ->get<std::uint64_t>());
    }
    w.platforma = Tekst(j, "platforma");
    w.uac = Tekst(j, "uac");
    const json& administrator = Pole(j, "administrator", "");
    if (!administrator.is_boolean()) {
        throw BladPola{"pole " + Cytat("administrator") + " ma zły typ"};
    }
    w.administrator = administrator.get<bool>();
    const json& aplikacje = Tablica(j, "aplikacje", "");
    for (std::size_t i = 0; i < aplikacje.size(); ++i) {
        const std::string sa = "aplikacje[" + std::to_string(i) + "]";
        Obiekt(aplikacje[i], sa);
        AplikacjaWyniku a;
        a.nazwa = Tekst(aplikacje[i], "nazwa", sa + ".");
        const json& komponenty = Tablica(aplikacje[i], "komponenty", sa + ".");
        for (std::size_t k = 0; k < komponenty.size(); ++k) {
            const std::string sk = sa + ".komponenty[" + std::to_string(k) + "]";
            Obiekt(komponenty[k], sk);
            KomponentWyniku komponent{Tekst(komponenty[k], "nazwa", sk + "."),
                                      Tekst(komponenty[k], "tekst", sk + ".")};
            komponent.stan = Stan(komponenty[k], sk + ".");
            // Only to name the version to install; a file without it still reads.
            const auto wymagana = komponenty[k].find("wymagana");
            if (wymagana != komponenty[k].end() && wymagana->is_number_integer() &&
                wymagana->get<std::int64_t>() > 0 && wymagana->get<std::int64_t>() < 100000) {
                komponent.wymagana = static_cast<int>(wymagana->get<std::int64_t>());
            }
            a.komponenty.push_back(std::move(komponent));
        }
        w.aplikacje.push_back(std::move(a));
    }
    return w;
}

std::string Sciezka(const std::string& katalog, const std::string& nazwa) {
    if (katalog.empty() || katalog.back() == '\\' || katalog.back() == '/') return katalog + nazwa;
    return katalog + "\\" + nazwa;
}

}  // namespace

bool PrzedNazwa(const std::string& a, const std::string& b) {
    const std::string ma = MaleAscii(a), mb = MaleAscii(b);
    return ma != mb ? ma < mb : a < b;
}

std::int64_t DniOdEpoki(std::int64_t rok, int miesiac, int dzien) {
    rok -= miesiac <= 2 ? 1 : 0;
    const std::int64_t era = (rok >= 0 ? rok : rok - 399) / 400;
    const std::int64_t rok_ery = rok - era * 400;
    const std::int64_t dzien_roku = (153 * (miesiac + (miesiac > 2 ? -3 : 9)) + 2) / 5 + dzien - 1;
    const std::int64_t dzien_ery = rok_ery * 365 + rok_ery / 4 - rok_ery / 100 + dzien_roku;
    return era * 146097 + dzien_ery - 719468;
}

std::optional<CzasWyniku> CzytajCzas(const std::string& t) {
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
    CzasWyniku czas;
    czas.lokalny = c;
    czas.utc = DniOdEpoki(c.rok, c.miesiac, c.dzien) * 86400 + c.godzina * 3600 + c.minuta * 60 +
               c.sekunda - std::int64_t{c.strefa_minut} * 60;
    return czas;
}

std::size_t Zagniezdzenie(const std::string& tekst) {
    std::size_t glebokosc = 0, najglebiej = 0;
    bool w_napisie = false;
    for (std::size_t i = 0; i < tekst.size(); ++i) {
        const char z = tekst[i];
        if (w_napisie) {
            if (z == '\\')
                ++i;
            else if (z == '"')
                w_napisie = false;
            continue;
        }
        if (z == '"') {
            w_napisie = true;
        } else if (z == '[' || z == '{') {
            najglebiej = std::max(najglebiej, ++glebokosc);
        } else if ((z == ']' || z == '}') && glebokosc > 0) {
            --glebokosc;
        }
    }
    return najglebiej;
}

std::variant<WynikKomputera, std::string> CzytajWynik(const std::string& bajty) {
    if (const auto blad = BlednyUtf8(bajty)) {
        return "niepoprawny JSON: błędny znak UTF-8 (bajt " + std::to_string(*blad + 1) + ")";
    }
    // The parser walks without recursion, but a value nested thousands deep
    // is no result of ours and costs every later walk over it.
    if (Zagniezdzenie(bajty) > LimitZagniezdzenia) {
        return "niepoprawny JSON: zagnieżdżenie głębsze niż " + std::to_string(LimitZagniezdzenia) +
               " poziomów";
    }
    json j;
    try {
        j = json::parse(bajty);
    } catch (const json::parse_error& e) {
        return "niepoprawny JSON (bajt " + std::to_string(e.byte) + ")";
    } catch (const json::exception&) {
        return std::string("niepoprawny JSON");
    }
    try {
        return Odczytaj(j);
    } catch (const BladPola& b) {
        return b.powod;
    }
}

std::optional<Zestawienie> ZbierzZestawienie(Platforma& platforma, const std::string& katalog) {
    auto nazwy = platforma.PlikiJson(katalog);
    if (!nazwy) return std::nullopt;
    std::sort(nazwy->begin(), nazwy->end(), PrzedNazwa);
    Zestawienie z;
    std::map<std::string, WynikKomputera> najnowsze;  // by the host name in lower case
    for (const std::string& nazwa : *nazwy) {
        OdczytPliku odczyt = platforma.CzytajPlik(Sciezka(katalog, nazwa), LimitPlikuWyniku);
        if (odczyt.stan == OdczytPliku::Stan::NieOtwarty) {
            z.pominiete.push_back({nazwa, "nie udało się otworzyć pliku"});
            continue;
        }
        if (odczyt.stan == OdczytPliku::Stan::ZaDuzy) {
            z.pominiete.push_back({nazwa, "plik większy niż 1 MiB"});
            continue;
        }
        auto wynik = CzytajWynik(odczyt.bajty);
        if (auto* powod = std::get_if<std::string>(&wynik)) {
            z.pominiete.push_back({nazwa, std::move(*powod)});
            continue;
        }
        auto& w = std::get<WynikKomputera>(wynik);
        w.plik = nazwa;
        // The latest instant wins; of two at the same instant, the first file.
        const std::string klucz = MaleAscii(w.komputer);
        const auto it = najnowsze.find(klucz);
        if (it == najnowsze.end()) {
            najnowsze.emplace(klucz, std::move(w));
        } else if (w.czas.utc > it->second.czas.utc) {
            it->second = std::move(w);
        }
    }
    for (auto& [klucz, w] : najnowsze) z.komputery.push_back(std::move(w));
    std::sort(z.komputery.begin(), z.komputery.end(),
              [](const auto& a, const auto& b) { return PrzedNazwa(a.komputer, b.komputer); });
    return z;
}

const WynikKomputera* Najnowszy(const Zestawienie& z) {
    const WynikKomputera* najnowszy = nullptr;
    for (const auto& w : z.komputery) {
        if (najnowszy == nullptr || w.czas.utc > najnowszy->czas.utc) najnowszy = &w;
    }
    return najnowszy;
}

bool StaryWynik(const WynikKomputera& najnowszy, const WynikKomputera& w) {
    return najnowszy.czas.utc - w.czas.utc > WiekStaregoWyniku;
}

}  // namespace pro

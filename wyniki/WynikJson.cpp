#include "wyniki/WynikJson.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/Tekst.h"

namespace pro {
namespace {

// Objects keep their fields in the order they were added.
using Json = nlohmann::ordered_json;

// A component's state as the file names it.
constexpr std::pair<StanKomponentu, const char*> Statusy[] = {
    {StanKomponentu::Spelnia, "spelnia"},
    {StanKomponentu::NieSpelnia, "nie_spelnia"},
    {StanKomponentu::Nieustalony, "nieustalony"},
};

const char* Status(StanKomponentu stan) {
    for (const auto& [s, nazwa] : Statusy) {
        if (s == stan) return nazwa;
    }
    return "nieustalony";
}

std::string Cytat(const std::string& sciezka) {
    return "\xE2\x80\x9E" + sciezka + "\xE2\x80\x9D";  // „…”
}

std::string ZlyTyp(const std::string& sciezka) {
    return "pole " + Cytat(sciezka) + " ma zły typ";
}

// A value as the parser hands it over; a container by its start.
struct Wartosc {
    enum class Rodzaj : unsigned char {
        Null,
        Logiczna,
        Ujemna,
        Nieujemna,
        Ulamek,
        Tekst,
        Tablica,
        Obiekt
    };
    Rodzaj rodzaj;
    std::uint64_t liczba = 0;  // a negative one as its two's complement
    std::string* tekst = nullptr;
    bool logiczna = false;

    // A whole number that fits in an int; nullopt for anything else.
    std::optional<int> Calkowita() const {
        if (rodzaj == Rodzaj::Nieujemna && liczba <= static_cast<std::uint64_t>(INT_MAX)) {
            return static_cast<int>(liczba);
        }
        if (rodzaj == Rodzaj::Ujemna && static_cast<std::int64_t>(liczba) >= INT_MIN) {
            return static_cast<int>(static_cast<std::int64_t>(liczba));
        }
        return std::nullopt;
    }
};
using Rodzaj = Wartosc::Rodzaj;

// How a field stands in its object: absent, of its kind, or of another.
enum class Obecnosc : unsigned char { Brak, Jest, ZlyTyp };

// A field that holds a text.
struct PoleTekstu {
    Obecnosc stan = Obecnosc::Brak;
    std::string tekst;

    void Ustaw(const Wartosc& w) {
        stan = w.rodzaj == Rodzaj::Tekst ? Obecnosc::Jest : Obecnosc::ZlyTyp;
        // A copy: the parser's own buffer keeps its room for the next token.
        if (w.rodzaj == Rodzaj::Tekst) tekst = *w.tekst;
    }
};

// Why a field the file must have is not one; empty when it is.
std::string Blad(Obecnosc stan, const std::string& sciezka) {
    if (stan == Obecnosc::Brak) return "brak pola " + Cytat(sciezka);
    return stan == Obecnosc::ZlyTyp ? ZlyTyp(sciezka) : std::string();
}

// The array's fault: absent, of another kind, or too long.
std::string BladTablicy(Obecnosc stan, std::size_t pozycje, const std::string& sciezka) {
    if (stan == Obecnosc::Jest && pozycje > LimitPozycji) {
        return "pole " + Cytat(sciezka) + " ma ponad " + std::to_string(LimitPozycji) + " pozycji";
    }
    return Blad(stan, sciezka);
}

// Reads a file as the parser walks it, straight into the result: only the
// fields of a result are kept, and a file is skipped for the first fault in
// the order of the fields below, wherever the fault stands in the file. Of
// a field given twice the last counts.
class Czytnik {
public:
    using Json = nlohmann::json;

    bool null() { return Przyjmij({Rodzaj::Null}); }
    bool boolean(bool b) { return Przyjmij({Rodzaj::Logiczna, 0, nullptr, b}); }
    bool number_integer(std::int64_t n) {
        return Przyjmij(
            {n < 0 ? Rodzaj::Ujemna : Rodzaj::Nieujemna, static_cast<std::uint64_t>(n)});
    }
    bool number_unsigned(std::uint64_t n) { return Przyjmij({Rodzaj::Nieujemna, n}); }
    bool number_float(double, const std::string&) { return Przyjmij({Rodzaj::Ulamek}); }
    bool string(std::string& s) { return Przyjmij({Rodzaj::Tekst, 0, &s}); }
    bool binary(Json::binary_t&) { return Przyjmij({Rodzaj::Null}); }
    bool start_object(std::size_t) { return Przyjmij({Rodzaj::Obiekt}); }
    bool start_array(std::size_t) { return Przyjmij({Rodzaj::Tablica}); }
    bool key(std::string& k) {
        klucz_ = Klucz::Inny;
        for (const auto& [nazwa, klucz] : Klucze) {
            if (k != nazwa) continue;
            klucz_ = klucz;
            break;
        }
        return true;
    }
    bool end_object() { return Koniec(); }
    bool end_array() { return Koniec(); }
    bool parse_error(std::size_t bajt, const std::string&, const nlohmann::detail::exception& e) {
        // The parser's faults; the others (a number out of range) have no place.
        bajt_ = e.id < 200 ? bajt : 0;
        return false;
    }

    // The byte of the fault, when the walk stopped at one (0: at none).
    std::size_t Bajt() const { return bajt_; }
    std::variant<WynikKomputera, std::string> Wynik();

private:
    // The fields read, by their names.
    enum class Klucz : unsigned char {
        Inny,
        Format,
        Komputer,
        Czas,
        WersjaProgramu,
        System,
        WersjaSystemu,
        TypProduktu,
        Platforma,
        Uac,
        Administrator,
        Aplikacje,
        Nazwa,
        Kod,
        Komponenty,
        Wymagana,
        Wykryta,
        Tekst,
        Status
    };
    static constexpr std::pair<std::string_view, Klucz> Klucze[] = {
        {"format", Klucz::Format},
        {"komputer", Klucz::Komputer},
        {"czas", Klucz::Czas},
        {"wersja_programu", Klucz::WersjaProgramu},
        {"system", Klucz::System},
        {"wersja_systemu", Klucz::WersjaSystemu},
        {"typ_produktu", Klucz::TypProduktu},
        {"platforma", Klucz::Platforma},
        {"uac", Klucz::Uac},
        {"administrator", Klucz::Administrator},
        {"aplikacje", Klucz::Aplikacje},
        {"nazwa", Klucz::Nazwa},
        {"kod", Klucz::Kod},
        {"komponenty", Klucz::Komponenty},
        {"wymagana", Klucz::Wymagana},
        {"wykryta", Klucz::Wykryta},
        {"tekst", Klucz::Tekst},
        {"status", Klucz::Status},
    };

    // Where a value stands.
    enum class Poziom : unsigned char { Plik, Aplikacje, Aplikacja, Komponenty, Komponent, Inny };

    bool Przyjmij(const Wartosc& w) {
        Poziom nowy = Poziom::Inny;
        if (stos_.empty()) {
            obiekt_ = w.rodzaj == Rodzaj::Obiekt;
            nowy = Poziom::Plik;
        } else {
            switch (stos_.back()) {
                case Poziom::Plik: nowy = PolePliku(w); break;
                case Poziom::Aplikacje: nowy = PozycjaTablicy(w, aplikacje_, a_); break;
                case Poziom::Aplikacja: nowy = PoleAplikacji(w); break;
                case Poziom::Komponenty: nowy = PozycjaTablicy(w, a_.komponenty, k_); break;
                case Poziom::Komponent: PoleKomponentu(w); break;
                case Poziom::Inny: break;
            }
        }
        if (w.rodzaj == Rodzaj::Obiekt || w.rodzaj == Rodzaj::Tablica) stos_.push_back(nowy);
        return true;
    }

    // The array's record: where a new value of its field starts afresh.
    struct Tablica {
        Obecnosc stan = Obecnosc::Brak;
        std::size_t pozycje = 0;
        std::string blad;  // of its first item at fault
        Poziom Poczatek(const Wartosc& w, Poziom poziom) {
            *this = {};
            stan = w.rodzaj == Rodzaj::Tablica ? Obecnosc::Jest : Obecnosc::ZlyTyp;
            return w.rodzaj == Rodzaj::Tablica ? poziom : Poziom::Inny;
        }
    };
    struct Aplikacja {
        static constexpr Poziom poziom = Poziom::Aplikacja;
        std::size_t indeks = 0;
        PoleTekstu nazwa;
        std::string kod;
        Tablica komponenty;
    };
    struct Komponent {
        static constexpr Poziom poziom = Poziom::Komponent;
        std::size_t indeks = 0;
        PoleTekstu nazwa, tekst, status;
        int wymagana = 0, wykryta = NotDetected;
    };

    // An item of `tablica`: an object begins `biezacy`; anything else is at fault.
    template <typename T>
    Poziom PozycjaTablicy(const Wartosc& w, Tablica& tablica, T& biezacy) {
        const std::size_t indeks = tablica.pozycje++;
        if (w.rodzaj != Rodzaj::Obiekt) {
            if (tablica.blad.empty()) tablica.blad = ZlyTyp(Sciezka(T::poziom, indeks));
            return Poziom::Inny;
        }
        biezacy = {};
        biezacy.indeks = indeks;
        if (T::poziom == Poziom::Aplikacja) komponenty_.clear();
        return T::poziom;
    }

    // "aplikacje[1]" or, in the current application, "aplikacje[1].komponenty[2]".
    std::string Sciezka(Poziom poziom, std::size_t indeks) const {
        std::string tu = poziom == Poziom::Aplikacja
                             ? std::string("aplikacje")
                             : Sciezka(Poziom::Aplikacja, a_.indeks) + ".komponenty";
        return tu.append("[").append(std::to_string(indeks)).append("]");
    }

    Poziom PolePliku(const Wartosc& w) {
        switch (klucz_) {
            case Klucz::Aplikacje: return aplikacje_.Poczatek(w, Poziom::Aplikacje);
            case Klucz::Format:
                format_ = w.rodzaj == Rodzaj::Ujemna || w.rodzaj == Rodzaj::Nieujemna
                              ? Obecnosc::Jest
                              : Obecnosc::ZlyTyp;
                format_liczba_ = w.rodzaj == Rodzaj::Ujemna
                                     ? std::to_string(static_cast<std::int64_t>(w.liczba))
                                     : std::to_string(w.liczba);
                break;
            case Klucz::TypProduktu:
                typ_ = w.rodzaj == Rodzaj::Null ? Obecnosc::Brak : Obecnosc::ZlyTyp;
                if (w.rodzaj == Rodzaj::Nieujemna && w.liczba <= 0xFFFFFFFFu) {
                    typ_ = Obecnosc::Jest;
                    w_.typ_produktu = static_cast<std::uint32_t>(w.liczba);
                }
                break;
            case Klucz::Administrator:
                administrator_ = w.rodzaj == Rodzaj::Logiczna ? Obecnosc::Jest : Obecnosc::ZlyTyp;
                w_.administrator = w.logiczna;
                break;
            case Klucz::Komputer: komputer_.Ustaw(w); break;
            case Klucz::Czas: czas_.Ustaw(w); break;
            case Klucz::WersjaProgramu: wersja_.Ustaw(w); break;
            case Klucz::System: system_.Ustaw(w); break;
            case Klucz::WersjaSystemu: wersja_systemu_.Ustaw(w); break;
            case Klucz::Platforma: platforma_.Ustaw(w); break;
            case Klucz::Uac: uac_.Ustaw(w); break;
            default: break;
        }
        return Poziom::Inny;
    }

    Poziom PoleAplikacji(const Wartosc& w) {
        switch (klucz_) {
            case Klucz::Komponenty:
                komponenty_.clear();
                return a_.komponenty.Poczatek(w, Poziom::Komponenty);
            case Klucz::Nazwa: a_.nazwa.Ustaw(w); break;
            case Klucz::Kod: a_.kod = w.rodzaj == Rodzaj::Tekst ? *w.tekst : std::string(); break;
            default: break;
        }
        return Poziom::Inny;
    }

    void PoleKomponentu(const Wartosc& w) {
        // The minimum names the version to install, the number is only told: a
        // file without them, or with them out of range, still reads.
        const auto n = w.Calkowita();
        switch (klucz_) {
            case Klucz::Wymagana: k_.wymagana = n && *n > 0 && *n < 100000 ? *n : 0; break;
            case Klucz::Wykryta: k_.wykryta = n.value_or(NotDetected); break;
            case Klucz::Nazwa: k_.nazwa.Ustaw(w); break;
            case Klucz::Tekst: k_.tekst.Ustaw(w); break;
            case Klucz::Status: k_.status.Ustaw(w); break;
            default: break;
        }
    }

    bool Koniec() {
        const Poziom poziom = stos_.back();
        stos_.pop_back();
        if (poziom == Poziom::Komponent) KoniecKomponentu();
        if (poziom == Poziom::Aplikacja) KoniecAplikacji();
        return true;
    }

    void KoniecKomponentu() {
        // The path is built only for a fault: a file has hundreds of components.
        std::string blad;
        for (const auto& [pole, stan] : {std::pair{"nazwa", k_.nazwa.stan},
                                         {"tekst", k_.tekst.stan},
                                         {"status", k_.status.stan}}) {
            if (stan == Obecnosc::Jest) continue;
            blad = Blad(stan, Sciezka(Poziom::Komponent, k_.indeks) + "." + pole);
            break;
        }
        const auto stan =
            std::find_if(std::begin(Statusy), std::end(Statusy),
                         [this](const auto& s) { return k_.status.tekst == s.second; });
        if (blad.empty() && stan == std::end(Statusy)) {
            blad = "pole " + Cytat(Sciezka(Poziom::Komponent, k_.indeks) + ".status") +
                   " ma nieznaną wartość";
        }
        if (!blad.empty()) {
            if (a_.komponenty.blad.empty()) a_.komponenty.blad = std::move(blad);
            return;
        }
        if (komponenty_.size() < LimitPozycji) {
            komponenty_.push_back({std::move(k_.nazwa.tekst), k_.wymagana, k_.wykryta,
                                   std::move(k_.tekst.tekst), stan->first});
        }
    }

    void KoniecAplikacji() {
        const auto tu = [this](const char* pole) {
            return Sciezka(Poziom::Aplikacja, a_.indeks) + "." + pole;
        };
        std::string blad;
        if (a_.nazwa.stan != Obecnosc::Jest) {
            blad = Blad(a_.nazwa.stan, tu("nazwa"));
        } else if (a_.komponenty.stan != Obecnosc::Jest || a_.komponenty.pozycje > LimitPozycji) {
            blad = BladTablicy(a_.komponenty.stan, a_.komponenty.pozycje, tu("komponenty"));
        } else {
            blad = std::move(a_.komponenty.blad);
        }
        if (!blad.empty()) {
            if (aplikacje_.blad.empty()) aplikacje_.blad = std::move(blad);
            return;
        }
        if (w_.aplikacje.size() == LimitPozycji) return;
        // Moved into a vector of its size; the gathering one keeps its room.
        w_.aplikacje.push_back({std::move(a_.nazwa.tekst),
                                std::move(a_.kod),
                                {std::make_move_iterator(komponenty_.begin()),
                                 std::make_move_iterator(komponenty_.end())}});
    }

    std::vector<Poziom> stos_;
    Klucz klucz_ = Klucz::Inny;
    std::size_t bajt_ = 0;
    bool obiekt_ = false;
    WynikKomputera w_;
    Obecnosc format_ = Obecnosc::Brak, typ_ = Obecnosc::Brak, administrator_ = Obecnosc::Brak;
    std::string format_liczba_;
    PoleTekstu komputer_, czas_, wersja_, system_, wersja_systemu_, platforma_, uac_;
    Tablica aplikacje_;
    Aplikacja a_;
    std::vector<KomponentWyniku> komponenty_;
    Komponent k_;
};

// The checks in the order of the fields.
std::variant<WynikKomputera, std::string> Czytnik::Wynik() {
    if (!obiekt_) return std::string("plik nie zawiera obiektu JSON");
    if (format_ == Obecnosc::ZlyTyp) return ZlyTyp("format");
    if (format_ == Obecnosc::Jest && format_liczba_ != std::to_string(FormatWynikuJson)) {
        return "nieobsługiwany format pliku: " + format_liczba_;
    }
    if (auto blad = Blad(komputer_.stan, "komputer"); !blad.empty()) return blad;
    if (komputer_.tekst.empty()) return "pole " + Cytat("komputer") + " jest puste";
    if (auto blad = Blad(czas_.stan, "czas"); !blad.empty()) return blad;
    const auto czas = CzytajCzas(czas_.tekst);
    if (!czas) return "pole " + Cytat("czas") + " nie jest czasem";
    for (const auto& [nazwa, pole] :
         {std::pair{"wersja_programu", &wersja_}, {"system", &system_}}) {
        if (auto blad = Blad(pole->stan, nazwa); !blad.empty()) return blad;
    }
    if (wersja_systemu_.stan == Obecnosc::ZlyTyp) return ZlyTyp("wersja_systemu");
    if (typ_ == Obecnosc::ZlyTyp) return ZlyTyp("typ_produktu");
    if (typ_ == Obecnosc::Brak) w_.typ_produktu.reset();
    for (const auto& [nazwa, pole] : {std::pair{"platforma", &platforma_}, {"uac", &uac_}}) {
        if (auto blad = Blad(pole->stan, nazwa); !blad.empty()) return blad;
    }
    if (auto blad = Blad(administrator_, "administrator"); !blad.empty()) return blad;
    if (auto blad = BladTablicy(aplikacje_.stan, aplikacje_.pozycje, "aplikacje"); !blad.empty()) {
        return blad;
    }
    if (!aplikacje_.blad.empty()) return aplikacje_.blad;
    w_.komputer = std::move(komputer_.tekst);
    w_.czas = *czas;
    w_.wersja = std::move(wersja_.tekst);
    w_.system = std::move(system_.tekst);
    w_.wersja_systemu = std::move(wersja_systemu_.tekst);
    w_.platforma = std::move(platforma_.tekst);
    w_.uac = std::move(uac_.tekst);
    return std::move(w_);
}

// A text without the whitespace between its tokens: our files are indented,
// and the parser takes far longer over the blanks than over the values. One
// blank stays where two tokens would otherwise join ("1 2" is not "12"), so
// the text is valid exactly when the original is.
struct Zwarty {
    std::string tekst;
    std::size_t zagniezdzenie = 0;  // the deepest nesting of arrays and objects
};

Zwarty BezOdstepow(const std::string& tekst) {
    const auto w_slowie = [](char z) {
        return (z >= '0' && z <= '9') || (z >= 'a' && z <= 'z') || (z >= 'A' && z <= 'Z') ||
               z == '.' || z == '-' || z == '+';
    };
    // Written through a pointer: appending a character at a time is the
    // slower part of this walk in a build for size.
    Zwarty wynik{std::string(tekst.size(), '\0')};
    char* const poczatek = wynik.tekst.data();
    char* w = poczatek;
    const char* z = tekst.data();
    const char* const koniec = z + tekst.size();
    std::size_t glebokosc = 0;
    bool odstep = false;
    while (z < koniec) {
        const char c = *z++;
        // Every blank is at most ' '; what else is there is a control
        // character, kept for the parser to refuse.
        if (static_cast<unsigned char>(c) <= ' ' &&
            (c == ' ' || c == '\t' || c == '\n' || c == '\r')) {
            odstep = true;
            continue;
        }
        if (odstep && w != poczatek && w_slowie(w[-1]) && w_slowie(c)) *w++ = ' ';
        odstep = false;
        *w++ = c;
        if (c == '[' || c == '{') {
            wynik.zagniezdzenie = std::max(wynik.zagniezdzenie, ++glebokosc);
        } else if ((c == ']' || c == '}') && glebokosc > 0) {
            --glebokosc;
        } else if (c == '"') {
            // The string whole, to its closing quote: copied up to each
            // quote, which ends it unless an odd run of backslashes escapes it.
            for (;;) {
                const auto* cudzyslow = static_cast<const char*>(
                    std::memchr(z, '"', static_cast<std::size_t>(koniec - z)));
                const char* do_ = cudzyslow == nullptr ? koniec : cudzyslow + 1;
                std::memcpy(w, z, static_cast<std::size_t>(do_ - z));
                w += do_ - z;
                z = do_;
                if (cudzyslow == nullptr) break;
                const char* b = cudzyslow;
                while (b > tekst.data() && b[-1] == '\\') --b;
                if ((cudzyslow - b) % 2 == 0) break;
            }
        }
    }
    wynik.tekst.resize(static_cast<std::size_t>(w - poczatek));
    return wynik;
}

}  // namespace

std::string WynikJson(const WynikKomputera& w) {
    Json aplikacje = Json::array();
    for (const auto& a : w.aplikacje) {
        Json komponenty = Json::array();
        for (const auto& k : a.komponenty) {
            komponenty.push_back(Json{{"nazwa", k.nazwa},
                                      {"wymagana", k.wymagana},
                                      {"wykryta", k.wykryta},
                                      {"tekst", k.tekst},
                                      {"status", Status(k.stan)}});
        }
        aplikacje.push_back(Json{{"nazwa", a.nazwa},
                                 {"kod", a.kod},
                                 {"spelnia_wymagania", Spelnia(a)},
                                 {"komponenty", std::move(komponenty)}});
    }
    Json j;
    j["format"] = FormatWynikuJson;
    j["wersja_programu"] = w.wersja;
    j["komputer"] = w.komputer;
    j["czas"] = CzasIso(w.czas);
    j["system"] = w.system;
    j["wersja_systemu"] = w.wersja_systemu;
    j["typ_produktu"] = w.typ_produktu ? Json(*w.typ_produktu) : Json(nullptr);
    j["platforma"] = w.platforma;
    j["administrator"] = w.administrator;
    j["uac"] = w.uac;
    j["aplikacje"] = std::move(aplikacje);
    // A text that is no UTF-8 (the platform gives none) is written with
    // U+FFFD in place of its bad bytes, so that the file still reads.
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::variant<WynikKomputera, std::string> CzytajWynik(const std::string& bajty) {
    const auto zly_utf8 = [&bajty]() -> std::optional<std::string> {
        const auto blad = BlednyUtf8(bajty);
        if (!blad) return std::nullopt;
        return "niepoprawny JSON: błędny znak UTF-8 (bajt " + std::to_string(*blad + 1) + ")";
    };
    const Zwarty zwarty = BezOdstepow(bajty);
    // The parser walks without recursion, but a value nested thousands deep
    // is no result of ours and costs every later walk over it.
    if (zwarty.zagniezdzenie > LimitZagniezdzenia) {
        if (auto blad = zly_utf8()) return *blad;
        return "niepoprawny JSON: zagnieżdżenie głębsze niż " + std::to_string(LimitZagniezdzenia) +
               " poziomów";
    }
    // A fault's place is found in the text as the file has it.
    Czytnik czytnik;
    if (!nlohmann::json::sax_parse(zwarty.tekst, &czytnik)) {
        // The parser takes only valid UTF-8, so a text it took needs no other look.
        if (auto blad = zly_utf8()) return *blad;
        Czytnik w_pliku;
        nlohmann::json::sax_parse(bajty, &w_pliku);
        if (w_pliku.Bajt() == 0) return std::string("niepoprawny JSON");
        return "niepoprawny JSON (bajt " + std::to_string(w_pliku.Bajt()) + ")";
    }
    return czytnik.Wynik();
}

}  // namespace pro

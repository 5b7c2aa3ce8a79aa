#include "wyniki/WynikJson.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
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

// Why a file is skipped.
struct BladPola {
    std::string powod;
};

std::string Cytat(const std::string& sciezka) {
    return "\xE2\x80\x9E" + sciezka + "\xE2\x80\x9D";  // „…”
}

[[noreturn]] void ZlyTyp(const std::string& sciezka) {
    throw BladPola{"pole " + Cytat(sciezka) + " ma zły typ"};
}

// A whole number that fits in an int; nullopt for anything else.
std::optional<int> Calkowita(const Json& pole) {
    if (pole.is_number_unsigned()) {
        const auto n = pole.get<std::uint64_t>();
        if (n > static_cast<std::uint64_t>(INT_MAX)) return std::nullopt;
        return static_cast<int>(n);
    }
    if (!pole.is_number_integer()) return std::nullopt;
    const auto n = pole.get<std::int64_t>();
    if (n < INT_MIN || n > INT_MAX) return std::nullopt;
    return static_cast<int>(n);
}

// An object of the file and its place in it: the file itself, or item
// `indeks` of its parent's array `tablica`. Its path ("aplikacje[0].komponenty[1]")
// names a field in the reason a file is skipped, and is built only then.
class Obiekt {
public:
    Obiekt(const Json& obiekt, const Obiekt* rodzic = nullptr, const char* tablica = nullptr,
           std::size_t indeks = 0)
        : j_(obiekt), rodzic_(rodzic), tablica_(tablica), indeks_(indeks) {
        if (!j_.is_object()) ZlyTyp(Tu());
    }

    std::string Tu() const {
        if (rodzic_ == nullptr) return {};
        return rodzic_->Sciezka(tablica_) + "[" + std::to_string(indeks_) + "]";
    }
    std::string Sciezka(const char* nazwa) const {
        const std::string tu = Tu();
        return tu.empty() ? std::string(nazwa) : tu + "." + nazwa;
    }
    // The field, or nullptr when there is none.
    const Json* Szukaj(const char* nazwa) const {
        const auto it = j_.find(nazwa);
        return it == j_.end() ? nullptr : &*it;
    }
    // The field, which the file must have.
    const Json& Pole(const char* nazwa) const {
        const Json* pole = Szukaj(nazwa);
        if (pole == nullptr) throw BladPola{"brak pola " + Cytat(Sciezka(nazwa))};
        return *pole;
    }
    std::string Tekst(const char* nazwa) const {
        const Json& pole = Pole(nazwa);
        if (!pole.is_string()) ZlyTyp(Sciezka(nazwa));
        return pole.get<std::string>();
    }
    bool Logiczna(const char* nazwa) const {
        const Json& pole = Pole(nazwa);
        if (!pole.is_boolean()) ZlyTyp(Sciezka(nazwa));
        return pole.get<bool>();
    }
    const Json& Tablica(const char* nazwa) const {
        const Json& pole = Pole(nazwa);
        if (!pole.is_array()) ZlyTyp(Sciezka(nazwa));
        if (pole.size() > LimitPozycji) {
            throw BladPola{"pole " + Cytat(Sciezka(nazwa)) + " ma ponad " +
                           std::to_string(LimitPozycji) + " pozycji"};
        }
        return pole;
    }

private:
    const Json& j_;
    const Obiekt* rodzic_;
    const char* tablica_;
    std::size_t indeks_;
};

StanKomponentu Stan(const Obiekt& komponent) {
    const std::string status = komponent.Tekst("status");
    const auto it = std::find_if(std::begin(Statusy), std::end(Statusy),
                                 [&status](const auto& s) { return status == s.second; });
    if (it == std::end(Statusy)) {
        throw BladPola{"pole " + Cytat(komponent.Sciezka("status")) + " ma nieznaną wartość"};
    }
    return it->first;
}

KomponentWyniku Komponent(const Obiekt& o) {
    KomponentWyniku k;
    k.nazwa = o.Tekst("nazwa");
    k.tekst = o.Tekst("tekst");
    k.stan = Stan(o);
    // The minimum names the version to install, the number is only told: a
    // file without them, or with them out of range, still reads.
    if (const Json* wymagana = o.Szukaj("wymagana")) {
        const auto n = Calkowita(*wymagana);
        if (n && *n > 0 && *n < 100000) k.wymagana = *n;
    }
    if (const Json* wykryta = o.Szukaj("wykryta")) {
        k.wykryta = Calkowita(*wykryta).value_or(NotDetected);
    }
    return k;
}

AplikacjaWyniku Aplikacja(const Obiekt& o) {
    AplikacjaWyniku a;
    a.nazwa = o.Tekst("nazwa");
    const Json& komponenty = o.Tablica("komponenty");
    for (std::size_t i = 0; i < komponenty.size(); ++i) {
        a.komponenty.push_back(Komponent(Obiekt(komponenty[i], &o, "komponenty", i)));
    }
    if (const Json* kod = o.Szukaj("kod"); kod != nullptr && kod->is_string()) {
        a.kod = kod->get<std::string>();
    }
    return a;
}

// The checks in the order of the fields, so that a file is skipped for the
// first fault in it.
WynikKomputera Odczytaj(const Json& j) {
    if (!j.is_object()) throw BladPola{"plik nie zawiera obiektu JSON"};
    const Obiekt plik(j);
    if (const Json* format = plik.Szukaj("format")) {
        if (!format->is_number_integer()) ZlyTyp("format");
        if (*format != FormatWynikuJson) {
            throw BladPola{"nieobsługiwany format pliku: " + format->dump()};
        }
    }
    WynikKomputera w;
    w.komputer = plik.Tekst("komputer");
    if (w.komputer.empty()) throw BladPola{"pole " + Cytat("komputer") + " jest puste"};
    const auto czas = CzytajCzas(plik.Tekst("czas"));
    if (!czas) throw BladPola{"pole " + Cytat("czas") + " nie jest czasem"};
    w.czas = *czas;
    w.wersja = plik.Tekst("wersja_programu");
    w.system = plik.Tekst("system");
    if (plik.Szukaj("wersja_systemu") != nullptr) w.wersja_systemu = plik.Tekst("wersja_systemu");
    if (const Json* typ = plik.Szukaj("typ_produktu"); typ != nullptr && !typ->is_null()) {
        if (!typ->is_number_unsigned() || *typ > 0xFFFFFFFFu) ZlyTyp("typ_produktu");
        w.typ_produktu = typ->get<std::uint32_t>();
    }
    w.platforma = plik.Tekst("platforma");
    w.uac = plik.Tekst("uac");
    w.administrator = plik.Logiczna("administrator");
    const Json& aplikacje = plik.Tablica("aplikacje");
    for (std::size_t i = 0; i < aplikacje.size(); ++i) {
        w.aplikacje.push_back(Aplikacja(Obiekt(aplikacje[i], &plik, "aplikacje", i)));
    }
    return w;
}

// The deepest nesting of arrays and objects in a JSON text.
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

// The text without the whitespace between its tokens: our files are indented,
// and the parser takes far longer over the blanks than over the values. One
// blank stays where two tokens would otherwise join ("1 2" is not "12"), so
// the text is valid exactly when the original is.
std::string BezOdstepow(const std::string& tekst) {
    const auto w_slowie = [](char z) {
        return (z >= '0' && z <= '9') || (z >= 'a' && z <= 'z') || (z >= 'A' && z <= 'Z') ||
               z == '.' || z == '-' || z == '+';
    };
    std::string wynik;
    wynik.reserve(tekst.size());
    bool w_napisie = false, odstep = false;
    for (std::size_t i = 0; i < tekst.size(); ++i) {
        const char z = tekst[i];
        if (w_napisie) {
            wynik += z;
            if (z == '\\' && i + 1 < tekst.size()) {
                wynik += tekst[++i];
            } else if (z == '"') {
                w_napisie = false;
            }
            continue;
        }
        if (z == ' ' || z == '\t' || z == '\n' || z == '\r') {
            odstep = true;
            continue;
        }
        if (odstep && !wynik.empty() && w_slowie(wynik.back()) && w_slowie(z)) wynik += ' ';
        odstep = false;
        w_napisie = z == '"';
        wynik += z;
    }
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
    if (const auto blad = BlednyUtf8(bajty)) {
        return "niepoprawny JSON: błędny znak UTF-8 (bajt " + std::to_string(*blad + 1) + ")";
    }
    // The parser walks without recursion, but a value nested thousands deep
    // is no result of ours and costs every later walk over it.
    if (Zagniezdzenie(bajty) > LimitZagniezdzenia) {
        return "niepoprawny JSON: zagnieżdżenie głębsze niż " + std::to_string(LimitZagniezdzenia) +
               " poziomów";
    }
    Json j;
    try {
        j = Json::parse(BezOdstepow(bajty));
    } catch (const Json::exception&) {
        // The fault's place as the file has it.
        try {
            j = Json::parse(bajty);
        } catch (const Json::parse_error& e) {
            return "niepoprawny JSON (bajt " + std::to_string(e.byte) + ")";
        } catch (const Json::exception&) {
        }
        return std::string("niepoprawny JSON");
    }
    try {
        return Odczytaj(j);
    } catch (const BladPola& b) {
        return b.powod;
    }
}

}  // namespace pro

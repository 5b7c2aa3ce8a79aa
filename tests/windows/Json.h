#pragma once
// A small JSON reader for checking the program's output field by field.

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace pro::testy {

struct Json {
    using Obiekt = std::map<std::string, Json>;
    using Tablica = std::vector<Json>;
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<Tablica>,
                 std::shared_ptr<Obiekt>>
        wartosc;

    const Json& operator[](const std::string& klucz) const { return Ob().at(klucz); }
    const Json& operator[](std::size_t i) const { return Tab().at(i); }
    const Obiekt& Ob() const { return *std::get<std::shared_ptr<Obiekt>>(wartosc); }
    const Tablica& Tab() const { return *std::get<std::shared_ptr<Tablica>>(wartosc); }
    const std::string& Tekst() const { return std::get<std::string>(wartosc); }
    double Liczba() const { return std::get<double>(wartosc); }
    bool Logiczna() const { return std::get<bool>(wartosc); }

    // Throws std::runtime_error on anything that is not exactly one JSON value.
    static Json Czytaj(const std::string& tekst) {
        std::size_t i = 0;
        Json j = Wartosc(tekst, i);
        Odstep(tekst, i);
        if (i != tekst.size()) throw std::runtime_error("trailing characters");
        return j;
    }

private:
    static void Odstep(const std::string& t, std::size_t& i) {
        while (i < t.size() && (t[i] == ' ' || t[i] == '\n' || t[i] == '\r' || t[i] == '\t')) ++i;
    }
    static void Oczekuj(const std::string& t, std::size_t& i, char z) {
        Odstep(t, i);
        if (i >= t.size() || t[i] != z) throw std::runtime_error(std::string("expected ") + z);
        ++i;
    }
    static std::string Napis(const std::string& t, std::size_t& i) {
        Oczekuj(t, i, '"');
        std::string s;
        while (i < t.size() && t[i] != '"') {
            const auto z = static_cast<unsigned char>(t[i]);
            if (z < 0x20) throw std::runtime_error("control character in a string");
            if (t[i] == '\\') {
                ++i;
                if (i >= t.size()) break;
                switch (t[i]) {
                    case 'n': s += '\n'; break;
                    case 't': s += '\t'; break;
                    case 'r': s += '\r'; break;
                    case 'u': {
                        const long kod = std::strtol(t.substr(i + 1, 4).c_str(), nullptr, 16);
                        if (kod >= 0x80) throw std::runtime_error("only ASCII escapes expected");
                        s += static_cast<char>(kod);
                        i += 4;
                        break;
                    }
                    default: s += t[i];
                }
                ++i;
                continue;
            }
            s += t[i++];
        }
        Oczekuj(t, i, '"');
        return s;
    }
    static Json Wartosc(const std::string& t, std::size_t& i) {
        Odstep(t, i);
        if (i >= t.size()) throw std::runtime_error("unexpected end");
        Json j;
        if (t[i] == '{') {
            ++i;
            auto ob = std::make_shared<Obiekt>();
            Odstep(t, i);
            if (i < t.size() && t[i] == '}') {
                ++i;
            } else {
                for (;;) {
                    std::string klucz = Napis(t, i);
                    Oczekuj(t, i, ':');
                    (*ob)[klucz] = Wartosc(t, i);
                    Odstep(t, i);
                    if (i < t.size() && t[i] == ',') {
                        ++i;
                        continue;
                    }
                    Oczekuj(t, i, '}');
                    break;
                }
            }
            j.wartosc = ob;
        } else if (t[i] == '[') {
            ++i;
            auto tab = std::make_shared<Tablica>();
            Odstep(t, i);
            if (i < t.size() && t[i] == ']') {
                ++i;
            } else {
                for (;;) {
                    tab->push_back(Wartosc(t, i));
                    Odstep(t, i);
                    if (i < t.size() && t[i] == ',') {
                        ++i;
                        continue;
                    }
                    Oczekuj(t, i, ']');
                    break;
                }
            }
            j.wartosc = tab;
        } else if (t[i] == '"') {
            j.wartosc = Napis(t, i);
        } else if (t.compare(i, 4, "true") == 0) {
            j.wartosc = true, i += 4;
        } else if (t.compare(i, 5, "false") == 0) {
            j.wartosc = false, i += 5;
        } else if (t.compare(i, 4, "null") == 0) {
            j.wartosc = nullptr, i += 4;
        } else {
            char* koniec = nullptr;
            const double d = std::strtod(t.c_str() + i, &koniec);
            if (koniec == t.c_str() + i) throw std::runtime_error("unexpected character");
            i = static_cast<std::size_t>(koniec - t.c_str());
            j.wartosc = d;
        }
        return j;
    }
};

}  // namespace pro::testy

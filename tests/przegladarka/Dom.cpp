#include "Dom.h"

#include <stdlib.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <set>

#include "platform/Tekst.h"

namespace pro::testy {
namespace {

std::string Male(std::string t) {
    for (char& z : t) z = static_cast<char>(std::tolower(static_cast<unsigned char>(z)));
    return t;
}

std::string Odkoduj(const std::string& t) {
    std::string wynik;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '&') {
            wynik += t[i];
            continue;
        }
        const auto sr = t.find(';', i);
        const std::string nazwa = sr == std::string::npos ? "" : t.substr(i + 1, sr - i - 1);
        if (nazwa == "amp")
            wynik += '&';
        else if (nazwa == "lt")
            wynik += '<';
        else if (nazwa == "gt")
            wynik += '>';
        else if (nazwa == "quot")
            wynik += '"';
        else if (nazwa == "nbsp")
            wynik += "\xC2\xA0";
        else if (nazwa.size() > 1 && nazwa[0] == '#') {
            pro::DopiszUtf8(wynik, static_cast<char32_t>(
                                       nazwa[1] == 'x' ? std::stoul(nazwa.substr(2), nullptr, 16)
                                                       : std::stoul(nazwa.substr(1))));
        } else {
            wynik += '&';
            continue;
        }
        i = sr;
    }
    return wynik;
}

const std::set<std::string> Puste = {"area",  "base", "br",   "col",    "embed", "hr", "img",
                                     "input", "link", "meta", "source", "track", "wbr"};

}  // namespace

const std::string* Element::Atrybut(const std::string& n) const {
    for (const auto& [klucz, wartosc] : atrybuty) {
        if (klucz == n) return &wartosc;
    }
    return nullptr;
}

Dom Dom::Czytaj(const std::string& h) {
    Dom dom;
    std::vector<int> stos;
    const auto tekst = [&](const std::string& t) {
        for (int e : stos) dom.elementy[static_cast<std::size_t>(e)].tekst += t;
    };
    std::size_t i = 0;
    while (i < h.size()) {
        if (h[i] != '<') {
            const auto koniec = h.find('<', i);
            tekst(Odkoduj(h.substr(i, koniec - i)));
            i = koniec == std::string::npos ? h.size() : koniec;
            continue;
        }
        if (h.compare(i, 4, "<!--") == 0) {
            const auto koniec = h.find("-->", i);
            i = koniec == std::string::npos ? h.size() : koniec + 3;
            continue;
        }
        if (h.compare(i, 2, "<!") == 0) {
            i = h.find('>', i) + 1;
            continue;
        }
        if (h.compare(i, 2, "</") == 0) {
            const auto koniec = h.find('>', i);
            const std::string nazwa = Male(h.substr(i + 2, koniec - i - 2));
            while (!stos.empty()) {
                const bool ten = dom.elementy[static_cast<std::size_t>(stos.back())].nazwa == nazwa;
                stos.pop_back();
                if (ten) break;
            }
            i = koniec + 1;
            continue;
        }
        Element e;
        std::size_t j = i + 1;
        while (j < h.size() && !std::isspace(static_cast<unsigned char>(h[j])) && h[j] != '>' &&
               h[j] != '/') {
            e.nazwa += static_cast<char>(std::tolower(static_cast<unsigned char>(h[j++])));
        }
        for (;;) {
            while (j < h.size() && (std::isspace(static_cast<unsigned char>(h[j])) || h[j] == '/'))
                ++j;
            if (j >= h.size() || h[j] == '>') break;
            std::string klucz;
            while (j < h.size() && h[j] != '=' && h[j] != '>' &&
                   !std::isspace(static_cast<unsigned char>(h[j]))) {
                klucz += h[j++];
            }
            std::string wartosc;
            if (j < h.size() && h[j] == '=') {
                ++j;
                const char cudzyslow = h[j];
                const auto koniec = h.find(cudzyslow, j + 1);
                wartosc = Odkoduj(h.substr(j + 1, koniec - j - 1));
                j = koniec + 1;
            }
            e.atrybuty.emplace_back(Male(klucz), wartosc);
        }
        i = j + 1;
        e.rodzic = stos.empty() ? -1 : stos.back();
        const int indeks = static_cast<int>(dom.elementy.size());
        if (e.rodzic >= 0)
            dom.elementy[static_cast<std::size_t>(e.rodzic)].dzieci.push_back(indeks);
        const std::string nazwa = e.nazwa;
        dom.elementy.push_back(std::move(e));
        if (Puste.count(nazwa) != 0) continue;
        if (nazwa == "style" || nazwa == "script" || nazwa == "textarea" || nazwa == "title") {
            // Raw text up to the closing tag.
            const auto koniec = h.find("</" + nazwa, i);
            stos.push_back(indeks);
            tekst(nazwa == "title" || nazwa == "textarea" ? Odkoduj(h.substr(i, koniec - i))
                                                          : h.substr(i, koniec - i));
            stos.pop_back();
            i = h.find('>', koniec) + 1;
            continue;
        }
        stos.push_back(indeks);
    }
    return dom;
}

std::vector<const Element*> Dom::Wszystkie(const std::string& nazwa, int w) const {
    std::vector<const Element*> wynik;
    for (const auto& e : elementy) {
        if (e.nazwa != nazwa) continue;
        int r = e.rodzic;
        while (w >= 0 && r >= 0 && r != w) r = elementy[static_cast<std::size_t>(r)].rodzic;
        if (w < 0 || r == w) wynik.push_back(&e);
    }
    return wynik;
}

std::string ZrzutDom(const std::string& plik, const std::string& pdf) {
    char wzor[] = "/tmp/pro-chromium-XXXXXX";
    if (mkdtemp(wzor) == nullptr) return {};
    const std::string profil = wzor;
    // A fresh profile, nothing fetched in the background, and a bound in time.
    const std::string polecenie =
        "timeout 90 chromium --headless --no-sandbox --disable-gpu --no-first-run "
        "--disable-background-networking --disable-component-update --disable-sync "
        "--user-data-dir='" +
        profil + "' " +
        (pdf.empty() ? "--dump-dom 'file://" + plik + "' 2>/dev/null"
                     : "--no-pdf-header-footer --print-to-pdf='" + pdf + "' 'file://" + plik +
                           "' >/dev/null 2>&1 && pdftotext '" + pdf + "' - 2>/dev/null");
    std::string dom;
    if (FILE* wyjscie = popen(polecenie.c_str(), "r")) {
        std::array<char, 65536> bufor;
        std::size_t n = 0;
        while ((n = std::fread(bufor.data(), 1, bufor.size(), wyjscie)) > 0)
            dom.append(bufor.data(), n);
        if (pclose(wyjscie) != 0) dom.clear();
    }
    std::error_code blad;
    std::filesystem::remove_all(profil, blad);
    return dom;
}

}  // namespace pro::testy

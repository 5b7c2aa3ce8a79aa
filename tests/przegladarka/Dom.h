#pragma once
// The DOM that headless Chromium prints (--dump-dom), read back as a tree of
// elements with their attributes and text. Chromium serialises it canonically:
// text escapes "<", every attribute value is double-quoted.

#include <string>
#include <utility>
#include <vector>

namespace pro::testy {

struct Element {
    std::string nazwa;  // lower case
    std::vector<std::pair<std::string, std::string>> atrybuty;
    std::string tekst;  // all the text inside, entities decoded
    int rodzic = -1;
    std::vector<int> dzieci;

    const std::string* Atrybut(const std::string& nazwa) const;
};

struct Dom {
    std::vector<Element> elementy;  // in document order

    static Dom Czytaj(const std::string& html);
    // Elements named `nazwa` below element `w` (any depth), in document order.
    std::vector<const Element*> Wszystkie(const std::string& nazwa, int w = -1) const;
    int Indeks(const Element* e) const { return static_cast<int>(e - elementy.data()); }
};

// Runs headless Chromium on the file, bounded in time, and returns the DOM it
// prints; empty when it could not run. With `pdf`, prints the page to that
// file instead and returns its text, pages separated by form feeds.
std::string ZrzutDom(const std::string& plik, const std::string& pdf = {});

}  // namespace pro::testy

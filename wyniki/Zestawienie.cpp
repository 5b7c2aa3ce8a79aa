#include "wyniki/Zestawienie.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <map>
#include <thread>
#include <utility>
#include <variant>
#include <vector>

#include "platform/Tekst.h"
#include "wyniki/WynikJson.h"

namespace pro {
namespace {

std::string Sciezka(const std::string& katalog, const std::string& nazwa) {
    if (katalog.empty() || katalog.back() == '\\' || katalog.back() == '/') return katalog + nazwa;
    return katalog + "\\" + nazwa;
}

// A file's bytes as read: the result they hold, or why the file is skipped.
std::variant<WynikKomputera, std::string> Wczytaj(const OdczytPliku& odczyt) {
    using Stan = OdczytPliku::Stan;
    if (odczyt.stan == Stan::NieOtwarty) return std::string("nie udało się otworzyć pliku");
    if (odczyt.stan == Stan::ZaDuzy) return std::string("plik większy niż 1 MiB");
    return CzytajWynik(odczyt.bajty);
}

// What one reader kept of the files it took: the newest result of each
// computer and the files skipped, each with its place in the folder's order.
struct Odczytane {
    // By the host name in lower case.
    std::map<std::string, std::pair<std::size_t, WynikKomputera>> najnowsze;
    std::vector<std::pair<std::size_t, PominietyPlik>> pominiete;

    // The latest instant wins; of two at the same instant, the first file.
    void Przyjmij(std::size_t miejsce, WynikKomputera w) {
        std::string klucz = MaleAscii(w.komputer);
        const auto it = najnowsze.find(klucz);
        if (it == najnowsze.end()) {
            najnowsze.emplace(std::move(klucz), std::pair(miejsce, std::move(w)));
            return;
        }
        auto& [dotad, wynik] = it->second;
        const std::int64_t nowa = Chwila(w.czas), stara = Chwila(wynik.czas);
        if (nowa > stara || (nowa == stara && miejsce < dotad)) {
            dotad = miejsce;
            wynik = std::move(w);
        }
    }
};

// Runs zadanie(0) to zadanie(n - 1) at once, the first on the caller's
// thread. What one throws (out of memory, or no thread to be had) stops the
// others through `przerwij`, and is thrown again once they have ended.
template <typename Zadanie, typename Przerwij>
void NaWatkach(std::size_t n, const Zadanie& zadanie, const Przerwij& przerwij) {
    std::vector<std::exception_ptr> bledy(n);
    const auto wykonaj = [&](std::size_t i) {
        try {
            zadanie(i);
        } catch (...) {
            bledy[i] = std::current_exception();
            przerwij();
        }
    };
    std::vector<std::thread> watki;
    watki.reserve(n);
    for (std::size_t i = 1; i < n && !bledy[0]; ++i) {
        try {
            watki.emplace_back(wykonaj, i);
        } catch (...) {
            bledy[0] = std::current_exception();
            przerwij();
        }
    }
    if (!bledy[0]) wykonaj(0);
    for (auto& watek : watki) watek.join();
    for (const auto& blad : bledy) {
        if (blad) std::rethrow_exception(blad);
    }
}

// Readers at once: opening a file on a share, or under Wine, is mostly
// waiting, which the others fill by opening and parsing theirs.
constexpr std::size_t Czytelnicy = 4;

}  // namespace

bool PrzedNazwa(const std::string& a, const std::string& b) {
    // Compared in place: a folder's names are sorted in every reading of it.
    const auto mala = [](char c) {
        return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    };
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (mala(a[i]) != mala(b[i])) return mala(a[i]) < mala(b[i]);
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::optional<Zestawienie> ZbierzZestawienie(Platforma& platforma, const std::string& folder,
                                             const std::string& szkola) {
    const std::string katalog = szkola.empty() ? folder : Sciezka(folder, szkola);
    auto nazwy = platforma.PlikiJson(katalog);
    if (!nazwy) return std::nullopt;
    std::sort(nazwy->begin(), nazwy->end(), PrzedNazwa);
    std::atomic<std::size_t> nastepny{0};
    const auto czytaj = [&](Odczytane& o) {
        for (std::size_t i; (i = nastepny++) < nazwy->size();) {
            const std::string& nazwa = (*nazwy)[i];
            auto wynik = Wczytaj(platforma.CzytajPlik(Sciezka(katalog, nazwa), LimitPlikuWyniku));
            if (auto* powod = std::get_if<std::string>(&wynik)) {
                o.pominiete.push_back(
                    {i, {szkola.empty() ? nazwa : szkola + "\\" + nazwa, std::move(*powod)}});
            } else {
                o.Przyjmij(i, std::move(std::get<WynikKomputera>(wynik)));
            }
        }
    };
    std::vector<Odczytane> czesci(std::clamp<std::size_t>(nazwy->size(), 1, Czytelnicy));
    NaWatkach(
        czesci.size(), [&](std::size_t n) { czytaj(czesci[n]); },
        [&] { nastepny = nazwy->size(); });
    Odczytane& razem = czesci[0];
    for (std::size_t n = 1; n < czesci.size(); ++n) {
        for (auto& [klucz, wynik] : czesci[n].najnowsze) {
            razem.Przyjmij(wynik.first, std::move(wynik.second));
        }
        for (auto& p : czesci[n].pominiete) razem.pominiete.push_back(std::move(p));
    }
    std::sort(razem.pominiete.begin(), razem.pominiete.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    Zestawienie z;
    for (auto& [miejsce, p] : razem.pominiete) z.pominiete.push_back(std::move(p));
    for (auto& [klucz, wynik] : razem.najnowsze) z.komputery.push_back(std::move(wynik.second));
    std::sort(z.komputery.begin(), z.komputery.end(),
              [](const auto& a, const auto& b) { return PrzedNazwa(a.komputer, b.komputer); });
    return z;
}

const WynikKomputera* Najnowszy(const Zestawienie& z) {
    const WynikKomputera* najnowszy = nullptr;
    for (const auto& w : z.komputery) {
        if (najnowszy == nullptr || Chwila(w.czas) > Chwila(najnowszy->czas)) najnowszy = &w;
    }
    return najnowszy;
}

bool StaryWynik(const WynikKomputera& najnowszy, const WynikKomputera& w) {
    return Chwila(najnowszy.czas) - Chwila(w.czas) > WiekStaregoWyniku;
}

}  // namespace pro

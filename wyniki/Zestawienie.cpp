#include "wyniki/Zestawienie.h"

#include <algorithm>
#include <map>
#include <variant>

#include "platform/Tekst.h"
#include "wyniki/WynikJson.h"

namespace pro {
namespace {

std::string Sciezka(const std::string& katalog, const std::string& nazwa) {
    if (katalog.empty() || katalog.back() == '\\' || katalog.back() == '/') return katalog + nazwa;
    return katalog + "\\" + nazwa;
}

}  // namespace

bool PrzedNazwa(const std::string& a, const std::string& b) {
    const std::string ma = MaleAscii(a), mb = MaleAscii(b);
    return ma != mb ? ma < mb : a < b;
}

std::optional<Zestawienie> ZbierzZestawienie(Platforma& platforma, const std::string& folder,
                                             const std::string& szkola) {
    const std::string katalog = szkola.empty() ? folder : Sciezka(folder, szkola);
    auto nazwy = platforma.PlikiJson(katalog);
    if (!nazwy) return std::nullopt;
    std::sort(nazwy->begin(), nazwy->end(), PrzedNazwa);
    Zestawienie z;
    std::map<std::string, WynikKomputera> najnowsze;  // by the host name in lower case
    for (const std::string& nazwa : *nazwy) {
        const auto pomin = [&](std::string powod) {
            z.pominiete.push_back(
                {szkola.empty() ? nazwa : szkola + "\\" + nazwa, std::move(powod)});
        };
        OdczytPliku odczyt = platforma.CzytajPlik(Sciezka(katalog, nazwa), LimitPlikuWyniku);
        if (odczyt.stan == OdczytPliku::Stan::NieOtwarty) {
            pomin("nie udało się otworzyć pliku");
            continue;
        }
        if (odczyt.stan == OdczytPliku::Stan::ZaDuzy) {
            pomin("plik większy niż 1 MiB");
            continue;
        }
        auto wynik = CzytajWynik(odczyt.bajty);
        if (auto* powod = std::get_if<std::string>(&wynik)) {
            pomin(std::move(*powod));
            continue;
        }
        auto& w = std::get<WynikKomputera>(wynik);
        // The latest instant wins; of two at the same instant, the first file.
        const std::string klucz = MaleAscii(w.komputer);
        const auto it = najnowsze.find(klucz);
        if (it == najnowsze.end()) {
            najnowsze.emplace(klucz, std::move(w));
        } else if (Chwila(w.czas) > Chwila(it->second.czas)) {
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
        if (najnowszy == nullptr || Chwila(w.czas) > Chwila(najnowszy->czas)) najnowszy = &w;
    }
    return najnowszy;
}

bool StaryWynik(const WynikKomputera& najnowszy, const WynikKomputera& w) {
    return Chwila(najnowszy.czas) - Chwila(w.czas) > WiekStaregoWyniku;
}

}  // namespace pro

#include "wyniki/Zestawienie.h"

#include <algorithm>
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

// A file as read, then as parsed.
struct Plik {
    std::string nazwa;  // as a skipped file is named
    OdczytPliku odczyt;
    std::variant<WynikKomputera, std::string> wynik;  // the result, or why it is skipped
};

void Parsuj(Plik& plik) {
    using Stan = OdczytPliku::Stan;
    if (plik.odczyt.stan == Stan::NieOtwarty) plik.wynik = "nie udało się otworzyć pliku";
    if (plik.odczyt.stan == Stan::ZaDuzy) plik.wynik = "plik większy niż 1 MiB";
    if (plik.odczyt.stan == Stan::Bajty) plik.wynik = CzytajWynik(plik.odczyt.bajty);
    plik.odczyt.bajty = {};
}

// Parses batches of files, each on a thread of its own, while the caller
// reads the next: opening a file on a share, or under Wine, is mostly
// waiting. A thread a batch keeps the two from waiting for each other but at
// a batch's end. One batch at a time: 32-bit Wine under qemu's emulation
// does not survive more threads calling its server at once.
class ParsowanieWTle {
public:
    ~ParsowanieWTle() {
        if (watek_.joinable()) watek_.join();
    }
    // Starts parsing `pliki`; the batch at work before, parsed (none otherwise).
    std::vector<Plik> Przekaz(std::vector<Plik> pliki) {
        std::vector<Plik> gotowe = Odbierz();
        pliki_ = std::move(pliki);
        watek_ = std::thread([this] {
            try {
                for (Plik& plik : pliki_) Parsuj(plik);
            } catch (...) {
                // Out of memory: the caller's to report.
                blad_ = std::current_exception();
            }
        });
        return gotowe;
    }
    // The batch at work, parsed; none when there is none.
    std::vector<Plik> Odbierz() {
        if (!watek_.joinable()) return {};
        watek_.join();
        if (blad_) std::rethrow_exception(std::exchange(blad_, nullptr));
        return std::move(pliki_);
    }

private:
    std::vector<Plik> pliki_;
    std::exception_ptr blad_;
    std::thread watek_;
};

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
    Zestawienie z;
    std::map<std::string, WynikKomputera> najnowsze;  // by the host name in lower case
    const auto przyjmij = [&](std::vector<Plik> porcja) {
        for (Plik& plik : porcja) {
            if (auto* powod = std::get_if<std::string>(&plik.wynik)) {
                z.pominiete.push_back({std::move(plik.nazwa), std::move(*powod)});
                continue;
            }
            auto& w = std::get<WynikKomputera>(plik.wynik);
            // The latest instant wins; of two at the same instant, the first file.
            const std::string klucz = MaleAscii(w.komputer);
            const auto it = najnowsze.find(klucz);
            if (it == najnowsze.end()) {
                najnowsze.emplace(klucz, std::move(w));
            } else if (Chwila(w.czas) > Chwila(it->second.czas)) {
                it->second = std::move(w);
            }
        }
    };
    ParsowanieWTle parser;
    std::vector<Plik> porcja;
    for (std::size_t i = 0; i < nazwy->size(); ++i) {
        const std::string& nazwa = (*nazwy)[i];
        porcja.push_back({szkola.empty() ? nazwa : szkola + "\\" + nazwa,
                          platforma.CzytajPlik(Sciezka(katalog, nazwa), LimitPlikuWyniku),
                          {}});
        if (porcja.size() < 64 && i + 1 < nazwy->size()) continue;
        przyjmij(parser.Przekaz(std::move(porcja)));
        porcja.clear();
    }
    przyjmij(parser.Odbierz());
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

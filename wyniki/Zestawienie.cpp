#include "wyniki/Zestawienie.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <map>
#include <mutex>
#include <thread>
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

// Parses batches of files on a thread of its own while the caller reads the
// next ones: opening a file on a share, or under Wine, is mostly waiting.
// Files go over in batches, as every wait between threads costs about as
// much as opening a file under Wine.
class ParsowanieWTle {
public:
    ParsowanieWTle() : watek_([this] { Watek(); }) {}
    ~ParsowanieWTle() {
        {
            std::lock_guard blokada(mutex_);
            koniec_ = true;
        }
        zmiana_.notify_all();
        watek_.join();
    }
    void Przekaz(std::vector<Plik> porcja) {
        {
            std::lock_guard blokada(mutex_);
            wejscie_.push_back(std::move(porcja));
        }
        ++w_toku_;
        zmiana_.notify_all();
    }
    // Batches handed over and not yet taken back.
    std::size_t WToku() const { return w_toku_; }
    // The oldest batch handed over, parsed.
    std::vector<Plik> Odbierz() {
        std::unique_lock blokada(mutex_);
        zmiana_.wait(blokada, [this] { return !gotowe_.empty() || blad_; });
        if (blad_) std::rethrow_exception(blad_);
        std::vector<Plik> porcja = std::move(gotowe_.front());
        gotowe_.erase(gotowe_.begin());
        --w_toku_;
        return porcja;
    }

private:
    void Watek() {
        std::unique_lock blokada(mutex_);
        for (;;) {
            zmiana_.wait(blokada, [this] { return koniec_ || !wejscie_.empty(); });
            if (wejscie_.empty()) return;
            std::vector<Plik> porcja = std::move(wejscie_.front());
            wejscie_.erase(wejscie_.begin());
            blokada.unlock();
            std::exception_ptr blad;
            try {
                for (Plik& plik : porcja) Parsuj(plik);
            } catch (...) {
                // Out of memory: the caller's to report.
                blad = std::current_exception();
            }
            blokada.lock();
            if (blad) blad_ = blad;
            gotowe_.push_back(std::move(porcja));
            zmiana_.notify_all();
        }
    }
    std::size_t w_toku_ = 0;  // the caller's
    std::mutex mutex_;
    std::condition_variable zmiana_;
    std::vector<std::vector<Plik>> wejscie_, gotowe_;
    std::exception_ptr blad_;
    bool koniec_ = false;
    std::thread watek_;
};

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
        if (porcja.size() < 16 && i + 1 < nazwy->size()) continue;
        parser.Przekaz(std::move(porcja));
        porcja.clear();
        // A few batches ahead, no more: the bytes read wait in memory.
        while (parser.WToku() > 2) przyjmij(parser.Odbierz());
    }
    while (parser.WToku() > 0) przyjmij(parser.Odbierz());
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

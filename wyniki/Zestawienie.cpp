#include "wyniki/Zestawienie.h"

#include <algorithm>
#include <vector>
#include <condition_variable>
#include <deque>
#include <exception>
#include <map>
#include <mutex>
#include <thread>
#include <variant>

#include "platform/Tekst.h"
#include "wyniki/WynikJson.h"

namespace pro {
namespace {

std::string Sciezka(const std::string& katalog, const std::string& nazwa) {
    if (katalog.empty() || katalog.back() == '\\' || katalog.back() == '/') return katalog + nazwa;
    return katalog + "\\" + nazwa;
}

// Parses result files on a thread of its own while the caller reads the
// next ones: opening a file on a share, or under Wine, is mostly waiting.
// Files go over in batches, since every wait between threads costs as much
// as opening a file under Wine.
class ParsowanieWTle {
public:
    using Wynik = std::variant<WynikKomputera, std::string>;

    ParsowanieWTle() : watek_([this] { Parsuj(); }) {}
    ~ParsowanieWTle() {
        {
            std::lock_guard blokada(mutex_);
            koniec_ = true;
        }
        zmiana_.notify_all();
        watek_.join();
    }
    void Dodaj(std::string bajty) {
        porcja_.bajty.push_back(std::move(bajty));
        ++w_toku_;
        if (porcja_.bajty.size() == WPorcji) Przekaz();
    }
    // Enough files wait: the caller takes a result before reading more.
    bool Pelny() const { return w_toku_ >= 4 * WPorcji; }
    // The result of the oldest file added and not yet taken.
    Wynik Nastepny() {
        if (wyniki_.empty()) {
            if (u_watku_ == 0) Przekaz();
            std::unique_lock blokada(mutex_);
            zmiana_.wait(blokada, [this] { return !gotowe_.empty(); });
            Porcja porcja = std::move(gotowe_.front());
            gotowe_.pop_front();
            --u_watku_;
            blokada.unlock();
            if (porcja.blad) std::rethrow_exception(porcja.blad);
            for (auto& w : porcja.wyniki) wyniki_.push_back(std::move(w));
        }
        Wynik w = std::move(wyniki_.front());
        wyniki_.pop_front();
        --w_toku_;
        return w;
    }

private:
    static constexpr std::size_t WPorcji = 16;
    struct Porcja {
        std::vector<std::string> bajty;
        std::vector<Wynik> wyniki;
        std::exception_ptr blad;
    };
    void Przekaz() {
        {
            std::lock_guard blokada(mutex_);
            wejscie_.push_back(std::move(porcja_));
            ++u_watku_;
        }
        porcja_ = {};
        zmiana_.notify_all();
    }
    void Parsuj() {
        std::unique_lock blokada(mutex_);
        for (;;) {
            zmiana_.wait(blokada, [this] { return koniec_ || !wejscie_.empty(); });
            if (wejscie_.empty()) return;
            Porcja porcja = std::move(wejscie_.front());
            wejscie_.pop_front();
            blokada.unlock();
            try {
                for (const auto& b : porcja.bajty) porcja.wyniki.push_back(CzytajWynik(b));
            } catch (...) {
                porcja.blad = std::current_exception();
            }
            porcja.bajty = {};
            blokada.lock();
            gotowe_.push_back(std::move(porcja));
            zmiana_.notify_all();
        }
    }
    // The caller's side.
    Porcja porcja_;
    std::deque<Wynik> wyniki_;
    std::size_t w_toku_ = 0, u_watku_ = 0;
    // Shared.
    std::mutex mutex_;
    std::condition_variable zmiana_;
    std::deque<Porcja> wejscie_, gotowe_;
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
    // The files in their order: each read one waits here for its parse, and
    // one that could not be read carries its reason.
    std::deque<PominietyPlik> kolejka;
    ParsowanieWTle parser;
    const auto przyjmij = [&] {
        PominietyPlik plik = std::move(kolejka.front());
        kolejka.pop_front();
        if (!plik.powod.empty()) {
            z.pominiete.push_back(std::move(plik));
            return;
        }
        auto wynik = parser.Nastepny();
        if (auto* powod = std::get_if<std::string>(&wynik)) {
            z.pominiete.push_back({std::move(plik.plik), std::move(*powod)});
            return;
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
    };
    for (const std::string& nazwa : *nazwy) {
        PominietyPlik plik{szkola.empty() ? nazwa : szkola + "\\" + nazwa, {}};
        OdczytPliku odczyt = platforma.CzytajPlik(Sciezka(katalog, nazwa), LimitPlikuWyniku);
        if (odczyt.stan == OdczytPliku::Stan::NieOtwarty) {
            plik.powod = "nie udało się otworzyć pliku";
        } else if (odczyt.stan == OdczytPliku::Stan::ZaDuzy) {
            plik.powod = "plik większy niż 1 MiB";
        } else {
            parser.Dodaj(std::move(odczyt.bajty));
        }
        kolejka.push_back(std::move(plik));
        while (parser.Pelny()) przyjmij();
    }
    while (!kolejka.empty()) przyjmij();
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

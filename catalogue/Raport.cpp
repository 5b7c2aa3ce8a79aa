#include "catalogue/Raport.h"

#include "catalogue/Katalog.h"
#include "platform/Tekst.h"

namespace pro {
namespace {

const std::string Gwiazdki(72, '*');
const std::string Podkreslenia(72, '_');

std::string Ramka(int przed, const std::string& tekst, int po) {
    return "***" + std::string(static_cast<std::size_t>(przed), ' ') + tekst +
           std::string(static_cast<std::size_t>(po), ' ') + "***";
}

}  // namespace

std::string DataCzasRaportu(Platforma& platforma, const CzasLokalny& czas) {
    std::string tekst = platforma.KrotkaData(czas);
    if (czas.godzina != 0 || czas.minuta != 0 || czas.sekunda != 0) {
        tekst += ' ';
        tekst += platforma.DlugiCzas(czas);
    }
    return tekst;
}

std::string TekstDrzewa(int poziom, std::span<const std::unique_ptr<WezelWyniku>> wezly) {
    std::string wynik;
    for (const auto& wezel : wezly) {
        wynik.append(static_cast<std::size_t>(poziom), ' ');
        if (poziom == 0) {
            wynik += Podkreslenia + "\n" + wezel->Tekst + "\n" + Podkreslenia + "\n";
        } else if (poziom == 1) {
            wynik += wezel->Tekst + "\n";
            if (wezel->Stan == Werdykt::spelnia) wynik += " - komponent zainstalowany\n";
            if (NieSpelnia(wezel->Stan)) wynik += " - BRAK komponentu!\n";
        }
        if (!wezel->Dzieci.empty()) wynik += TekstDrzewa(poziom + 1, wezel->Dzieci) + "\n";
    }
    return wynik;
}

std::string TrescRaportu(const NaglowekRaportu& naglowek, const DrzewoWyniku& drzewo) {
    std::string t;
    auto linia = [&t](const std::string& tekst) { t += tekst + "\n"; };
    linia(Gwiazdki);
    linia(Ramka(20, "Raport programu probierator", 19));
    linia(Ramka(9, "utworzony wersją " + naglowek.wersja + " dnia " + naglowek.data_czas, 8));
    linia(Ramka(27, NotaProducenta, 26));
    linia(Gwiazdki);
    linia("");
    linia("Dane systemu:");
    for (const auto& podpis : naglowek.podsumowanie) linia(podpis);
    linia("");
    linia("Wybrane aplikacje:");
    t += TekstDrzewa(0, drzewo.Korzenie());
    linia("");
    linia(Gwiazdki);
    linia(Ramka(26, "koniec raportu", 26));
    linia(Gwiazdki);
    return t;
}

std::string BajtyRaportu(const std::string& tresc) {
    std::string bajty;
    for (char znak : Cp1250(tresc)) {
        if (znak == '\n') bajty += '\r';
        bajty += znak;
    }
    return bajty;
}

std::string NazwaRaportu(const std::string& krotka_data) {
    std::string data = krotka_data;
    for (char& znak : data) {
        const auto z = static_cast<unsigned char>(znak);
        if (z < 0x20 || std::string_view("<>:\"/\\|?*").find(znak) != std::string_view::npos) {
            znak = '-';
        }
    }
    return "Raport_probieratora_" + data + ".txt";
}

}  // namespace pro

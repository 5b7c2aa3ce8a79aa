// Result files of a made-up district for the overview's picture and its
// benchmark, written by the program's own JSON output on simulated machines,
// and the page built from a folder of them.
//   zestawienie_probne pliki FOLDER N [S]   N result files (a mix of ready, not
//                                           ready and undetermined computers);
//                                           with S, in S school folders in FOLDER
//   zestawienie_probne strona FOLDER PLIK   the overview page of FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "wyniki/Polecenie.h"
#include "platform/sim/SymulowanaMaszyna.h"

namespace {

using namespace pro;
constexpr auto HKLM = Korzen::LocalMachine;

// Computer i of the district: its rooms, releases and components vary with i.
void Przygotuj(SymulowanaMaszyna& m, int i) {
    const int sala = 1 + i / 15, stanowisko = 1 + i % 15;
    char nazwa[32];
    std::snprintf(nazwa, sizeof nazwa, "SP%02d-S%02d-PC%02d", 1 + i / 300, sala % 100, stanowisko);
    m.nazwa_komputera = nazwa;
    const bool xp = i % 23 == 7;
    RekordWersji r;
    r.major = xp ? 5 : 6;
    r.minor = 1;
    r.build = xp ? 2600 : 7601;
    r.platforma = 2;
    r.csd = xp ? u"Service Pack 3" : u"Service Pack 1";
    r.suite = 0x100;
    r.typ_produktu = 1;
    m.rekord_rozszerzony = r;
    m.info_systemu = InfoProcesora{xp ? std::uint16_t{0} : std::uint16_t{9}, 4};
    m.info_natywne = m.info_systemu;
    m.UstawTekst(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion",
                 xp ? "5.1" : "6.1");
    // Two of three of the others run Windows 11 or 10, which keep "6.3" there.
    if (!xp && i % 3 != 2) {
        const bool jedenastka = i % 3 == 0;
        m.rekord_prawdziwy = RekordWersji{10, 0, jedenastka ? 26100u : 19045u, 2, u"", 0, 1};
        m.typ_produktu = jedenastka ? 0x79 : 0x30;  // Education, Professional
        const std::string klucz = "Software\\Microsoft\\Windows NT\\CurrentVersion";
        m.UstawTekst(HKLM, klucz, "CurrentVersion", "6.3");
        m.UstawTekst(HKLM, klucz, "DisplayVersion", jedenastka ? "24H2" : "22H2");
        m.UstawLiczbe(HKLM, klucz, "UBR", jedenastka ? 2605 : 5247);
    }
    m.UstawLiczbe(HKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
                  "EnableLUA", i % 5 == 0 ? 0 : 1);
    m.DodajPlik("C:\\Windows\\system32\\msiexec.exe",
                i % 11 == 3 ? SymulowanaMaszyna::Wersja(3, 1, 4000, 2435)
                            : SymulowanaMaszyna::Wersja(5, 0, 7601, 17514));
    const std::string net = "Software\\Microsoft\\NET Framework Setup\\NDP\\";
    m.UstawLiczbe(HKLM, net + "v2.0.50727", "Install", 1);
    m.UstawTekst(HKLM, net + "v2.0.50727", "Version", "2.0.50727.5420");
    if (i % 4 != 1) {
        m.UstawLiczbe(HKLM, net + "v3.0", "SP", 2);
        m.UstawTekst(HKLM, net + "v3.0", "Version", "3.0.30729.5420");
        m.UstawLiczbe(HKLM, net + "v3.5", "SP", 1);
        m.UstawTekst(HKLM, net + "v3.5", "Version", "3.5.30729.5420");
    }
    m.UstawTekst(HKLM, "Software\\Microsoft\\Internet Explorer", "svcVersion",
                 i % 9 == 4 ? "8.0.7601.17514" : "11.0.9600.19596");
    if (i % 3 != 2) {
        m.UstawTekst(Korzen::ClassesRoot, "AgControl.AgControl\\CurVer", "",
                     "AgControl.AgControl.5.1");
    }
    // Excel 2010 on five of six; on one of seven of those its file has no version.
    if (i % 6 != 5) {
        const std::string klasa = "{00024500-0000-0000-C000-000000000046}";
        const std::string excel = "C:\\Program Files\\Microsoft Office\\Office14\\EXCEL.EXE";
        m.UstawTekst(Korzen::ClassesRoot, "Excel.Application\\CLSID", "", klasa);
        m.UstawTekst(Korzen::ClassesRoot, "CLSID\\" + klasa + "\\LocalServer32", "",
                     "\"" + excel + "\" /automation");
        m.DodajPlik(excel, i % 7 == 6
                               ? std::nullopt
                               : std::optional(SymulowanaMaszyna::Wersja(14, 0, 7015, 1000)));
    }
    m.DodajPlik(m.sciezka_programu, SymulowanaMaszyna::Wersja(1, 0, 0, 1));
    // Checked over a week's mornings; every 40th computer not for two months.
    const int dzien = i % 40 == 13 ? 5 : 1 + i % 7;
    m.czas = CzasLokalny{2026,         i % 40 == 13 ? 10 : 12, dzien, 7 + i % 3,
                         (i * 7) % 60, (i * 13) % 60,          60};
}

int Pliki(const std::string& folder, int liczba, int szkoly) {
    std::filesystem::create_directories(folder);
    for (int i = 0; i < liczba; ++i) {
        std::filesystem::path gdzie = folder;
        if (szkoly > 0) {
            char szkola[16];
            std::snprintf(szkola, sizeof szkola, "SP%02d", 1 + i * szkoly / liczba);
            gdzie /= szkola;
            std::filesystem::create_directories(gdzie);
        }
        SymulowanaMaszyna m;
        Katalog k;
        Przygotuj(m, i);
        const auto polecenie =
            ParsujPolecenie({"/aplikacje", "wszystkie", "/json", "wynik.json"}, k);
        WykonajPolecenie(std::get<Polecenie>(polecenie), k, m);
        std::ofstream(gdzie / (m.nazwa_komputera + ".json"), std::ios::binary)
            << m.zapisane_pliki.at("wynik.json");
    }
    return 0;
}

int Strona(const std::string& folder, const std::string& plik) {
    SymulowanaMaszyna m;
    m.DodajKatalog("C:\\Wyniki");
    for (const auto& wpis : std::filesystem::directory_iterator(folder)) {
        if (!wpis.is_regular_file()) continue;
        std::ifstream wejscie(wpis.path(), std::ios::binary);
        m.zapisane_pliki["C:\\Wyniki\\" + wpis.path().filename().string()] =
            std::string(std::istreambuf_iterator<char>(wejscie), {});
    }
    Katalog k;
    const auto polecenie =
        ParsujPolecenie({"/zestawienie", "C:\\Wyniki", "/html", "C:\\strona.html"}, k);
    const auto wynik = WykonajPolecenie(std::get<Polecenie>(polecenie), k, m);
    std::fputs(wynik.wyjscie.c_str(), stdout);
    std::fputs(wynik.bledy.c_str(), stderr);
    if (wynik.kod != 0) return wynik.kod;
    std::ofstream(plik, std::ios::binary) << m.zapisane_pliki.at("C:\\strona.html");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string tryb = argc > 1 ? argv[1] : "";
    if ((argc == 4 || argc == 5) && tryb == "pliki") {
        return Pliki(argv[2], std::stoi(argv[3]), argc == 5 ? std::stoi(argv[4]) : 0);
    }
    if (argc == 4 && tryb == "strona") return Strona(argv[2], argv[3]);
    std::fputs("zestawienie_probne pliki FOLDER N [S] | strona FOLDER PLIK\n", stderr);
    return 2;
}

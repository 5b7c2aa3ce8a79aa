#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>
#include <sstream>

#include "DrogaKlawiatury.h"
#include "Json.h"
#include "KatalogTymczasowy.h"
#include "KluczTestowy.h"
#include "Proces.h"
#include "Srodowisko.h"
#include "catalogue/Katalog.h"
#include "wyniki/Polecenie.h"
#include "catalogue/Raport.h"
#include "platform/win32/PlatformaWin32.h"
#include "sysinfo/Probieratortesty.h"

namespace pro {
namespace {

std::wstring Program() {
    return L"\"" + Szeroki(testy::KatalogTestow()) + L"\\probierator.exe\"";
}

testy::WynikProcesu Probierator(const std::wstring& opcje) {
    return testy::Uruchom(Program() + L" " + opcje);
}

std::wstring Cudzyslow(const std::string& sciezka) {
    return L"\"" + Szeroki(sciezka) + L"\"";
}

std::vector<std::string> Linie(const std::string& tekst) {
    std::vector<std::string> linie;
    std::istringstream wejscie(tekst);
    for (std::string linia; std::getline(wejscie, linia);) {
        if (!linia.empty() && linia.back() == '\r') linia.pop_back();
        linie.push_back(linia);
    }
    return linie;
}

// In a fresh prefix: Windows 6.1 and Windows Installer 4.5 are there, no .NET
// and no Excel. "Ellard Tabulo" (18) needs only the first two.
class BezOkna : public testing::Test {
protected:
    testy::KatalogTymczasowy katalog_{L"probierator_bez_okna"};
};

TEST_F(BezOkna, PomocIKodyWyjscia) {
    const auto pomoc = Probierator(L"/?");
    EXPECT_EQ(pomoc.kod, 0u);
    EXPECT_NE(pomoc.wyjscie.find("/aplikacje"), std::string::npos);
    EXPECT_NE(pomoc.wyjscie.find("Kod wyjścia"), std::string::npos);

    struct Wiersz {
        const wchar_t* opcje;
        DWORD kod;
    };
    const Wiersz wiersze[] = {
        {L"/aplikacje 18 /json -", 0},
        {L"-aplikacje ELT -json -", 0},
        {L"/aplikacje 18,3 /json -", 1},  // Marendo Tabulo needs .NET 3.5
        {L"/aplikacje 1 /json -", 1},     // no Excel: not met
        {L"/nieznana", 2},
        {L"/aplikacje 99 /json -", 2},
        {L"/aplikacje XYZ /json -", 2},
        {L"/json", 2},
        {L"/aplikacje 18", 2},
        {L"/zestawienie C:\\", 2},
        {L"/html z.html", 2},
        {L"/zestawienie C:\\ /html z.html /aplikacje 18", 2},
    };
    for (const auto& w : wiersze) {
        const auto wynik = Probierator(w.opcje);
        EXPECT_EQ(wynik.kod, w.kod) << Waski(w.opcje) << "\n" << wynik.bledy;
        if (w.kod == 2) {
            EXPECT_NE(wynik.bledy.find("probierator: "), std::string::npos) << Waski(w.opcje);
            EXPECT_TRUE(wynik.wyjscie.empty());
        }
    }
}

TEST_F(BezOkna, ZleUzycieNicNieZapisuje) {
    const auto wynik = Probierator(L"/raport " + Cudzyslow(katalog_.Sciezka("r.txt")) + L" /csv " +
                                   Cudzyslow(katalog_.Sciezka("w.csv")) + L" /aplikacje 0");
    EXPECT_EQ(wynik.kod, 2u);
    EXPECT_EQ(katalog_.LiczbaPlikow(), 0);
}

TEST_F(BezOkna, JsonPoleZaPolem) {
    testy::KluczTestowy net35(HKEY_LOCAL_MACHINE,
                              L"Software\\Microsoft\\NET Framework Setup\\NDP\\v3.5");
    net35.Liczba(L"SP", 1);
    net35.Tekst(L"Version", L"3.5.30729.5420");
    const std::string plik = katalog_.Sciezka("wynik.json");
    const auto wynik = Probierator(L"/aplikacje GVT,1 /json " + Cudzyslow(plik));
    ASSERT_EQ(wynik.kod, 1u) << wynik.bledy;
    const auto json = testy::CzytajJson(testy::KatalogTymczasowy::Czytaj(plik));

    PlatformaWin32 p;
    EXPECT_EQ(json.at("format").get<int>(), 1);
    EXPECT_EQ(json.at("wersja_programu").get<std::string>(),
              WersjaPliku(p, testy::KatalogTestow() + "\\probierator.exe"));
    EXPECT_EQ(json.at("komputer").get<std::string>(), p.NazwaKomputera());
    EXPECT_FALSE(json.at("komputer").get<std::string>().empty());
    EXPECT_EQ(json.at("czas").get<std::string>().size(), 25u) << json.at("czas").get<std::string>();
    EXPECT_EQ(json.at("czas").get<std::string>()[10], 'T');
    EXPECT_EQ(json.at("system").get<std::string>(), NazwaSystemu(p));
    // The prefix's own Windows: 6.1.7601 under Wine 8, 10.0.19043 from Wine 9 on.
    EXPECT_EQ(json.at("wersja_systemu").get<std::string>(), NumerWersjiSystemu(p));
    EXPECT_FALSE(json.at("wersja_systemu").get<std::string>().empty());
    const auto typ = TypProduktu(p);
    EXPECT_EQ(json.at("typ_produktu"), typ ? testy::Json(*typ) : testy::Json(nullptr));
    EXPECT_EQ(json.at("platforma").get<std::string>(), OpisPlatformy(p));
    EXPECT_TRUE(json.at("administrator").get<bool>());
    EXPECT_EQ(json.at("uac").get<std::string>(), StanUac(p));

    const auto aplikacje = json.at("aplikacje");
    ASSERT_EQ(aplikacje.size(), 3u) << "Barkon Tabulo, then both GVT rows";
    EXPECT_EQ(aplikacje.at(0).at("nazwa").get<std::string>(), "Barkon Tabulo");
    EXPECT_EQ(aplikacje.at(1).at("nazwa").get<std::string>(), "Galvin Tabulo");
    EXPECT_EQ(aplikacje.at(2).at("nazwa").get<std::string>(), "Nimbra Tabulo");
    EXPECT_EQ(aplikacje.at(2).at("kod").get<std::string>(), "GVT");
    EXPECT_FALSE(aplikacje.at(0).at("spelnia_wymagania").get<bool>());
    EXPECT_TRUE(aplikacje.at(1).at("spelnia_wymagania").get<bool>());

    const auto barkon = aplikacje.at(0).at("komponenty");
    ASSERT_EQ(barkon.size(), 4u);
    EXPECT_EQ(barkon.at(0).at("nazwa").get<std::string>(), "System operacyjny Windows");
    EXPECT_EQ(barkon.at(0).at("wymagana").get<int>(), 60);
    // The prefix's own CurrentVersion: "6.1" under Wine 8, "6.3" under Wine 10.
    const std::string windows =
        CzytajRejestrTekst(p, Korzen::LocalMachine,
                           "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion");
    ASSERT_EQ(windows.size(), 3u) << windows;
    EXPECT_EQ(barkon.at(0).at("wykryta").get<int>(), (windows[0] - '0') * 10 + windows[2] - '0');
    EXPECT_EQ(barkon.at(0).at("tekst").get<std::string>(), windows);
    EXPECT_EQ(barkon.at(0).at("status").get<std::string>(), "spelnia");
    EXPECT_EQ(barkon.at(2).at("nazwa").get<std::string>(), "MS Excel");
    EXPECT_EQ(barkon.at(2).at("wykryta").get<int>(), 0);
    EXPECT_EQ(barkon.at(2).at("tekst").get<std::string>(), "??.????.??");
    EXPECT_EQ(barkon.at(2).at("status").get<std::string>(), "nie_spelnia");
    const auto galvin = aplikacje.at(1).at("komponenty");
    EXPECT_EQ(galvin.at(2).at("nazwa").get<std::string>(), ".NET Framework 3.5");
    EXPECT_EQ(galvin.at(2).at("wymagana").get<int>(), 3335);
    EXPECT_EQ(galvin.at(2).at("wykryta").get<int>(), 3335);
    EXPECT_EQ(galvin.at(2).at("tekst").get<std::string>(), "3.5.30729.5420");
}

TEST_F(BezOkna, JsonNaWyjscieStandardowe) {
    const auto wynik = Probierator(L"/aplikacje 3 /json -");
    EXPECT_EQ(wynik.kod, 1u);
    const auto json = testy::CzytajJson(wynik.wyjscie);
    const auto net = json.at("aplikacje").at(0).at("komponenty").at(2);
    EXPECT_EQ(net.at("nazwa").get<std::string>(), ".NET Framework 3.5");
    EXPECT_EQ(net.at("wykryta").get<int>(), 0);
    EXPECT_EQ(net.at("tekst").get<std::string>(), "??.????.??");
    EXPECT_EQ(net.at("status").get<std::string>(), "nie_spelnia");
}

// Real result files written by the program on this machine, two edited as
// other computers would write them, and one that is no result at all.
TEST_F(BezOkna, ZestawienieZPrawdziwychPlikow) {
    const std::string wlasny = katalog_.Sciezka("ten.json");
    ASSERT_EQ(Probierator(L"/aplikacje 18,3 /json " + Cudzyslow(wlasny)).kod, 1u);
    auto inny = testy::CzytajJson(testy::KatalogTymczasowy::Czytaj(wlasny));
    const std::string komputer = inny.at("komputer").get<std::string>();
    inny["komputer"] = "INNY-PC";
    inny["czas"] = "2000-01-01T00:00:00+00:00";
    testy::KatalogTymczasowy::Pisz(katalog_.Sciezka("inny.json"), inny.dump());
    // The same computer, its name in other case, an older result: it loses.
    auto starszy = testy::CzytajJson(testy::KatalogTymczasowy::Czytaj(wlasny));
    std::string odwrocony = komputer;
    for (char& z : odwrocony)
        z = static_cast<char>(std::isupper(z) ? std::tolower(z) : std::toupper(z));
    starszy["komputer"] = odwrocony;
    starszy["czas"] = "2001-01-01T00:00:00+00:00";
    testy::KatalogTymczasowy::Pisz(katalog_.Sciezka("starszy.json"), starszy.dump());
    testy::KatalogTymczasowy::Pisz(katalog_.Sciezka("zly.json"), "{\"komputer\": ");

    std::string folder = katalog_.Sciezka("");
    if (folder.back() == '\\') folder.pop_back();  // "…\"" would escape the quote
    const std::string strona = katalog_.Sciezka("zestawienie.html");
    const auto wynik =
        Probierator(L"/zestawienie " + Cudzyslow(folder) + L" /html " + Cudzyslow(strona));
    ASSERT_EQ(wynik.kod, 0u) << wynik.bledy;
    EXPECT_EQ(wynik.wyjscie,
              "Zestawienie: komputery: 2, pominięte pliki: 1, strona: " + strona + "\n");
    const std::string html = testy::KatalogTymczasowy::Czytaj(strona);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("<b>" + komputer + "</b>"), std::string::npos);
    EXPECT_EQ(html.find("<b>" + komputer + "</b><em"), std::string::npos) << "newest, not stale";
    EXPECT_NE(html.find("<b>INNY-PC</b><em class=stary>stary wynik</em>"), std::string::npos);
    EXPECT_NE(html.find("<td class=n>\xE2\x9C\x97"), std::string::npos);
    // Named once in each computer's row, not in its cells.
    std::size_t braki = 0;
    for (auto i = html.find(".NET Framework 3.5: ??.????.??"); i != std::string::npos;
         i = html.find(".NET Framework 3.5: ??.????.??", i + 1)) {
        const auto lista = html.rfind("<p>Brakuje: ", i);
        braki += lista != std::string::npos && lista > html.rfind("<tr>", i);
    }
    EXPECT_EQ(braki, 2u);
    EXPECT_NE(html.find("<td>zly.json</td><td>niepoprawny JSON"), std::string::npos);
    EXPECT_NE(html.find("<li><b>.NET Framework 3.5</b> \xE2\x80\x94 2 komputery: "),
              std::string::npos);

    // Failures leave the page as it was.
    const auto bez_folderu = Probierator(L"/zestawienie " + Cudzyslow(katalog_.Sciezka("brak")) +
                                         L" /html " + Cudzyslow(strona));
    EXPECT_EQ(bez_folderu.kod, 3u);
    EXPECT_NE(bez_folderu.bledy.find("brak"), std::string::npos);
    HANDLE zajeta =
        CreateFileW(Szeroki(strona).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(zajeta, INVALID_HANDLE_VALUE);
    const auto bez_zapisu =
        Probierator(L"/zestawienie " + Cudzyslow(folder) + L" /html " + Cudzyslow(strona));
    CloseHandle(zajeta);
    EXPECT_EQ(bez_zapisu.kod, 3u);
    EXPECT_EQ(testy::KatalogTymczasowy::Czytaj(strona), html);

    // A school folder, and one deeper that is not read.
    for (const char* szkola : {"SP1", "SP1\\stare"}) {
        CreateDirectoryW(Szeroki(katalog_.Sciezka(szkola)).c_str(), nullptr);
        testy::KatalogTymczasowy::Pisz(katalog_.Sciezka(szkola + std::string("\\ten.json")),
                                       testy::KatalogTymczasowy::Czytaj(wlasny));
    }
    const auto okreg =
        Probierator(L"/zestawienie " + Cudzyslow(folder) + L" /html " + Cudzyslow(strona));
    EXPECT_EQ(okreg.wyjscie,
              "Zestawienie: szkoły: 1, komputery: 3, pominięte pliki: 1, strona: " + strona + "\n");
}

TEST_F(BezOkna, RaportTakiJakZOkna) {
    const std::string plik = katalog_.Sciezka("raport.txt");
    const auto wynik = Probierator(L"/aplikacje 3,18 /raport " + Cudzyslow(plik));
    ASSERT_EQ(wynik.kod, 1u) << wynik.bledy;

    // What the window's report holds for the same selection on this machine.
    PlatformaWin32 p;
    Katalog k;
    k.KatalogSystemu = p.KatalogSystemowy();
    DrzewoWyniku drzewo;
    k.Aplikacje[2].SprawdzAplikacje(drzewo, k, p);
    k.Aplikacje[17].SprawdzAplikacje(drzewo, k, p);
    NaglowekRaportu naglowek;
    naglowek.wersja = WersjaPliku(p, testy::KatalogTestow() + "\\probierator.exe");
    naglowek.podsumowanie =
        PodpisyPodsumowania(NazwaSystemu(p), OpisPlatformy(p), CzyAdministrator(p), StanUac(p));
    naglowek.data_czas = "<czas>";
    auto oczekiwane = Linie(BajtyRaportu(TrescRaportu(naglowek, drzewo)));
    auto zapisane = Linie(testy::KatalogTymczasowy::Czytaj(plik));
    ASSERT_EQ(zapisane.size(), oczekiwane.size());
    // Line 3 carries the moment of writing; the rest must match byte for byte.
    const std::string poczatek = "***         utworzony wersj\xB9 " + naglowek.wersja + " dnia ";
    EXPECT_EQ(zapisane[2].rfind(poczatek, 0), 0u) << zapisane[2];
    zapisane[2] = oczekiwane[2];
    EXPECT_EQ(zapisane, oczekiwane);
    EXPECT_NE(testy::KatalogTymczasowy::Czytaj(plik).find("\r\n"), std::string::npos);
}

TEST_F(BezOkna, NiezapisywalnyPlikPozostaleZapisane) {
    const std::string katalog_zamiast_pliku = katalog_.Sciezka("zajete.json");
    CreateDirectoryW(Szeroki(katalog_zamiast_pliku).c_str(), nullptr);
    const std::string raport = katalog_.Sciezka("r.txt");
    const std::string csv = katalog_.Sciezka("w.csv");
    const auto wynik = Probierator(L"/aplikacje 18 /json " + Cudzyslow(katalog_zamiast_pliku) +
                                   L" /raport " + Cudzyslow(raport) + L" /csv " + Cudzyslow(csv));
    EXPECT_EQ(wynik.kod, 3u);
    EXPECT_NE(wynik.bledy.find("zajete.json"), std::string::npos) << wynik.bledy;
    EXPECT_FALSE(testy::KatalogTymczasowy::Czytaj(raport).empty());
    EXPECT_FALSE(testy::KatalogTymczasowy::Czytaj(csv).empty());
}

TEST_F(BezOkna, WieleStacjiDopisujeDoJednegoCsv) {
    const std::string csv = katalog_.Sciezka("pracownia.csv");
    constexpr int Procesy = 20;
    std::vector<std::wstring> linie(Procesy,
                                    Program() + L" /aplikacje 18,3,GVT /csv " + Cudzyslow(csv));
    auto procesy = testy::UruchomWiele(linie);
    ASSERT_EQ(procesy.size(), static_cast<std::size_t>(Procesy));
    for (DWORD kod : testy::Czekaj(procesy)) EXPECT_EQ(kod, 1u);

    const auto wiersze = Linie(testy::KatalogTymczasowy::Czytaj(csv));
    ASSERT_EQ(wiersze.size(), 1u + Procesy * 4u);
    EXPECT_EQ(wiersze[0], "\xEF\xBB\xBFkomputer;czas;aplikacja;kod;spelnia;brakujace");
    std::multiset<std::string> aplikacje;
    for (std::size_t i = 1; i < wiersze.size(); ++i) {
        std::vector<std::string> pola;
        std::istringstream wiersz(wiersze[i]);
        for (std::string pole; std::getline(wiersz, pole, ';');) pola.push_back(pole);
        ASSERT_GE(pola.size(), 5u) << wiersze[i];
        aplikacje.insert(pola[2]);
        const bool nic_nie_brakuje = pola.size() == 5 || pola[5].empty();
        EXPECT_EQ(nic_nie_brakuje, pola[4] == "tak") << wiersze[i];
    }
    for (const char* nazwa :
         {"Marendo Tabulo", "Galvin Tabulo", "Nimbra Tabulo", "Ellard Tabulo"}) {
        EXPECT_EQ(aplikacje.count(nazwa), static_cast<std::size_t>(Procesy)) << nazwa;
    }
}

// DLLs planted beside a copy of the program, preferred as Windows prefers
// any that is no KnownDLL: the check runs, every window, the message, the
// legend and the save dialog open and close, and none of them runs in it.
TEST_F(BezOkna, DllObokProgramuNieDzialaja) {
    namespace fs = std::filesystem;
    const fs::path folder = Szeroki(katalog_.Sciezka(""));
    const fs::path testy = Szeroki(testy::KatalogTestow());
    fs::copy_file(testy / L"probierator.exe", folder / L"pobrany.exe");
    testy::KluczTestowy nadpisania(HKEY_CURRENT_USER,
                                   L"Software\\Wine\\AppDefaults\\pobrany.exe\\DllOverrides");
    for (const wchar_t* nazwa :
         {L"version.dll", L"comctl32.dll", L"msimg32.dll", L"uxtheme.dll", L"msftedit.dll",
          L"riched20.dll", L"usp10.dll", L"winspool.drv", L"compstui.dll", L"propsys.dll",
          L"dwmapi.dll", L"cryptbase.dll", L"oleacc.dll", L"userenv.dll", L"apphelp.dll",
          L"windowscodecs.dll"}) {
        fs::copy_file(testy / L"podrzucona.dll", folder / nazwa);
        // Wine names a DLL's override without ".dll", any other module with its extension.
        const fs::path dll = nazwa;
        nadpisania.Tekst((dll.extension() == L".dll" ? dll.stem() : dll).wstring(),
                         L"native,builtin");
    }
    const std::string json = katalog_.Sciezka("wynik.json");
    const std::wstring program = L"\"" + (folder / L"pobrany.exe").wstring() + L"\"";
    const auto wynik = testy::Uruchom(program + L" /aplikacje 18 /json " + Cudzyslow(json));
    EXPECT_EQ(wynik.kod, 0u) << wynik.bledy;
    EXPECT_TRUE(fs::exists(Szeroki(json)));
    testy::CalaDrogaKlawiatura(program, folder.wstring());
    for (const auto& plik : fs::directory_iterator(folder)) {
        EXPECT_NE(plik.path().extension(), L".slad") << plik.path().filename().string();
    }
}

}  // namespace
}  // namespace pro

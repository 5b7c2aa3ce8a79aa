#pragma once
// An application of the catalogue, its verification, and the version sources.

#include <cstdint>
#include <string>

#include "catalogue/Prokomponent.h"
#include "platform/Platforma.h"

namespace pro {

struct WezelWyniku;
class DrzewoWyniku;
struct Katalog;

struct ProAplikacja {
    std::string Nazwa;
    std::string Kod;
    bool Znacznik = false;
    std::string Adres;
    VersionNumber MinSystem = 0;
    VersionNumber MinNet20 = 0;
    VersionNumber MinNet30 = 0;
    VersionNumber MinNet35 = 0;
    VersionNumber MinNet40 = 0;
    VersionNumber MinNet45 = 0;
    VersionNumber MinInstaller = 0;
    VersionNumber MinExcel = 0;
    VersionNumber MinSilverlight = 0;
    VersionNumber MinIE = 0;
    WezelWyniku* Wezel = nullptr;  // root of its latest branch, not owned

    // `net` goes into the one .NET slot whose id it equals; an empty
    // address becomes the maker's default address.
    ProAplikacja(std::string nazwa, std::string kod, std::string adres, bool znacznik,
                 VersionNumber min_system, VersionNumber net, VersionNumber min_installer,
                 VersionNumber min_excel, VersionNumber min_silverlight, VersionNumber min_ie);

    // The requirement for a component, 0 when none (MS SQL Server, unknown ids).
    VersionNumber Wymaganie(ComponentId id) const;

    // Appends this application's branch to `drzewo`, detecting the required
    // components of `katalog` on the way. A detection that raises stops it.
    void SprawdzAplikacje(DrzewoWyniku& drzewo, Katalog& katalog, Platforma& platforma);
};

// The dotted file version of `sciezka`, or "brak pliku" / "brak wersji".
std::string WersjaPliku(Platforma& platforma, const std::string& sciezka);
// A REG_SZ value up to its first NUL; the empty text when not available.
std::string CzytajRejestrTekst(Platforma& platforma, Korzen korzen, const std::string& klucz,
                               const std::string& nazwa);
// A REG_DWORD value; -1 when not available.
std::int32_t CzytajRejestrLiczba(Platforma& platforma, Korzen korzen, const std::string& klucz,
                                 const std::string& nazwa);

}  // namespace pro

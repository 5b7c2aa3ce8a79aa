#include "catalogue/Proaplikacja.h"

#include <cstdio>

#include "catalogue/DrzewoWyniku.h"
#include "catalogue/Katalog.h"
#include "platform/Rejestr.h"

namespace pro {

ProAplikacja::ProAplikacja(std::string nazwa, std::string kod, std::string adres, bool znacznik,
                           VersionNumber min_system, VersionNumber net, VersionNumber min_installer,
                           VersionNumber min_excel, VersionNumber min_silverlight,
                           VersionNumber min_ie)
    : Nazwa(std::move(nazwa)),
      Kod(std::move(kod)),
      Znacznik(znacznik),
      Adres(adres.empty() ? std::string(AdresDomyslny) : std::move(adres)),
      MinSystem(min_system),
      MinInstaller(min_installer),
      MinExcel(min_excel),
      MinSilverlight(min_silverlight),
      MinIE(min_ie) {
    switch (net) {
        case komponent::Net20: MinNet20 = net; break;
        case komponent::Net30: MinNet30 = net; break;
        case komponent::Net35: MinNet35 = net; break;
        case komponent::Net40: MinNet40 = net; break;
        case komponent::Net45: MinNet45 = net; break;
        default: break;
    }
}

VersionNumber ProAplikacja::Wymaganie(ComponentId id) const {
    switch (id) {
        case komponent::Windows: return MinSystem;
        case komponent::Instalator: return MinInstaller;
        case komponent::Excel: return MinExcel;
        case komponent::Silverlight: return MinSilverlight;
        case komponent::InternetExplorer: return MinIE;
        case komponent::Net20: return MinNet20;
        case komponent::Net30: return MinNet30;
        case komponent::Net35: return MinNet35;
        case komponent::Net40: return MinNet40;
        case komponent::Net45: return MinNet45;
        default: return 0;
    }
}

void ProAplikacja::SprawdzAplikacje(DrzewoWyniku& drzewo, Katalog& katalog, Platforma& platforma) {
    WezelWyniku& korzen = drzewo.DodajKorzen(Nazwa, obraz::Aplikacja, this);
    Wezel = &korzen;
    bool otworz = false;
    for (ProKomponent& komponent : katalog.Komponenty) {
        const VersionNumber wymaganie = Wymaganie(komponent.Id);
        if (wymaganie == 0) continue;
        // Provisional until detected: a detection that raises leaves it so.
        WezelWyniku& wezel =
            drzewo.DodajDziecko(korzen, "nieznany komponent", Werdykt::tymczasowy, &komponent);
        komponent.WykryjWersje(platforma, katalog.KatalogSystemu, katalog.Excel);
        if (komponent.SpelniaWymaganie(wymaganie) == 1) {
            wezel.Tekst = komponent.Nazwa;
            wezel.UstawWerdykt(Werdykt::spelnia);
        } else {
            wezel.Tekst = komponent.Nazwa + ":  " + komponent.WersjaTxt;
            wezel.UstawWerdykt(komponent.Wersja == NotDetected ? Werdykt::nieustalony
                                                               : Werdykt::brak);
            otworz = true;
        }
    }
    DrzewoWyniku::UstawRozwiniecie(korzen, otworz);
}

std::string WersjaPliku(Platforma& platforma, const std::string& sciezka) {
    if (sciezka.empty() || !platforma.PlikIstnieje(sciezka)) return "brak pliku";
    const std::uint32_t rozmiar = platforma.RozmiarInfoWersji(sciezka);
    if (rozmiar == 0) return "brak wersji";
    const auto info = platforma.CzytajInfoWersji(sciezka, rozmiar);
    if (!info) return "brak wersji";
    const auto blok = platforma.StalyBlok(*info);
    if (!blok) return "brak wersji";
    char tekst[32];
    std::snprintf(tekst, sizeof tekst, "%u.%u.%u.%u", unsigned{blok->ms >> 16},
                  unsigned{blok->ms & 0xFFFFu}, unsigned{blok->ls >> 16},
                  unsigned{blok->ls & 0xFFFFu});
    return tekst;
}

std::string CzytajRejestrTekst(Platforma& platforma, Korzen korzen, const std::string& klucz,
                               const std::string& nazwa) {
    const KluczRejestru uchwyt = platforma.OtworzKlucz(korzen, klucz);
    if (!uchwyt) return {};
    return TekstWartosci(platforma, uchwyt, nazwa);
}

std::int32_t CzytajRejestrLiczba(Platforma& platforma, Korzen korzen, const std::string& klucz,
                                 const std::string& nazwa) {
    const KluczRejestru uchwyt = platforma.OtworzKlucz(korzen, klucz);
    if (!uchwyt) return -1;
    const auto liczba = LiczbaWartosci(platforma, uchwyt, nazwa);
    return liczba ? static_cast<std::int32_t>(*liczba) : -1;
}

}  // namespace pro

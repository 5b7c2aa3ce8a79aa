#include "platform/sim/SymulowanaMaszyna.h"

#include <algorithm>
#include <cstdio>

#include "platform/Tekst.h"

namespace pro {
namespace {

void DopiszSlowo(std::vector<std::uint8_t>& bajty, std::uint32_t slowo) {
    for (int i = 0; i < 4; ++i) bajty.push_back(static_cast<std::uint8_t>(slowo >> (8 * i)));
}

std::uint32_t CzytajSlowo(const std::vector<std::uint8_t>& bajty, std::size_t od) {
    std::uint32_t slowo = 0;
    for (std::size_t i = 0; i < 4; ++i) slowo |= std::uint32_t{bajty[od + i]} << (8 * i);
    return slowo;
}

std::string Dwie(int liczba) {
    char tekst[16];
    std::snprintf(tekst, sizeof tekst, "%02d", liczba);
    return tekst;
}

}  // namespace

// --- Registry ---------------------------------------------------------------

std::string SymulowanaMaszyna::Sciezka(Korzen korzen, const std::string& klucz) {
    return MaleAscii((korzen == Korzen::LocalMachine ? "HKLM\\" : "HKCR\\") + klucz);
}

void SymulowanaMaszyna::UstawWartosc(Korzen korzen, const std::string& klucz,
                                     const std::string& nazwa, std::uint32_t typ,
                                     std::vector<std::uint8_t> dane) {
    rejestr_[Sciezka(korzen, klucz)].wartosci[MaleAscii(nazwa)] = Wartosc{typ, std::move(dane)};
}

void SymulowanaMaszyna::UstawTekst(Korzen korzen, const std::string& klucz,
                                   const std::string& nazwa, std::string_view tekst,
                                   std::uint32_t typ, bool z_nul) {
    std::u16string znaki = Utf16(tekst);
    if (z_nul) znaki += u'\0';
    std::vector<std::uint8_t> dane;
    for (char16_t z : znaki) {
        dane.push_back(static_cast<std::uint8_t>(z & 0xFF));
        dane.push_back(static_cast<std::uint8_t>(z >> 8));
    }
    UstawWartosc(korzen, klucz, nazwa, typ, std::move(dane));
}

void SymulowanaMaszyna::UstawLiczbe(Korzen korzen, const std::string& klucz,
                                    const std::string& nazwa, std::uint32_t liczba) {
    std::vector<std::uint8_t> dane;
    DopiszSlowo(dane, liczba);
    UstawWartosc(korzen, klucz, nazwa, typ_rejestru::Dword, std::move(dane));
}

void SymulowanaMaszyna::UsunWartosc(Korzen korzen, const std::string& klucz,
                                    const std::string& nazwa) {
    auto it = rejestr_.find(Sciezka(korzen, klucz));
    if (it != rejestr_.end()) it->second.wartosci.erase(MaleAscii(nazwa));
}

void SymulowanaMaszyna::UtworzKlucz(Korzen korzen, const std::string& klucz) {
    rejestr_[Sciezka(korzen, klucz)];
}

void SymulowanaMaszyna::ZablokujKlucz(Korzen korzen, const std::string& klucz) {
    rejestr_[Sciezka(korzen, klucz)].zablokowany = true;
}

void SymulowanaMaszyna::TylkoWidok64(Korzen korzen, const std::string& klucz) {
    rejestr_[Sciezka(korzen, klucz)].tylko64 = true;
}

KluczRejestru SymulowanaMaszyna::OtworzKlucz(Korzen korzen, const std::string& sciezka) {
    return Otworz("OtworzKlucz", korzen, sciezka);
}

KluczRejestru SymulowanaMaszyna::OtworzKlucz64(Korzen korzen, const std::string& sciezka) {
    return Otworz("OtworzKlucz64", korzen, sciezka);
}

KluczRejestru SymulowanaMaszyna::Otworz(std::string_view operacja, Korzen korzen,
                                        const std::string& sciezka) {
    const std::string pelna = Sciezka(korzen, sciezka);
    Zapisz(operacja, (korzen == Korzen::LocalMachine ? "HKLM\\" : "HKCR\\") + sciezka);
    auto it = rejestr_.find(pelna);
    if (it == rejestr_.end() || it->second.zablokowany) return {};
    if (it->second.tylko64 && operacja != "OtworzKlucz64") return {};
    klucze_[nastepny_] = pelna;
    return Wydaj<RodzajKlucza>("klucz " + pelna);
}

const SymulowanaMaszyna::Wartosc* SymulowanaMaszyna::Znajdz(std::uintptr_t klucz,
                                                            const std::string& nazwa) const {
    auto k = klucze_.find(klucz);
    if (k == klucze_.end()) return nullptr;
    auto r = rejestr_.find(k->second);
    if (r == rejestr_.end()) return nullptr;
    auto w = r->second.wartosci.find(MaleAscii(nazwa));
    return w == r->second.wartosci.end() ? nullptr : &w->second;
}

std::optional<InfoWartosci> SymulowanaMaszyna::ZapytajWartosc(const KluczRejestru& uchwyt,
                                                              const std::string& nazwa) {
    const std::uintptr_t klucz = WartoscUchwytu(uchwyt);
    Zapisz("ZapytajWartosc", (klucze_.count(klucz) ? klucze_[klucz] : "?") + ":" + nazwa);
    const Wartosc* w = Znajdz(klucz, nazwa);
    if (w == nullptr) return std::nullopt;
    return InfoWartosci{w->typ, static_cast<std::uint32_t>(w->dane.size())};
}

std::optional<std::vector<std::uint8_t>> SymulowanaMaszyna::CzytajWartosc(
    const KluczRejestru& uchwyt, const std::string& nazwa, std::uint32_t rozmiar) {
    const std::uintptr_t klucz = WartoscUchwytu(uchwyt);
    Zapisz("CzytajWartosc", (klucze_.count(klucz) ? klucze_[klucz] : "?") + ":" + nazwa);
    const Wartosc* w = Znajdz(klucz, nazwa);
    if (w == nullptr || w->dane.size() > rozmiar) return std::nullopt;  // ERROR_MORE_DATA
    return w->dane;
}

void SymulowanaMaszyna::Zwolnij(const KluczRejestru& uchwyt) {
    const std::uintptr_t klucz = WartoscUchwytu(uchwyt);
    Zapisz("ZamknijKlucz", klucze_.count(klucz) ? klucze_[klucz] : "?");
    Oddaj(klucz, "klucz");
    klucze_.erase(klucz);
}

std::string SymulowanaMaszyna::RozwinZmienne(const std::string& tekst) {
    Zapisz("RozwinZmienne", tekst);
    std::string wynik;
    std::size_t i = 0;
    while (i < tekst.size()) {
        const std::size_t od = tekst.find('%', i), do_ = tekst.find('%', od + 1);
        if (od == std::string::npos || do_ == std::string::npos) break;
        const auto it = zmienne.find(MaleAscii(tekst.substr(od + 1, do_ - od - 1)));
        wynik += tekst.substr(i, od - i);
        if (it == zmienne.end()) {
            // Unset: kept as written, and its closing % may open the next.
            wynik += tekst.substr(od, do_ - od);
            i = do_;
            continue;
        }
        wynik += it->second;
        i = do_ + 1;
    }
    return wynik + tekst.substr(std::min(i, tekst.size()));
}

// --- Files ------------------------------------------------------------------

StalyBlokWersji SymulowanaMaszyna::Wersja(unsigned a, unsigned b, unsigned c, unsigned d) {
    return StalyBlokWersji{(a << 16) | (b & 0xFFFF), (c << 16) | (d & 0xFFFF)};
}

void SymulowanaMaszyna::DodajPlik(const std::string& sciezka,
                                  std::optional<StalyBlokWersji> wersja) {
    Plik plik;
    plik.wersja = wersja;
    pliki[MaleAscii(sciezka)] = plik;
}

void SymulowanaMaszyna::DodajKatalog(const std::string& sciezka) {
    Plik plik;
    plik.katalog = true;
    pliki[MaleAscii(sciezka)] = plik;
}

bool SymulowanaMaszyna::PlikIstnieje(const std::string& sciezka) {
    Zapisz("PlikIstnieje", sciezka);
    auto it = pliki.find(MaleAscii(sciezka));
    return it != pliki.end() && !it->second.katalog;
}

std::uint32_t SymulowanaMaszyna::RozmiarInfoWersji(const std::string& sciezka) {
    Zapisz("RozmiarInfoWersji", sciezka);
    auto it = pliki.find(MaleAscii(sciezka));
    if (it == pliki.end() || it->second.katalog || !it->second.wersja) return 0;
    return 12;
}

std::optional<std::vector<std::uint8_t>> SymulowanaMaszyna::CzytajInfoWersji(
    const std::string& sciezka, std::uint32_t rozmiar) {
    Zapisz("CzytajInfoWersji", sciezka);
    auto it = pliki.find(MaleAscii(sciezka));
    if (it == pliki.end() || !it->second.wersja || it->second.odczyt_zawodzi || rozmiar < 12) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> info;
    DopiszSlowo(info, it->second.bez_bloku ? 0 : 0xFEEF04BD);
    DopiszSlowo(info, it->second.wersja->ms);
    DopiszSlowo(info, it->second.wersja->ls);
    return info;
}

std::optional<StalyBlokWersji> SymulowanaMaszyna::StalyBlok(const std::vector<std::uint8_t>& info) {
    Zapisz("StalyBlok", "");
    if (info.size() < 12 || CzytajSlowo(info, 0) != 0xFEEF04BD) return std::nullopt;
    return StalyBlokWersji{CzytajSlowo(info, 4), CzytajSlowo(info, 8)};
}

// --- System facts -----------------------------------------------------------

std::string SymulowanaMaszyna::KatalogSystemowy() {
    Zapisz("KatalogSystemowy", "");
    return katalog_systemowy;
}

std::string SymulowanaMaszyna::SciezkaProgramu() {
    Zapisz("SciezkaProgramu", "");
    return sciezka_programu;
}

std::optional<RekordWersji> SymulowanaMaszyna::WersjaSystemu(bool rozszerzony) {
    Zapisz("WersjaSystemu", rozszerzony ? "156" : "148");
    if (rozszerzony) return rekord_rozszerzony;
    if (!rekord_krotki) return std::nullopt;
    RekordWersji krotki = *rekord_krotki;
    krotki.suite = 0;
    krotki.typ_produktu = 0;
    return krotki;
}

std::optional<RekordWersji> SymulowanaMaszyna::PrawdziwaWersja() {
    Zapisz("PrawdziwaWersja", "");
    return rekord_prawdziwy;
}

InfoProcesora SymulowanaMaszyna::InfoSystemu() {
    Zapisz("InfoSystemu", "");
    return info_systemu;
}

std::optional<InfoProcesora> SymulowanaMaszyna::NatywneInfoSystemu() {
    Zapisz("NatywneInfoSystemu", "");
    return info_natywne;
}

std::optional<std::uint16_t> SymulowanaMaszyna::NatywnaMaszyna() {
    Zapisz("NatywnaMaszyna", "");
    return maszyna_natywna;
}

std::optional<std::uint32_t> SymulowanaMaszyna::InfoProduktu(std::uint32_t major,
                                                             std::uint32_t minor,
                                                             std::uint32_t sp_major,
                                                             std::uint32_t sp_minor) {
    Zapisz("InfoProduktu", std::to_string(major) + "." + std::to_string(minor) + " " +
                               std::to_string(sp_major) + "." + std::to_string(sp_minor));
    return typ_produktu;
}

int SymulowanaMaszyna::MetrykaSystemu(int indeks) {
    Zapisz("MetrykaSystemu", std::to_string(indeks));
    auto it = metryki.find(indeks);
    return it == metryki.end() ? 0 : it->second;
}

// --- Administrator test -----------------------------------------------------

bool SymulowanaMaszyna::Zawodzi(std::string_view krok, std::string_view argument) {
    Zapisz(krok, argument);
    return krok_zawodzi == krok ||
           (!argument.empty() && krok_zawodzi == std::string(krok) + " " + std::string(argument));
}

void SymulowanaMaszyna::Sprawdz(std::string_view operacja, std::uintptr_t uchwyt,
                                std::string_view rodzaj) {
    auto it = otwarte_.find(uchwyt);
    if (it == otwarte_.end() || it->second.substr(0, rodzaj.size()) != rodzaj) {
        Zapisz("BLAD argument",
               std::string(operacja) + " " + std::string(rodzaj) + " " + std::to_string(uchwyt));
    }
}

bool SymulowanaMaszyna::PodszyjSie() {
    if (Zawodzi("PodszyjSie")) return false;
    podszyty_ = true;
    return true;
}

Token SymulowanaMaszyna::OtworzTokenWatku(std::uint32_t& blad) {
    if (Zawodzi("OtworzTokenWatku") || !(token_watku || podszyty_)) {
        blad = blad_tokenu_watku;
        return {};
    }
    return Wydaj<RodzajTokenu>("token watku");
}

Token SymulowanaMaszyna::OtworzTokenProcesu() {
    if (Zawodzi("OtworzTokenProcesu") || !token_procesu) return {};
    return Wydaj<RodzajTokenu>("token procesu");
}

Sid SymulowanaMaszyna::UtworzSidAdministratorow() {
    if (Zawodzi("UtworzSidAdministratorow")) return {};
    return Wydaj<RodzajSid>("sid");
}

std::uint32_t SymulowanaMaszyna::DlugoscSid(const Sid& sid) {
    Zapisz("DlugoscSid", "");
    Sprawdz("DlugoscSid", WartoscUchwytu(sid), "sid");
    return 16;  // S-1-5-32-544: 8 bytes of header, two sub-authorities
}

Pamiec SymulowanaMaszyna::PrzydzielPamiec(std::uint32_t rozmiar) {
    if (Zawodzi("PrzydzielPamiec", std::to_string(rozmiar))) return {};
    return Wydaj<RodzajPamieci>("pamiec " + std::to_string(rozmiar));
}

bool SymulowanaMaszyna::InicjujDeskryptor(const Pamiec& deskryptor) {
    Sprawdz("InicjujDeskryptor", WartoscUchwytu(deskryptor), "pamiec 20");
    return !Zawodzi("InicjujDeskryptor");
}
bool SymulowanaMaszyna::InicjujAcl(const Pamiec& acl, std::uint32_t rozmiar) {
    Zapisz("RozmiarAcl", std::to_string(rozmiar));
    Sprawdz("InicjujAcl", WartoscUchwytu(acl), "pamiec " + std::to_string(rozmiar));
    return !Zawodzi("InicjujAcl");
}
bool SymulowanaMaszyna::DodajWpisDostepu(const Pamiec& acl, std::uint32_t maska, const Sid& sid) {
    Zapisz("MaskaWpisu", std::to_string(maska));
    Sprawdz("DodajWpisDostepu", WartoscUchwytu(acl), "pamiec");
    Sprawdz("DodajWpisDostepu", WartoscUchwytu(sid), "sid");
    return !Zawodzi("DodajWpisDostepu");
}
bool SymulowanaMaszyna::UstawDacl(const Pamiec& deskryptor, const Pamiec& acl) {
    Sprawdz("UstawDacl", WartoscUchwytu(deskryptor), "pamiec 20");
    Sprawdz("UstawDacl", WartoscUchwytu(acl), "pamiec");
    return !Zawodzi("UstawDacl");
}
bool SymulowanaMaszyna::UstawGrupe(const Pamiec& deskryptor, const Sid& sid) {
    return UstawSid("UstawGrupe", deskryptor, sid);
}
bool SymulowanaMaszyna::UstawWlasciciela(const Pamiec& deskryptor, const Sid& sid) {
    return UstawSid("UstawWlasciciela", deskryptor, sid);
}
bool SymulowanaMaszyna::UstawSid(std::string_view operacja, const Pamiec& deskryptor,
                                 const Sid& sid) {
    Sprawdz(operacja, WartoscUchwytu(deskryptor), "pamiec 20");
    Sprawdz(operacja, WartoscUchwytu(sid), "sid");
    return !Zawodzi(operacja);
}
bool SymulowanaMaszyna::DeskryptorPoprawny(const Pamiec& deskryptor) {
    Sprawdz("DeskryptorPoprawny", WartoscUchwytu(deskryptor), "pamiec 20");
    return !Zawodzi("DeskryptorPoprawny");
}

std::optional<bool> SymulowanaMaszyna::SprawdzDostep(const Pamiec& deskryptor, const Token& token) {
    Sprawdz("SprawdzDostep", WartoscUchwytu(deskryptor), "pamiec 20");
    Sprawdz("SprawdzDostep", WartoscUchwytu(token), "token");
    auto it = otwarte_.find(WartoscUchwytu(token));
    const std::string rodzaj = it == otwarte_.end() ? "?" : it->second;
    if (Zawodzi("SprawdzDostep", rodzaj)) return std::nullopt;
    // ERROR_NO_IMPERSONATION_TOKEN
    if (rodzaj == "token procesu") return std::nullopt;
    return dostep;
}

void SymulowanaMaszyna::PrzywrocSie() {
    Zapisz("PrzywrocSie", "");
    podszyty_ = false;
}

void SymulowanaMaszyna::Zwolnij(const Pamiec& pamiec) {
    Zapisz("ZwolnijPamiec", "");
    Oddaj(WartoscUchwytu(pamiec), "pamiec");
}

void SymulowanaMaszyna::Zwolnij(const Sid& sid) {
    Zapisz("ZwolnijSid", "");
    Oddaj(WartoscUchwytu(sid), "sid");
}

void SymulowanaMaszyna::Zwolnij(const Token& token) {
    Zapisz("ZamknijUchwyt", "");
    Oddaj(WartoscUchwytu(token), "token");
}

// --- COM automation ---------------------------------------------------------

ObiektAutomatyzacji SymulowanaMaszyna::UtworzObiekt(const std::string& prog_id,
                                                    BladAutomatyzacji& blad) {
    Zapisz("UtworzObiekt", prog_id);
    blad = BladAutomatyzacji::Blad;
    if (prog_id != "Excel.Application" || !excel.zarejestrowany) return {};
    if (excel.zawieszenie == Zawieszenie::Utworzenie) {
        blad = BladAutomatyzacji::BrakOdpowiedzi;
        return {};
    }
    ++excel.utworzone;
    return Wydaj<RodzajObiektu>("obiekt");
}

std::optional<std::string> SymulowanaMaszyna::CzytajWlasnosc(const ObiektAutomatyzacji&,
                                                             const std::string& nazwa,
                                                             BladAutomatyzacji& blad) {
    Zapisz("CzytajWlasnosc", nazwa);
    blad = BladAutomatyzacji::Blad;
    if (nazwa != "Version") return std::nullopt;
    if (excel.zawieszenie == Zawieszenie::Wersja) {
        blad = BladAutomatyzacji::BrakOdpowiedzi;
        return std::nullopt;
    }
    return excel.wersja;
}

bool SymulowanaMaszyna::WywolajMetode(const ObiektAutomatyzacji&, const std::string& nazwa,
                                      BladAutomatyzacji& blad) {
    Zapisz("WywolajMetode", nazwa);
    blad = BladAutomatyzacji::Blad;
    if (nazwa != "Quit" || excel.quit_zawodzi) return false;
    ++excel.quit;
    return true;
}

void SymulowanaMaszyna::Zwolnij(const ObiektAutomatyzacji& obiekt) {
    Zapisz("ZwolnijObiekt", "");
    Oddaj(WartoscUchwytu(obiekt), "obiekt");
}

// --- Effects of the windows -------------------------------------------------

void SymulowanaMaszyna::OtworzAdres(const std::string& adres) {
    Zapisz("OtworzAdres", adres);
    otwarte_adresy.push_back(adres);
}

bool SymulowanaMaszyna::ZapiszPlik(const std::string& sciezka, const std::string& bajty) {
    Zapisz("ZapiszPlik", sciezka);
    if (zapis_zawodzi) return false;
    zapisane_pliki[sciezka] = bajty;
    return true;
}

// --- Time -------------------------------------------------------------------

CzasLokalny SymulowanaMaszyna::Teraz() {
    Zapisz("Teraz", "");
    return czas;
}

std::string SymulowanaMaszyna::KrotkaData(const CzasLokalny& c) {
    if (format_daty) return format_daty(c);
    return std::to_string(c.rok) + "-" + Dwie(c.miesiac) + "-" + Dwie(c.dzien);
}

std::string SymulowanaMaszyna::DlugiCzas(const CzasLokalny& c) {
    if (format_czasu) return format_czasu(c);
    return Dwie(c.godzina) + ":" + Dwie(c.minuta) + ":" + Dwie(c.sekunda);
}

// --- Runs without a window ------------------------------------------------

std::string SymulowanaMaszyna::NazwaKomputera() {
    Zapisz("NazwaKomputera", "");
    return nazwa_komputera;
}

bool SymulowanaMaszyna::DopiszDoPliku(const std::string& sciezka, const std::string& naglowek,
                                      const std::string& wiersze) {
    Zapisz("DopiszDoPliku", sciezka);
    if (dopisanie_zawodzi) return false;
    std::string& plik = zapisane_pliki[sciezka];
    if (plik.empty()) plik = naglowek;
    plik += wiersze;
    return true;
}

// --- Bookkeeping ------------------------------------------------------------

std::size_t SymulowanaMaszyna::Liczba(std::string_view poczatek) const {
    std::size_t liczba = 0;
    for (const auto& w : wywolania) {
        if (std::string_view(w).substr(0, poczatek.size()) == poczatek) ++liczba;
    }
    return liczba;
}

void SymulowanaMaszyna::Zapisz(std::string_view operacja, std::string_view argument) {
    std::string linia(operacja);
    if (!argument.empty()) {
        linia += ' ';
        linia += argument;
    }
    wywolania.push_back(std::move(linia));
}

void SymulowanaMaszyna::Oddaj(std::uintptr_t uchwyt, std::string_view rodzaj) {
    auto it = otwarte_.find(uchwyt);
    if (it == otwarte_.end() || it->second.substr(0, rodzaj.size()) != rodzaj) {
        Zapisz("BLAD zwolnienie", std::string(rodzaj) + " " + std::to_string(uchwyt));
        return;
    }
    otwarte_.erase(it);
}

}  // namespace pro

namespace pro {

// --- The overview -----------------------------------------------------------

namespace {

// The folder part of a path and its name, split at the last separator.
std::pair<std::string, std::string> Rozdziel(const std::string& sciezka) {
    const auto ukosnik = sciezka.find_last_of("\\/");
    if (ukosnik == std::string::npos) return {std::string(), sciezka};
    return {sciezka.substr(0, ukosnik), sciezka.substr(ukosnik + 1)};
}

std::string BezUkosnika(std::string katalog) {
    while (!katalog.empty() && (katalog.back() == '\\' || katalog.back() == '/'))
        katalog.pop_back();
    return MaleAscii(katalog);
}

}  // namespace

std::optional<std::vector<std::string>> SymulowanaMaszyna::PlikiJson(const std::string& katalog) {
    Zapisz("PlikiJson", katalog);
    const std::string szukany = BezUkosnika(katalog);
    bool istnieje = false;
    auto wpis = pliki.find(szukany);
    if (wpis != pliki.end() && wpis->second.katalog) istnieje = true;
    std::vector<std::string> nazwy;
    for (const auto& [sciezka, tresc] : zapisane_pliki) {
        const auto [folder, nazwa] = Rozdziel(sciezka);
        if (MaleAscii(folder) != szukany) continue;
        istnieje = true;
        const std::string male = MaleAscii(nazwa);
        if (male.size() > 5 && male.compare(male.size() - 5, 5, ".json") == 0) {
            nazwy.push_back(nazwa);
        }
    }
    for (const auto& [sciezka, plik] : pliki) {
        const auto [folder, nazwa] = Rozdziel(sciezka);
        if (plik.katalog && folder == szukany) istnieje = true;
    }
    if (!istnieje || listowanie_zawodzi || nie_do_listowania.count(szukany) != 0) {
        return std::nullopt;
    }
    return nazwy;
}

std::optional<std::vector<std::string>> SymulowanaMaszyna::Katalogi(const std::string& katalog) {
    Zapisz("Katalogi", katalog);
    const std::string szukany = BezUkosnika(katalog);
    std::set<std::string> nazwy;
    bool istnieje = false;
    // A folder is one added, or the folder of a file written.
    const auto folder = [&](const std::string& sciezka) {
        if (MaleAscii(sciezka) == szukany) istnieje = true;
        const auto [rodzic, nazwa] = Rozdziel(sciezka);
        if (MaleAscii(rodzic) != szukany) return;
        istnieje = true;
        nazwy.insert(nazwa);
    };
    for (const auto& [sciezka, plik] : pliki) {
        if (plik.katalog) folder(sciezka);
    }
    for (const auto& [sciezka, tresc] : zapisane_pliki) folder(Rozdziel(sciezka).first);
    if (!istnieje || listowanie_zawodzi || nie_do_listowania.count(szukany) != 0) {
        return std::nullopt;
    }
    return std::vector<std::string>(nazwy.begin(), nazwy.end());
}

OdczytPliku SymulowanaMaszyna::CzytajPlik(const std::string& sciezka, std::size_t limit) {
    Zapisz("CzytajPlik", sciezka + " " + std::to_string(limit));
    OdczytPliku odczyt;
    if (nie_do_otwarcia.count(sciezka) != 0) return odczyt;
    auto it = zapisane_pliki.find(sciezka);
    if (it == zapisane_pliki.end()) {
        for (it = zapisane_pliki.begin(); it != zapisane_pliki.end(); ++it) {
            if (MaleAscii(it->first) == MaleAscii(sciezka)) break;
        }
    }
    if (it == zapisane_pliki.end()) return odczyt;
    if (it->second.size() > limit) {
        odczyt.stan = OdczytPliku::Stan::ZaDuzy;
        return odczyt;
    }
    odczyt.stan = OdczytPliku::Stan::Bajty;
    odczyt.bajty = it->second;
    return odczyt;
}

}  // namespace pro

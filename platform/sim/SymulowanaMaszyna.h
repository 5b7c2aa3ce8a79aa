#pragma once
// A simulated Windows machine: an in-memory registry with typed values,
// files with or without version data, OS and processor records, token state,
// a substitute Excel, and recorders for the shell and written files. Every call is recorded in
// `wywolania`, so a test can prove which probes ran and that every handle was released.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platforma.h"

namespace pro {

class SymulowanaMaszyna : public Platforma {
public:
    // --- Registry.
    struct Wartosc {
        std::uint32_t typ = 0;
        std::vector<std::uint8_t> dane;
    };
    // A string value stored as Windows stores it (UTF-16LE), with or without
    // the terminating NUL.
    void UstawTekst(Korzen korzen, const std::string& klucz, const std::string& nazwa,
                    std::string_view tekst, std::uint32_t typ = typ_rejestru::Sz,
                    bool z_nul = true);
    void UstawLiczbe(Korzen korzen, const std::string& klucz, const std::string& nazwa,
                     std::uint32_t liczba);
    void UstawWartosc(Korzen korzen, const std::string& klucz, const std::string& nazwa,
                      std::uint32_t typ, std::vector<std::uint8_t> dane);
    void UsunWartosc(Korzen korzen, const std::string& klucz, const std::string& nazwa);
    void UtworzKlucz(Korzen korzen, const std::string& klucz);
    // The key exists but refuses to open for reading.
    void ZablokujKlucz(Korzen korzen, const std::string& klucz);
    // The key is in the machine's own view only (OtworzKlucz64), as a 64-bit
    // program's registration is for a 32-bit program on 64-bit Windows.
    void TylkoWidok64(Korzen korzen, const std::string& klucz);
    // The environment's variables for RozwinZmienne, by name (any case).
    std::map<std::string, std::string> zmienne{{"programfiles", "C:\\Program Files"}};

    // --- Files.
    struct Plik {
        bool katalog = false;
        std::optional<StalyBlokWersji> wersja;  // none: no version resource
        bool odczyt_zawodzi = false;            // GetFileVersionInfo fails
        bool bez_bloku = false;                 // no fixed block in the resource
    };
    std::map<std::string, Plik> pliki;
    void DodajPlik(const std::string& sciezka, std::optional<StalyBlokWersji> wersja = {});
    void DodajKatalog(const std::string& sciezka);
    static StalyBlokWersji Wersja(unsigned a, unsigned b, unsigned c, unsigned d);

    // --- System facts.
    std::string katalog_systemowy = "C:\\Windows\\system32";
    std::string sciezka_programu = "C:\\Probierator\\probierator.exe";
    std::optional<RekordWersji> rekord_rozszerzony;
    std::optional<RekordWersji> rekord_krotki;
    std::optional<RekordWersji> rekord_prawdziwy;  // RtlGetVersion; none: ntdll lacks it
    InfoProcesora info_systemu{0, 1};
    std::optional<InfoProcesora> info_natywne;
    std::optional<std::uint16_t> maszyna_natywna;
    std::optional<std::uint32_t> typ_produktu;
    std::map<int, int> metryki;

    // --- Administrator test. `krok_zawodzi` names the platform operation that
    // fails (e.g. "UtworzSidAdministratorow"), or one call of it as recorded
    // (e.g. "PrzydzielPamiec 20"); empty for none. As on Windows,
    // a successful PodszyjSie gives the thread a token until PrzywrocSie, and
    // AccessCheck refuses a process (primary) token. An operation handed a
    // handle already released, or memory of another size than it needs,
    // records a "BLAD" line.
    std::string krok_zawodzi;
    std::uint32_t blad_tokenu_watku = 1008;  // ERROR_NO_TOKEN
    bool token_watku = false;                // the thread already has a token
    bool token_procesu = true;               // OpenProcessToken succeeds
    bool dostep = true;                      // AccessCheck's access status
    // The thread is impersonating (PodszyjSie without PrzywrocSie).
    bool Podszyty() const { return podszyty_; }

    // --- The substitute "Excel.Application".
    // The step at which the server stops answering: the operation fails
    // as one that ran out of its bound does.
    enum class Zawieszenie { Nigdy, Utworzenie, Wersja };
    struct Excel {
        bool zarejestrowany = false;
        Zawieszenie zawieszenie = Zawieszenie::Nigdy;
        std::optional<std::string> wersja = "14.0";  // none: the read fails
        bool quit_zawodzi = false;
        int quit = 0;
        int utworzone = 0;
    } excel;

    // --- Effects of the windows.
    std::vector<std::string> otwarte_adresy;
    std::map<std::string, std::string> zapisane_pliki;
    bool zapis_zawodzi = false;

    // --- Local time and the user's formats.
    CzasLokalny czas{2016, 3, 14, 8, 5, 30};
    std::function<std::string(const CzasLokalny&)> format_daty;   // default yyyy-MM-dd
    std::function<std::string(const CzasLokalny&)> format_czasu;  // default HH:mm:ss

    // --- Runs without a window.
    std::string nazwa_komputera = "PRACOWNIA-01";
    bool dopisanie_zawodzi = false;

    // --- The overview. Files with contents are those of `zapisane_pliki`; a
    // folder can be listed when it was added with DodajKatalog or holds one.
    std::set<std::string> nie_do_otwarcia;  // paths that refuse to open
    bool listowanie_zawodzi = false;
    std::set<std::string> nie_do_listowania;  // folders (lower case) that refuse to be listed

    // --- The record of calls, one line each: operation, a blank, its argument.
    std::vector<std::string> wywolania;
    // How many recorded calls start with `poczatek`.
    std::size_t Liczba(std::string_view poczatek) const;
    // Handles handed out and not yet released: what each is.
    const std::map<std::uintptr_t, std::string>& Niezwolnione() const { return otwarte_; }

    // Platforma
    KluczRejestru OtworzKlucz(Korzen korzen, const std::string& sciezka) override;
    // One registry serves both views; the call is recorded by its own name.
    KluczRejestru OtworzKlucz64(Korzen korzen, const std::string& sciezka) override;
    std::optional<InfoWartosci> ZapytajWartosc(const KluczRejestru& klucz,
                                               const std::string& nazwa) override;
    std::optional<std::vector<std::uint8_t>> CzytajWartosc(const KluczRejestru& klucz,
                                                           const std::string& nazwa,
                                                           std::uint32_t rozmiar) override;
    std::string RozwinZmienne(const std::string& tekst) override;
    bool PlikIstnieje(const std::string& sciezka) override;
    std::uint32_t RozmiarInfoWersji(const std::string& sciezka) override;
    std::optional<std::vector<std::uint8_t>> CzytajInfoWersji(const std::string& sciezka,
                                                              std::uint32_t rozmiar) override;
    std::optional<StalyBlokWersji> StalyBlok(const std::vector<std::uint8_t>& info) override;
    std::string KatalogSystemowy() override;
    std::string SciezkaProgramu() override;
    std::optional<RekordWersji> WersjaSystemu(bool rozszerzony) override;
    std::optional<RekordWersji> PrawdziwaWersja() override;
    InfoProcesora InfoSystemu() override;
    std::optional<InfoProcesora> NatywneInfoSystemu() override;
    std::optional<std::uint16_t> NatywnaMaszyna() override;
    std::optional<std::uint32_t> InfoProduktu(std::uint32_t major, std::uint32_t minor,
                                              std::uint32_t sp_major,
                                              std::uint32_t sp_minor) override;
    int MetrykaSystemu(int indeks) override;
    bool PodszyjSie() override;
    Token OtworzTokenWatku(std::uint32_t& blad) override;
    Token OtworzTokenProcesu() override;
    Sid UtworzSidAdministratorow() override;
    std::uint32_t DlugoscSid(const Sid& sid) override;
    Pamiec PrzydzielPamiec(std::uint32_t rozmiar) override;
    bool InicjujDeskryptor(const Pamiec& deskryptor) override;
    bool InicjujAcl(const Pamiec& acl, std::uint32_t rozmiar) override;
    bool DodajWpisDostepu(const Pamiec& acl, std::uint32_t maska, const Sid& sid) override;
    bool UstawDacl(const Pamiec& deskryptor, const Pamiec& acl) override;
    bool UstawGrupe(const Pamiec& deskryptor, const Sid& sid) override;
    bool UstawWlasciciela(const Pamiec& deskryptor, const Sid& sid) override;
    bool DeskryptorPoprawny(const Pamiec& deskryptor) override;
    std::optional<bool> SprawdzDostep(const Pamiec& deskryptor, const Token& token) override;
    void PrzywrocSie() override;
    ObiektAutomatyzacji UtworzObiekt(const std::string& prog_id, BladAutomatyzacji& blad) override;
    std::optional<std::string> CzytajWlasnosc(const ObiektAutomatyzacji& obiekt,
                                              const std::string& nazwa,
                                              BladAutomatyzacji& blad) override;
    bool WywolajMetode(const ObiektAutomatyzacji& obiekt, const std::string& nazwa,
                       BladAutomatyzacji& blad) override;
    void OtworzAdres(const std::string& adres) override;
    bool ZapiszPlik(const std::string& sciezka, const std::string& bajty) override;
    CzasLokalny Teraz() override;
    std::string KrotkaData(const CzasLokalny& czas) override;
    std::string DlugiCzas(const CzasLokalny& czas) override;
    std::string NazwaKomputera() override;
    bool DopiszDoPliku(const std::string& sciezka, const std::string& naglowek,
                       const std::string& wiersze) override;
    std::optional<std::vector<std::string>> PlikiJson(const std::string& katalog) override;
    std::optional<std::vector<std::string>> Katalogi(const std::string& katalog) override;
    OdczytPliku CzytajPlik(const std::string& sciezka, std::size_t limit) override;

private:
    struct Klucz {
        bool zablokowany = false;
        bool tylko64 = false;
        std::map<std::string, Wartosc> wartosci;  // by lower-case name
    };
    // Each release is recorded by the name of its Windows call's operation.
    void Zwolnij(const KluczRejestru& klucz) override;         // "ZamknijKlucz"
    void Zwolnij(const Token& token) override;                 // "ZamknijUchwyt"
    void Zwolnij(const Sid& sid) override;                     // "ZwolnijSid"
    void Zwolnij(const Pamiec& pamiec) override;               // "ZwolnijPamiec"
    void Zwolnij(const ObiektAutomatyzacji& obiekt) override;  // "ZwolnijObiekt"

    std::map<std::string, Klucz> rejestr_;           // by "HKLM\path" in lower case
    std::map<std::uintptr_t, std::string> otwarte_;  // handle -> what it is
    std::map<std::uintptr_t, std::string> klucze_;   // key handle -> registry path
    std::uintptr_t nastepny_ = 0x100;
    bool podszyty_ = false;

    static std::string Sciezka(Korzen korzen, const std::string& klucz);
    KluczRejestru Otworz(std::string_view operacja, Korzen korzen, const std::string& sciezka);
    // A new handle of its kind, recorded as `co` until released.
    template <typename Rodzaj>
    Uchwyt<Rodzaj> Wydaj(const std::string& co) {
        otwarte_[nastepny_] = co;
        return Platforma::Wydaj<Rodzaj>(nastepny_++);
    }
    // Forgets a released handle; a "BLAD" line for one not open as `rodzaj`.
    void Oddaj(std::uintptr_t uchwyt, std::string_view rodzaj);
    bool Zawodzi(std::string_view krok, std::string_view argument = {});
    void Sprawdz(std::string_view operacja, std::uintptr_t uchwyt, std::string_view rodzaj);
    // The group or the owner of a descriptor set to a SID.
    bool UstawSid(std::string_view operacja, const Pamiec& deskryptor, const Sid& sid);
    void Zapisz(std::string_view operacja, std::string_view argument);
    const Wartosc* Znajdz(std::uintptr_t klucz, const std::string& nazwa) const;
};

}  // namespace pro

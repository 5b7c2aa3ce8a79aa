#pragma once
// The real platform: W APIs, UTF-8 at the boundary. Registry keys open with
// KEY_READ only (and the 64-bit view flag where asked).

#include <windows.h>

#include <map>
#include <memory>

#include "platform/Platforma.h"
#include "platform/win32/WatekAutomatyzacji.h"

namespace pro {

std::wstring Szeroki(const std::string& tekst);
std::string Waski(const std::wstring& tekst);

// The bound of one automation probe: an object's creation and the reads and
// calls on it.
inline constexpr DWORD LimitSondyMs = 20000;
// Names a shorter bound in milliseconds (for tests); a value that is not a
// number from 1 to LimitSondyMs is ignored.
inline constexpr const wchar_t* ZmiennaLimituSondy = L"PROBIERATOR_LIMIT_SONDY_MS";

class PlatformaWin32 : public Platforma {
public:
    PlatformaWin32();
    PlatformaWin32(const PlatformaWin32&) = delete;
    PlatformaWin32& operator=(const PlatformaWin32&) = delete;
    ~PlatformaWin32() override;

    // A test seam: the administrator test uses a duplicate of this
    // impersonation token instead of the thread's own. Not owned.
    void UzyjTokenu(HANDLE token) { token_testowy_ = token; }

    KluczRejestru OtworzKlucz(Korzen korzen, const std::string& sciezka) override;
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
    void Zwolnij(const KluczRejestru& klucz) override;         // RegCloseKey
    void Zwolnij(const Token& token) override;                 // CloseHandle
    void Zwolnij(const Sid& sid) override;                     // FreeSid
    void Zwolnij(const Pamiec& pamiec) override;               // LocalFree
    void Zwolnij(const ObiektAutomatyzacji& obiekt) override;  // released in its thread

    // The owner of a pointer-sized handle of Windows, and the handle an owner holds.
    template <typename Rodzaj, typename T>
    Uchwyt<Rodzaj> Wydaj(T wskaznik) {
        return Platforma::Wydaj<Rodzaj>(reinterpret_cast<std::uintptr_t>(wskaznik));
    }
    template <typename T, typename Rodzaj>
    static T Jako(const Uchwyt<Rodzaj>& uchwyt) {
        return reinterpret_cast<T>(WartoscUchwytu(uchwyt));
    }

    // Runs `zadanie` in the automation thread until `termin`; a thread that
    // did not answer in time is abandoned, with every object it held.
    bool Wykonaj(WatekAutomatyzacji::Zadanie zadanie, ULONGLONG termin, BladAutomatyzacji& blad);

    HANDLE token_testowy_ = nullptr;
    DWORD limit_sondy_ms_ = LimitSondyMs;
    std::unique_ptr<WatekAutomatyzacji> automatyzacja_;  // started by the first object
    std::map<std::uintptr_t, ULONGLONG> obiekty_;        // live objects and their probe's deadline
    std::uintptr_t nastepny_obiekt_ = 1;
    bool czeka_ = false;  // a call is being waited for: no other may start
};

}  // namespace pro

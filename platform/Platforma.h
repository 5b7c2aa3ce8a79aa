#pragma once
// The one narrow door between the program's logic and the machine. The real
// implementation (platform/win32) calls the W APIs and converts at the
// boundary; the simulated machine (platform/sim) answers from memory and
// records every call. All texts are UTF-8. Failures come back as values.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pro {

class Platforma;

// The one owner of a handle of kind `Rodzaj` that a platform handed out:
// move-only, released through that platform when it goes (or on Zwolnij).
// Only the platform sees the value; empty ("none") when an operation failed.
// Each kind is its own type, so a handle of one kind cannot be passed, nor
// released, as another.
template <typename Rodzaj>
class Uchwyt {
public:
    Uchwyt() = default;
    Uchwyt(const Uchwyt&) = delete;
    Uchwyt& operator=(const Uchwyt&) = delete;
    Uchwyt(Uchwyt&& inny) noexcept
        : platforma_(inny.platforma_), wartosc_(std::exchange(inny.wartosc_, 0)) {}
    Uchwyt& operator=(Uchwyt&& inny) noexcept {
        if (this != &inny) {
            Zwolnij();
            platforma_ = inny.platforma_;
            wartosc_ = std::exchange(inny.wartosc_, 0);
        }
        return *this;
    }
    ~Uchwyt() { Zwolnij(); }

    explicit operator bool() const { return wartosc_ != 0; }
    void Zwolnij();

private:
    friend class Platforma;
    Uchwyt(Platforma& platforma, std::uintptr_t wartosc)
        : platforma_(&platforma), wartosc_(wartosc) {}

    Platforma* platforma_ = nullptr;
    std::uintptr_t wartosc_ = 0;
};

struct RodzajKlucza;
struct RodzajTokenu;
struct RodzajSid;
struct RodzajPamieci;
struct RodzajObiektu;
using KluczRejestru = Uchwyt<RodzajKlucza>;         // HKEY, opened for reading
using Token = Uchwyt<RodzajTokenu>;                 // an access token (HANDLE)
using Sid = Uchwyt<RodzajSid>;                      // a SID that FreeSid releases
using Pamiec = Uchwyt<RodzajPamieci>;               // a block from LocalAlloc
using ObiektAutomatyzacji = Uchwyt<RodzajObiektu>;  // an IDispatch object

enum class Korzen { LocalMachine, ClassesRoot };

// Registry value types, numbered as Windows numbers them.
namespace typ_rejestru {
inline constexpr std::uint32_t Sz = 1;
inline constexpr std::uint32_t ExpandSz = 2;
inline constexpr std::uint32_t Binary = 3;
inline constexpr std::uint32_t Dword = 4;
inline constexpr std::uint32_t MultiSz = 7;
inline constexpr std::uint32_t Qword = 11;
}  // namespace typ_rejestru

struct InfoWartosci {
    std::uint32_t typ = 0;
    std::uint32_t rozmiar = 0;  // bytes of data as stored
};

// dwFileVersionMS / dwFileVersionLS of a version resource's fixed block.
struct StalyBlokWersji {
    std::uint32_t ms = 0;
    std::uint32_t ls = 0;
};

// The fields of OSVERSIONINFOEX that the program reads. In a short record
// (OSVERSIONINFO) suite and typ_produktu are 0.
struct RekordWersji {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platforma = 0;
    std::u16string csd;  // szCSDVersion, up to its NUL
    std::uint16_t suite = 0;
    std::uint8_t typ_produktu = 0;
};

struct InfoProcesora {
    std::uint16_t architektura = 0;
    std::uint32_t liczba_procesorow = 0;
};

struct CzasLokalny {
    int rok = 0, miesiac = 0, dzien = 0;
    int godzina = 0, minuta = 0, sekunda = 0;
    int strefa_minut = 0;  // local time minus UTC, in minutes
    bool operator==(const CzasLokalny&) const = default;
};

// How an automation operation failed.
enum class BladAutomatyzacji {
    Blad,            // no server, or it refused or failed
    BrakOdpowiedzi,  // no answer within the probe's bound
};

// What reading a file up to a size bound gave.
struct OdczytPliku {
    enum class Stan { Bajty, NieOtwarty, ZaDuzy };
    Stan stan = Stan::NieOtwarty;
    std::string bajty;  // the whole file; empty unless Stan::Bajty
};

class Platforma {
public:
    virtual ~Platforma() = default;

    // --- Registry, read only: keys open with KEY_READ and no view flag.
    // None when the key does not exist or cannot be opened for reading.
    virtual KluczRejestru OtworzKlucz(Korzen korzen, const std::string& sciezka) = 0;
    // The same with KEY_READ | KEY_WOW64_64KEY: the machine's own view, also
    // from a 32-bit program on 64-bit Windows. None as above.
    virtual KluczRejestru OtworzKlucz64(Korzen korzen, const std::string& sciezka) = 0;
    // Type and stored size of a value; nullopt when it does not exist.
    virtual std::optional<InfoWartosci> ZapytajWartosc(const KluczRejestru& klucz,
                                                       const std::string& nazwa) = 0;
    // The stored bytes (UTF-16LE for string types), read into a buffer of
    // `rozmiar` bytes; nullopt when the value is missing or does not fit.
    virtual std::optional<std::vector<std::uint8_t>> CzytajWartosc(const KluczRejestru& klucz,
                                                                   const std::string& nazwa,
                                                                   std::uint32_t rozmiar) = 0;

    // A text with its %variables% replaced by their values
    // (ExpandEnvironmentStrings), as a REG_EXPAND_SZ value means it; a
    // variable that is not set stays as written. The text unchanged on failure.
    virtual std::string RozwinZmienne(const std::string& tekst) = 0;

    // --- Files.
    // True only for an existing file; a directory does not count.
    virtual bool PlikIstnieje(const std::string& sciezka) = 0;
    // GetFileVersionInfoSize: 0 when the file has no version resource.
    virtual std::uint32_t RozmiarInfoWersji(const std::string& sciezka) = 0;
    // GetFileVersionInfo into a buffer of `rozmiar` bytes; nullopt on failure.
    virtual std::optional<std::vector<std::uint8_t>> CzytajInfoWersji(const std::string& sciezka,
                                                                      std::uint32_t rozmiar) = 0;
    // VerQueryValue(buffer, "\"); nullopt when the block holds no fixed block.
    virtual std::optional<StalyBlokWersji> StalyBlok(const std::vector<std::uint8_t>& info) = 0;

    // --- System facts.
    // The system directory without a trailing backslash; empty on failure.
    virtual std::string KatalogSystemowy() = 0;
    // Full path of the running executable; empty when unknown.
    virtual std::string SciezkaProgramu() = 0;
    // GetVersionEx with the extended record (true) or the short one (false);
    // nullopt when the call fails.
    virtual std::optional<RekordWersji> WersjaSystemu(bool rozszerzony) = 0;
    // RtlGetVersion looked up by name in ntdll at the time of the call, with
    // the extended record: the numbers as Windows is, whatever it tells a
    // program without a manifest. nullopt when ntdll lacks it or it fails.
    virtual std::optional<RekordWersji> PrawdziwaWersja() = 0;
    // GetSystemInfo.
    virtual InfoProcesora InfoSystemu() = 0;
    // GetNativeSystemInfo looked up by name; nullopt when kernel32 lacks it.
    virtual std::optional<InfoProcesora> NatywneInfoSystemu() = 0;
    // IsWow64Process2 for this process, looked up by name at the time of the
    // call: the machine (IMAGE_FILE_MACHINE_*) Windows itself runs on. nullopt
    // when kernel32 lacks it (before Windows 10 1709) or it fails.
    virtual std::optional<std::uint16_t> NatywnaMaszyna() = 0;
    // GetProductInfo looked up by name at the time of the call; nullopt when
    // kernel32 lacks it or it reports failure.
    virtual std::optional<std::uint32_t> InfoProduktu(std::uint32_t major, std::uint32_t minor,
                                                      std::uint32_t sp_major,
                                                      std::uint32_t sp_minor) = 0;
    virtual int MetrykaSystemu(int indeks) = 0;

    // --- Administrator test, one operation per Windows step. Every handle
    // obtained here releases itself: a token by CloseHandle, a SID by FreeSid,
    // memory by LocalFree.
    virtual bool PodszyjSie() = 0;  // ImpersonateSelf(SecurityImpersonation)
    // OpenThreadToken(TOKEN_QUERY); none on failure, with GetLastError in `blad`.
    virtual Token OtworzTokenWatku(std::uint32_t& blad) = 0;
    virtual Token OtworzTokenProcesu() = 0;      // OpenProcessToken(TOKEN_QUERY); none on failure
    virtual Sid UtworzSidAdministratorow() = 0;  // S-1-5-32-544; none on failure
    virtual std::uint32_t DlugoscSid(const Sid& sid) = 0;
    virtual Pamiec PrzydzielPamiec(std::uint32_t rozmiar) = 0;  // LocalAlloc(LPTR); none on failure
    virtual bool InicjujDeskryptor(const Pamiec& deskryptor) = 0;           // revision 1
    virtual bool InicjujAcl(const Pamiec& acl, std::uint32_t rozmiar) = 0;  // ACL_REVISION2
    virtual bool DodajWpisDostepu(const Pamiec& acl, std::uint32_t maska, const Sid& sid) = 0;
    virtual bool UstawDacl(const Pamiec& deskryptor, const Pamiec& acl) = 0;
    virtual bool UstawGrupe(const Pamiec& deskryptor, const Sid& sid) = 0;
    virtual bool UstawWlasciciela(const Pamiec& deskryptor, const Sid& sid) = 0;
    virtual bool DeskryptorPoprawny(const Pamiec& deskryptor) = 0;
    // AccessCheck for read access with the mapping read 1, write 2, execute 0,
    // all 3; nullopt when the call fails, else the access status.
    virtual std::optional<bool> SprawdzDostep(const Pamiec& deskryptor, const Token& token) = 0;
    virtual void PrzywrocSie() = 0;  // RevertToSelf

    // --- COM automation. One probe (an object's creation and the reads and
    // calls on it) has one bound of time; a server that does not answer
    // within it is left alone and not waited for any longer.
    // An IDispatch object of the ProgID; none on any failure, with its kind in
    // `blad`. It is released within the probe's bound too.
    virtual ObiektAutomatyzacji UtworzObiekt(const std::string& prog_id,
                                             BladAutomatyzacji& blad) = 0;
    // A property read by name, converted to text; nullopt on failure, with
    // its kind in `blad`.
    virtual std::optional<std::string> CzytajWlasnosc(const ObiektAutomatyzacji& obiekt,
                                                      const std::string& nazwa,
                                                      BladAutomatyzacji& blad) = 0;
    // A method called by name without arguments, LCID 0x800; false on
    // failure, with its kind in `blad`.
    virtual bool WywolajMetode(const ObiektAutomatyzacji& obiekt, const std::string& nazwa,
                               BladAutomatyzacji& blad) = 0;

    // --- Effects of the windows.
    // ShellExecute "open" with SW_SHOW; the result is ignored.
    virtual void OtworzAdres(const std::string& adres) = 0;
    // Writes `bajty` to a new file beside `sciezka` and puts it in place only
    // when every byte is written and the file is closed; false on any
    // failure, and then an existing file is left as it was.
    virtual bool ZapiszPlik(const std::string& sciezka, const std::string& bajty) = 0;

    // --- Local time in the user's regional formats.
    virtual CzasLokalny Teraz() = 0;
    virtual std::string KrotkaData(const CzasLokalny& czas) = 0;
    virtual std::string DlugiCzas(const CzasLokalny& czas) = 0;

    // --- Runs without a window.
    // The computer's host name; empty when unknown.
    virtual std::string NazwaKomputera() = 0;
    // Appends `wiersze` to `sciezka` holding the file exclusively, with
    // `naglowek` first when the file is new or empty. A file held by another
    // writer is retried a bounded number of times. Either all of it is added
    // or nothing; false on failure.
    virtual bool DopiszDoPliku(const std::string& sciezka, const std::string& naglowek,
                               const std::string& wiersze) = 0;

    // --- The overview of many computers' results.
    // The names (without the folder) of the files named *.json directly in
    // `katalog`, folders left out, in no particular order; nullopt when the
    // folder cannot be listed.
    virtual std::optional<std::vector<std::string>> PlikiJson(const std::string& katalog) = 0;
    // The names of the folders directly in `katalog`, in no particular order:
    // links and other reparse points left out, so that none is followed;
    // nullopt when the folder cannot be listed.
    virtual std::optional<std::vector<std::string>> Katalogi(const std::string& katalog) = 0;
    // The whole file when it holds at most `limit` bytes; ZaDuzy when it holds
    // more (never more than limit + 1 bytes are read), NieOtwarty when it
    // cannot be opened or read.
    virtual OdczytPliku CzytajPlik(const std::string& sciezka, std::size_t limit) = 0;

protected:
    // For the implementations: the owner of a handle's value (none for 0),
    // released through this platform; and the value an owner holds.
    template <typename Rodzaj>
    Uchwyt<Rodzaj> Wydaj(std::uintptr_t wartosc) {
        return wartosc == 0 ? Uchwyt<Rodzaj>() : Uchwyt<Rodzaj>(*this, wartosc);
    }
    template <typename Rodzaj>
    static std::uintptr_t WartoscUchwytu(const Uchwyt<Rodzaj>& uchwyt) {
        return uchwyt.wartosc_;
    }

private:
    template <typename>
    friend class Uchwyt;
    // Called by an owner only, once, for a value this platform handed out:
    // RegCloseKey, CloseHandle, FreeSid, LocalFree, IDispatch::Release.
    virtual void Zwolnij(const KluczRejestru& klucz) = 0;
    virtual void Zwolnij(const Token& token) = 0;
    virtual void Zwolnij(const Sid& sid) = 0;
    virtual void Zwolnij(const Pamiec& pamiec) = 0;
    virtual void Zwolnij(const ObiektAutomatyzacji& obiekt) = 0;
};

template <typename Rodzaj>
void Uchwyt<Rodzaj>::Zwolnij() {
    if (wartosc_ == 0) return;
    platforma_->Zwolnij(*this);
    wartosc_ = 0;
}

}  // namespace pro

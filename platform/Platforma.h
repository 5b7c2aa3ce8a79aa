#pragma once
// The one narrow door between the program's logic and the machine. The real
// implementation (platform/win32) calls the W APIs and converts at the
// boundary; the simulated machine (platform/sim) answers from memory and
// records every call. All texts are UTF-8. Failures come back as values.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pro {

// An opaque handle handed out by the platform: a registry key, a token, a
// SID, a block of memory or an automation object. 0 means "none".
using Uchwyt = std::uintptr_t;

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
};

// Message box flags, numbered as Windows numbers them.
namespace flagi_komunikatu {
inline constexpr std::uint32_t Ok = 0x0;
inline constexpr std::uint32_t IkonaBlad = 0x10;
inline constexpr std::uint32_t IkonaWykrzyknik = 0x30;
inline constexpr std::uint32_t IkonaInformacja = 0x40;
}  // namespace flagi_komunikatu

// How an automation operation failed.
enum class BladAutomatyzacji {
    Blad,            // no server, or it refused or failed
    BrakOdpowiedzi,  // no answer within the probe's bound
};

// The save-file dialog. `filtr` is in the "Opis|*.wzor|Opis|*.wzor" form.
struct ParametryZapisu {
    Uchwyt wlasciciel = 0;  // owner window (HWND), 0 for none
    std::string nazwa_pliku;
    std::string filtr;
    int indeks_filtru = 1;  // 1-based, as in OPENFILENAME
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
    // 0 when the key does not exist or cannot be opened for reading.
    virtual Uchwyt OtworzKlucz(Korzen korzen, const std::string& sciezka) = 0;
    // The same with KEY_READ | KEY_WOW64_64KEY: the machine's own view, also
    // from a 32-bit program on 64-bit Windows. 0 as above.
    virtual Uchwyt OtworzKlucz64(Korzen korzen, const std::string& sciezka) = 0;
    // Type and stored size of a value; nullopt when it does not exist.
    virtual std::optional<InfoWartosci> ZapytajWartosc(Uchwyt klucz, const std::string& nazwa) = 0;
    // The stored bytes (UTF-16LE for string types), read into a buffer of
    // `rozmiar` bytes; nullopt when the value is missing or does not fit.
    virtual std::optional<std::vector<std::uint8_t>> CzytajWartosc(Uchwyt klucz,
                                                                   const std::string& nazwa,
                                                                   std::uint32_t rozmiar) = 0;
    virtual void ZamknijKlucz(Uchwyt klucz) = 0;

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
    // obtained here is released by the matching Zwolnij/Zamknij call.
    virtual bool PodszyjSie() = 0;  // ImpersonateSelf(SecurityImpersonation)
    // OpenThreadToken(TOKEN_QUERY); 0 on failure, with GetLastError in `blad`.
    virtual Uchwyt OtworzTokenWatku(std::uint32_t& blad) = 0;
    virtual Uchwyt OtworzTokenProcesu() = 0;        // OpenProcessToken(TOKEN_QUERY); 0 on failure
    virtual Uchwyt UtworzSidAdministratorow() = 0;  // S-1-5-32-544; 0 on failure
    virtual std::uint32_t DlugoscSid(Uchwyt sid) = 0;
    virtual Uchwyt PrzydzielPamiec(std::uint32_t rozmiar) = 0;  // LocalAlloc(LPTR); 0 on failure
    virtual bool InicjujDeskryptor(Uchwyt deskryptor) = 0;      // revision 1
    virtual bool InicjujAcl(Uchwyt acl, std::uint32_t rozmiar) = 0;  // ACL_REVISION2
    virtual bool DodajWpisDostepu(Uchwyt acl, std::uint32_t maska, Uchwyt sid) = 0;
    virtual bool UstawDacl(Uchwyt deskryptor, Uchwyt acl) = 0;
    virtual bool UstawGrupe(Uchwyt deskryptor, Uchwyt sid) = 0;
    virtual bool UstawWlasciciela(Uchwyt deskryptor, Uchwyt sid) = 0;
    virtual bool DeskryptorPoprawny(Uchwyt deskryptor) = 0;
    // AccessCheck for read access with the mapping read 1, write 2, execute 0,
    // all 3; nullopt when the call fails, else the access status.
    virtual std::optional<bool> SprawdzDostep(Uchwyt deskryptor, Uchwyt token) = 0;
    virtual void PrzywrocSie() = 0;  // RevertToSelf
    virtual void ZwolnijPamiec(Uchwyt pamiec) = 0;
    virtual void ZwolnijSid(Uchwyt sid) = 0;
    virtual void ZamknijUchwyt(Uchwyt uchwyt) = 0;

    // --- COM automation. One probe (an object's creation and the reads and
    // calls on it) has one bound of time; a server that does not answer
    // within it is left alone and not waited for any longer.
    // An IDispatch object of the ProgID; 0 on any failure, with its kind in `blad`.
    virtual Uchwyt UtworzObiekt(const std::string& prog_id, BladAutomatyzacji& blad) = 0;
    // A property read by name, converted to text; nullopt on failure, with
    // its kind in `blad`.
    virtual std::optional<std::string> CzytajWlasnosc(Uchwyt obiekt, const std::string& nazwa,
                                                      BladAutomatyzacji& blad) = 0;
    // A method called by name without arguments, LCID 0x800; false on
    // failure, with its kind in `blad`.
    virtual bool WywolajMetode(Uchwyt obiekt, const std::string& nazwa,
                               BladAutomatyzacji& blad) = 0;
    virtual void ZwolnijObiekt(Uchwyt obiekt) = 0;

    // --- Effects of the windows.
    // ShellExecute "open" with SW_SHOW; the result is ignored.
    virtual void OtworzAdres(const std::string& adres) = 0;
    // A message box owned by the application's active window; returns the button.
    virtual int Komunikat(const std::string& tekst, const std::string& tytul,
                          std::uint32_t flagi) = 0;
    // The save-file dialog; nullopt when cancelled.
    virtual std::optional<std::string> DialogZapisu(const ParametryZapisu& parametry) = 0;
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
    // The whole file when it holds at most `limit` bytes; ZaDuzy when it holds
    // more (never more than limit + 1 bytes are read), NieOtwarty when it
    // cannot be opened or read.
    virtual OdczytPliku CzytajPlik(const std::string& sciezka, std::size_t limit) = 0;
};

}  // namespace pro

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>

#include "KatalogTymczasowy.h"
#include "Kontrolki.h"
#include "Okna.h"
#include "Srodowisko.h"
#include "catalogue/Raport.h"
#include "platform/win32/PlatformaWin32.h"

namespace pro {
namespace {

using testy::Kliknij;

constexpr auto HKLM = Korzen::LocalMachine;

// The simulated machine for what the report reads, real files for its writing.
class MaszynaZPlikami : public SymulowanaMaszyna {
public:
    bool ZapiszPlik(const std::string& sciezka, const std::string& bajty) override {
        wywolania.push_back("ZapiszPlik " + sciezka);
        return prawdziwa_.ZapiszPlik(sciezka, bajty);
    }

private:
    PlatformaWin32 prawdziwa_;
};

// The real save dialog and message boxes, recorded.
class PrawdziweDialogi : public testy::ZapisaneDialogi {
public:
    std::optional<std::string> DialogZapisu(const ui::ParametryZapisu& p) override;
    int Komunikat(const std::string& tekst, const std::string& tytul, UINT flagi) override {
        ZapisaneDialogi::Komunikat(tekst, tytul, flagi);
        return prawdziwe_.Komunikat(tekst, tytul, flagi);
    }

private:
    ui::DialogiWin32 prawdziwe_;
};

// Answers the dialogs of this thread as they open: records each one's title
// and text (a message box's) or file name (the save dialog's), then acts.
class Odpowiadacz {
public:
    struct Dialog {
        std::string tytul;
        std::string tekst;
        std::string plik;
    };
    // For each dialog in turn: the file name to choose (empty: cancel) for the
    // save dialog, the button to press for a message box.
    struct Odpowiedz {
        std::wstring plik;
        int przycisk = IDOK;
    };

    explicit Odpowiadacz(std::vector<Odpowiedz> odpowiedzi) : odpowiedzi_(std::move(odpowiedzi)) {
        biezacy_ = this;
        hak_ = SetWindowsHookExW(WH_CBT, Hak, nullptr, GetCurrentThreadId());
    }
    ~Odpowiadacz() {
        UnhookWindowsHookEx(hak_);
        biezacy_ = nullptr;
    }
    Odpowiadacz(const Odpowiadacz&) = delete;
    Odpowiadacz& operator=(const Odpowiadacz&) = delete;

    std::vector<Dialog> dialogi;

    // The save dialog's answer without the dialog: the name it was given and
    // the file the next answer chooses (none: cancel), as the dialog returns.
    static std::optional<std::string> ZamiastDialogu(const ui::ParametryZapisu& p) {
        biezacy_->dialogi.push_back({"", "", p.nazwa_pliku});
        const Odpowiedz odp = biezacy_->Nastepna();
        std::printf("zastępczo: pod emulacją bez okna zapisu, plik z odpowiedzi\n");
        if (odp.plik.empty()) return std::nullopt;
        return Waski(odp.plik);
    }

private:
    static constexpr int PoleNazwyPliku = 0x47C;       // cmb13: the file name box
    static constexpr int PoleNazwyPlikuStare = 0x480;  // edt1

    static LRESULT CALLBACK Hak(int kod, WPARAM w, LPARAM l) {
        if (kod == HCBT_ACTIVATE && biezacy_ != nullptr)
            biezacy_->Aktywacja(reinterpret_cast<HWND>(w));
        return CallNextHookEx(nullptr, kod, w, l);
    }

    void Aktywacja(HWND okno) {
        wchar_t klasa[64] = {};
        GetClassNameW(okno, klasa, 64);
        if (std::wstring(klasa) != L"#32770" || obsluzone_.count(okno) != 0) return;
        obsluzone_.insert(okno);
        Dialog d;
        d.tytul = ui::TekstOkna(okno);
        HWND nazwa = GetDlgItem(okno, PoleNazwyPliku);
        if (nazwa == nullptr) nazwa = GetDlgItem(okno, PoleNazwyPlikuStare);
        if (nazwa != nullptr) d.plik = ui::TekstOkna(nazwa);
        if (HWND tekst = GetDlgItem(okno, 0xFFFF)) d.tekst = ui::TekstOkna(tekst);
        dialogi.push_back(d);
        const Odpowiedz odp = Nastepna();
        if (nazwa != nullptr) {
            if (odp.plik.empty()) {
                PostMessageW(okno, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            SetWindowTextW(nazwa, odp.plik.c_str());
            PostMessageW(okno, WM_COMMAND, IDOK, 0);
            return;
        }
        PostMessageW(okno, WM_COMMAND, static_cast<WPARAM>(odp.przycisk), 0);
    }

    Odpowiedz Nastepna() const {
        return dialogi.size() <= odpowiedzi_.size() ? odpowiedzi_[dialogi.size() - 1]
                                                    : Odpowiedz{L"", IDCANCEL};
    }

    static inline Odpowiadacz* biezacy_ = nullptr;
    HHOOK hak_ = nullptr;
    std::vector<Odpowiedz> odpowiedzi_;
    std::set<HWND> obsluzone_;
};

// Under qemu the save dialog's own thread can hang it for good (qemu shares
// thread-local descriptors between a process's threads): there the report is
// written to the file the dialog would have returned. The dialog itself is
// tested natively and in the 64-bit suite; its overwrite prompt is its own.
std::optional<std::string> PrawdziweDialogi::DialogZapisu(const ui::ParametryZapisu& p) {
    zapisy.push_back(p);
    return testy::PodEmulacja() ? Odpowiadacz::ZamiastDialogu(p) : prawdziwe_.DialogZapisu(p);
}

struct RaportWin : testing::Test {
    MaszynaZPlikami m;
    PrawdziweDialogi d;
    testy::Okna okna{m, &d};
    testy::KatalogTymczasowy katalog{L"probierator_raport"};

    RaportWin() {
        m.UstawTekst(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion",
                     "6.1");
        m.DodajPlik("C:\\Windows\\system32\\msiexec.exe",
                    SymulowanaMaszyna::Wersja(5, 0, 7601, 17514));
        m.DodajPlik(m.sciezka_programu, SymulowanaMaszyna::Wersja(1, 2, 0, 7));
        okna.Utworz();
        okna.okno_app->clbAplikacje.Zaznacz(2, true);   // Marendo Tabulo: no .NET 3.5
        okna.okno_app->clbAplikacje.Zaznacz(17, true);  // Ellard Tabulo: all there
    }

    // Shows the results, clicks the report image with `odpowiedzi` for the
    // dialogs, closes the results; returns the dialogs seen.
    std::vector<Odpowiadacz::Dialog> Raport(std::vector<Odpowiadacz::Odpowiedz> odpowiedzi) {
        std::vector<Odpowiadacz::Dialog> dialogi;
        testy::PodczasPetli([&] {
            const auto przed = m.wywolania.size();
            {
                Odpowiadacz odpowiadacz(std::move(odpowiedzi));
                Kliknij(okna.okno_wyn->imRaport);
                dialogi = odpowiadacz.dialogi;
            }
            // The tree is not rebuilt for the report: no probe ran.
            for (std::size_t i = przed; i < m.wywolania.size(); ++i) {
                EXPECT_EQ(m.wywolania[i].rfind("OtworzKlucz", 0), std::string::npos)
                    << m.wywolania[i];
            }
            Kliknij(okna.okno_wyn->imZamknij);
        });
        Kliknij(okna.okno_app->imSprawdz);
        return dialogi;
    }

    // Choosing the existing `plik`: yes to the dialog's overwrite prompt (its
    // own, not there where the dialog is stood in for), then OK.
    static std::vector<Odpowiadacz::Odpowiedz> Zastapienie(const std::string& plik) {
        if (testy::PodEmulacja()) return {{Szeroki(plik)}, {L"", IDOK}};
        return {{Szeroki(plik)}, {L"", IDYES}, {L"", IDOK}};
    }

    std::string Oczekiwany() {
        NaglowekRaportu n;
        n.wersja = "1.2.0.7";
        n.data_czas = "2016-03-14 08:05:30";
        n.podsumowanie = {
            ui::TekstOkna(okna.okno_app->lbSystem), ui::TekstOkna(okna.okno_app->lbPlatforma),
            ui::TekstOkna(okna.okno_app->lbAdmin), ui::TekstOkna(okna.okno_app->lbUac)};
        return BajtyRaportu(TrescRaportu(n, okna.okno_wyn->Drzewo()));
    }
};

TEST_F(RaportWin, ZapisanyTamGdzieWybranoBajtPoBajcie) {
    const std::string plik = katalog.Sciezka("raport 100%.txt");
    const auto dialogi = Raport({{Szeroki(plik)}, {L"", IDOK}});
    ASSERT_EQ(dialogi.size(), 2u);
    EXPECT_EQ(dialogi[0].plik, "Raport_probieratora_2016-03-14.txt");
    EXPECT_EQ(dialogi[1].tytul, "Probierator");
    EXPECT_EQ(dialogi[1].tekst, "Utworzono raport: " + plik + ".");
    ASSERT_EQ(d.komunikaty.size(), 1u);
    EXPECT_EQ(d.komunikaty[0].flagi, 0x40u);
    const std::string zapisany = testy::KatalogTymczasowy::Czytaj(plik);
    EXPECT_EQ(zapisany, Oczekiwany());
    EXPECT_NE(zapisany.find(" .NET Framework 3.5:  ??.????.??\r\n - BRAK komponentu!\r\n"),
              std::string::npos);
    ASSERT_EQ(d.zapisy.size(), 1u);
    EXPECT_EQ(d.zapisy[0].filtr,
              "Raporty spisatora|*.sps|Pliki tekstowe|*.txt|Wszystkie pliki|*.*");
}

TEST_F(RaportWin, AnulowanieNicNiePiszeINicNiePokazuje) {
    const auto dialogi = Raport({{L""}});
    EXPECT_EQ(dialogi.size(), 1u) << "only the save dialog";
    EXPECT_TRUE(d.komunikaty.empty());
    EXPECT_EQ(m.Liczba("ZapiszPlik"), 0u);
    EXPECT_EQ(katalog.LiczbaPlikow(), 0);
}

TEST_F(RaportWin, IstniejacyPlikZastapionyPoPotwierdzeniu) {
    const std::string plik = katalog.Sciezka("r.txt");
    testy::KatalogTymczasowy::Pisz(plik, "stary raport");
    const auto dialogi = Raport(Zastapienie(plik));
    ASSERT_EQ(dialogi.size(), testy::PodEmulacja() ? 2u : 3u)
        << "the dialog, the overwrite prompt, the confirmation";
    EXPECT_EQ(testy::KatalogTymczasowy::Czytaj(plik), Oczekiwany());
    EXPECT_EQ(dialogi.back().tekst, "Utworzono raport: " + plik + ".");
}

TEST_F(RaportWin, PlikZablokowanyKomunikatBleduIPlikNietkniety) {
    const std::string plik = katalog.Sciezka("r.txt");
    testy::KatalogTymczasowy::Pisz(plik, "stary raport");
    HANDLE blokada = CreateFileW(Szeroki(plik).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(blokada, INVALID_HANDLE_VALUE);
    const auto dialogi = Raport(Zastapienie(plik));
    CloseHandle(blokada);
    ASSERT_FALSE(dialogi.empty());
    EXPECT_EQ(dialogi.back().tytul, "Probierator - błąd!");
    EXPECT_EQ(dialogi.back().tekst, "Utworzenie raportu nie powiodło się.");
    ASSERT_EQ(d.komunikaty.size(), 1u);
    EXPECT_EQ(d.komunikaty[0].flagi, 0x30u);
    EXPECT_EQ(testy::KatalogTymczasowy::Czytaj(plik), "stary raport");
    EXPECT_EQ(katalog.LiczbaPlikow(), 1);
}

TEST_F(RaportWin, NazwaZUkosnikamiWDacie) {
    m.format_daty = [](const CzasLokalny& c) {
        return std::to_string(c.miesiac) + "/" + std::to_string(c.dzien) + "/" +
               std::to_string(c.rok);
    };
    const auto dialogi = Raport({{L""}});
    ASSERT_EQ(dialogi.size(), 1u);
    EXPECT_EQ(dialogi[0].plik, "Raport_probieratora_3-14-2016.txt");
}

}  // namespace
}  // namespace pro

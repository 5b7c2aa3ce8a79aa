#include <gtest/gtest.h>

#include <objbase.h>

#include <atomic>
#include <cstdio>
#include <sstream>
#include <thread>

#include "Json.h"
#include "KatalogTymczasowy.h"
#include "KluczTestowy.h"
#include "Kontrolki.h"
#include "Okna.h"
#include "Proces.h"
#include "Srodowisko.h"
#include "platform/win32/PlatformaWin32.h"

namespace pro {
namespace {

// A class id of this test's own: a server ended from outside leaves its
// registration behind in the prefix, and a later test would reach it.
std::wstring NowyClsid() {
    GUID guid{};
    CoCreateGuid(&guid);
    wchar_t tekst[40] = {};
    StringFromGUID2(guid, tekst, 40);
    return tekst;
}

// A path in its short form: Wine reads a LocalServer32 command line into a
// buffer of MAX_PATH characters, and a long folder would not fit.
std::wstring Krotka(const std::wstring& sciezka) {
    wchar_t krotka[MAX_PATH] = {};
    const DWORD n = GetShortPathNameW(sciezka.c_str(), krotka, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(krotka, n) : sciezka;
}

// The bound the hanging cases run with: above a cold start of the local
// server. Emulated, that start alone takes 10 s and more on a busy machine:
// there the program's own bound, the longest it allows.
const DWORD LimitTestu = testy::PodEmulacja() ? LimitSondyMs : 8000;
const DWORD Margines = testy::PodEmulacja() ? 30000 : 12000;

// The local substitute registered as "Excel.Application" (this process's
// registry view) in one mode, with its log in a folder of the test's own.
// Whatever it started and is still running is ended by its process id.
class ExcelLokalny {
public:
    explicit ExcelLokalny(const std::wstring& tryb)
        : clsid_(NowyClsid()),
          prog_id_(HKEY_LOCAL_MACHINE, L"Software\\Classes\\Excel.Application\\CLSID"),
          serwer_(HKEY_LOCAL_MACHINE, L"Software\\Classes\\CLSID\\" + clsid_ + L"\\LocalServer32") {
        prog_id_.Tekst(L"", clsid_);
        serwer_.Tekst(
            L"", L"\"" + Krotka(Szeroki(testy::KatalogTestow()) + L"\\excel_lokalny.exe") + L"\" " +
                     tryb + L" \"" + Krotka(Szeroki(Dziennik())) + L"\" " + clsid_);
    }
    ~ExcelLokalny() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\Excel.Application");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\CLSID\\" + clsid_).c_str());
        // Emulated, a client whose pending call is cut by the server's end
        // dies a little later (a thread jumps to address 0): there the server
        // is ended after this process, by cmake/wine-test.sh.
        if (testy::PodEmulacja()) return;
        for (const std::string& linia : Linie()) {
            if (linia.rfind("start ", 0) != 0) continue;
            const auto id = static_cast<DWORD>(std::stoul(linia.substr(6)));
            HANDLE proces = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
            if (proces == nullptr) continue;
            TerminateProcess(proces, 1);
            WaitForSingleObject(proces, 10000);
            CloseHandle(proces);
        }
    }
    std::string Dziennik() const { return katalog_.Sciezka("excel.log"); }
    std::vector<std::string> Linie() const {
        std::vector<std::string> linie;
        std::istringstream tekst(testy::KatalogTymczasowy::Czytaj(Dziennik()));
        for (std::string linia; std::getline(tekst, linia);) linie.push_back(linia);
        return linie;
    }
    // How many lines start with `poczatek`.
    int Liczba(const std::string& poczatek) const {
        int n = 0;
        for (const auto& linia : Linie()) n += linia.rfind(poczatek, 0) == 0 ? 1 : 0;
        return n;
    }

private:
    testy::KatalogTymczasowy katalog_{L"excel_lokalny"};
    std::wstring clsid_;
    testy::KluczTestowy prog_id_;
    testy::KluczTestowy serwer_;
};

// A shorter bound for this process and the programs it starts.
struct LimitSondy {
    explicit LimitSondy(DWORD ms) {
        SetEnvironmentVariableW(ZmiennaLimituSondy, std::to_wstring(ms).c_str());
    }
    ~LimitSondy() { SetEnvironmentVariableW(ZmiennaLimituSondy, nullptr); }
};

TEST(ExcelLokalny, OdpowiadaIJestKonczonyRaz) {
    ExcelLokalny excel(L"odpowiada");
    PlatformaWin32 p;
    Katalog k;
    ProKomponent& c = *k.Komponent(komponent::Excel);
    c.WykryjWersje(p, k.KatalogSystemu);
    EXPECT_EQ(c.WersjaTxt, "16.0");
    EXPECT_EQ(c.Wersja, 16);
    EXPECT_EQ(excel.Liczba("start"), 1);
    EXPECT_EQ(excel.Liczba("Quit"), 1);
}

struct Zawieszenie {
    const wchar_t* tryb;
    int wersja;  // "Version" calls the server sees
};

void PrintTo(const Zawieszenie& z, std::ostream* os) {
    *os << Waski(z.tryb);
}

class ExcelBezOdpowiedzi : public testing::TestWithParam<Zawieszenie> {};

// Without the window Excel is never started: its version is the registered
// server's file's, here the stand-in's, which would hang if it were asked.
TEST(ExcelLokalny, SprawdzenieBezOknaCzytaPlikINieUruchamia) {
    ExcelLokalny excel(L"wersja_bez_odpowiedzi");
    testy::KatalogTymczasowy katalog(L"excel_bez_okna");
    const std::string plik = katalog.Sciezka("wynik.json");
    const auto wynik = testy::Uruchom(L"\"" + Szeroki(testy::KatalogTestow()) +
                                          L"\\probierator.exe\" /aplikacje wszystkie /json \"" +
                                          Szeroki(plik) + L"\"",
                                      LimitTestu + 2 * Margines);
    EXPECT_NE(wynik.kod, 0xFFFFFFFFu) << "ended";
    EXPECT_EQ(excel.Liczba("start"), 0);
    const auto json = testy::CzytajJson(testy::KatalogTymczasowy::Czytaj(plik));
    int excele = 0;
    for (const auto& aplikacja : json["aplikacje"]) {
        for (const auto& c : aplikacja["komponenty"]) {
            if (c["nazwa"].get<std::string>() != "MS Excel") continue;
            ++excele;
            EXPECT_EQ(c["tekst"].get<std::string>(), "16.0");
            EXPECT_EQ(c["status"].get<std::string>(), "spelnia");
        }
    }
    EXPECT_GE(excele, 5);
}

// The real platform, telling when an automation call is being waited for.
class PlatformaZPodgladem : public PlatformaWin32 {
public:
    std::atomic<bool> w_sondzie{false};
    ObiektAutomatyzacji UtworzObiekt(const std::string& prog_id, BladAutomatyzacji& blad) override {
        Podglad podglad(w_sondzie);
        return PlatformaWin32::UtworzObiekt(prog_id, blad);
    }
    std::optional<std::string> CzytajWlasnosc(const ObiektAutomatyzacji& obiekt,
                                              const std::string& nazwa,
                                              BladAutomatyzacji& blad) override {
        Podglad podglad(w_sondzie);
        return PlatformaWin32::CzytajWlasnosc(obiekt, nazwa, blad);
    }

private:
    struct Podglad {
        std::atomic<bool>& flaga;
        explicit Podglad(std::atomic<bool>& f) : flaga(f) { flaga = true; }
        ~Podglad() { flaga = false; }
    };
};

// What reached the subclassed windows.
struct Podsluch {
    PlatformaZPodgladem* platforma = nullptr;
    std::atomic<bool> odkryte{false};       // the cover is going away
    std::atomic<bool> klik_wyslany{false};  // the helper has posted its click
    std::atomic<int> malowania_w_sondzie{0};
    std::atomic<int> klikniecia{0};
    WNDPROC wyn = nullptr;
    WNDPROC sprawdz = nullptr;
};
Podsluch podsluch;

LRESULT CALLBACK PodsluchWyn(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_PAINT && podsluch.odkryte && podsluch.platforma->w_sondzie) {
        ++podsluch.malowania_w_sondzie;
    }
    return CallWindowProcW(podsluch.wyn, h, m, w, l);
}

LRESULT CALLBACK PodsluchSprawdz(HWND h, UINT m, WPARAM w, LPARAM l) {
    if ((m == WM_LBUTTONDOWN || m == WM_LBUTTONUP) && podsluch.klik_wyslany) ++podsluch.klikniecia;
    return CallWindowProcW(podsluch.sprawdz, h, m, w, l);
}

using testy::Czekaj;

// From another thread, while the windows' thread waits for Excel: a window
// of its own over the results, taken away again, and a click posted to the
// check image.
void Pomocnik(HWND wyn, HWND sprawdz, bool& zdazyl) {
    if (!Czekaj([] { return podsluch.platforma->w_sondzie.load(); }, 60000)) return;
    if (!Czekaj([wyn] { return !GetUpdateRect(wyn, nullptr, FALSE); }, LimitTestu / 2)) return;
    WNDCLASSW klasa{};
    klasa.lpfnWndProc = DefWindowProcW;
    klasa.hInstance = GetModuleHandleW(nullptr);
    klasa.lpszClassName = L"TestZaslona";
    RegisterClassW(&klasa);
    RECT r{};
    GetWindowRect(wyn, &r);
    HWND zaslona = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                                   L"TestZaslona", L"", WS_POPUP, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, nullptr, nullptr, klasa.hInstance, nullptr);
    ShowWindow(zaslona, SW_SHOWNOACTIVATE);
    PostMessageW(sprawdz, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(sprawdz, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    podsluch.klik_wyslany = true;
    podsluch.odkryte = true;
    SetWindowPos(zaslona, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    // Wine's null driver keeps each window's picture in a surface of its
    // own and exposes nothing: invalidate what the cover hid, as a desktop
    // without such surfaces does.
    if (!GetUpdateRect(wyn, nullptr, FALSE)) {
        RedrawWindow(wyn, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    DestroyWindow(zaslona);
    UnregisterClassW(L"TestZaslona", klasa.hInstance);
    zdazyl = podsluch.platforma->w_sondzie;
}

TEST_P(ExcelBezOdpowiedzi, OknoMalujeSieINieBierzeWejscia) {
    ExcelLokalny excel(GetParam().tryb);
    LimitSondy limit(LimitTestu);
    PlatformaZPodgladem p;
    podsluch.platforma = &p;
    Katalog k;
    ui::DialogiWin32 dialogi;
    ui::Aplikacja app(p, dialogi, k);
    ui::TProOknoApp okno_app(app);
    ui::TProOknoWyn okno_wyn(app);
    ui::TProOknoLeg okno_leg(app);
    okno_app.Pokaz();
    UpdateWindow(okno_app.Uchwyt());
    okno_app.clbAplikacje.Zaznacz(0, true);  // Barkon Tabulo needs Excel
    podsluch.wyn = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        okno_wyn.Uchwyt(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PodsluchWyn)));
    podsluch.sprawdz = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        okno_app.imSprawdz, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PodsluchSprawdz)));

    bool zdazyl = false;
    std::thread pomocnik(Pomocnik, okno_wyn.Uchwyt(), okno_app.imSprawdz, std::ref(zdazyl));
    std::string wezel_excela;
    int obraz = -1;
    testy::PodczasPetli([&] {
        const HWND drzewo = okno_wyn.treeWyn;
        for (HTREEITEM e = TreeView_GetChild(drzewo, TreeView_GetRoot(drzewo)); e != nullptr;
             e = TreeView_GetNextSibling(drzewo, e)) {
            wchar_t tekst[256]{};
            TVITEMW t{};
            t.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_HANDLE;
            t.hItem = e;
            t.pszText = tekst;
            t.cchTextMax = 256;
            TreeView_GetItem(drzewo, &t);
            if (Waski(tekst).rfind("MS Excel", 0) == 0) {
                wezel_excela = Waski(tekst);
                obraz = t.iImage;
            }
        }
        testy::Kliknij(okno_wyn.imZamknij);
    });
    // The check runs when the button is released; the helper's click, had
    // it been kept, would come in the results' loop or in what is left after.
    SendMessageW(okno_app.imSprawdz, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(okno_app.imSprawdz, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    pomocnik.join();
    MSG reszta;
    while (PeekMessageW(&reszta, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&reszta);

    EXPECT_TRUE(zdazyl) << "the helper acted while the probe was waited for";
    EXPECT_EQ(wezel_excela, "MS Excel:  brak możliwości sprawdzenia");
    EXPECT_EQ(obraz, obraz::NieSpelnia);
    EXPECT_GT(podsluch.malowania_w_sondzie.load(), 0) << "the uncovered window was painted";
    EXPECT_EQ(podsluch.klikniecia.load(), 0) << "the click did not reach the check image";
    EXPECT_EQ(excel.Liczba("start"), 1);
    // Under qemu's emulation the stand-in is now and then ended before it logs
    // the call: 32-bit Wine there does not survive threads calling its server at once.
    if (testy::PodEmulacja()) {
        std::printf("zastępczo: pod emulacją bez liczenia wywołań Version w zastępczym Excelu\n");
    } else {
        EXPECT_EQ(excel.Liczba("Version"), GetParam().wersja);
    }
    SetWindowLongPtrW(okno_app.imSprawdz, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(podsluch.sprawdz));
    SetWindowLongPtrW(okno_wyn.Uchwyt(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(podsluch.wyn));
}

INSTANTIATE_TEST_SUITE_P(Tryby, ExcelBezOdpowiedzi,
                         testing::Values(Zawieszenie{L"wersja_bez_odpowiedzi", 1},
                                         Zawieszenie{L"bez_rejestracji", 0}),
                         [](const auto& info) { return Waski(info.param.tryb); });

}  // namespace
}  // namespace pro

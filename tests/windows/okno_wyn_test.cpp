#include <gtest/gtest.h>

#include <set>

#include "Kontrolki.h"
#include "Okna.h"
#include "platform/win32/PlatformaWin32.h"

namespace pro {
namespace {

using testy::Kliknij;

constexpr auto HKLM = Korzen::LocalMachine;
const std::string KluczNet = "Software\\Microsoft\\NET Framework Setup\\NDP\\";
const char* const NieSpelnia =
    "Komponent nie spełnia wymagań programowych. Dowiedz się jakie są wymagania dla tego "
    "programu klikając go dwukrotnie.";
const char* const Spelnia = "Komponent spełnia wymagania programowe.";

// Windows 7, Installer 5.0, .NET 2.0, SilverLight 5.1, IE 11, Excel 14;
// no .NET 3.5.
void Maszyna(SymulowanaMaszyna& m) {
    m.UstawTekst(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", "6.1");
    m.DodajPlik("C:\\Windows\\system32\\msiexec.exe", SymulowanaMaszyna::Wersja(5, 0, 7601, 17514));
    m.UstawLiczbe(HKLM, KluczNet + "v2.0.50727", "Install", 1);
    m.UstawTekst(HKLM, KluczNet + "v2.0.50727", "Version", "2.0.50727.4927");
    m.UstawTekst(Korzen::ClassesRoot, "AgControl.AgControl\\CurVer", "", "AgControl.AgControl.5.1");
    m.UstawTekst(HKLM, "Software\\Microsoft\\Internet Explorer", "svcVersion", "11.0.9600.17420");
    m.excel.zarejestrowany = true;
    m.excel.wersja = "14.0";
}

// A node of the tree view as read back from the control.
struct Wezel {
    std::string tekst;
    int obraz = -1, obraz_wybrany = -1;
    bool rozwiniety = false;
    std::vector<Wezel> dzieci;
    bool operator==(const Wezel&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Wezel& w) {
    os << "{" << w.tekst << " " << w.obraz << "/" << w.obraz_wybrany << (w.rozwiniety ? " +" : "");
    for (const auto& d : w.dzieci) os << " " << d;
    return os << "}";
}

Wezel Czytaj(HWND drzewo, HTREEITEM element) {
    wchar_t tekst[256]{};
    TVITEMW t{};
    t.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_HANDLE;
    t.hItem = element;
    t.pszText = tekst;
    t.cchTextMax = 256;
    t.stateMask = TVIS_EXPANDED;
    TreeView_GetItem(drzewo, &t);
    Wezel w{Waski(tekst), t.iImage, t.iSelectedImage, (t.state & TVIS_EXPANDED) != 0, {}};
    for (HTREEITEM d = TreeView_GetChild(drzewo, element); d != nullptr;
         d = TreeView_GetNextSibling(drzewo, d)) {
        w.dzieci.push_back(Czytaj(drzewo, d));
    }
    return w;
}

std::vector<Wezel> Drzewo(HWND drzewo) {
    std::vector<Wezel> korzenie;
    for (HTREEITEM k = TreeView_GetRoot(drzewo); k != nullptr;
         k = TreeView_GetNextSibling(drzewo, k)) {
        korzenie.push_back(Czytaj(drzewo, k));
    }
    return korzenie;
}

std::vector<Wezel> Model(const DrzewoWyniku& drzewo) {
    std::vector<Wezel> korzenie;
    for (const auto& k : drzewo.Korzenie()) {
        Wezel w{k->Tekst, k->Obraz, k->ObrazWybrany, k->Rozwiniety, {}};
        for (const auto& d : k->Dzieci) {
            w.dzieci.push_back({d->Tekst, d->Obraz, d->ObrazWybrany, false, {}});
        }
        korzenie.push_back(w);
    }
    return korzenie;
}

// The node at root `i`, child `j` (-1: the root itself).
HTREEITEM Element(HWND drzewo, int i, int j = -1) {
    HTREEITEM e = TreeView_GetRoot(drzewo);
    for (int n = 0; n < i && e != nullptr; ++n) e = TreeView_GetNextSibling(drzewo, e);
    if (j < 0 || e == nullptr) return e;
    e = TreeView_GetChild(drzewo, e);
    for (int n = 0; n < j && e != nullptr; ++n) e = TreeView_GetNextSibling(drzewo, e);
    return e;
}

struct OknoWyn : testing::Test {
    SymulowanaMaszyna m;
    testy::Okna okna{m};
    OknoWyn() { Maszyna(m); }

    ui::TProOknoWyn& Wyn() { return *okna.okno_wyn; }
    HWND Tree() { return Wyn().treeWyn; }
    std::string Opis() { return ui::TekstOkna(Wyn().reOpis); }
    void Zaznacz(std::initializer_list<int> wiersze) {
        for (int i = 0; i < okna.okno_app->clbAplikacje.Liczba(); ++i) {
            okna.okno_app->clbAplikacje.Zaznacz(i, false);
        }
        for (int i : wiersze) okna.okno_app->clbAplikacje.Zaznacz(i, true);
    }
    // Clicks the check image and runs `co` while the results are shown;
    // then closes them with their close image.
    void Pokaz(std::function<void()> co) {
        bool bylo = false;
        testy::PodczasPetli([&] {
            bylo = true;
            co();
            Kliknij(Wyn().imZamknij);
        });
        Kliknij(okna.okno_app->imSprawdz);
        ASSERT_TRUE(bylo) << "the results window was not shown";
    }
    void Wybierz(HTREEITEM e) { TreeView_SelectItem(Tree(), e); }
    // A real double click on a node's text (or at a point of the tree).
    void DwukrotnieKliknij(POINT p) {
        const LPARAM l = MAKELPARAM(p.x, p.y);
        // The tree view follows a button press until the button is released:
        // the release waits in the queue.
        PostMessageW(Tree(), WM_LBUTTONUP, 0, l);
        SendMessageW(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, l);
        SendMessageW(Tree(), WM_LBUTTONDBLCLK, MK_LBUTTON, l);
        PostMessageW(Tree(), WM_LBUTTONUP, 0, l);
    }
    POINT Srodek(HTREEITEM e) {
        RECT r{};
        TreeView_GetItemRect(Tree(), e, &r, TRUE);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
};

TEST_F(OknoWyn, GaleziePoKolejnosciKataloguJakWModelu) {
    okna.Utworz();
    Zaznacz({5, 3, 2});
    Pokaz([&] {
        const auto drzewo = Drzewo(Tree());
        ASSERT_EQ(drzewo.size(), 3u);
        EXPECT_EQ(drzewo[0].tekst, "Marendo Tabulo");
        EXPECT_EQ(drzewo[1].tekst, "Kordel");
        EXPECT_EQ(drzewo[2].tekst, "Kordel Tabulo SQL");
        EXPECT_EQ(drzewo, Model(Wyn().Drzewo()));
        // Missing .NET 3.5: the branch is expanded and says why.
        EXPECT_TRUE(drzewo[0].rozwiniety);
        ASSERT_EQ(drzewo[0].dzieci.size(), 3u);
        EXPECT_EQ(drzewo[0].dzieci[2], (Wezel{".NET Framework 3.5:  ??.????.??", 2, 2, false, {}}));
        EXPECT_EQ(drzewo[0].obraz, 0);
        // Everything satisfied: collapsed.
        EXPECT_FALSE(drzewo[1].rozwiniety);
        for (const auto& d : drzewo[1].dzieci) EXPECT_EQ(d.obraz, 1) << d.tekst;
        // The first application selected, the description empty.
        EXPECT_EQ(TreeView_GetSelection(Tree()), Element(Tree(), 0));
        EXPECT_EQ(Opis(), "");
    });
}

TEST_F(OknoWyn, OpisyWezlow) {
    // SilverLight's CurVer is not text: Selvo's detection raises and leaves
    // a provisional node.
    m.UstawLiczbe(Korzen::ClassesRoot, "AgControl.AgControl\\CurVer", "", 5);
    m.excel.zarejestrowany = false;  // Barkon Tabulo's MS Excel: the red cross
    okna.Utworz();
    Zaznacz({0, 1});
    const struct {
        const char* nazwa;
        int i, j;
        const char* opis;
    } przypadki[] = {
        {"czerwony krzyżyk", 0, 2, NieSpelnia},
        {"zielony znak", 0, 0, Spelnia},
        {"aplikacja", 0, -1, ""},
        {"tymczasowy", 1, 1, Spelnia},
    };
    Pokaz([&] {
        ASSERT_EQ(Czytaj(Tree(), Element(Tree(), 1, 1)).obraz, 3);
        for (const auto& p : przypadki) {
            SCOPED_TRACE(p.nazwa);
            Wybierz(Element(Tree(), 0, 1));  // a different node first
            Wybierz(Element(Tree(), p.i, p.j));
            EXPECT_EQ(Opis(), p.opis);
        }
    });
}

TEST_F(OknoWyn, DwukrotneKliknieciaOtwierajaStroneAplikacji) {
    okna.Utworz();
    Zaznacz({2, 21});
    Pokaz([&] {
        // Collapsed branches are expanded by the double click itself.
        for (int i : {0, 1}) {
            m.otwarte_adresy.clear();
            const HTREEITEM korzen = Element(Tree(), i);
            const bool rozwiniety = Czytaj(Tree(), korzen).rozwiniety;
            Wybierz(korzen);
            DwukrotnieKliknij(Srodek(korzen));
            EXPECT_NE(Czytaj(Tree(), korzen).rozwiniety, rozwiniety) << "the tree's own toggle";
            if (!Czytaj(Tree(), korzen).rozwiniety) TreeView_Expand(Tree(), korzen, TVE_EXPAND);
            const auto dzieci = Czytaj(Tree(), korzen).dzieci.size();
            for (int j = 0; j < static_cast<int>(dzieci); ++j) {
                Wybierz(Element(Tree(), i, j));
                DwukrotnieKliknij(Srodek(Element(Tree(), i, j)));
            }
            const std::string adres = i == 0 ? okna.k.Aplikacje[2].Adres : "www.orleko.pl";
            EXPECT_EQ(m.otwarte_adresy, std::vector<std::string>(dzieci + 1, adres));
        }
        // Below the last node: the selected node's page.
        m.otwarte_adresy.clear();
        Wybierz(Element(Tree(), 0, 1));
        DwukrotnieKliknij({200, 265});
        EXPECT_EQ(m.otwarte_adresy, std::vector<std::string>{okna.k.Aplikacje[2].Adres});
        // Enter: what a double click does.
        m.otwarte_adresy.clear();
        MSG enter{Tree(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
        okna.app.Przetworz(enter);
        EXPECT_EQ(m.otwarte_adresy, std::vector<std::string>{okna.k.Aplikacje[2].Adres});
    });
    EXPECT_EQ(okna.k.Aplikacje[2].Adres, "http://www.orleko.pl/wymagania.html#marendo-tabulo");
}

TEST_F(OknoWyn, DrugiePokazanieNieWykrywaPonownie) {
    okna.Utworz();
    Zaznacz({0, 2});
    std::vector<Wezel> pierwsze, drugie, trzecie;
    Pokaz([&] { pierwsze = Drzewo(Tree()); });
    const auto wywolania = m.wywolania.size();
    Pokaz([&] { drugie = Drzewo(Tree()); });
    EXPECT_EQ(m.wywolania.size(), wywolania) << "nothing is probed again";
    EXPECT_EQ(drugie, pierwsze);
    Zaznacz({3});
    Pokaz([&] { trzecie = Drzewo(Tree()); });
    ASSERT_EQ(trzecie.size(), 1u);
    EXPECT_EQ(trzecie[0].tekst, "Kordel");
}

TEST_F(OknoWyn, LegendaZostawiaWyborOpisIRozwiniecie) {
    okna.Utworz();
    Zaznacz({2, 3});
    Pokaz([&] {
        TreeView_Expand(Tree(), Element(Tree(), 1), TVE_EXPAND);
        TreeView_Expand(Tree(), Element(Tree(), 0), TVE_COLLAPSE);
        Wybierz(Element(Tree(), 1, 0));
        const auto przed = Drzewo(Tree());
        const std::string opis = Opis();
        ASSERT_EQ(opis, Spelnia);
        const auto wywolania = m.wywolania.size();
        bool legenda = false;
        std::vector<std::string> wiersze;
        testy::PodczasPetli([&] {
            const ui::TProOknoLeg& leg = *okna.okno_leg;
            // Shown over the results and itself open to the mouse.
            legenda = IsWindowVisible(leg.Uchwyt()) && IsWindowEnabled(leg.Uchwyt()) &&
                      !IsWindowEnabled(Wyn().Uchwyt());
            // The rows from the top: picture and text side by side.
            const std::pair<HWND, HWND> rzedy[] = {{leg.imIkonaApp, leg.lbIkonaApp},
                                                   {leg.imIkonaOk, leg.lbIkonaOK},
                                                   {leg.imIkonaBrak, leg.lbIkonaBrak}};
            int gora = -1;
            for (const auto& [obraz, etykieta] : rzedy) {
                const RECT o = testy::PolozenieWRodzicu(obraz);
                const RECT e = testy::PolozenieWRodzicu(etykieta);
                EXPECT_GT(o.top, gora);
                EXPECT_LE(std::abs(o.top - e.top), 2);
                gora = o.top;
                wiersze.push_back(ui::TekstOkna(etykieta));
            }
            Kliknij(leg.imZamknij);
        });
        Kliknij(Wyn().imPodpow);
        EXPECT_TRUE(legenda);
        EXPECT_EQ(wiersze, (std::vector<std::string>{
                               "- Dwukrotne kliknięcie wyświetla informacje o aplikacji.",
                               "- Oznacza poprawnie zainstalowany komponent.",
                               "- Oznacza brak właściwej wersji komponentu."}));
        EXPECT_FALSE(IsWindowVisible(okna.okno_leg->Uchwyt()));
        EXPECT_TRUE(IsWindowEnabled(Wyn().Uchwyt()));
        EXPECT_EQ(Drzewo(Tree()), przed);
        EXPECT_EQ(TreeView_GetSelection(Tree()), Element(Tree(), 1, 0));
        EXPECT_EQ(Opis(), opis);
        EXPECT_EQ(m.wywolania.size(), wywolania);
    });
}

TEST_F(OknoWyn, WyjatekWykrywaniaZostawiaZbudowaneGalezie) {
    m.UstawLiczbe(Korzen::ClassesRoot, "AgControl.AgControl\\CurVer", "", 5);
    okna.Utworz();
    Zaznacz({0, 1, 3});  // Selvo (1) raises; Kordel (3) comes after it
    Pokaz([&] {
        const auto drzewo = Drzewo(Tree());
        ASSERT_EQ(drzewo.size(), 2u);
        EXPECT_EQ(drzewo[0].tekst, "Barkon Tabulo");
        EXPECT_EQ(drzewo[1].tekst, "Selvo");
        ASSERT_EQ(drzewo[1].dzieci.size(), 2u);
        EXPECT_EQ(drzewo[1].dzieci[1], (Wezel{"nieznany komponent", 3, 3, false, {}}));
        EXPECT_EQ(TreeView_GetSelection(Tree()), nullptr);
        ASSERT_EQ(okna.d.komunikaty.size(), 1u);
        EXPECT_EQ(okna.d.komunikaty[0].tekst, "Nieprawidłowy typ danych dla ''");
        EXPECT_EQ(okna.d.komunikaty[0].flagi, static_cast<UINT>(MB_OK | MB_ICONERROR));
        // Still usable.
        Wybierz(Element(Tree(), 0, 0));
        EXPECT_EQ(Opis(), Spelnia);
        DwukrotnieKliknij(Srodek(Element(Tree(), 0, 0)));
        EXPECT_EQ(m.otwarte_adresy, std::vector<std::string>{okna.k.Aplikacje[0].Adres});
    });
    EXPECT_FALSE(IsWindowVisible(Wyn().Uchwyt()));
    EXPECT_TRUE(IsWindowEnabled(okna.okno_app->Uchwyt()));
}

// The report command with the dialogs stood in for: what it asks, writes and tells.
TEST_F(OknoWyn, RaportPytaZapisujeIMowi) {
    const std::string blad = "Utworzenie raportu nie powiodło się.";
    const struct {
        std::optional<std::string> sciezka;  // the dialog's answer
        bool zapis_zawodzi, budowa_zawodzi;
        std::string komunikat;  // empty for none
    } wiersze[] = {
        {std::nullopt, false, false, ""},
        {"", false, false, ""},
        {"C:\\r 100%.txt", false, false, "Utworzono raport: C:\\r 100%.txt."},
        {"C:\\r.txt", true, false, blad},
        {"C:\\r.txt", false, true, blad},
    };
    okna.Utworz();
    Zaznacz({17});
    Pokaz([&] {
        for (const auto& w : wiersze) {
            SCOPED_TRACE(w.komunikat);
            okna.d = {};
            okna.d.odpowiedz_zapisu = w.sciezka;
            m.zapisane_pliki.clear();
            m.zapis_zawodzi = w.zapis_zawodzi;
            m.format_czasu = nullptr;
            if (w.budowa_zawodzi)
                m.format_czasu = [](const CzasLokalny&) -> std::string { throw 0; };
            Kliknij(Wyn().imRaport);
            ASSERT_EQ(okna.d.zapisy.size(), 1u);
            EXPECT_EQ(okna.d.zapisy[0].wlasciciel, Wyn().Uchwyt());
            const bool zapisany = w.komunikat.rfind("Utworzono", 0) == 0;
            EXPECT_EQ(m.zapisane_pliki.size(), zapisany ? 1u : 0u);
            ASSERT_EQ(okna.d.komunikaty.size(), w.komunikat.empty() ? 0u : 1u);
            if (w.komunikat.empty()) continue;
            EXPECT_EQ(okna.d.komunikaty[0].tekst, w.komunikat);
            EXPECT_EQ(okna.d.komunikaty[0].flagi, zapisany ? 0x40u : 0x30u);
        }
    });
}

}  // namespace
}  // namespace pro

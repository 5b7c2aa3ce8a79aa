// Positions, sizes, fonts and colours of every control, read back from the
// real windows and held against the layout tables.
#include <gtest/gtest.h>

#include <functional>

#include "Kontrolki.h"
#include "Okna.h"
#include "platform/win32/PlatformaWin32.h"

#include <oleacc.h>
#include <richedit.h>
#include <wrl/client.h>

namespace pro {
namespace {

enum class Rodzaj { Etykieta, Ksztalt, Obrazek, Lista, Drzewo, Opis, Rysunek };

constexpr COLORREF Niebieski = RGB(0x4D, 0x73, 0xB4);
constexpr COLORREF Grafitowy = RGB(0x3B, 0x42, 0x48);
constexpr COLORREF Szary = RGB(0x9B, 0x9B, 0x9B);
constexpr COLORREF Bialy = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF Oliwkowy = RGB(0x96, 0xB0, 0x05);

struct Kontrolka {
    const char* nazwa;
    Rodzaj rodzaj;
    std::function<HWND(const testy::Okna&)> uchwyt;
    int x, y, szerokosc, wysokosc;  // 0 x 0: fits its text
    const wchar_t* czcionka;        // family, for labels and lists
    int wysokosc_czcionki;
    COLORREF tekst, tlo;     // for images: the picture's background
    bool wg_tekstu = false;  // a label fitting its text: the table's size where the font exists
    int obraz = -1;          // for pictures: the index in ProWynIkony
    const char* nazwa_dostepna = nullptr;  // for image buttons: the name a screen reader reads
};

int CALLBACK Znaleziona(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM l) {
    *reinterpret_cast<bool*>(l) = true;
    return 0;
}

bool RodzinaIstnieje(const wchar_t* rodzina) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, rodzina, LF_FACESIZE);
    bool jest = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &lf, &Znaleziona, reinterpret_cast<LPARAM>(&jest), 0);
    ReleaseDC(nullptr, dc);
    return jest;
}

// MinGW's liboleacc resolves IID_IAccessible to an import stub: our own copy.
const IID IidIAccessible = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// The name the system's standard accessible object gives a control. Wine 8
// names a window by its text, but reports the role "client" for every window
// and no states, so the push-button role and the check list rows' ticks can
// be read only on Windows.
std::string NazwaDostepna(HWND h) {
    Microsoft::WRL::ComPtr<IAccessible> obiekt;
    if (FAILED(AccessibleObjectFromWindow(h, static_cast<DWORD>(OBJID_CLIENT), IidIAccessible,
                                          reinterpret_cast<void**>(obiekt.GetAddressOf())))) {
        return "(brak obiektu)";
    }
    VARIANT ja{};
    ja.vt = VT_I4;
    ja.lVal = CHILDID_SELF;
    BSTR nazwa = nullptr;
    obiekt->get_accName(ja, &nazwa);
    std::string wynik = nazwa != nullptr ? Waski(nazwa) : "";
    SysFreeString(nazwa);
    return wynik;
}

// The text extent of a label in its own font.
SIZE RozmiarTekstu(HWND etykieta) {
    const std::wstring tekst = Szeroki(ui::TekstOkna(etykieta));
    HDC dc = GetDC(etykieta);
    const HGDIOBJ poprzedni =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(etykieta, WM_GETFONT, 0, 0)));
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, tekst.c_str(), static_cast<int>(tekst.size()), &r,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, poprzedni);
    ReleaseDC(etykieta, dc);
    return {r.right, r.bottom};
}

void Sprawdz(const testy::Okna& okna, const Kontrolka& k) {
    SCOPED_TRACE(k.nazwa);
    const HWND h = k.uchwyt(okna);
    ASSERT_TRUE(IsWindow(h));
    const RECT r = testy::PolozenieWRodzicu(h);
    EXPECT_EQ(r.left, k.x);
    EXPECT_EQ(r.top, k.y);
    if (k.szerokosc == 0 || k.wg_tekstu) {
        const SIZE tekst = RozmiarTekstu(h);
        EXPECT_GT(tekst.cx, 0);
        EXPECT_EQ(r.right - r.left, tekst.cx);
        EXPECT_EQ(r.bottom - r.top, tekst.cy);
        if (k.wg_tekstu && RodzinaIstnieje(k.czcionka)) {
            EXPECT_EQ(r.right - r.left, k.szerokosc);
            EXPECT_EQ(r.bottom - r.top, k.wysokosc);
        }
    } else {
        EXPECT_EQ(r.right - r.left, k.szerokosc);
        EXPECT_EQ(r.bottom - r.top, k.wysokosc);
    }
    if (k.czcionka != nullptr && k.rodzaj != Rodzaj::Opis) {
        const LOGFONTW lf = testy::CzcionkaKontrolki(h);
        EXPECT_STREQ(lf.lfFaceName, k.czcionka);
        EXPECT_EQ(lf.lfHeight, -k.wysokosc_czcionki);
    }
    switch (k.rodzaj) {
        case Rodzaj::Etykieta: {
            const auto b = testy::BarwyKontrolki(h);
            EXPECT_EQ(b.tekst, k.tekst);
            EXPECT_EQ(b.tlo, k.tlo);
            EXPECT_EQ(b.pedzel, k.tlo);
            break;
        }
        case Rodzaj::Ksztalt: {
            EXPECT_EQ(testy::BarwyKontrolki(h).pedzel, k.tlo);
            const auto o = testy::Odrysuj(h);
            ASSERT_EQ(o.szerokosc, k.szerokosc);
            EXPECT_EQ(o.Piksel(1, 1), k.tlo);
            EXPECT_EQ(o.Piksel(k.szerokosc - 1, k.wysokosc - 1), k.tlo);
            break;
        }
        case Rodzaj::Obrazek: {
            // The button as it paints itself: its picture only.
            const auto o = testy::Odrysuj(h);
            EXPECT_EQ(o.szerokosc, k.szerokosc);
            EXPECT_EQ(o.wysokosc, k.wysokosc);
            EXPECT_EQ(o.Piksel(0, 0), k.tlo);
            EXPECT_TRUE(o.Zawiera(k.tekst)) << "the words are drawn";
            EXPECT_EQ(NazwaDostepna(h), k.nazwa_dostepna);
            EXPECT_FALSE(GetWindowLongPtrW(h, GWL_STYLE) & WS_TABSTOP);
            break;
        }
        case Rodzaj::Lista: {
            const auto b = testy::BarwyKontrolki(h, WM_CTLCOLORLISTBOX);
            EXPECT_EQ(b.tekst, k.tekst);
            EXPECT_EQ(b.pedzel, k.tlo);
            const auto o = testy::Odrysuj(h);
            EXPECT_EQ(o.Piksel(o.szerokosc - 30, 2), k.tlo);
            EXPECT_TRUE(o.Zawiera(k.tekst)) << "rows are written in the list's colour";
            break;
        }
        case Rodzaj::Drzewo: {
            EXPECT_EQ(TreeView_GetTextColor(h), k.tekst);
            EXPECT_EQ(TreeView_GetBkColor(h), k.tlo);
            EXPECT_EQ(TreeView_GetIndent(h), 22u);
            const HIMAGELIST ikony = TreeView_GetImageList(h, TVSIL_NORMAL);
            EXPECT_EQ(ImageList_GetImageCount(ikony), 4);
            int cx = 0, cy = 0;
            ImageList_GetIconSize(ikony, &cx, &cy);
            EXPECT_EQ(cx, 16);
            EXPECT_EQ(cy, 16);
            const auto styl = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE));
            EXPECT_TRUE(styl & TVS_HASLINES);
            EXPECT_TRUE(styl & TVS_HASBUTTONS);
            EXPECT_FALSE(styl & TVS_EDITLABELS) << "read-only";
            EXPECT_FALSE(styl & WS_BORDER);
            break;
        }
        case Rodzaj::Opis: {
            CHARFORMAT2W f{};
            f.cbSize = sizeof f;
            SendMessageW(h, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&f));
            EXPECT_EQ(f.crTextColor, k.tekst);
            // The rich edit keeps its font as a character format, in twips.
            EXPECT_STREQ(f.szFaceName, k.czcionka);
            HDC ekran = GetDC(nullptr);
            EXPECT_EQ(f.yHeight, k.wysokosc_czcionki * 1440 / GetDeviceCaps(ekran, LOGPIXELSY));
            ReleaseDC(nullptr, ekran);
            const auto styl = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE));
            EXPECT_TRUE(styl & ES_READONLY);
            EXPECT_TRUE(styl & ES_MULTILINE);
            EXPECT_FALSE(styl & (WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL | WS_BORDER));
            break;
        }
        case Rodzaj::Rysunek: {
            // The picture of ProWynIkony, unscaled at the top left, on white.
            HDC dc = CreateCompatibleDC(nullptr);
            HBITMAP wzor = CreateBitmap(25, 25, 1, 32, nullptr);
            const HGDIOBJ poprzedni = SelectObject(dc, wzor);
            RECT calosc{0, 0, 25, 25};
            FillRect(dc, &calosc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            ImageList_Draw(okna.okno_wyn->ProWynIkony.get(), k.obraz, dc, 0, 0, ILD_NORMAL);
            SelectObject(dc, poprzedni);
            DeleteDC(dc);
            const auto oczekiwany = testy::Pobierz(wzor);
            DeleteObject(wzor);
            const auto o = testy::Odrysuj(h);
            EXPECT_EQ(o.piksele, oczekiwany.piksele);
            EXPECT_EQ(o.Piksel(20, 20), Bialy);
            break;
        }
    }
}

#define UCHWYT(okno, pole) [](const testy::Okna& o) { return o.okno->pole; }

const Kontrolka OknoWyboru[] = {
    {"clbAplikacje", Rodzaj::Lista,
     [](const testy::Okna& o) { return o.okno_app->clbAplikacje.Uchwyt(); }, 15, 215, 458, 160,
     L"Verdana", 13, Grafitowy, Bialy},
    {"lbNrWersji", Rodzaj::Etykieta, UCHWYT(okno_app, lbNrWersji), 15, 432, 0, 0, L"Verdana", 12,
     Szary, Bialy},
    {"lbSystem", Rodzaj::Etykieta, UCHWYT(okno_app, lbSystem), 15, 95, 0, 0, L"Verdana", 13, Bialy,
     Niebieski},
    {"lbPlatforma", Rodzaj::Etykieta, UCHWYT(okno_app, lbPlatforma), 15, 115, 0, 0, L"Verdana", 13,
     Bialy, Niebieski},
    {"lbAdmin", Rodzaj::Etykieta, UCHWYT(okno_app, lbAdmin), 15, 135, 0, 0, L"Verdana", 13, Bialy,
     Niebieski},
    {"lbUac", Rodzaj::Etykieta, UCHWYT(okno_app, lbUac), 15, 155, 0, 0, L"Verdana", 13, Bialy,
     Niebieski},
    {"shTloNaglowek", Rodzaj::Ksztalt, UCHWYT(okno_app, shTloNaglowek), 0, 0, 737, 185, nullptr, 0,
     Niebieski, Niebieski},
    {"lbTytul", Rodzaj::Etykieta, UCHWYT(okno_app, lbTytul), 15, 5, 0, 0, L"Source Sans Pro Light",
     25, Bialy, Niebieski},
    {"lbOrleko", Rodzaj::Etykieta, UCHWYT(okno_app, lbOrleko), 304, 432, 0, 0, L"Verdana", 12,
     Szary, Bialy},
    {"lbPodpowiedz", Rodzaj::Etykieta, UCHWYT(okno_app, lbPodpowiedz), 15, 190, 0, 0, L"Verdana",
     15, Grafitowy, Bialy},
    {"imZamknij", Rodzaj::Obrazek, UCHWYT(okno_app, imZamknij), 512, 352, 153, 67, nullptr, 0,
     Bialy, Oliwkowy, false, -1, "Zamknij"},
    {"imSprawdz", Rodzaj::Obrazek, UCHWYT(okno_app, imSprawdz), 512, 264, 153, 67, nullptr, 0,
     Bialy, Oliwkowy, false, -1, "Sprawdź"},
    {"imZaznaczW", Rodzaj::Obrazek, UCHWYT(okno_app, imZaznaczW), 15, 400, 137, 20, nullptr, 0,
     Bialy, Oliwkowy, false, -1, "Zaznacz wszystkie"},
};

const Kontrolka OknoWyniku[] = {
    {"treeWyn", Rodzaj::Drzewo, UCHWYT(okno_wyn, treeWyn), 16, 105, 425, 272, L"Verdana", 13,
     Grafitowy, Bialy},
    {"shTloNaglowek", Rodzaj::Ksztalt, UCHWYT(okno_wyn, shTloNaglowek), 0, 0, 737, 65, nullptr, 0,
     Niebieski, Niebieski},
    {"lbTytul", Rodzaj::Etykieta, UCHWYT(okno_wyn, lbTytul), 16, 15, 66, 32,
     L"Source Sans Pro Light", 25, Bialy, Niebieski, true},
    {"lbOrleko", Rodzaj::Etykieta, UCHWYT(okno_wyn, lbOrleko), 304, 432, 372, 14, L"Verdana", 12,
     Szary, Bialy},
    {"lbPodpowiedz", Rodzaj::Etykieta, UCHWYT(okno_wyn, lbPodpowiedz), 13, 71, 397, 18, L"Verdana",
     15, Grafitowy, Bialy, true},
    {"imRaport", Rodzaj::Obrazek, UCHWYT(okno_wyn, imRaport), 512, 264, 153, 67, nullptr, 0, Bialy,
     Oliwkowy, false, -1, "Zapisz raport"},
    {"imZamknij", Rodzaj::Obrazek, UCHWYT(okno_wyn, imZamknij), 512, 352, 153, 67, nullptr, 0,
     Bialy, Oliwkowy, false, -1, "Zamknij"},
    {"reOpis", Rodzaj::Opis, UCHWYT(okno_wyn, reOpis), 464, 105, 200, 100, L"Verdana", 13,
     Grafitowy, Bialy},
    {"imPodpow", Rodzaj::Obrazek, UCHWYT(okno_wyn, imPodpow), 15, 400, 116, 20, nullptr, 0, Bialy,
     Oliwkowy, false, -1, "Pokaż legendę"},
};

const Kontrolka OknoLegendy[] = {
    {"imZamknij", Rodzaj::Obrazek, UCHWYT(okno_leg, imZamknij), 313, 222, 153, 67, nullptr, 0,
     Bialy, Oliwkowy, false, -1, "Zamknij"},
    {"shTloNaglowek", Rodzaj::Ksztalt, UCHWYT(okno_leg, shTloNaglowek), 0, 0, 500, 65, nullptr, 0,
     Niebieski, Niebieski},
    {"lbTytul", Rodzaj::Etykieta, UCHWYT(okno_leg, lbTytul), 15, 5, 92, 32,
     L"Source Sans Pro Light", 25, Bialy, Niebieski, true},
    {"imIkonaOk", Rodzaj::Rysunek, UCHWYT(okno_leg, imIkonaOk), 16, 112, 25, 25, nullptr, 0, 0, 0,
     false, 1},
    {"imIkonaBrak", Rodzaj::Rysunek, UCHWYT(okno_leg, imIkonaBrak), 16, 144, 25, 25, nullptr, 0, 0,
     0, false, 2},
    {"imIkonaApp", Rodzaj::Rysunek, UCHWYT(okno_leg, imIkonaApp), 16, 80, 25, 25, nullptr, 0, 0, 0,
     false, 0},
    {"lbIkonaApp", Rodzaj::Etykieta, UCHWYT(okno_leg, lbIkonaApp), 40, 78, 409, 18, L"Verdana", 15,
     Grafitowy, Bialy, true},
    {"lbIkonaOK", Rodzaj::Etykieta, UCHWYT(okno_leg, lbIkonaOK), 40, 110, 366, 18, L"Verdana", 15,
     Grafitowy, Bialy, true},
    {"lbIkonaBrak", Rodzaj::Etykieta, UCHWYT(okno_leg, lbIkonaBrak), 40, 142, 345, 18, L"Verdana",
     15, Grafitowy, Bialy, true},
};

struct Uklad : testing::Test {
    SymulowanaMaszyna m;
    testy::Okna okna{m};
    Uklad() { okna.Utworz(); }
};

struct Forma {
    const char* nazwa;
    std::function<HWND(const testy::Okna&)> uchwyt;
    int szerokosc, wysokosc;
    bool minimalizuj, maksymalizuj;
};

TEST_F(Uklad, Formy) {
    const Forma formy[] = {
        {"ProOknoApp", [](const testy::Okna& o) { return o.okno_app->Uchwyt(); }, 682, 455, true,
         false},
        {"ProOknoWyn", [](const testy::Okna& o) { return o.okno_wyn->Uchwyt(); }, 682, 455, true,
         true},
        {"ProOknoLeg", [](const testy::Okna& o) { return o.okno_leg->Uchwyt(); }, 482, 305, false,
         false},
    };
    for (const auto& f : formy) {
        SCOPED_TRACE(f.nazwa);
        const HWND h = f.uchwyt(okna);
        RECT r{};
        GetClientRect(h, &r);
        EXPECT_EQ(r.right, f.szerokosc);
        EXPECT_EQ(r.bottom, f.wysokosc);
        const auto styl = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE));
        EXPECT_TRUE(styl & WS_SYSMENU);
        EXPECT_FALSE(styl & WS_THICKFRAME) << "fixed size";
        EXPECT_EQ((styl & WS_MINIMIZEBOX) != 0, f.minimalizuj);
        EXPECT_EQ((styl & WS_MAXIMIZEBOX) != 0, f.maksymalizuj);
        EXPECT_EQ(ui::TekstOkna(h), "Probierator");
        EXPECT_NE(SendMessageW(h, WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_NE(SendMessageW(h, WM_GETICON, ICON_SMALL, 0), 0);
        EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrW(h, GCLP_HBRBACKGROUND)),
                  GetStockObject(WHITE_BRUSH));
        EXPECT_FALSE(IsWindowVisible(h)) << "created hidden";
    }
}

TEST_F(Uklad, OknoWyboru) {
    for (const auto& k : OknoWyboru) Sprawdz(okna, k);
}

TEST_F(Uklad, OknoWynikuPoOdswiezeniu) {
    okna.okno_wyn->OdswiezWynik();  // the colours are set at every showing
    for (const auto& k : OknoWyniku) Sprawdz(okna, k);
    // Tab order: the tree, then the description; nothing else.
    std::vector<HWND> przystanki;
    for (HWND h = GetWindow(okna.okno_wyn->Uchwyt(), GW_CHILD); h != nullptr;
         h = GetWindow(h, GW_HWNDNEXT)) {
        if (GetWindowLongPtrW(h, GWL_STYLE) & WS_TABSTOP) przystanki.push_back(h);
    }
    EXPECT_EQ(przystanki, (std::vector<HWND>{okna.okno_wyn->treeWyn, okna.okno_wyn->reOpis}));
}

TEST_F(Uklad, OknoLegendy) {
    for (const auto& k : OknoLegendy) Sprawdz(okna, k);
}

TEST_F(Uklad, ListaWyboru) {
    const HWND lista = okna.okno_app->clbAplikacje.Uchwyt();
    RECT wiersz{};
    ListView_GetItemRect(lista, 0, &wiersz, LVIR_BOUNDS);
    EXPECT_EQ(wiersz.bottom - wiersz.top, 16);
    // Check boxes the platform knows of, so that each row's tick is exposed.
    EXPECT_TRUE(ListView_GetExtendedListViewStyle(lista) & LVS_EX_CHECKBOXES);
    const auto styl = static_cast<DWORD>(GetWindowLongPtrW(lista, GWL_STYLE));
    EXPECT_TRUE(styl & WS_VSCROLL);
    EXPECT_FALSE(styl & WS_HSCROLL);
    EXPECT_FALSE(styl & (LVS_SORTASCENDING | LVS_SORTDESCENDING));
    EXPECT_FALSE(styl & WS_BORDER);
    EXPECT_FALSE(GetWindowLongPtrW(lista, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // Ten rows visible, the rest scrolled.
    RECT r{};
    GetClientRect(lista, &r);
    EXPECT_EQ(r.bottom / 16, 10);
    // The only tab stop of the window.
    std::vector<HWND> przystanki;
    for (HWND h = GetWindow(okna.okno_app->Uchwyt(), GW_CHILD); h != nullptr;
         h = GetWindow(h, GW_HWNDNEXT)) {
        if (GetWindowLongPtrW(h, GWL_STYLE) & WS_TABSTOP) przystanki.push_back(h);
    }
    EXPECT_EQ(przystanki, std::vector<HWND>{lista});
}

// The hidden windows get their controls when first shown.
TEST(UkladUkrytych, KontrolkiPrzyPierwszymPokazaniu) {
    SymulowanaMaszyna m;
    testy::Okna okna(m);
    okna.Utworz(false);
    EXPECT_EQ(GetWindow(okna.okno_wyn->Uchwyt(), GW_CHILD), nullptr);
    EXPECT_EQ(GetWindow(okna.okno_leg->Uchwyt(), GW_CHILD), nullptr);
    okna.okno_leg->Pokaz();
    EXPECT_NE(GetWindow(okna.okno_leg->Uchwyt(), GW_CHILD), nullptr);
}

TEST_F(Uklad, OknoWyboruNaSrodkuEkranu) {
    okna.okno_app->Pokaz();
    RECT r{};
    GetWindowRect(okna.okno_app->Uchwyt(), &r);
    EXPECT_LE(std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
}

}  // namespace
}  // namespace pro

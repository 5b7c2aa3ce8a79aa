// Positions, sizes, fonts and colours of every control, read back from the
// real windows and held against the layout tables.
#include <gtest/gtest.h>

#include <functional>

#include "Okna.h"
#include "Pomocnicy.h"
#include "platform/win32/PlatformaWin32.h"

namespace pro {
namespace {

enum class Rodzaj { Etykieta, Ksztalt, Obrazek, Lista };

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
    COLORREF tekst, tlo;            // for images: the picture's background
};

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
    if (k.szerokosc == 0) {
        const SIZE tekst = RozmiarTekstu(h);
        EXPECT_GT(tekst.cx, 0);
        EXPECT_EQ(r.right - r.left, tekst.cx);
        EXPECT_EQ(r.bottom - r.top, tekst.cy);
    } else {
        EXPECT_EQ(r.right - r.left, k.szerokosc);
        EXPECT_EQ(r.bottom - r.top, k.wysokosc);
    }
    if (k.czcionka != nullptr) {
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
            const auto bitmapa =
                reinterpret_cast<HBITMAP>(SendMessageW(h, STM_GETIMAGE, IMAGE_BITMAP, 0));
            ASSERT_NE(bitmapa, nullptr);
            const auto o = testy::Pobierz(bitmapa);
            EXPECT_EQ(o.szerokosc, k.szerokosc);
            EXPECT_EQ(o.wysokosc, k.wysokosc);
            EXPECT_EQ(o.Piksel(0, 0), k.tlo);
            EXPECT_TRUE(o.Zawiera(k.tekst)) << "the words are drawn";
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
     Bialy, Oliwkowy},
    {"imSprawdz", Rodzaj::Obrazek, UCHWYT(okno_app, imSprawdz), 512, 264, 153, 67, nullptr, 0,
     Bialy, Oliwkowy},
    {"imZaznaczW", Rodzaj::Obrazek, UCHWYT(okno_app, imZaznaczW), 15, 400, 137, 20, nullptr, 0,
     Bialy, Oliwkowy},
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

TEST_F(Uklad, ListaWyboru) {
    const HWND lista = okna.okno_app->clbAplikacje.Uchwyt();
    EXPECT_EQ(SendMessageW(lista, LB_GETITEMHEIGHT, 0, 0), 16);
    const auto styl = static_cast<DWORD>(GetWindowLongPtrW(lista, GWL_STYLE));
    EXPECT_TRUE(styl & WS_VSCROLL);
    EXPECT_FALSE(styl & LBS_SORT);
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

TEST_F(Uklad, OknoWyboruNaSrodkuEkranu) {
    okna.okno_app->Pokaz();
    RECT r{};
    GetWindowRect(okna.okno_app->Uchwyt(), &r);
    EXPECT_LE(std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
}

}  // namespace
}  // namespace pro

#include "ui/Rysunki.h"

#include "platform/win32/PlatformaWin32.h"

namespace pro::ui {
namespace {

constexpr int Bok = 16;  // tree icons

Bitmapa UtworzMaske(int rozmiar) {
    return Bitmapa(CreateBitmap(rozmiar, rozmiar, 1, 1, nullptr));
}

// One tree picture: colour and mask, both drawn by `rysuj` on their own DC.
template <typename Rysuj>
void DodajObraz(HIMAGELIST lista, Rysuj&& rysuj) {
    Bitmapa kolor = UtworzBitmape(Bok, Bok, RGB(0, 0, 0));
    Bitmapa maska = UtworzMaske(Bok);
    PamiecioweDc dc_koloru(CreateCompatibleDC(nullptr));
    PamiecioweDc dc_maski(CreateCompatibleDC(nullptr));
    {
        Wybor k(dc_koloru.get(), kolor.get());
        Wybor m(dc_maski.get(), maska.get());
        rysuj(dc_koloru.get(), dc_maski.get());
    }
    ImageList_Add(lista, kolor.get(), maska.get());
}

void Tarcza(HDC kolor, HDC maska, COLORREF barwa) {
    // Mask: white (transparent) around a black (opaque) disc.
    RECT calosc{0, 0, Bok, Bok};
    FillRect(maska, &calosc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    {
        Wybor p(maska, GetStockObject(BLACK_PEN));
        Wybor b(maska, GetStockObject(BLACK_BRUSH));
        Ellipse(maska, 0, 0, Bok, Bok);
    }
    Pedzel pedzel(CreateSolidBrush(barwa));
    const Olowek olowek(CreatePen(PS_SOLID, 1, barwa));
    Wybor p(kolor, olowek.get());
    Wybor b(kolor, pedzel.get());
    Ellipse(kolor, 0, 0, Bok, Bok);
}

void BialeLinie(HDC dc, std::initializer_list<std::initializer_list<POINT>> linie) {
    const Olowek olowek(CreatePen(PS_SOLID, 2, Bialy));
    Wybor p(dc, olowek.get());
    for (const auto& linia : linie) Polyline(dc, linia.begin(), static_cast<int>(linia.size()));
}

}  // namespace

Czcionka UtworzCzcionke(const wchar_t* rodzina, int wysokosc, int waga) {
    LOGFONTW lf{};
    lf.lfHeight = -wysokosc;  // character height, as designed
    lf.lfWeight = waga;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, rodzina, LF_FACESIZE);
    return Czcionka(CreateFontIndirectW(&lf));
}

BITMAPINFO NaglowekBitmapy(int szerokosc, int wysokosc, WORD bity) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = szerokosc;
    bi.bmiHeader.biHeight = -wysokosc;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = bity;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

Bitmapa UtworzBitmape(int szerokosc, int wysokosc, COLORREF tlo) {
    BITMAPINFO bi = NaglowekBitmapy(szerokosc, wysokosc, 24);
    void* bity = nullptr;
    Bitmapa bitmapa(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bity, nullptr, 0));
    PamiecioweDc dc(CreateCompatibleDC(nullptr));
    Wybor w(dc.get(), bitmapa.get());
    Pedzel pedzel(CreateSolidBrush(tlo));
    RECT r{0, 0, szerokosc, wysokosc};
    FillRect(dc.get(), &r, pedzel.get());
    return bitmapa;
}

Bitmapa RysujPrzycisk(int szerokosc, int wysokosc, const std::string& napis,
                      int wysokosc_czcionki) {
    Bitmapa bitmapa = UtworzBitmape(szerokosc, wysokosc, Oliwkowy);
    PamiecioweDc dc(CreateCompatibleDC(nullptr));
    Wybor w(dc.get(), bitmapa.get());
    Czcionka czcionka = UtworzCzcionke(L"Verdana", wysokosc_czcionki, FW_BOLD);
    Wybor c(dc.get(), czcionka.get());
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), Bialy);
    RECT r{0, 0, szerokosc, wysokosc};
    const std::wstring tekst = Szeroki(napis);
    DrawTextW(dc.get(), tekst.c_str(), static_cast<int>(tekst.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return bitmapa;
}

void RysujGodlo(HDC dc, int rozmiar) {
    RECT r{0, 0, rozmiar, rozmiar};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    // Two parallel strokes leaning right: dark blue, then light blue.
    const auto s = [rozmiar](int ulamek_na_16) { return ulamek_na_16 * rozmiar / 16; };
    const struct {
        COLORREF barwa;
        int przesuniecie;
    } kreski[] = {{RGB(0x1E, 0x3A, 0x8A), 0}, {RGB(0x4F, 0xB0, 0xF0), 5}};
    for (const auto& k : kreski) {
        const POINT wierzcholki[] = {{s(1 + k.przesuniecie), s(15)},
                                     {s(6 + k.przesuniecie), s(1)},
                                     {s(10 + k.przesuniecie), s(1)},
                                     {s(5 + k.przesuniecie), s(15)}};
        Pedzel pedzel(CreateSolidBrush(k.barwa));
        Wybor p(dc, GetStockObject(NULL_PEN));
        Wybor b(dc, pedzel.get());
        Polygon(dc, wierzcholki, 4);
    }
}

ListaObrazow UtworzIkonyWyniku() {
    ListaObrazow lista(ImageList_Create(Bok, Bok, ILC_COLOR24 | ILC_MASK, 4, 0));
    DodajObraz(lista.get(), [](HDC kolor, HDC maska) {
        RysujGodlo(kolor, Bok);
        RECT r{0, 0, Bok, Bok};
        FillRect(maska, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));  // opaque
    });
    DodajObraz(lista.get(), [](HDC kolor, HDC maska) {
        Tarcza(kolor, maska, RGB(0x2E, 0xA0, 0x3C));
        BialeLinie(kolor, {{{4, 8}, {7, 11}, {12, 5}}});
    });
    DodajObraz(lista.get(), [](HDC kolor, HDC maska) {
        Tarcza(kolor, maska, RGB(0xD8, 0x23, 0x23));
        BialeLinie(kolor, {{{5, 5}, {11, 11}}, {{11, 5}, {5, 11}}});
    });
    DodajObraz(lista.get(), [](HDC kolor, HDC maska) {
        Tarcza(kolor, maska, RGB(0xF2, 0xC2, 0x0F));
        BialeLinie(kolor, {{{5, 6}, {5, 4}, {7, 3}, {10, 3}, {11, 5}, {11, 6}, {8, 8}, {8, 10}},
                           {{8, 12}, {8, 14}}});
    });
    return lista;
}

Ikona UtworzIkoneProgramu(int rozmiar) {
    Bitmapa kolor = UtworzBitmape(rozmiar, rozmiar, Bialy);
    Bitmapa maska = UtworzMaske(rozmiar);
    {
        PamiecioweDc dc(CreateCompatibleDC(nullptr));
        Wybor w(dc.get(), kolor.get());
        RysujGodlo(dc.get(), rozmiar);
        PamiecioweDc dc_maski(CreateCompatibleDC(nullptr));
        Wybor m(dc_maski.get(), maska.get());
        RECT r{0, 0, rozmiar, rozmiar};
        FillRect(dc_maski.get(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = maska.get();
    info.hbmColor = kolor.get();
    return Ikona(CreateIconIndirect(&info));  // copies both bitmaps
}

}  // namespace pro::ui

#include "ui/Probierator_wyn.h"

#include <richedit.h>

#include <exception>

#include "catalogue/Katalog.h"
#include "catalogue/Raport.h"
#include "platform/win32/PlatformaWin32.h"
#include "platform/win32/leniwe/ZSystemu.h"
#include "ui/Probierator_app.h"
#include "ui/Probierator_leg.h"
#include "ui/Rysunki.h"

namespace pro::ui {
namespace {

constexpr COLORREF Srebrny = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF Szary = RGB(0x80, 0x80, 0x80);
constexpr COLORREF Czarny = RGB(0, 0, 0);

}  // namespace

TProOknoWyn::TProOknoWyn(Aplikacja& aplikacja) : Okno(aplikacja) {
    app_.ProOknoWyn = this;
    const HWND glowne = app_.ProOknoApp != nullptr ? app_.ProOknoApp->Uchwyt() : nullptr;
    UtworzForme({Klasa, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                 682, 455, glowne});
    SetWindowTextW(Uchwyt(), L"Wynik");
    InfoZapiszJako.wlasciciel = Uchwyt();
    InfoZapiszJako.filtr = "Raporty spisatora|*.sps|Pliki tekstowe|*.txt|Wszystkie pliki|*.*";
    InfoZapiszJako.indeks_filtru = 1;
    DodajKlawisz(VK_RETURN, 0, [this] { treeWynDblClick(); });
    DodajKlawisz('S', FCONTROL, [this] { imRaportClick(); });
    DodajKlawisz(VK_F1, 0, [this] { imPodpowClick(); });
    DodajKlawisz(VK_ESCAPE, 0, [this] { imZamknijClick(); });
    app_.Chron([this] { FormCreate(); });
}

// Made at the first showing: until then the window is never seen, and the
// program starts without its controls, their fonts and pictures, and the
// rich edit's library.
void TProOknoWyn::UtworzKontrolki() {
    const HWND okno = Uchwyt();
    const HINSTANCE instancja = GetModuleHandleW(nullptr);
    ZaladujZawczasu(Droga::OknoWyniku);
    ProWynIkony = UtworzIkonyWyniku();
    verdana12_ = UtworzCzcionke(L"Verdana", 12);
    verdana13_ = UtworzCzcionke(L"Verdana", 13);
    verdana15_ = UtworzCzcionke(L"Verdana", 15);
    tytulowa_ = UtworzCzcionke(L"Source Sans Pro Light", 25);

    lbTytul = DodajEtykiete(16, 15, tytulowa_.get(), "Wynik:");
    shTloNaglowek = DodajKsztalt(0, 0, 737, 65, Srebrny);
    // Tab order: the tree first, the description second.
    treeWyn = CreateWindowExW(
        0, WC_TREEVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, 16,
        105, 425, 272, okno, nullptr, instancja, nullptr);
    SendMessageW(treeWyn, WM_SETFONT, reinterpret_cast<WPARAM>(verdana13_.get()), FALSE);
    UstawFokusPoczatkowy(treeWyn);
    TreeView_SetImageList(treeWyn, ProWynIkony.get(), TVSIL_NORMAL);
    TreeView_SetIndent(treeWyn, 22);
    TreeView_SetBkColor(treeWyn, Bialy);
    TreeView_SetTextColor(treeWyn, Czarny);
    // A double click anywhere in the tree, also below the last node, acts
    // on the selected node; the tree view's own notification comes only on
    // a node.
    SetWindowLongPtrW(treeWyn, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    procedura_drzewa_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        treeWyn, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TProOknoWyn::PodklasaDrzewa)));
    // The notice keeps its designed width; the other labels fit their text.
    lbOrleko = DodajEtykiete(304, 432, verdana12_.get(), NotaProducenta, 372, 14);
    lbPodpowiedz = DodajEtykiete(13, 71, verdana15_.get(),
                                 "Zaznacz wybraną pozycję aby dowiedzieć się więcej.");
    imRaport = DodajPrzycisk(512, 264, 153, 67, "Zapisz raport",
                             RysujPrzycisk(153, 67, "Zapisz raport", 18),
                             "Zapisz raport do pliku (Ctrl+S)", [this] { imRaportClick(); });
    imZamknij = DodajPrzycisk(512, 352, 153, 67, "Zamknij", RysujPrzycisk(153, 67, "Zamknij", 20),
                              "Zamknij wyniki (Esc)", [this] { imZamknijClick(); });
    reOpis = CreateWindowExW(0, MSFTEDIT_CLASS, L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_READONLY, 464,
                             105, 200, 100, okno, nullptr, instancja, nullptr);
    SendMessageW(reOpis, WM_SETFONT, reinterpret_cast<WPARAM>(verdana13_.get()), FALSE);
    SendMessageW(reOpis, EM_SETBKGNDCOLOR, 0, Bialy);
    imPodpow = DodajPrzycisk(15, 400, 116, 20, "Pokaż legendę",
                             RysujPrzycisk(116, 20, "Pokaż legendę >", 11), "Pokaż legendę (F1)",
                             [this] { imPodpowClick(); });

    // Design-time colours, until the first showing recolours.
    UstawBarwy(lbTytul, Bialy, Srebrny);
    UstawBarwy(lbPodpowiedz, Czarny, Bialy);
    UstawBarwy(lbOrleko, Szary, Bialy);
}

void TProOknoWyn::FormCreate() {
    SetWindowTextW(Uchwyt(), L"Probierator");
}

void TProOknoWyn::OnPokazanie() {
    FormActivate();
    if (TreeView_GetSelection(treeWyn) != nullptr) SetFocus(treeWyn);
}

void TProOknoWyn::FormActivate() {
    OdswiezWynik();
}

void TProOknoWyn::OdswiezWynik() {
    // 1. Colours.
    UstawBarwy(shTloNaglowek, Niebieski, Niebieski);
    UstawBarwy(lbTytul, Bialy, Niebieski);
    UstawBarwy(lbPodpowiedz, Grafitowy, Bialy);
    TreeView_SetTextColor(treeWyn, Grafitowy);
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = Grafitowy;
    SendMessageW(reOpis, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageW(reOpis, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    UstawBarwy(lbOrleko, SzaryStopki, Bialy);
    // 2.-3. An empty description and tree (the view first: its nodes point
    // into the model).
    UstawOpis("");
    TreeView_DeleteAllItems(treeWyn);
    drzewo_.Wyczysc();
    // 4. A branch per ticked row, in ascending order; the count is read
    // again at every step.
    std::exception_ptr blad;
    try {
        const ListaWyboru& lista = app_.ProOknoApp->clbAplikacje;
        for (int i = 0; i < lista.Liczba(); ++i) {
            if (!lista.Zaznaczony(i)) continue;
            app_.katalog.Aplikacje.at(static_cast<std::size_t>(i))
                .SprawdzAplikacje(drzewo_, app_.katalog, app_.platforma);
        }
    } catch (...) {
        blad = std::current_exception();
    }
    // What was built stays, also when a detection raised.
    Odwzoruj();
    if (blad) std::rethrow_exception(blad);
    // 5. The first application, whose description is empty.
    const HTREEITEM pierwszy = TreeView_GetRoot(treeWyn);
    if (pierwszy != nullptr) TreeView_SelectItem(treeWyn, pierwszy);
}

void TProOknoWyn::Odwzoruj() {
    const auto wstaw = [this](HTREEITEM rodzic, const WezelWyniku& wezel) {
        const std::wstring tekst = Szeroki(wezel.Tekst);
        TVINSERTSTRUCTW wstawka{};
        wstawka.hParent = rodzic;
        wstawka.hInsertAfter = TVI_LAST;
        wstawka.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        wstawka.item.pszText = const_cast<wchar_t*>(tekst.c_str());
        wstawka.item.iImage = wezel.Obraz;
        wstawka.item.iSelectedImage = wezel.ObrazWybrany;
        wstawka.item.lParam = reinterpret_cast<LPARAM>(&wezel);
        return TreeView_InsertItem(treeWyn, &wstawka);
    };
    for (const auto& korzen : drzewo_.Korzenie()) {
        const HTREEITEM galaz = wstaw(TVI_ROOT, *korzen);
        for (const auto& dziecko : korzen->Dzieci) wstaw(galaz, *dziecko);
        if (korzen->Rozwiniety) TreeView_Expand(treeWyn, galaz, TVE_EXPAND);
    }
}

const WezelWyniku* TProOknoWyn::Dane(HTREEITEM wezel) const {
    TVITEMW element{};
    element.mask = TVIF_PARAM | TVIF_HANDLE;
    element.hItem = wezel;
    if (!TreeView_GetItem(treeWyn, &element)) return nullptr;
    return reinterpret_cast<const WezelWyniku*>(element.lParam);
}

void TProOknoWyn::UstawOpis(const char* tekst) {
    SetWindowTextW(reOpis, Szeroki(tekst).c_str());
}

void TProOknoWyn::PokazOpis(HTREEITEM wezel) {
    UstawOpis("");
    if (wezel == nullptr) return;
    if (TreeView_GetParent(treeWyn, wezel) == nullptr) return;  // an application
    const WezelWyniku* dane = Dane(wezel);
    if (dane == nullptr || !dane->MaDane()) return;
    UstawOpis(NieSpelnia(dane->Stan)
                  ? "Komponent nie spełnia wymagań programowych. Dowiedz się jakie są wymagania "
                    "dla tego programu klikając go dwukrotnie."
                  : "Komponent spełnia wymagania programowe.");
}

void TProOknoWyn::treeWynChange(HTREEITEM wezel) {
    PokazOpis(wezel);
}

void TProOknoWyn::treeWynDblClick() {
    const HTREEITEM wezel = TreeView_GetSelection(treeWyn);
    if (wezel == nullptr) return;
    const WezelWyniku* dane = Dane(wezel);
    if (dane == nullptr || !dane->MaDane()) return;
    const HTREEITEM rodzic = TreeView_GetParent(treeWyn, wezel);
    if (rodzic == nullptr) {
        if (dane->Aplikacja != nullptr) app_.platforma.OtworzAdres(dane->Aplikacja->Adres);
        return;
    }
    if (TreeView_GetParent(treeWyn, rodzic) != nullptr || dane->Komponent == nullptr) return;
    if (!dane->Komponent->Adres.empty()) {
        app_.platforma.OtworzAdres(dane->Komponent->Adres);
        return;
    }
    const WezelWyniku* aplikacja = Dane(rodzic);
    if (aplikacja != nullptr && aplikacja->Aplikacja != nullptr) {
        app_.platforma.OtworzAdres(aplikacja->Aplikacja->Adres);
    }
}

LRESULT TProOknoWyn::OnPowiadomienie(const NMHDR& naglowek) {
    if (naglowek.hwndFrom != treeWyn) return 0;
    switch (naglowek.code) {
        case TVN_SELCHANGEDW:
            treeWynChange(reinterpret_cast<const NMTREEVIEWW&>(naglowek).itemNew.hItem);
            return 0;
        default: return 0;
    }
}

LRESULT CALLBACK TProOknoWyn::PodklasaDrzewa(HWND hwnd, UINT komunikat, WPARAM w, LPARAM l) {
    auto* okno = reinterpret_cast<TProOknoWyn*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (komunikat == WM_LBUTTONDBLCLK) okno->app_.Chron([okno] { okno->treeWynDblClick(); });
    // The tree view still expands or collapses a node.
    return CallWindowProcW(okno->procedura_drzewa_, hwnd, komunikat, w, l);
}

void TProOknoWyn::imZamknijClick() {
    Zamknij();
}

void TProOknoWyn::imRaportClick() {
    ZapiszRaport();
}

// Asks where to save the report, writes it and says how that went. The
// report copies what the selection window shows and the tree as it is.
void TProOknoWyn::ZapiszRaport() {
    if (app_.ProOknoApp == nullptr) return;
    Platforma& platforma = app_.platforma;
    InfoZapiszJako.nazwa_pliku = NazwaRaportu(platforma.KrotkaData(platforma.Teraz()));
    const auto sciezka = app_.dialogi.DialogZapisu(InfoZapiszJako);
    if (!sciezka || sciezka->empty()) return;

    bool zapisany = false;
    try {
        // The whole text first: a failure while building touches no file.
        const TProOknoApp& wybor = *app_.ProOknoApp;
        NaglowekRaportu naglowek;
        naglowek.wersja = WersjaPliku(platforma, platforma.SciezkaProgramu());
        naglowek.data_czas = DataCzasRaportu(platforma, platforma.Teraz());
        naglowek.podsumowanie = {TekstOkna(wybor.lbSystem), TekstOkna(wybor.lbPlatforma),
                                 TekstOkna(wybor.lbAdmin), TekstOkna(wybor.lbUac)};
        zapisany = platforma.ZapiszPlik(*sciezka, BajtyRaportu(TrescRaportu(naglowek, drzewo_)));
    } catch (...) {
        zapisany = false;
    }
    if (zapisany) {
        app_.dialogi.Komunikat("Utworzono raport: " + *sciezka + ".", "Probierator",
                               MB_OK | MB_ICONINFORMATION);
    } else {
        app_.dialogi.Komunikat("Utworzenie raportu nie powiodło się.", "Probierator - błąd!",
                               MB_OK | MB_ICONEXCLAMATION);
    }
}

void TProOknoWyn::imPodpowClick() {
    if (app_.ProOknoLeg != nullptr) app_.ProOknoLeg->PokazModalnie();
}

}  // namespace pro::ui

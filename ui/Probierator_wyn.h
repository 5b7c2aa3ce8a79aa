#pragma once
// The results window: the verdict tree of the ticked applications, the
// description of the selected node, the report command (the save dialog, the
// file, the outcome told), the legend.

#include "catalogue/DrzewoWyniku.h"
#include "ui/Dialogi.h"
#include "ui/Okno.h"

namespace pro::ui {

class TProOknoWyn : public Okno {
public:
    static constexpr const wchar_t* Klasa = L"TProOknoWyn";

    explicit TProOknoWyn(Aplikacja& aplikacja);

    HWND treeWyn = nullptr;
    ListaObrazow ProWynIkony;
    HWND shTloNaglowek = nullptr;
    HWND lbTytul = nullptr;
    HWND lbOrleko = nullptr;
    HWND lbPodpowiedz = nullptr;
    HWND imRaport = nullptr;
    HWND imZamknij = nullptr;
    HWND reOpis = nullptr;
    ParametryZapisu InfoZapiszJako;  // the report's save dialog
    HWND imPodpow = nullptr;

    void FormCreate();
    void FormActivate();
    void imZamknijClick();
    void imRaportClick();
    void ZapiszRaport();
    void treeWynChange(HTREEITEM wezel);
    void treeWynDblClick();
    void imPodpowClick();

    void OdswiezWynik();
    void PokazOpis(HTREEITEM wezel);

    // The result the tree view mirrors; the report reads it.
    const DrzewoWyniku& Drzewo() const { return drzewo_; }

protected:
    void UtworzKontrolki() override;
    void OnPokazanie() override;
    LRESULT OnPowiadomienie(const NMHDR& naglowek) override;

private:
    static LRESULT CALLBACK PodklasaDrzewa(HWND hwnd, UINT komunikat, WPARAM w, LPARAM l);
    void Odwzoruj();
    void UstawOpis(const char* tekst);
    const WezelWyniku* Dane(HTREEITEM wezel) const;

    Czcionka verdana12_, verdana13_, verdana15_, tytulowa_;
    DrzewoWyniku drzewo_;
    WNDPROC procedura_drzewa_ = nullptr;
};

}  // namespace pro::ui

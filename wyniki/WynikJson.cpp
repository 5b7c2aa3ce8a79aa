#include "wyniki/WynikJson.h"

#include <cstdio>

#include "catalogue/Proaplikacja.h"

namespace pro {
namespace {

std::string JsonTekst(const std::string& tekst) {
    std::string wynik = "\"";
    for (char znak : tekst) {
        const auto z = static_cast<unsigned char>(znak);
        if (znak == '"' || znak == '\\') {
            wynik += '\\';
            wynik += znak;
        } else if (z < 0x20) {
            char kod[8];
            std::snprintf(kod, sizeof kod, "\\u%04x", z);
            wynik += kod;
        } else {
            wynik += znak;
        }
    }
    return wynik + "\"";
}

}  // namespace

std::string WynikJson(const DaneKomputera& k, const DrzewoWyniku& drzewo) {
    std::string j = "{\n";
    j += "  \"format\": " + std::to_string(FormatWynikuJson) + ",\n";
    j += "  \"wersja_programu\": " + JsonTekst(k.wersja) + ",\n";
    j += "  \"komputer\": " + JsonTekst(k.komputer) + ",\n";
    j += "  \"czas\": " + JsonTekst(CzasIso(k.czas)) + ",\n";
    j += "  \"system\": " + JsonTekst(k.system) + ",\n";
    j += "  \"wersja_systemu\": " + JsonTekst(k.wersja_systemu) + ",\n";
    j += "  \"typ_produktu\": " +
         (k.typ_produktu ? std::to_string(*k.typ_produktu) : std::string("null")) + ",\n";
    j += "  \"platforma\": " + JsonTekst(k.platforma) + ",\n";
    j += std::string("  \"administrator\": ") + (k.administrator ? "true" : "false") + ",\n";
    j += "  \"uac\": " + JsonTekst(k.uac) + ",\n";
    j += "  \"aplikacje\": [";
    bool pierwsza = true;
    for (const auto& korzen : drzewo.Korzenie()) {
        j += pierwsza ? "\n" : ",\n";
        pierwsza = false;
        const ProAplikacja* a = korzen->Aplikacja;
        j += "    {\n      \"nazwa\": " + JsonTekst(korzen->Tekst) + ",\n";
        j += "      \"kod\": " + JsonTekst(a != nullptr ? a->Kod : "") + ",\n";
        j += std::string("      \"spelnia_wymagania\": ") + (Spelnia(*korzen) ? "true" : "false") +
             ",\n";
        j += "      \"komponenty\": [";
        bool pierwszy = true;
        for (const auto& d : korzen->Dzieci) {
            j += pierwszy ? "\n" : ",\n";
            pierwszy = false;
            const ProKomponent* c = d->Komponent;
            j += "        {\"nazwa\": " + JsonTekst(c != nullptr ? c->Nazwa : d->Tekst);
            j += ", \"wymagana\": " +
                 std::to_string(a != nullptr && c != nullptr ? a->Wymaganie(c->Id) : 0);
            j += ", \"wykryta\": " + std::to_string(c != nullptr ? c->Wersja : NotDetected);
            j += ", \"tekst\": " + JsonTekst(c != nullptr ? c->WersjaTxt : "");
            j += ", \"status\": " + JsonTekst(StatusKomponentu(*d)) + "}";
        }
        j += pierwszy ? "]\n    }" : "\n      ]\n    }";
    }
    j += pierwsza ? "]\n}\n" : "\n  ]\n}\n";
    return j;
}

}  // namespace pro

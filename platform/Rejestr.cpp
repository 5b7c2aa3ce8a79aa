#include "platform/Rejestr.h"

#include "platform/Tekst.h"

namespace pro {

namespace {

// A REG_SZ value (and, where `rozwijany`, a REG_EXPAND_SZ one, expanded): its
// text up to the first NUL; nothing for a value missing or of another type.
std::optional<std::string> Tekst(Platforma& platforma, const KluczRejestru& klucz,
                                 const std::string& nazwa, bool rozwijany) {
    const auto info = platforma.ZapytajWartosc(klucz, nazwa);
    if (!info) return std::nullopt;
    if (info->typ != typ_rejestru::Sz && !(rozwijany && info->typ == typ_rejestru::ExpandSz)) {
        return std::nullopt;
    }
    const auto dane = platforma.CzytajWartosc(klucz, nazwa, info->rozmiar);
    if (!dane) return std::nullopt;
    std::string tekst = Utf8(Utf16ZBajtow(*dane));
    if (info->typ == typ_rejestru::ExpandSz) tekst = platforma.RozwinZmienne(tekst);
    return tekst;
}

}  // namespace

std::string TekstWartosci(Platforma& platforma, const KluczRejestru& klucz,
                          const std::string& nazwa) {
    return Tekst(platforma, klucz, nazwa, false).value_or("");
}

std::string RozwinietyTekstWartosci(Platforma& platforma, const KluczRejestru& klucz,
                                    const std::string& nazwa) {
    return Tekst(platforma, klucz, nazwa, true).value_or("");
}

std::optional<std::uint32_t> LiczbaWartosci(Platforma& platforma, const KluczRejestru& klucz,
                                            const std::string& nazwa) {
    const auto info = platforma.ZapytajWartosc(klucz, nazwa);
    if (!info || info->typ != typ_rejestru::Dword || info->rozmiar != 4) return std::nullopt;
    const auto dane = platforma.CzytajWartosc(klucz, nazwa, 4);
    if (!dane || dane->size() != 4) return std::nullopt;
    return (*dane)[0] | ((*dane)[1] << 8) | ((*dane)[2] << 16) | (std::uint32_t{(*dane)[3]} << 24);
}

}  // namespace pro

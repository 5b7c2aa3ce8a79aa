#include "platform/Rejestr.h"

#include "platform/Tekst.h"

namespace pro {

std::string TekstWartosci(Platforma& platforma, const KluczRejestru& klucz,
                          const std::string& nazwa) {
    const auto info = platforma.ZapytajWartosc(klucz, nazwa);
    if (!info || info->typ != typ_rejestru::Sz) return {};
    const auto dane = platforma.CzytajWartosc(klucz, nazwa, info->rozmiar);
    if (!dane) return {};
    return Utf8(Utf16ZBajtow(*dane));
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

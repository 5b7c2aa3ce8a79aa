// Prints the operating-system name and the raw answers it was made from, one
// "key=value" line each, so that a test can rebuild the name from the same
// answers. Run once per Windows version that Wine is told to report.

#include <windows.h>

#include <optional>
#include <string>

#include "platform/Tekst.h"
#include "platform/win32/PlatformaWin32.h"
#include "sysinfo/Probieratortesty.h"

namespace {

std::string Rekord(const std::optional<pro::RekordWersji>& r) {
    if (!r) return "brak";
    return std::to_string(r->major) + " " + std::to_string(r->minor) + " " +
           std::to_string(r->build) + " " + std::to_string(r->platforma) + " " +
           std::to_string(r->suite) + " " + std::to_string(r->typ_produktu) + " " +
           pro::Utf8(r->csd);
}

}  // namespace

int main() {
    pro::PlatformaWin32 p;
    const std::string nazwa = pro::NazwaSystemu(p);
    const auto prawdziwy = p.PrawdziwaWersja();
    const auto rozszerzony = p.WersjaSystemu(true);
    const auto krotki = p.WersjaSystemu(false);
    const auto& r = prawdziwy ? prawdziwy : rozszerzony ? rozszerzony : krotki;
    std::optional<std::uint32_t> produkt;
    if (r) produkt = p.InfoProduktu(r->major, r->minor, 0, 0);

    std::string wyjscie = "nazwa=" + nazwa + "\n";
    wyjscie += "prawdziwy=" + Rekord(prawdziwy) + "\n";
    wyjscie += "rozszerzony=" + Rekord(rozszerzony) + "\n";
    wyjscie += "krotki=" + Rekord(krotki) + "\n";
    wyjscie += "produkt=" + (produkt ? std::to_string(*produkt) : std::string("brak")) + "\n";
    wyjscie += "r2=" + std::to_string(p.MetrykaSystemu(SM_SERVERR2)) + "\n";

    // Raw bytes: the text is UTF-8 and must reach the pipe unchanged.
    DWORD zapisane = 0;
    const BOOL ok = WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), wyjscie.data(),
                              static_cast<DWORD>(wyjscie.size()), &zapisane, nullptr);
    return ok && zapisane == wyjscie.size() ? 0 : 1;
}

// Until the windows exist: prints what the program's probes read on this machine.
#include <cstdio>

#include <objbase.h>

#include "app/BezOkna.h"
#include "catalogue/Katalog.h"
#include "platform/win32/PlatformaWin32.h"

int main() {
    using namespace pro;
    // Without the window COM starts only if a probe needs it (loading ole32
    // costs more than the whole check).
    const auto argumenty = ArgumentyProgramu();
    if (!argumenty.empty()) return UruchomBezOkna(argumenty);
    CoInitialize(nullptr);
    PlatformaWin32 p;
    KatalogSystemu = p.KatalogSystemowy();
    std::printf("Katalog aplikacji (%zu):\n", Aplikacje.size());
    for (std::size_t i = 0; i < Aplikacje.size(); ++i) {
        const auto& a = Aplikacje[i];
        std::printf("%2zu. %-24s %s  Windows %d  .NET %d  Installer %d  Excel %d  SilverLight %d"
                    "  IE %d  %s\n",
                    i, a.Nazwa.c_str(), a.Kod.c_str(), a.MinSystem,
                    a.MinNet20 + a.MinNet30 + a.MinNet35 + a.MinNet40 + a.MinNet45,
                    a.MinInstaller, a.MinExcel, a.MinSilverlight, a.MinIE, a.Adres.c_str());
    }
    std::printf("Katalog systemowy: %s\n", KatalogSystemu.c_str());
    std::printf("CurrentVersion: %s\n",
                CzytajRejestrTekst(p, Korzen::LocalMachine,
                                   "Software\\Microsoft\\Windows NT\\CurrentVersion",
                                   "CurrentVersion")
                    .c_str());
    std::printf("IE svcVersion: %s\n",
                CzytajRejestrTekst(p, Korzen::LocalMachine, "Software\\Microsoft\\Internet Explorer",
                                   "svcVersion")
                    .c_str());
    std::printf("msiexec.exe: %s\n", WersjaPliku(p, KatalogSystemu + "\\msiexec.exe").c_str());
    return 0;
}

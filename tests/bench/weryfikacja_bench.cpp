// Verification of every application on the simulated machine from a fresh
// catalogue, and how many component detections it runs.
#include <benchmark/benchmark.h>

#include "catalogue/DrzewoWyniku.h"
#include "catalogue/Katalog.h"
#include "platform/sim/SymulowanaMaszyna.h"

namespace {

using namespace pro;

void Przygotuj(SymulowanaMaszyna& m, bool excel) {
    const auto hklm = Korzen::LocalMachine;
    const std::string net = "Software\\Microsoft\\NET Framework Setup\\NDP\\";
    m.UstawTekst(hklm, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", "6.1");
    m.DodajPlik("C:\\Windows\\system32\\msiexec.exe", SymulowanaMaszyna::Wersja(5, 0, 7601, 17514));
    m.UstawLiczbe(hklm, net + "v2.0.50727", "Install", 1);
    m.UstawLiczbe(hklm, net + "v3.5", "SP", 1);
    m.UstawTekst(hklm, net + "v3.5", "Version", "3.5.30729.5420");
    m.UstawTekst(Korzen::ClassesRoot, "AgControl.AgControl\\CurVer", "", "AgControl.AgControl.5.1");
    m.UstawTekst(hklm, "Software\\Microsoft\\Internet Explorer", "svcVersion", "11.0.9600.17420");
    m.excel.zarejestrowany = excel;
}

// Verifies all applications; returns how many detections ran.
int WszystkieAplikacje(Katalog& k, SymulowanaMaszyna& m, DrzewoWyniku& drzewo) {
    int wykrycia = 0;
    for (auto& aplikacja : k.Aplikacje) {
        for (const auto& komponent : k.Komponenty) {
            if (aplikacja.Wymaganie(komponent.Id) != 0 && komponent.Wersja == NotDetected &&
                komponent.Id != komponent::SqlServer && komponent.Id != komponent::Net45) {
                ++wykrycia;
            }
        }
        aplikacja.SprawdzAplikacje(drzewo, k, m);
    }
    return wykrycia;
}

void Weryfikacja(benchmark::State& stan) {
    const bool excel = stan.range(0) != 0;
    int wykrycia = 0;
    for (auto _ : stan) {
        stan.PauseTiming();
        SymulowanaMaszyna m;
        Przygotuj(m, excel);
        Katalog k;
        k.KatalogSystemu = "C:\\Windows\\system32";
        DrzewoWyniku drzewo;
        stan.ResumeTiming();
        wykrycia = WszystkieAplikacje(k, m, drzewo);
        benchmark::DoNotOptimize(drzewo);
    }
    stan.counters["wykrycia"] = wykrycia;
    stan.SetLabel(excel ? "Excel odpowiada" : "Excel niedostępny");
}

BENCHMARK(Weryfikacja)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

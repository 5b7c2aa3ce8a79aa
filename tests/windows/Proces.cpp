#include "Proces.h"

#include <utility>

namespace pro::testy {
namespace {

constexpr DWORD KodZakonczonego = 0xDEAD;

// Moves what the pipe holds now into `cel`, without waiting for more.
void Odbierz(HANDLE potok, std::string& cel) {
    DWORD dostepne = 0;
    while (potok != nullptr && PeekNamedPipe(potok, nullptr, 0, nullptr, &dostepne, nullptr) &&
           dostepne > 0) {
        char bufor[4096];
        DWORD n = 0;
        if (!ReadFile(potok, bufor, dostepne < sizeof bufor ? dostepne : sizeof bufor, &n,
                      nullptr) ||
            n == 0) {
            return;
        }
        cel.append(bufor, n);
    }
}

HANDLE Dziedziczony(HANDLE uchwyt) {
    SetHandleInformation(uchwyt, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return uchwyt;
}

}  // namespace

Proces::Proces(std::wstring linia, OpcjeProcesu opcje) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    HANDLE piszace[2] = {};  // closed here once the child holds them
    HANDLE nul = nullptr;
    if (opcje.wyjscie == Wyjscie::Zbierane) {
        for (int i = 0; i < 2; ++i) {
            CreatePipe(&potoki_[i], &piszace[i], nullptr, 0);
            Dziedziczony(piszace[i]);
        }
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        si.hStdOutput = piszace[0];
        si.hStdError = piszace[1];
    } else if (opcje.wyjscie == Wyjscie::Nul) {
        nul = Dziedziczony(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       0, nullptr));
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = si.hStdOutput = si.hStdError = nul;
    }
    const BOOL dziedziczy = opcje.wyjscie != Wyjscie::Dziedziczone;
    if (!CreateProcessW(nullptr, linia.data(), nullptr, nullptr, dziedziczy, opcje.flagi, nullptr,
                        opcje.folder, &si, &pi_)) {
        pi_ = {};
    }
    for (HANDLE h : piszace) {
        if (h != nullptr) CloseHandle(h);
    }
    if (nul != nullptr) CloseHandle(nul);
}

Proces::Proces(Proces&& inny) noexcept
    : pi_(std::exchange(inny.pi_, {})),
      potoki_{std::exchange(inny.potoki_[0], nullptr), std::exchange(inny.potoki_[1], nullptr)},
      wyjscie_(std::move(inny.wyjscie_)),
      bledy_(std::move(inny.bledy_)),
      kod_(inny.kod_) {}

Proces::~Proces() {
    Zakoncz();
    Zamknij();
}

void Proces::Odbierz() {
    testy::Odbierz(potoki_[0], wyjscie_);
    testy::Odbierz(potoki_[1], bledy_);
}

bool Proces::Zakonczony(DWORD ms) {
    if (!Uruchomiony()) return true;
    // With pipes, polled in this thread: a process the child started (a COM
    // server) may hold them on after the child's end, so their end is not
    // waited for.
    bool zakonczony = false;
    if (potoki_[0] == nullptr) {
        zakonczony = WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0;
    } else {
        const ULONGLONG koniec = GetTickCount64() + ms;
        do {
            Odbierz();
            zakonczony = WaitForSingleObject(pi_.hProcess, 10) == WAIT_OBJECT_0;
        } while (!zakonczony && GetTickCount64() < koniec);
        // What it wrote before its end is in the pipes already.
        Odbierz();
    }
    return zakonczony;
}

DWORD Proces::Czekaj(DWORD ms) {
    if (!Uruchomiony()) return kod_;
    if (Zakonczony(ms)) {
        GetExitCodeProcess(pi_.hProcess, &kod_);
    } else {
        Zakoncz();
    }
    Odbierz();
    return kod_;
}

void Proces::Zakoncz() {
    if (!Uruchomiony() || WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0) return;
    TerminateProcess(pi_.hProcess, KodZakonczonego);
    WaitForSingleObject(pi_.hProcess, 5000);
}

void Proces::Zamknij() {
    for (HANDLE* h : {&pi_.hThread, &pi_.hProcess, &potoki_[0], &potoki_[1]}) {
        if (*h != nullptr) CloseHandle(std::exchange(*h, nullptr));
    }
}

WynikProcesu Uruchom(const std::wstring& linia, DWORD ms) {
    Proces proces(linia, {Wyjscie::Zbierane});
    WynikProcesu wynik;
    wynik.kod = proces.Czekaj(ms);
    wynik.wyjscie = proces.Wyjscia();
    wynik.bledy = proces.Bledy();
    return wynik;
}

std::vector<Proces> UruchomWiele(const std::vector<std::wstring>& linie) {
    std::vector<Proces> procesy;
    for (const auto& linia : linie) {
        Proces proces(linia);
        if (proces.Uruchomiony()) procesy.push_back(std::move(proces));
    }
    return procesy;
}

std::vector<DWORD> Czekaj(std::vector<Proces>& procesy, DWORD ms) {
    std::vector<DWORD> kody;
    for (Proces& proces : procesy) kody.push_back(proces.Czekaj(ms));
    procesy.clear();
    return kody;
}

}  // namespace pro::testy

#include "platform/win32/WatekAutomatyzacji.h"

#include <objbase.h>

namespace pro {
namespace {

// How long the end of the program waits for the thread to leave its apartment.
constexpr DWORD KoniecWatkuMs = 5000;

// Input meant for the windows as the user saw them: dropped while busy.
constexpr UINT ZakresyWejscia[][2] = {
    {WM_KEYFIRST, WM_KEYLAST},
    {WM_MOUSEFIRST, WM_MOUSELAST},
    {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK},
};

void Obsluz(MSG& komunikat) {
    TranslateMessage(&komunikat);
    DispatchMessageW(&komunikat);
}

// A slim lock of Windows' own: std::mutex would link in std::system_error
// and its error categories (9 KB) for these few lines.
class Zamek {
public:
    explicit Zamek(SRWLOCK& blokada) : blokada_(blokada) { AcquireSRWLockExclusive(&blokada_); }
    Zamek(const Zamek&) = delete;
    Zamek& operator=(const Zamek&) = delete;
    ~Zamek() { ReleaseSRWLockExclusive(&blokada_); }

private:
    SRWLOCK& blokada_;
};

}  // namespace

struct WatekAutomatyzacji::Stan {
    SRWLOCK blokada = SRWLOCK_INIT;
    Zadanie zadanie;      // under `blokada`
    bool koniec = false;  // under `blokada`: end after the task in hand
    std::unique_ptr<void, ZamykaUchwyt> jest_zadanie{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    std::unique_ptr<void, ZamykaUchwyt> wykonane{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    Obiekty obiekty;  // only in the thread
};

WatekAutomatyzacji::WatekAutomatyzacji() : stan_(std::make_shared<Stan>()) {
    if (!stan_->jest_zadanie || !stan_->wykonane) {
        stan_.reset();
        return;
    }
    // The thread holds the state too: it outlives an abandoning caller.
    auto* wlasny = new std::shared_ptr<Stan>(stan_);
    watek_.reset(CreateThread(nullptr, 0, &WatekAutomatyzacji::Petla, wlasny, 0, nullptr));
    if (!watek_) {
        delete wlasny;
        stan_.reset();
    }
}

WatekAutomatyzacji::~WatekAutomatyzacji() {
    if (!stan_ || porzucony_) return;
    {
        const Zamek zamek(stan_->blokada);
        stan_->koniec = true;
    }
    SetEvent(stan_->jest_zadanie.get());
    // A thread still releasing a hung server's object is left to it.
    WaitForSingleObject(watek_.get(), KoniecWatkuMs);
}

DWORD WINAPI WatekAutomatyzacji::Petla(void* parametr) {
    const std::unique_ptr<std::shared_ptr<Stan>> wlasny(
        static_cast<std::shared_ptr<Stan>*>(parametr));
    Stan& stan = **wlasny;
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    for (;;) {
        HANDLE zdarzenie = stan.jest_zadanie.get();
        const DWORD wynik = MsgWaitForMultipleObjects(1, &zdarzenie, FALSE, INFINITE, QS_ALLINPUT);
        if (wynik == WAIT_OBJECT_0 + 1) {
            // The apartment's own messages (COM's window).
            MSG komunikat;
            while (PeekMessageW(&komunikat, nullptr, 0, 0, PM_REMOVE)) Obsluz(komunikat);
            continue;
        }
        if (wynik != WAIT_OBJECT_0) break;
        Zadanie zadanie;
        {
            const Zamek zamek(stan.blokada);
            zadanie = std::move(stan.zadanie);
            stan.zadanie = nullptr;
        }
        if (zadanie) {
            try {
                if (com) zadanie(stan.obiekty);
            } catch (...) {
                // What it did not produce counts as a failure.
            }
            SetEvent(stan.wykonane.get());
        }
        const Zamek zamek(stan.blokada);
        if (stan.koniec) break;
    }
    stan.obiekty.clear();  // released in their apartment
    if (com) CoUninitialize();
    return 0;
}

bool WatekAutomatyzacji::Wykonaj(Zadanie zadanie, ULONGLONG termin) {
    if (!stan_ || porzucony_) return false;
    {
        const Zamek zamek(stan_->blokada);
        stan_->zadanie = std::move(zadanie);
    }
    SetEvent(stan_->jest_zadanie.get());
    if (CzekajMalujac(stan_->wykonane.get(), termin)) return true;
    Porzuc();
    return false;
}

void WatekAutomatyzacji::Porzuc() {
    {
        const Zamek zamek(stan_->blokada);
        stan_->koniec = true;
    }
    // Wakes a thread that finished meanwhile, so that it ends.
    SetEvent(stan_->jest_zadanie.get());
    porzucony_ = true;
    stan_.reset();
    watek_.reset();
}

bool CzekajMalujac(HANDLE zdarzenie, ULONGLONG termin) {
    for (;;) {
        const ULONGLONG teraz = GetTickCount64();
        if (teraz >= termin) return WaitForSingleObject(zdarzenie, 0) == WAIT_OBJECT_0;
        const DWORD wynik =
            MsgWaitForMultipleObjects(1, &zdarzenie, FALSE, static_cast<DWORD>(termin - teraz),
                                      QS_PAINT | QS_INPUT | QS_POSTMESSAGE);
        if (wynik == WAIT_OBJECT_0) return true;
        if (wynik == WAIT_TIMEOUT) continue;
        if (wynik != WAIT_OBJECT_0 + 1) return false;
        // What else came stays queued for after: from here on only what is
        // new wakes us.
        GetQueueStatus(QS_ALLINPUT);
        MSG komunikat;
        for (const auto& zakres : ZakresyWejscia) {
            while (PeekMessageW(&komunikat, nullptr, zakres[0], zakres[1],
                                PM_REMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE)) {
            }
        }
        // Bounded: a window that does not validate would come back at once.
        for (int n = 0; n < 64 && PeekMessageW(&komunikat, nullptr, WM_PAINT, WM_PAINT,
                                               PM_REMOVE | PM_QS_PAINT);
             ++n) {
            DispatchMessageW(&komunikat);
        }
    }
}

}  // namespace pro

#pragma once
// Automation calls in a thread of their own, in its own single-threaded
// apartment, so that a server that never answers holds up that thread only.
// The calling (windows') thread waits for each call until a deadline,
// painting its windows meanwhile and taking no input. Past the deadline the
// thread is abandoned with its apartment and its objects: it releases them
// if the call ever comes back. Nothing is killed.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <wrl/client.h>

#include "platform/Platforma.h"

namespace pro {

class WatekAutomatyzacji {
public:
    // The apartment's objects by the platform's handle value; touched only in the thread.
    using Obiekty = std::map<std::uintptr_t, Microsoft::WRL::ComPtr<IDispatch>>;
    // Runs in the thread. What it produces it keeps in what it captured
    // (shared, since the caller may have stopped waiting).
    using Zadanie = std::function<void(Obiekty&)>;

    WatekAutomatyzacji();
    // The thread releases its objects and ends; a thread that does not end
    // within a short bound is abandoned.
    ~WatekAutomatyzacji();
    WatekAutomatyzacji(const WatekAutomatyzacji&) = delete;
    WatekAutomatyzacji& operator=(const WatekAutomatyzacji&) = delete;

    // Runs `zadanie` in the thread and waits for it until `termin` (a
    // GetTickCount64 moment). False when the thread did not start, or did
    // not finish in time: then it is abandoned.
    bool Wykonaj(Zadanie zadanie, ULONGLONG termin);
    bool Porzucony() const { return porzucony_; }

private:
    struct Stan;
    struct ZamykaUchwyt {
        void operator()(HANDLE h) const { CloseHandle(h); }
    };
    static DWORD WINAPI Petla(void* stan);
    void Porzuc();

    std::shared_ptr<Stan> stan_;
    std::unique_ptr<void, ZamykaUchwyt> watek_;
    bool porzucony_ = false;
};

// Waits until `zdarzenie` is signalled or `termin` passes. Meanwhile the
// thread's windows are painted; their input (keys, mouse) is dropped, and
// nothing else of the queue is served. True when signalled.
bool CzekajMalujac(HANDLE zdarzenie, ULONGLONG termin);

}  // namespace pro

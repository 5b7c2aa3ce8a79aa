#include "Okna.h"

namespace pro::testy {
namespace {
std::function<void()> zadanie_petli;  // test-only: one pending task
void CALLBACK Zadanie(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto co = std::move(zadanie_petli);
    zadanie_petli = nullptr;
    if (co) co();
}
}  // namespace

void PodczasPetli(std::function<void()> co) {
    zadanie_petli = std::move(co);
    SetTimer(nullptr, 0, 1, &Zadanie);
}

}  // namespace pro::testy

#pragma once
// A move-only owner of one handle handed out by the platform; releases it
// through the platform operation it was bound to.

#include <utility>

#include "platform/Platforma.h"

namespace pro {

class Zasob {
public:
    using Zwalniacz = void (Platforma::*)(Uchwyt);

    Zasob(Platforma& platforma, Uchwyt uchwyt, Zwalniacz zwolnij)
        : platforma_(&platforma), uchwyt_(uchwyt), zwolnij_(zwolnij) {}
    Zasob(const Zasob&) = delete;
    Zasob& operator=(const Zasob&) = delete;
    Zasob(Zasob&& inny) noexcept
        : platforma_(inny.platforma_),
          uchwyt_(std::exchange(inny.uchwyt_, 0)),
          zwolnij_(inny.zwolnij_) {}
    Zasob& operator=(Zasob&& inny) noexcept {
        if (this != &inny) {
            Zwolnij();
            platforma_ = inny.platforma_;
            uchwyt_ = std::exchange(inny.uchwyt_, 0);
            zwolnij_ = inny.zwolnij_;
        }
        return *this;
    }
    ~Zasob() { Zwolnij(); }

    Uchwyt get() const { return uchwyt_; }
    explicit operator bool() const { return uchwyt_ != 0; }
    void Zwolnij() {
        if (uchwyt_ != 0) (platforma_->*zwolnij_)(std::exchange(uchwyt_, 0));
    }

private:
    Platforma* platforma_;
    Uchwyt uchwyt_;
    Zwalniacz zwolnij_;
};

inline Zasob OtworzKluczDoOdczytu(Platforma& p, Korzen korzen, const std::string& sciezka) {
    return Zasob(p, p.OtworzKlucz(korzen, sciezka), &Platforma::ZamknijKlucz);
}

}  // namespace pro

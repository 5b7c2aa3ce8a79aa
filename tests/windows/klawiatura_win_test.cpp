// The whole program by the keyboard alone.
#include <gtest/gtest.h>

#include "DrogaKlawiatury.h"
#include "KatalogTymczasowy.h"

namespace pro {
namespace {

TEST(Klawiatura, CalaDrogaBezMyszy) {
    testy::KatalogTymczasowy katalog(L"probierator_klawiatura");
    testy::CalaDrogaKlawiatura(L"\"" + Szeroki(testy::KatalogTestow()) + L"\\probierator.exe\"",
                               Szeroki(katalog.Sciezka("")));
}

}  // namespace
}  // namespace pro

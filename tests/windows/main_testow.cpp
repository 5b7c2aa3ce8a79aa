// The Windows tests' entry: googletest's, but where 32-bit code is emulated
// the process ends without Windows' process teardown. There a process that
// talked to a local COM server dies in that teardown (qemu: "uncaught target
// signal 11") after every test has passed; what it printed is already out.
#include <gtest/gtest.h>

#include <cstdio>

#include "Srodowisko.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int wynik = RUN_ALL_TESTS();
    if (pro::testy::PodEmulacja()) {
        std::fflush(stdout);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(wynik));
    }
    return wynik;
}

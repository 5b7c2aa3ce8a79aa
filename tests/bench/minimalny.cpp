// The smallest windowed program, built like the real one: the baseline of
// what Wine's start costs.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return 0;
}

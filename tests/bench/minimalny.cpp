// The smallest windowed program, built like the real one: the baseline of
// what Wine's start costs. Its bench build marks its entry, as the
// program's does (platform/win32/Znaczniki.h).
#include <windows.h>

#include "platform/win32/Znaczniki.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    pro::znaczniki::Znacznik("wejscie");
    pro::znaczniki::Zapisz();
    return 0;
}

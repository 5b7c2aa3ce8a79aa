// The smallest program with a window, built like the real one: common
// controls initialised, one window shown, the message loop. The baseline of
// what a windowed start costs under Wine. Its bench build marks the same
// steps as the program's (platform/win32/Znaczniki.h).
#include <windows.h>

#include <commctrl.h>

#include "platform/win32/Znaczniki.h"

namespace {

LRESULT CALLBACK Procedura(HWND okno, UINT komunikat, WPARAM w, LPARAM l) {
    if (komunikat == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(okno, komunikat, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instancja, HINSTANCE, PWSTR, int) {
    namespace z = pro::znaczniki;
    z::Znacznik("wejscie");
    INITCOMMONCONTROLSEX kontrolki{sizeof kontrolki, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&kontrolki);
    z::Znacznik("kontrolki_wspolne");
    WNDCLASSW klasa{};
    klasa.lpfnWndProc = Procedura;
    klasa.hInstance = instancja;
    klasa.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    klasa.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    klasa.lpszClassName = L"MinimalneOkno";
    if (!RegisterClassW(&klasa)) return 1;
    HWND okno = CreateWindowExW(0, klasa.lpszClassName, L"Minimalne okno", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 400, 300, nullptr, nullptr, instancja,
                                nullptr);
    if (okno == nullptr) return 1;
    z::Znacznik("forma");
    ShowWindow(okno, SW_SHOW);
    UpdateWindow(okno);
    z::Znacznik("pokazane");
    MSG msg;
    for (;;) {
        z::PrzedCzekaniem();
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

#pragma once
// The real program driven by the keyboard alone, as a user without a mouse
// would: keys go in through SendInput, the windows are read from outside.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "OknoProcesu.h"
#include "Srodowisko.h"

namespace pro::testy {

// Keys pressed in order and released in reverse, as a chord (Ctrl+A).
inline void Nacisnij(std::initializer_list<WORD> klawisze) {
    std::vector<INPUT> wejscie;
    for (WORD k : klawisze) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        wejscie.push_back(i);
    }
    for (auto k = std::rbegin(klawisze); k != std::rend(klawisze); ++k) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *k;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        wejscie.push_back(i);
    }
    SendInput(static_cast<UINT>(wejscie.size()), wejscie.data(), sizeof(INPUT));
}

inline int Korzenie(HWND drzewo) {
    int n = 0;
    for (auto k = TreeView_GetRoot(drzewo); k != nullptr; k = TreeView_GetNextSibling(drzewo, k)) {
        ++n;
    }
    return n;
}

// Starts the command line in `folder` (the save dialog proposes it) and goes
// every way of the windows by keys: the message, the results of every
// application, the legend, the report saved into `folder`, the end.
inline void CalaDrogaKlawiatura(const std::wstring& linia, const std::wstring& folder) {
    Proces program(linia, {.folder = folder.c_str()});
    ASSERT_TRUE(program.Uruchomiony());
    const DWORD pid = program.Id();
    HWND wybor = nullptr;
    // A visible top-level window of the program, of the given class.
    const auto widoczne = [pid](const wchar_t* klasa) { return WidoczneOknoProcesu(pid, klasa); };
    const auto komunikat = [&] { return widoczne(L"#32770"); };
    // The control with the keyboard focus in the window's thread.
    const auto fokus = [](HWND okno) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(okno, nullptr), &info);
        return info.hwndFocus;
    };
    [&] {
        ASSERT_TRUE(Czekaj([&] { return (wybor = widoczne(L"TProOknoApp")) != nullptr; }));
        SetForegroundWindow(wybor);
        // Enter with nothing ticked: the message, closed by Enter.
        Nacisnij({VK_RETURN});
        ASSERT_TRUE(Czekaj([&] { return komunikat() != nullptr; }));
        wchar_t tekst[256] = {};
        GetDlgItemTextW(komunikat(), 0xFFFF, tekst, 256);
        EXPECT_EQ(Waski(tekst), "Nie wybrano aplikacji do sprawdzenia.");
        Nacisnij({VK_RETURN});
        ASSERT_TRUE(Czekaj([&] { return komunikat() == nullptr; }));
        // Ctrl+A, Enter: the results of every application.
        Nacisnij({VK_CONTROL, 'A'});
        Nacisnij({VK_RETURN});
        HWND wynik = nullptr;
        ASSERT_TRUE(Czekaj([&] { return (wynik = widoczne(L"TProOknoWyn")) != nullptr; }));
        const HWND drzewo = FindWindowExW(wynik, nullptr, WC_TREEVIEWW, nullptr);
        ASSERT_TRUE(Czekaj([&] { return Korzenie(drzewo) == 22; }));
        // F1 and Esc: the legend opens and closes; the tree has the focus again.
        ASSERT_TRUE(Czekaj([&] { return fokus(wynik) == drzewo; }));
        Nacisnij({VK_F1});
        ASSERT_TRUE(Czekaj([&] { return widoczne(L"TProOknoLeg") != nullptr; }));
        Nacisnij({VK_ESCAPE});
        ASSERT_TRUE(Czekaj([&] { return widoczne(L"TProOknoLeg") == nullptr; }));
        EXPECT_TRUE(Czekaj([&] { return fokus(wynik) == drzewo; }));
        // Ctrl+S: the save dialog takes the proposed name with Enter; the
        // confirmation too. Under qemu the dialog's own thread often fails to
        // show it (qemu shares thread-local descriptors between threads): there
        // RaportWin writes the report without the dialog.
        if (PodEmulacja()) {
            std::printf("zastępczo: pod emulacją bez Ctrl+S (okno zapisu), raport w RaportWin\n");
        } else {
            Nacisnij({VK_CONTROL, 'S'});
            HWND okno = nullptr;
            ASSERT_TRUE(Czekaj([&] { return (okno = komunikat()) != nullptr; }));
            Nacisnij({VK_RETURN});
            ASSERT_TRUE(Czekaj([&] { return komunikat() != okno && komunikat() != nullptr; }));
            EXPECT_EQ(std::count_if(std::filesystem::directory_iterator(folder), {},
                                    [](const auto& plik) {
                                        return plik.path().filename().wstring().rfind(
                                                   L"Raport_probieratora_", 0) == 0;
                                    }),
                      1);
            Nacisnij({VK_RETURN});
            ASSERT_TRUE(Czekaj([&] { return komunikat() == nullptr; }));
        }
        // Esc closes the results; Alt+F4 the program.
        Nacisnij({VK_ESCAPE});
        ASSERT_TRUE(Czekaj([&] { return widoczne(L"TProOknoWyn") == nullptr; }));
        EXPECT_TRUE(Czekaj(
            [&] { return fokus(wybor) == FindWindowExW(wybor, nullptr, WC_LISTVIEWW, nullptr); }));
        Nacisnij({VK_MENU, VK_F4});
    }();
    EXPECT_EQ(program.Czekaj(30000), 0u);
}

}  // namespace pro::testy

// The program's entry: the application object, the three windows in their
// order (the first is the main window), the message loop. Started with
// options, it checks without any window instead.
#include <windows.h>
#include <objbase.h>

#include "app/BezOkna.h"
#include "catalogue/Katalog.h"
#include "platform/win32/PlatformaWin32.h"
#include "platform/win32/Znaczniki.h"
#include "platform/win32/leniwe/ZSystemu.h"
#include "ui/Aplikacja.h"
#include "ui/Probierator_app.h"
#include "ui/Probierator_leg.h"
#include "ui/Probierator_wyn.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    namespace z = pro::znaczniki;
    z::Znacznik("wejscie");
    // Before anything loads a DLL: none is taken from the folder the program
    // was started from.
    pro::ZSystemuOdTeraz();
    // Without the window COM starts only if a probe needs it (loading ole32
    // costs more than the whole check).
    const auto argumenty = ArgumentyProgramu();
    if (!argumenty.empty()) return UruchomBezOkna(argumenty);

    // Before COM's window and the first of ours: what Windows' DLLs load by
    // name for them comes from the system folder.
    pro::ZaladujZawczasu(pro::Droga::OknoWyboru);
    // The windows' thread keeps an apartment for the shell and the save
    // dialog; Excel is queried from a thread of the platform's own.
    const HRESULT com = CoInitialize(nullptr);
    z::Znacznik("com");
    pro::PlatformaWin32 platforma;
    pro::ui::DialogiWin32 dialogi;
    pro::ui::Aplikacja aplikacja(platforma, dialogi, pro::KatalogProgramu);
    aplikacja.Tytul = "Probierator";
    aplikacja.Chron([&] {
        pro::ui::TProOknoApp ProOknoApp(aplikacja);
        pro::ui::TProOknoWyn ProOknoWyn(aplikacja);
        z::Znacznik("okno_wynikow");
        pro::ui::TProOknoLeg ProOknoLeg(aplikacja);
        z::Znacznik("legenda");
        ProOknoApp.Pokaz();
        z::Znacznik("pokazane");
        aplikacja.Uruchom();
    });
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

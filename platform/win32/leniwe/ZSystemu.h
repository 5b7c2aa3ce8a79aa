#pragma once
// DLLs from the system folder only. The program is started from Downloads
// folders and from shares that others may write to: a DLL of the same name
// lying beside it must never be the one that runs.

#include <windows.h>

namespace pro {

// Loads a DLL of Windows from the system folder, never from the program's
// folder or the current one; null when it cannot be loaded.
HMODULE ZaladujZSystemu(const wchar_t* nazwa);

// What is loaded later, by Windows' own DLLs too (COM, the shell, the file
// dialog), is searched for in the system folder only, where Windows can do
// that (Windows 7 with KB2533623 and later); the current folder never.
void ZSystemuOdTeraz();

// What the program shows or starts through Windows' own DLLs.
enum class Droga { OknoWyboru, OknoWyniku, DialogZapisu, Adres };

// The DLLs that Windows' own DLLs load by name for `droga`, loaded from the
// system folder just before: the later load by name finds them loaded. Where
// Windows would look in the program's folder first (XP, Vista and 7 without
// KB2533623 for every DLL that is no KnownDLL; Wine 8 for a system DLL's
// delayed import), no copy lying there runs. Each way once per run.
void ZaladujZawczasu(Droga droga);

}  // namespace pro

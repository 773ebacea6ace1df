#pragma once

#include <windows.h>

namespace kw::win32 {

// Loads a DLL from the system directory only: a DLL of that name planted next to the program or in the
// current folder must never be loaded.
HMODULE LoadFromSystemDirectory(const wchar_t* name);

// From here on every library the process loads by name (the program, the common dialogs, a drop's shell
// extensions, the system DLLs' own loads) comes from the system directory, never from the program's folder
// (the usual Downloads folder for the portable zip) or the current one. Called first thing at start-up.
void LoadLibrariesFromSystemDirectoryOnly();

}  // namespace kw::win32

/*
 * System functions that only some commands need, bound when first called.
 * Their modules (comdlg32 for the file dialogs, winmm for the entries'
 * sounds) are then loaded at that moment instead of when the process
 * starts: a module the program imports is loaded before WinMain runs, and
 * under Wine comdlg32 alone adds some 30 ms to the time before the tray
 * icon appears.  A module loaded this way stays loaded while the process
 * runs, as an imported one would.
 */
#ifndef TAV_BASE_LATE_IMPORT_H
#define TAV_BASE_LATE_IMPORT_H

#include <windows.h>

// The function name of module, loading the module if need be; null when
// either cannot be found.  Proc is the function's pointer type, written as
// decltype(&TheFunction): decltype names the type without importing it.
// Callers keep the result (a function-local static binds on first use).
template <typename Proc>
Proc LateImport(const char* module, const char* name)
{
    HMODULE loaded = LoadLibraryA(module);
    if (loaded == nullptr)
        return nullptr;
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(loaded, name)));
}

#endif

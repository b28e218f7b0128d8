/*
 * System functions that only some commands need, bound when first called.
 * Their modules (comdlg32 for the file dialogs, winmm for the entries'
 * sounds) are then loaded at that moment instead of when the process
 * starts: a module the program imports is loaded before WinMain runs, and
 * under Wine comdlg32 alone adds some 30 ms to the time before the tray
 * icon appears.  A module loaded this way stays loaded while the process
 * runs, as an imported one would.
 *
 * Every module bound here is a system module, and it is loaded from the
 * system folder by its full path.  LoadLibraryA with a bare name also
 * searches the program's folder, the current folder and PATH, and a module
 * that a system lacks (shcore.dll before Windows 8.1) would then be taken
 * from whatever file of that name lies there.  The one module loaded by its
 * bare name is ComCtl32 (base/optional_apis.cpp says why); functions of a
 * module the program holds are bound through the same template.
 *
 * Every function pointer type bound here carries WINAPI: the system's
 * functions clean their own arguments off the stack on i686, and a call
 * through a pointer without it would leave them there once more.  The i686
 * build refuses such a type (IsWinapiPointer; on x86_64 there is one
 * calling convention and every pointer passes).
 */
#ifndef TAV_BASE_LATE_IMPORT_H
#define TAV_BASE_LATE_IMPORT_H

#include <windows.h>

#include <cstdio>
#include <type_traits>

// Whether Proc is a pointer to a WINAPI (stdcall) function.
template <typename Proc>
struct IsWinapiPointer : std::false_type {};
template <typename Result, typename... Args>
struct IsWinapiPointer<Result(WINAPI*)(Args...)> : std::true_type {};

// The system module name (a file name without a folder), loaded from
// GetSystemDirectoryA's folder if need be; null when it is not there.
inline HMODULE LoadSystemModule(const char* name)
{
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return nullptr;
    int written = std::snprintf(path + length, sizeof path - length, "\\%s", name);
    if (written < 0 || static_cast<UINT>(written) >= sizeof path - length)
        return nullptr;
    return LoadLibraryA(path);
}

// The function name of a module the program holds; null when the module is
// null or has no such function.  Proc is the function's pointer type,
// written as decltype(&TheFunction) where the headers declare it: decltype
// names the type without importing it.
template <typename Proc>
Proc LateImport(HMODULE module, const char* name)
{
    static_assert(IsWinapiPointer<Proc>::value, "a function bound at run time is WINAPI");
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The function name of the system module, loading the module if need be;
// null when either cannot be found.  Callers keep the result (a
// function-local static binds on first use).
template <typename Proc>
Proc LateImport(const char* module, const char* name)
{
    return LateImport<Proc>(LoadSystemModule(module), name);
}

#endif

/*
 * Registering and releasing the launcher key.
 *
 * Hot-key mode uses the global atom "Tav" as the RegisterHotKey id: every
 * registration adds it once and every release deletes it once, so its
 * reference count returns to where it was.
 */
#include "core/launcher_key.h"

#include "hook/tav_hook.h"

namespace {

const char kHotKeyAtomName[] = "Tav";

// The key registered in library mode (0: none), and whether the library has
// it now: not while paused.
DWORD LibraryKey;
int LibraryKeyPaused;
// The hot key in force (0: none), with its MOD_* flags: its key-down starts
// the library's capture of the keys typed after it (type-ahead).
DWORD CaptureHotKey;
DWORD CaptureHotKeyModifiers;

void HandKeyToLibrary(DWORD key)
{
    LibraryKey = key;
    SetKey(LibraryKeyPaused ? 0 : key);
}

void HandCaptureKeyToLibrary(DWORD key, DWORD modifiers)
{
    CaptureHotKey = key;
    CaptureHotKeyModifiers = modifiers;
    SetCaptureKey(LibraryKeyPaused ? 0 : key, modifiers);
}

void ReleaseHotKey(ATOM hotKeyAtom, HWND window)
{
    if (hotKeyAtom == 0)
        return;
    UnregisterHotKey(window, hotKeyAtom);
    GlobalDeleteAtom(hotKeyAtom);
}

}  // namespace

int IsLibraryKeyMode(const LauncherState* state)
{
    return (state->OpenHotKey == VK_CONVERT || state->OpenHotKey == VK_NONCONVERT)
           && state->CheckIME == 1 && state->OpenHotKeyEx == 0;
}

ATOM RegisterLauncherKey(ATOM hotKeyAtom, HWND window, const LauncherState* state,
                         bool* registered)
{
    bool inForce = false;
    ATOM id = 0;
    ReleaseHotKey(hotKeyAtom, window);
    HandCaptureKeyToLibrary(0, 0);
    if (IsLibraryKeyMode(state)) {
        HandKeyToLibrary(static_cast<DWORD>(state->OpenHotKey));
        inForce = true;
    } else {
        // Without an atom there is no id that a release could name:
        // registering with id 0 would leave a hot key that nothing ever
        // unregisters.
        id = GlobalAddAtomA(kHotKeyAtomName);
        // A key that another program holds does nothing; the id is kept all
        // the same, so that the release deletes the atom once.
        if (id != 0)
            inForce = RegisterHotKey(window, id, static_cast<UINT>(state->OpenHotKeyEx),
                                     static_cast<UINT>(state->OpenHotKey))
                      != FALSE;
        if (inForce)
            HandCaptureKeyToLibrary(static_cast<DWORD>(state->OpenHotKey),
                                    static_cast<DWORD>(state->OpenHotKeyEx));
    }
    if (registered != nullptr)
        *registered = inForce;
    return id;
}

// The settings may have changed since the registration (an INI import changes
// them without a release), so the mode they give now does not tell what is
// held: state is not consulted.  A non-zero atom is a registered hot key;
// SetKey(0) is harmless when the library holds no key.
ATOM ReleaseLauncherKey(ATOM hotKeyAtom, HWND window, const LauncherState* /*state*/)
{
    ReleaseHotKey(hotKeyAtom, window);
    HandKeyToLibrary(0);
    HandCaptureKeyToLibrary(0, 0);
    return 0;
}

void PauseLibraryKey(int paused)
{
    LibraryKeyPaused = paused;
    HandKeyToLibrary(LibraryKey);
    HandCaptureKeyToLibrary(CaptureHotKey, CaptureHotKeyModifiers);
}

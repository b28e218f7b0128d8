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

void HandKeyToLibrary(DWORD key)
{
    LibraryKey = key;
    SetKey(LibraryKeyPaused ? 0 : key);
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

ATOM RegisterLauncherKey(ATOM hotKeyAtom, HWND window, const LauncherState* state)
{
    ReleaseHotKey(hotKeyAtom, window);
    if (IsLibraryKeyMode(state)) {
        HandKeyToLibrary(static_cast<DWORD>(state->OpenHotKey));
        return 0;
    }
    // Without an atom there is no id that a release could name: registering
    // with id 0 would leave a hot key that nothing ever unregisters.
    ATOM id = GlobalAddAtomA(kHotKeyAtomName);
    if (id == 0)
        return 0;
    // The result is not tested: a key that another program holds simply does
    // nothing, and the id still has to be released.
    RegisterHotKey(window, id, static_cast<UINT>(state->OpenHotKeyEx),
                   static_cast<UINT>(state->OpenHotKey));
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
    return 0;
}

void PauseLibraryKey(int paused)
{
    LibraryKeyPaused = paused;
    HandKeyToLibrary(LibraryKey);
}

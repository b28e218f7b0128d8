/*
 * The state of the open setup window, shared by its window procedure
 * (setup_window.cpp: view, selection, painting, hover tracking) and its
 * editing functions (setup_commands.cpp: context menu, commands,
 * clipboard, dialogs, file drops).
 */
#ifndef TAV_SETUP_SETUP_SESSION_H
#define TAV_SETUP_SETUP_SESSION_H

#include <windows.h>
#include <shellapi.h>

#include "base/launcher_state.h"
#include "setup/setup_key_hooks.h"
#include "store/entry_tree.h"
#include "store/store_watch.h"

// Clipboard modes.
enum SetupClipMode {
    CLIP_COPY = 0,
    CLIP_CUT = 1,
};

// The internal clipboard names a place in the tree, not its data: a paste
// reads the source as it is stored at that moment.
struct SetupClipboard {
    int Mode;              // SetupClipMode
    EntryLocation Source;  // the cursor at the moment of the cut or copy
    // The source subtree's fingerprint at the cut (SummarizeSubtree): a cut
    // whose source changed since then moves nothing.
    unsigned long long CutFingerprint;
};

struct SetupSession {
    HWND Window;
    HWND Launcher;       // gets UM_SETUPMODE 0 at the end
    LauncherState View;  // own settings (ShowAllKey 1) and the level shown
    SetupKeyHooks Keys;  // the capture dialog and key texts, from the launcher

    // The own keys of the level's entries (0: none), and whether each is
    // taken now: the system refuses it to the setup window (another program
    // or the launcher key holds it; the entries' keys are let go while setup
    // mode lasts) or an entry shown earlier on the level has it too.
    DWORD HotKeys[kSlotCount];
    bool HotKeyTaken[kSlotCount];
    EntryLocation Cursor;  // the selected row (0..36) of the level shown

    // Where the pointer was last seen; the selection follows it while no
    // modal work runs (Busy 0).
    POINT LastPointer;

    bool HasClipboard;
    SetupClipboard Clipboard;

    // Reports changes of the store made while the window is open, by the
    // window itself or from outside (an import, another program).
    StoreWatch Watch;

    // A dropped file's path until the entry dialog takes it; "" for none.
    char PendingPath[kPathSize];

    // Nested message loops running for the window (dialogs, message boxes,
    // the context menu, the move loop, a command).  The window is not
    // destroyed under them: a WM_CLOSE meanwhile waits until they end.
    // Hover tracking is off while any runs.
    int Busy;
    bool ClosePending;
};

// The state of a setup window, which travels with it from WM_NCCREATE to
// WM_NCDESTROY; null outside that time.
SetupSession* SetupSessionOf(HWND window);

// What the window offers its editing functions.

// Hover tracking off while modal work runs; on again when the last of it ends,
// with the pointer's position stored when storePointer (after a dialog, a
// menu or a move, the selection follows only a pointer that moves again;
// after a command, a pointer that moved meanwhile selects its row at the
// next tick).
void BeginModal(SetupSession* session);
void EndModal(SetupSession* session, bool storePointer);

// The row under a screen point (hit test), or -1.
int SetupRowAtPoint(const SetupSession* session, POINT screen);

// Opens the selected row: ".." climbs to the parent with the submenu just
// left selected; a submenu row descends with ".." selected; any other row
// of a submenu or of the top level (not the title line) asks for the entry
// dialog (message UM_EDITENTRY).
void OpenSelectedRow(SetupSession* session);

// Loads the cursor's level again (all 37 rows) with its entries' keys and
// repaints; the window keeps its size.
void ReloadLevel(SetupSession* session);

// After a change of the store: the level shown is loaded again with the
// cursor on its key (climbing out of a submenu that is no more), and a cut
// whose source changed is forgotten.  Nothing when the store is unchanged.
void FollowStore(SetupSession* session);

void RepaintSetup(const SetupSession* session);

// Paints the setup window, width x height pixels, into dc: the level in the
// launcher's look over white, each entry's own key right-aligned on its row
// (red when taken), the cursor row outlined by inversion, and the
// clipboard's source row framed when it is on the level shown.
void PaintSetupWindow(const SetupSession* session, HDC dc, int width, int height);

// Editing functions (setup_commands.cpp).
void ShowSetupMenu(SetupSession* session);
void RunSetupCommand(SetupSession* session, int command);
void OpenEntryDialog(SetupSession* session);
void OpenSubmenuNameDialog(SetupSession* session);
void OpenAssignKeyDialog(SetupSession* session);
void OpenEntryKeyDialog(SetupSession* session);
void DropFiles(SetupSession* session, HDROP drop);

#endif

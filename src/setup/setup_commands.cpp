/*
 * The editing functions of the setup window: the context menu, the
 * commands (edit, create submenu, cut, copy, paste, delete, end setup,
 * empty the clipboard), the internal clipboard, the three dialogs and the
 * file drop.  Every change is written to the registry at once; there is no
 * undo.  Each function is reached from the setup window's procedure.
 */
#include <cstring>
#include <initializer_list>

#include "base/messages.h"
#include "base/unique_handle.h"
#include "res/resource.h"
#include "setup/entry_dialog.h"
#include "setup/setup_notices.h"
#include "setup/setup_session.h"
#include "setup/submenu_dialogs.h"
#include "store/portable/entry_names.h"

namespace {

bool OnKeyRow(const SetupSession* session)
{
    return session->Cursor.Slot >= 1 && session->Cursor.Slot < kSlotCount;
}

// The selected key as stored when a command runs, not as the level was
// loaded: the store may have changed since (an import, another program).
struct StoredRow {
    bool Filled;   // an entry or a submenu
    bool Submenu;  // a marker on a level that takes submenus
    char Title[kTitleSize];
};

StoredRow ReadSelectedRow(const SetupSession* session)
{
    StoredRow row = {};
    EntryRecord entry;
    if (!OnKeyRow(session) || !ReadEntry(session->Cursor.KeyPath, session->Cursor.Slot, &entry))
        return row;
    row.Filled = true;
    row.Submenu = IsSubmenuMarker(entry.Program) && LevelHoldsSubmenus(session->Cursor.KeyPath);
    lstrcpynA(row.Title, entry.Title, sizeof row.Title);
    return row;
}

bool HasTitle(const SetupSession* session)
{
    return ReadSelectedRow(session).Filled;
}

bool IsSubmenuRow(const SetupSession* session)
{
    return ReadSelectedRow(session).Submenu;
}

bool LevelShowsEntries(const SetupSession* session)
{
    for (int slot = 1; slot < kSlotCount; ++slot) {
        if (session->View.Titles[slot][0] != '\0')
            return true;
    }
    return false;
}

// A cut names what the user saw then; once its source has changed, a paste
// would move something else.
bool CutSourceChanged(const SetupSession* session)
{
    if (!session->HasClipboard || session->Clipboard.Mode != CLIP_CUT)
        return false;
    unsigned long long now;
    SummarizeSubtree(&session->Clipboard.Source, &now);
    return now != session->Clipboard.CutFingerprint;
}

void Post(const SetupSession* session, UINT message)
{
    PostMessageA(session->Window, message, 0, 0);
}

// Delete asks first, and once more for a submenu, whose whole contents go
// with it.  The clipboard is emptied, whatever it named.
void DeleteSelected(SetupSession* session)
{
    const StoredRow row = ReadSelectedRow(session);
    if (!row.Filled)
        return;
    if (!AskSetupQuestion(session->Window, IDS_ASK_DELETE, row.Title))
        return;
    if (row.Submenu && !AskSetupQuestion(session->Window, IDS_ASK_DELETE_SUBMENU, row.Title))
        return;
    DeleteSubtree(&session->Cursor, 1);
    session->HasClipboard = false;
    ReloadLevel(session);
}

// Submenus reach 15 levels below the top at most: a level whose KeyPath
// holds 15 keys takes no submenu, since its children's KeyPath would not
// fit.  A key that holds something is not made a submenu (the menu greys
// the command there): that would throw its program away.
void CreateSubmenu(SetupSession* session)
{
    if (!OnKeyRow(session) || HasTitle(session))
        return;
    if (!LevelHoldsSubmenus(session->Cursor.KeyPath)) {
        ShowSetupNotice(session->Window, IDS_DEPTH_LIMIT);
        return;
    }
    Post(session, UM_EDITSUBMENU);
}

// Cut and copy only note the place; a cut entry stays until it is pasted.
void TakeSelected(SetupSession* session, SetupClipMode mode)
{
    if (!HasTitle(session))
        return;
    session->HasClipboard = true;
    session->Clipboard.Mode = mode;
    session->Clipboard.Source = session->Cursor;
    SummarizeSubtree(&session->Cursor, &session->Clipboard.CutFingerprint);
    RepaintSetup(session);
}

// Paste copies the clipboard's source, with everything below it, to the
// selected key; a cut's source is deleted once the copy is made.  Every
// check comes before the first write:
//  - onto the source itself nothing changes (a cut keeps its entry and the
//    clipboard);
//  - a submenu into its own subtree, a cut onto a submenu that holds its
//    source (the copy would replace the source before it is deleted),
//    and a copy that would put a submenu deeper than 15 levels are refused
//    with a notice;
//  - a source that no longer exists, or a cut's source that changed since
//    the cut, empties the clipboard;
//  - a key that holds something asks before it is overwritten, and a
//    submenu with entries asks once more, naming the loss of its contents.
void PasteClipboard(SetupSession* session)
{
    if (!OnKeyRow(session) || !session->HasClipboard)
        return;
    const EntryLocation source = session->Clipboard.Source;
    const EntryLocation& target = session->Cursor;
    char sourceKey[kKeyStringSize];
    char targetKey[kKeyStringSize];
    if (!MakeKeyString(sourceKey, source.KeyPath, source.Slot)
        || !MakeKeyString(targetKey, target.KeyPath, target.Slot)
        || std::strcmp(sourceKey, targetKey) == 0)
        return;
    const bool cut = session->Clipboard.Mode == CLIP_CUT;
    if (CutSourceChanged(session)) {
        session->HasClipboard = false;
        RepaintSetup(session);
        return;
    }
    if (IsInSubtree(sourceKey, targetKey)) {
        ShowSetupNotice(session->Window, IDS_PASTE_INTO_ITSELF);
        return;
    }
    if (cut && IsInSubtree(targetKey, sourceKey)) {
        ShowSetupNotice(session->Window, IDS_PASTE_ONTO_HOLDER);
        return;
    }
    if (!CanCopySubtree(&source, &target)) {
        EntryRecord entry;
        if (ReadEntry(source.KeyPath, source.Slot, &entry)) {
            ShowSetupNotice(session->Window, IDS_PASTE_TOO_DEEP);
        } else {
            session->HasClipboard = false;
            RepaintSetup(session);
        }
        return;
    }
    const StoredRow row = ReadSelectedRow(session);
    if (row.Filled && !AskSetupQuestion(session->Window, IDS_ASK_OVERWRITE))
        return;
    unsigned long long fingerprint;
    if (row.Submenu && SummarizeSubtree(&target, &fingerprint) > 1
        && !AskSetupQuestion(session->Window, IDS_ASK_OVERWRITE_SUBMENU, row.Title))
        return;
    // A cut moves the entries' own keys with them; a copy comes without.
    if (cut ? MoveSubtree(&source, &target) : CopySubtree(&source, &target)) {
        if (cut)
            session->HasClipboard = false;
    }
    ReloadLevel(session);
}

}  // namespace

// Nothing on the title or ".." line.  Items that cannot act on the row are
// greyed: cut, copy and delete on an empty key, create submenu on a key
// that holds something, paste while the clipboard is empty.
void ShowSetupMenu(SetupSession* session)
{
    if (session->Cursor.Slot == 0)
        return;
    FollowStore(session);
    BeginModal(session);
    tav::UniqueHMenu menu(LoadMenuA(GetModuleHandleA(nullptr), IDR_SETUPMENU));
    HMENU popup = GetSubMenu(menu.get(), 0);
    if (popup != nullptr) {
        const UINT greyed = MF_BYCOMMAND | MF_GRAYED;
        if (HasTitle(session)) {
            EnableMenuItem(popup, IDM_NEW_SUBMENU, greyed);
        } else {
            for (UINT id : {IDM_CUT, IDM_COPY, IDM_DELETE, IDM_HOTKEY})
                EnableMenuItem(popup, id, greyed);
        }
        if (!session->HasClipboard)
            EnableMenuItem(popup, IDM_PASTE, greyed);
        POINT pointer;
        GetCursorPos(&pointer);
        // The window must be in the foreground, or the menu would not close
        // when the user clicks elsewhere.
        SetForegroundWindow(session->Window);
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, pointer.x, pointer.y, 0, session->Window, nullptr);
        PostMessageA(session->Window, WM_NULL, 0, 0);
    }
    EndModal(session, true);
}

void RunSetupCommand(SetupSession* session, int command)
{
    FollowStore(session);
    BeginModal(session);
    switch (command) {
    case IDM_EXIT:
        // Closes once the command has returned (the window is busy now).
        SendMessageA(session->Window, WM_CLOSE, 0, 0);
        break;
    case IDM_EDIT:
        if (OnKeyRow(session))
            Post(session, IsSubmenuRow(session) ? UM_EDITSUBMENU : UM_EDITENTRY);
        break;
    case IDM_DELETE:
        DeleteSelected(session);
        break;
    case IDM_NEW_SUBMENU:
        CreateSubmenu(session);
        break;
    case IDM_CUT:
        TakeSelected(session, CLIP_CUT);
        break;
    case IDM_COPY:
        TakeSelected(session, CLIP_COPY);
        break;
    case IDM_PASTE:
        PasteClipboard(session);
        break;
    case IDM_HOTKEY:
        if (HasTitle(session))
            Post(session, UM_EDITHOTKEY);
        break;
    case IDM_CLEAR_CLIPBOARD:
        session->HasClipboard = false;
        RepaintSetup(session);
        break;
    default:
        break;
    }
    EndModal(session, false);
}

void FollowStore(SetupSession* session)
{
    // A dialog or command running holds the cursor; the level follows once
    // it has ended.  Without a watch the commands still read the store.
    if (session->Busy > 0 || !session->Watch.Active() || session->Watch.Quiet())
        return;
    session->Watch.Restart();
    if (CutSourceChanged(session))
        session->HasClipboard = false;
    // The submenu shown may be gone with everything in it (deleted, or
    // replaced by an entry): the cursor then climbs to the nearest level
    // that still is one, onto the key it came from.
    EntryLocation& cursor = session->Cursor;
    for (;;) {
        LoadLevel(&session->View, cursor.KeyPath, 1);
        if (cursor.KeyPath[0] == '\0' || LevelShowsEntries(session))
            break;
        EntryLocation holder = cursor;
        holder.Slot = KeyPathRemoveLast(holder.KeyPath);
        EntryRecord entry;
        if (ReadEntry(holder.KeyPath, holder.Slot, &entry) && IsSubmenuMarker(entry.Program))
            break;
        cursor = holder;
    }
    RepaintSetup(session);
}

// The entry dialog for the selected key, prefilled from a pending dropped
// path when there is one.
void OpenEntryDialog(SetupSession* session)
{
    if (!OnKeyRow(session))
        return;
    BeginModal(session);
    if (RunEntryDialog(session->Window, &session->Cursor, session->PendingPath) == 1)
        ReloadLevel(session);
    EndModal(session, true);
}

// The key-capture dialog for the selected entry or submenu: its own key is
// assigned, replaced or (Delete alone) removed.
void OpenEntryKeyDialog(SetupSession* session)
{
    if (!HasTitle(session) || session->Keys.CaptureEntryKey == nullptr)
        return;
    char keyString[kKeyStringSize];
    if (!MakeKeyString(keyString, session->Cursor.KeyPath, session->Cursor.Slot))
        return;
    BeginModal(session);
    DWORD hotKey = 0;
    if (session->Keys.CaptureEntryKey(session->Window, keyString, &hotKey) == 1) {
        WriteEntryHotKey(session->Cursor.KeyPath, session->Cursor.Slot, hotKey);
        ReloadLevel(session);
    }
    EndModal(session, true);
}

void OpenSubmenuNameDialog(SetupSession* session)
{
    if (!OnKeyRow(session))
        return;
    BeginModal(session);
    if (RunSubmenuNameDialog(session->Window, &session->Cursor) == 1)
        ReloadLevel(session);
    EndModal(session, true);
}

// The continuation of a drop onto a submenu or ".." row: which key of the
// level now shown gets the file.  A chosen submenu is entered and the
// question asked again inside it; any other key gets the entry dialog with
// the dropped path.  The chosen slot decides, never the row under the
// pointer.  Cancel ends the drop: nothing is written and the dropped path
// is forgotten, so no later entry dialog starts from it.
void OpenAssignKeyDialog(SetupSession* session)
{
    BeginModal(session);
    int slot = RunAssignKeyDialog(session->Window);
    if (slot >= 1) {
        session->Cursor.Slot = slot;
        ReloadLevel(session);  // the store may have changed while it asked
        bool submenu = IsSubmenuRow(session);
        OpenSelectedRow(session);  // a submenu: descends; else UM_EDITENTRY
        if (submenu)
            Post(session, UM_ASSIGNKEY);
        RepaintSetup(session);
    } else {
        std::memset(session->PendingPath, 0, sizeof session->PendingPath);
    }
    EndModal(session, true);
}

// A file dropped from the shell lands on the selected row, which follows
// the pointer while the shell drags.  Only the first file counts.  An entry
// or empty key gets the entry dialog, prefilled from the file; a submenu
// row is entered and ".." climbs, and then the key-assignment dialog asks
// for the key there.  While a dialog of the window runs, drops are refused.
void DropFiles(SetupSession* session, HDROP drop)
{
    if (session->Busy > 0) {
        DragFinish(drop);
        return;
    }
    FollowStore(session);
    BeginModal(session);  // a notice about a path too long is modal
    bool taken = TakeDroppedPath(session->Window, drop, session->PendingPath);
    EndModal(session, false);
    if (!taken)
        return;
    const bool top = session->Cursor.KeyPath[0] == '\0';
    if (IsSubmenuRow(session) || (session->Cursor.Slot == 0 && !top)) {
        OpenSelectedRow(session);
        Post(session, UM_ASSIGNKEY);
    } else if (OnKeyRow(session)) {
        Post(session, UM_EDITENTRY);
    } else {
        std::memset(session->PendingPath, 0, sizeof session->PendingPath);
    }
}

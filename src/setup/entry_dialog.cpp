/*
 * The entry dialog.
 */
#include "setup/entry_dialog.h"

#include <commctrl.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "launch/key_handling.h"
#include "res/resource.h"
#include "setup/portable/dropped_file.h"
#include "setup/setup_notices.h"
#include "store/res_string.h"
#include "ui/file_dialogs.h"
#include "ui/lead_byte.h"
#include "ui/modal_dialog.h"

namespace {

// The four path fields: their edits and where OK puts them.
struct PathEdit {
    int Id;
    char (EntryRecord::*Text)[kPathSize];
};
const PathEdit kPathEdits[] = {
    {IDC_ENTRY_PROGRAM, &EntryRecord::Program},
    {IDC_ENTRY_FOLDER, &EntryRecord::Folder},
    {IDC_ENTRY_PARAMETERS, &EntryRecord::Parameters},
    {IDC_ENTRY_SOUND, &EntryRecord::Sound},
};

// Reads path edit id of dialog into path (kPathSize bytes); false, with path
// left as it was, when its text is longer than a path field holds.  The
// whole text is read, as GetWindowTextLengthA may tell more than it holds
// but never less, so no path is ever cut, least of all inside a character.
bool ReadPathText(HWND dialog, int id, char* path)
{
    const int length = GetWindowTextLengthA(GetDlgItem(dialog, id));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetDlgItemTextA(dialog, id, text.data(), length + 1);
    if (std::strlen(text.c_str()) >= static_cast<size_t>(kPathSize))
        return false;
    lstrcpynA(path, text.c_str(), kPathSize);
    return true;
}

class EntryDialog : public ModalDialog {
public:
    EntryDialog(const EntryLocation* location, char* pendingPath)
        : location_(location), pendingPath_(pendingPath)
    {
        std::memset(&record_, 0, sizeof record_);
    }

protected:
    BOOL OnInit() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void FillFromDrop();
    void FillFromStore();

    // The program and sound edits take dropped files; every other message
    // goes on to the edit's own procedure.
    static LRESULT CALLBACK DropEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

    const EntryLocation* location_;
    char* pendingPath_;
    EntryRecord record_;  // the stored entry, and the browse dialogs' paths
};

BOOL EntryDialog::OnInit()
{
    // The title field holds 31 bytes, a path field 259.  Where the system
    // keeps the edit's text in Unicode the limits count characters, so a
    // Japanese text may be longer in bytes: OK cuts a title after a whole
    // character and refuses a path that does not fit.
    SendMessageA(Item(IDC_ENTRY_TITLE), EM_LIMITTEXT, kTitleSize - 2, 0);
    for (const PathEdit& edit : kPathEdits)
        SendMessageA(Item(edit.Id), EM_LIMITTEXT, kPathSize - 1, 0);
    SetFocus(Item(IDC_ENTRY_TITLE));
    if (pendingPath_[0] != '\0')
        FillFromDrop();
    else
        FillFromStore();
    for (int id : {IDC_ENTRY_PROGRAM, IDC_ENTRY_SOUND}) {
        DragAcceptFiles(Item(id), TRUE);
        SubclassControl(Item(id), DropEditProc);
    }
    SetForegroundWindow(Window());
    return TRUE;
}

// The title is the file's name without its extension, selected, so that
// typing replaces it; the edit may show more than OK will store.  Whatever
// the key held before is not shown.  The pending path is used once.
void EntryDialog::FillFromDrop()
{
    char title[kPathSize];
    TitleFromPath(pendingPath_, title, sizeof title, IsAnsiLeadByte);
    SetDlgItemTextA(Window(), IDC_ENTRY_TITLE, title);
    SendMessageA(Item(IDC_ENTRY_TITLE), EM_SETSEL, 0, -1);
    SetDlgItemTextA(Window(), IDC_ENTRY_PROGRAM, pendingPath_);
    std::memset(pendingPath_, 0, kPathSize);
}

void EntryDialog::FillFromStore()
{
    ReadEntry(location_->KeyPath, location_->Slot, &record_);
    SetDlgItemTextA(Window(), IDC_ENTRY_TITLE, record_.Title);
    for (const PathEdit& edit : kPathEdits)
        SetDlgItemTextA(Window(), edit.Id, record_.*edit.Text);
}

// Title and program are required, and every path must fit its field: a
// notice says what is wrong and the dialog stays open with the user's input.
void EntryDialog::OnOK()
{
    EntryRecord entry;
    std::memset(&entry, 0, sizeof entry);
    ReadTitleText(Window(), IDC_ENTRY_TITLE, entry.Title);
    if (entry.Title[0] == '\0') {
        ShowSetupNotice(Window(), IDS_NEED_TITLE);
        return;
    }
    for (const PathEdit& edit : kPathEdits) {
        if (!ReadPathText(Window(), edit.Id, entry.*edit.Text)) {
            ShowSetupNotice(Window(), IDS_PATH_TOO_LONG);
            return;
        }
    }
    if (entry.Program[0] == '\0') {
        ShowSetupNotice(Window(), IDS_NEED_PROGRAM);
        return;
    }
    WriteEntry(location_->KeyPath, location_->Slot, &entry);
    End(1);
}

bool EntryDialog::OnCommand(int id, int /*code*/, HWND /*control*/)
{
    switch (id) {
    case IDC_BROWSE_PROGRAM:
        // The edit's text is the name the open dialog offers first.
        GetDlgItemTextA(Window(), IDC_ENTRY_PROGRAM, record_.Program, kPathSize);
        OpenFileDialog(Window(), record_.Program, ResString(IDS_FILTER_PROGRAM), IDC_ENTRY_PROGRAM);
        break;
    case IDC_BROWSE_SOUND:
        GetDlgItemTextA(Window(), IDC_ENTRY_SOUND, record_.Sound, kPathSize);
        OpenFileDialog(Window(), record_.Sound, ResString(IDS_FILTER_SOUND), IDC_ENTRY_SOUND);
        break;
    case IDC_BROWSE_FOLDER: {
        ResText title(IDS_FOLDER_TITLE);
        BrowseForFolder(Window(), record_.Folder, title.Text, IDC_ENTRY_FOLDER);
        break;
    }
    case IDC_PLAY_SOUND: {
        char sound[kPathSize];
        GetDlgItemTextA(Window(), IDC_ENTRY_SOUND, sound, sizeof sound);
        PlayEntrySound(sound);
        break;
    }
    default:
        break;
    }
    return true;
}

// The dropped file's path becomes the edit's text; no title is derived
// here.  The sound takes only a WAV file; any other is ignored without a
// word.  The drop is released before the edit's own procedure could see
// it, so WM_DROPFILES ends here and never passes on a freed handle.
LRESULT CALLBACK EntryDialog::DropEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_DROPFILES)
        return DefSubclassProc(edit, message, wParam, lParam);
    char path[kPathSize];
    if (TakeDroppedPath(GetParent(edit), reinterpret_cast<HDROP>(wParam), path)
        && (GetDlgCtrlID(edit) != IDC_ENTRY_SOUND || HasWaveExtension(path)))
        SetWindowTextA(edit, path);
    return 0;
}

}  // namespace

INT_PTR RunEntryDialog(HWND owner, const EntryLocation* location, char* pendingPath)
{
    EntryDialog dialog(location, pendingPath);
    INT_PTR result = dialog.Run(owner, IDD_ENTRY);
    return result == 1 ? 1 : 0;
}

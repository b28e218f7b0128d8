/*
 * The submenu-name and key-assignment dialogs.
 */
#include "setup/submenu_dialogs.h"

#include <cstring>

#include "res/resource.h"
#include "setup/setup_notices.h"
#include "store/portable/entry_names.h"
#include "ui/modal_dialog.h"

namespace {

class SubmenuNameDialog : public ModalDialog {
public:
    explicit SubmenuNameDialog(const EntryLocation* location) : location_(location) {}

protected:
    // The edit shows the current name: empty when a submenu is being made
    // on an empty key.
    BOOL OnInit() override
    {
        SendMessageA(Item(IDC_SUBMENU_NAME), EM_LIMITTEXT, kTitleSize - 2, 0);
        EntryRecord entry;
        ReadEntry(location_->KeyPath, location_->Slot, &entry);
        SetDlgItemTextA(Window(), IDC_SUBMENU_NAME, entry.Title);
        SetFocus(Item(IDC_SUBMENU_NAME));
        return TRUE;
    }

    // Renaming rewrites the submenu's own values only; the entries below
    // its key string stay, so it keeps its contents.
    void OnOK() override
    {
        EntryRecord entry;
        std::memset(&entry, 0, sizeof entry);
        ReadTitleText(Window(), IDC_SUBMENU_NAME, entry.Title);
        if (entry.Title[0] == '\0')
            return;  // no name, no submenu: the dialog stays open
        std::strcpy(entry.Program, SUBMENU_MARKER);
        WriteEntry(location_->KeyPath, location_->Slot, &entry);
        End(1);
    }

private:
    const EntryLocation* location_;
};

class AssignKeyDialog : public ModalDialog {
protected:
    // Every key is offered, whatever it holds.  The focus stays on the
    // list (FALSE: the dialog manager would move it to the first button),
    // so a typed key chooses its item at once.
    BOOL OnInit() override
    {
        HWND list = Item(IDC_KEY_LIST);
        for (int slot = 1; slot < kSlotCount; ++slot) {
            char key[2] = {KeyChar(slot - 1), '\0'};
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(key));
        }
        SendMessageA(list, CB_SETCURSEL, 0, 0);
        SetFocus(list);
        SetForegroundWindow(Window());
        return FALSE;
    }

    // Item n is the key of slot n + 1.
    void OnOK() override
    {
        LRESULT item = SendMessageA(Item(IDC_KEY_LIST), CB_GETCURSEL, 0, 0);
        End(item >= 0 && item < kSlotCount - 1 ? item + 1 : -1);
    }

    // Cancel, Esc and the close box end with -1: no key.
    void OnCancel() override { End(-1); }
};

}  // namespace

INT_PTR RunSubmenuNameDialog(HWND owner, const EntryLocation* location)
{
    SubmenuNameDialog dialog(location);
    return dialog.Run(owner, IDD_SUBMENU_NAME) == 1 ? 1 : 0;
}

int RunAssignKeyDialog(HWND owner)
{
    AssignKeyDialog dialog;
    INT_PTR slot = dialog.Run(owner, IDD_ASSIGN_KEY);
    return slot >= 1 && slot < kSlotCount ? static_cast<int>(slot) : -1;
}

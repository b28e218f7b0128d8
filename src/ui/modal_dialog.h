/*
 * The base of every modal dialog of the program.
 *
 * A dialog is a small class over ModalDialog: Run shows the template from
 * the program's resources with DialogBoxParamA, passing the object itself as
 * the creation parameter, which the dialog procedure keeps in DWLP_USER.
 * WM_INITDIALOG places the dialog (PlaceDialog: the pointer's quarter of
 * the desktop), then calls OnInit; WM_COMMAND goes to OnCommand, every
 * other message to OnMessage.  The record a dialog edits
 * is a member of the derived class, so it lives exactly as long as the
 * dialog's caller wants it.
 *
 * No handler may throw: nothing may cross the system's dialog procedure.
 */
#ifndef TAV_UI_MODAL_DIALOG_H
#define TAV_UI_MODAL_DIALOG_H

#include <windows.h>

class ModalDialog {
public:
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Runs the dialog template templateName of the program's module,
    // owned by owner, until it ends; returns the value it ended with (1 for
    // done and 0 for cancelled by convention), or -1 when the dialog could
    // not be created.
    INT_PTR Run(HWND owner, const char* templateName);

    // The dialog window while it runs, else null.
    HWND Window() const { return window_; }

protected:
    ModalDialog() = default;
    virtual ~ModalDialog() = default;

    // WM_INITDIALOG, once placed.  Returns what WM_INITDIALOG returns: TRUE
    // lets the system give the focus to the first control of the tab order.
    virtual BOOL OnInit() { return TRUE; }

    // WM_COMMAND: control id, notification code, control window.  Returns
    // true when handled.  By default IDOK ends the dialog with 1 and
    // IDCANCEL (also Esc and the close box) with 0.
    virtual bool OnCommand(int id, int code, HWND control);

    // Any other message.  Returns true when handled, with *result the value
    // for the dialog procedure to return.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

    void End(INT_PTR result) { EndDialog(window_, result); }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

// Replaces a control's window procedure with procedure and keeps the
// previous one with the control, for CallPreviousProcedure.  The edit
// controls that take dropped files or act as links are subclassed so.
void SubclassControl(HWND control, WNDPROC procedure);

// Passes a message on to the procedure the control had before
// SubclassControl; DefWindowProcA when it has none.
LRESULT CallPreviousProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

#endif

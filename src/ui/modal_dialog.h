/*
 * The base of every modal dialog of the program.
 *
 * A dialog is a small class over ModalDialog: Run shows the template from
 * the program's resources with DialogBoxParamA, passing the object itself as
 * the creation parameter, which the dialog procedure keeps in DWLP_USER.
 * WM_INITDIALOG places the dialog (PlaceDialog: the pointer's quarter of
 * the desktop), then calls OnInit.  The base owns the ending: IDOK (the OK
 * button, Enter) goes to OnOK, which ends the dialog with 1, and IDCANCEL
 * (Cancel, Esc, the close box) to OnCancel, which ends it with 0; a dialog
 * overrides only what it checks or ends otherwise.  WM_DESTROY goes to
 * OnDestroy, every other command to OnCommand, every other message to
 * OnMessage.  The record a dialog edits is a member of the derived class,
 * so it lives exactly as long as the dialog's caller wants it.
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

    // IDOK: ends the dialog with 1.  A dialog that checks its fields first
    // ends only when they hold, and keeps the user's input otherwise.
    virtual void OnOK() { End(1); }

    // IDCANCEL, also Esc and the close box: ends the dialog with 0.
    virtual void OnCancel() { End(0); }

    // WM_DESTROY: the dialog is going, its controls still exist.
    virtual void OnDestroy() {}

    // WM_COMMAND of any other id: control id, notification code, control
    // window.  Returns true when handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }

    // Any other message.  Returns true when handled, with *result the value
    // for the dialog procedure to return.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                           INT_PTR* /*result*/)
    {
        return false;
    }

    // Ends the dialog with result once the current message is handled.
    void End(INT_PTR result);
    // Whether End was called: the messages that follow (a control losing
    // the focus, WM_DESTROY) belong to the dialog's end, not to the user.
    bool Ending() const { return ending_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    bool ending_ = false;
};

// Subclasses a control with procedure, through ComCtl32's SetWindowSubclass.
// procedure gets every message of the control and passes on what it does
// not take with DefSubclassProc; the subclass is removed as the control is
// destroyed.  The edit controls that take dropped files or act as links
// are subclassed so.
void SubclassControl(HWND control, WNDPROC procedure);

#endif

/*
 * The modal dialog base and control subclassing.
 */
#include "ui/modal_dialog.h"

#include <commctrl.h>

#include "ui/dialog_placement.h"

namespace {

// The one SUBCLASSPROC of the program: it calls the control's procedure,
// kept as the subclass's data (and id, so that two procedures on one
// control are two subclasses).  A subclass must be gone before its control
// is; WM_NCDESTROY is the control's last message.
LRESULT CALLBACK ForwardToProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR procedure)
{
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(control, ForwardToProcedure, id);
    return reinterpret_cast<WNDPROC>(procedure)(control, message, wParam, lParam);
}

}  // namespace

INT_PTR ModalDialog::Run(HWND owner, const char* templateName)
{
    ending_ = false;
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), templateName, owner, Procedure,
                                     reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    return result;
}

void ModalDialog::End(INT_PTR result)
{
    ending_ = true;
    EndDialog(window_, result);
}

INT_PTR ModalDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == IDOK)
            OnOK();
        else if (id == IDCANCEL)
            OnCancel();
        else
            return OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
        return TRUE;
    }
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default: {
        INT_PTR result = FALSE;
        return OnMessage(message, wParam, lParam, &result) ? result : FALSE;
    }
    }
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        ModalDialog* self = reinterpret_cast<ModalDialog*>(lParam);
        self->window_ = dialog;
        PlaceDialog(dialog);
        return self->OnInit();
    }
    // Messages before WM_INITDIALOG (WM_SETFONT, the first sizing) find no
    // dialog object yet and get the default handling.
    ModalDialog* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (self == nullptr)
        return FALSE;
    return self->Dispatch(message, wParam, lParam);
}

void SubclassControl(HWND control, WNDPROC procedure)
{
    auto data = reinterpret_cast<DWORD_PTR>(procedure);
    SetWindowSubclass(control, ForwardToProcedure, static_cast<UINT_PTR>(data), data);
}

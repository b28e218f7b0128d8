/*
 * The modal dialog base and control subclassing.
 */
#include "ui/modal_dialog.h"

#include "ui/dialog_placement.h"

namespace {

// The window property that keeps a subclassed control's previous procedure.
const char kPreviousProcedure[] = "TavPrevProc";

}  // namespace

INT_PTR ModalDialog::Run(HWND owner, const char* templateName)
{
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), templateName, owner, Procedure,
                                     reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    return result;
}

bool ModalDialog::OnCommand(int id, int /*code*/, HWND /*control*/)
{
    if (id == IDOK || id == IDCANCEL) {
        End(id == IDOK ? 1 : 0);
        return true;
    }
    return false;
}

bool ModalDialog::OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                            INT_PTR* /*result*/)
{
    return false;
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
    if (message == WM_COMMAND)
        return self->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))
                   ? TRUE
                   : FALSE;
    INT_PTR result = FALSE;
    if (!self->OnMessage(message, wParam, lParam, &result))
        return FALSE;
    return result;
}

void SubclassControl(HWND control, WNDPROC procedure)
{
    LONG_PTR previous = SetWindowLongPtrA(control, GWLP_WNDPROC,
                                          reinterpret_cast<LONG_PTR>(procedure));
    SetPropA(control, kPreviousProcedure, reinterpret_cast<HANDLE>(previous));
}

LRESULT CallPreviousProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropA(control, kPreviousProcedure));
    if (message == WM_NCDESTROY) {
        // The last message of the control: the property must not outlive it.
        RemovePropA(control, kPreviousProcedure);
        if (previous != nullptr)
            SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    if (previous == nullptr)
        return DefWindowProcA(control, message, wParam, lParam);
    return CallWindowProcA(previous, control, message, wParam, lParam);
}

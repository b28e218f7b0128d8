/*
 * The about box.
 */
#include "options/about_dialog.h"

#include <commctrl.h>

#include <cstdlib>

#include "base/late_import.h"
#include "base/portable/key_table.h"
#include "base/unique_handle.h"
#include "options/portable/shell_text.h"
#include "res/options_dialogs.h"
#include "res/resource.h"
#include "store/res_string.h"
#include "ui/modal_dialog.h"

using tav::SelectGuard;
using tav::UniqueHFont;
using tav::UniqueMemoryDc;

BOOL(WINAPI* OpenLinkThroughShell)(SHELLEXECUTEINFOA* info) = ShellExecuteExA;

namespace {

// Whether a selection existed when the button went down on a link; one for
// both links (there is one pointer).
bool SelectionAtPress;

bool HasSelection(HWND control)
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return start != end;
}

void OpenLink(HWND control)
{
    char text[kPathSize + 1];
    GetWindowTextA(control, text, sizeof text);
    char target[kPathSize + 8];
    if (!LinkTarget(text, target, sizeof target))
        return;
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.hwnd = control;
    info.lpFile = target;
    info.nShow = SW_SHOWNORMAL;
    OpenLinkThroughShell(&info);  // a link the shell cannot open says nothing
}

// Gives control id of dialog an underlined copy of the dialog's font and
// sizes the control to text in it; returns the font, which the caller
// deletes once the control is gone.
HFONT FitLinkControl(HWND dialog, int id, const char* text)
{
    LOGFONTA logFont = {};
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    GetObjectA(dialogFont != nullptr ? static_cast<HGDIOBJ>(dialogFont)
                                     : GetStockObject(DEFAULT_GUI_FONT),
               sizeof logFont, &logFont);
    logFont.lfUnderline = 1;
    HFONT font = CreateFontIndirectA(&logFont);
    HWND control = GetDlgItem(dialog, id);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    SIZE size = {};
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    {
        SelectGuard select(dc.get(), font);
        GetTextExtentPoint32A(dc.get(), text, lstrlenA(text), &size);
    }
    SetWindowPos(control, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
    return font;
}

// The procedure of both link fields (edit controls, subclassed): a hand
// cursor, no caret, and a click that selects nothing opens the field's
// text.
LRESULT CALLBACK LinkProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETCURSOR: {
        HideCaret(control);
        HCURSOR cursor = LoadCursorA(nullptr, IDC_ARROW);
        if (LOWORD(lParam) == HTCLIENT) {
            cursor = LoadCursorA(nullptr, IDC_HAND);
            if (cursor == nullptr)
                cursor = LoadCursorA(GetModuleHandleA(nullptr), IDC_LINKCUR);
        }
        SetCursor(cursor);
        return TRUE;
    }
    case WM_LBUTTONDOWN:
        SelectionAtPress = HasSelection(control);
        break;
    case WM_LBUTTONUP: {
        // Selecting text never opens the link, nor does the click that
        // clears a selection.
        LRESULT result = DefSubclassProc(control, message, wParam, lParam);
        if (!HasSelection(control) && !SelectionAtPress)
            OpenLink(control);
        return result;
    }
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

// Shows the dialog with one of five slide animations, chosen at random
// (AnimateWindow, looked up at run time; without it the dialog manager
// shows the box as usual).
void AnimateDialog(HWND dialog)
{
    using AnimateWindowProc = BOOL(WINAPI*)(HWND, DWORD, DWORD);
    static const DWORD kAnimations[] = {
        AW_SLIDE | AW_HOR_POSITIVE, AW_SLIDE | AW_HOR_NEGATIVE, AW_SLIDE | AW_VER_POSITIVE,
        AW_SLIDE | AW_VER_NEGATIVE, AW_SLIDE | AW_CENTER,
    };
    std::srand(GetTickCount());
    static const auto animate = LateImport<AnimateWindowProc>("user32.dll", "AnimateWindow");
    if (animate != nullptr)
        animate(dialog, 200, kAnimations[std::rand() % 5]);
    InvalidateRect(dialog, nullptr, FALSE);
}

class AboutDialog : public ModalDialog {
protected:
    BOOL OnInit() override
    {
        const struct {
            int Id;
            int TextId;
        } links[] = {{IDC_MAKER_URL, IDS_MAKER_URL}, {IDC_MAKER_MAIL, IDS_MAKER_MAIL}};
        UniqueHFont* fonts[] = {&urlFont_, &mailFont_};
        for (int i = 0; i < 2; ++i) {
            ResText text(links[i].TextId);
            HWND control = Item(links[i].Id);
            SetWindowTextA(control, text.Text);
            SubclassControl(control, LinkProc);
            fonts[i]->reset(FitLinkControl(Window(), links[i].Id, text.Text));
        }
        SetFocus(Item(IDOK));
        AnimateDialog(Window());
        return FALSE;  // the focus stays on OK
    }

    // The box only informs: OK ends it as Cancel does, with 0.
    void OnOK() override { OnCancel(); }

    // The controls are going; their fonts may go with them.
    void OnDestroy() override
    {
        urlFont_.reset();
        mailFont_.reset();
    }

    // Read-only edits ask for the colours of static controls.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override
    {
        if (message != WM_CTLCOLORSTATIC)
            return false;
        int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        if (id != IDC_MAKER_URL && id != IDC_MAKER_MAIL) {
            *result = 0;
            return true;
        }
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetBkMode(dc, TRANSPARENT);
        *result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }

private:
    UniqueHFont urlFont_;
    UniqueHFont mailFont_;
};

}  // namespace

INT_PTR RunAboutDialog(HWND owner)
{
    AboutDialog dialog;
    return dialog.Run(owner, IDD_ABOUT);
}

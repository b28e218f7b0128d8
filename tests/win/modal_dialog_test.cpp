/*
 * The dialog base with a real dialog: it opens in the pointer's quarter of
 * the desktop before its own initialisation runs, finds its object in every
 * handler, ends with what OK, Cancel and a handler give, and a subclassed
 * control passes every message on to its own procedure.
 */
#include <windows.h>

#include <gtest/gtest.h>

#include "setup/modal_dialog.h"

namespace {

constexpr int kEditId = 100;

// Sized to 200 x 100 pixels, with the pointer put at pointer, just before the
// base places it (the dialog's creation may still move a pointer set
// earlier: Wine takes in the X server's pending pointer motion), then
// pressed by the posted command once it runs.
class TestDialog : public ModalDialog {
public:
    explicit TestDialog(int command, POINT pointer = {0, 0}) : command_(command), pointer_(pointer) {}

    RECT PlacedAt = {};
    int Commands = 0;
    int EditMessages = 0;

protected:
    void Place() override
    {
        SetWindowPos(Window(), nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
        SetCursorPos(pointer_.x, pointer_.y);
        ModalDialog::Place();
    }
    BOOL OnInit() override
    {
        GetWindowRect(Window(), &PlacedAt);
        SetWindowLongPtrA(Item(kEditId), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SubclassControl(Item(kEditId), EditProc);
        SetWindowTextA(Item(kEditId), "typed");
        PostMessageA(Window(), WM_COMMAND, static_cast<WPARAM>(command_), 0);
        return TRUE;
    }
    bool OnCommand(int id, int code, HWND control) override
    {
        ++Commands;
        if (id == 7) {
            End(7);
            return true;
        }
        return ModalDialog::OnCommand(id, code, control);
    }

private:
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<TestDialog*>(GetWindowLongPtrA(edit, GWLP_USERDATA));
        if (self != nullptr && message == WM_SETTEXT)
            ++self->EditMessages;
        return CallPreviousProcedure(edit, message, wParam, lParam);
    }

    int command_;
    POINT pointer_;
};

struct RunCase {
    int Command;
    INT_PTR Result;
};

TEST(ModalDialog, OpensInThePointersQuarterAndEndsWithItsResult)
{
    // On the 1024 x 768 test display: pointer near the tray, lower right
    // quarter's centre; pointer on both half lines, upper left quarter's.
    const struct {
        POINT Pointer;
        POINT Expected;
    } placements[] = {{{1000, 740}, {668, 526}}, {{512, 384}, {156, 142}}};
    for (const auto& p : placements) {
        TestDialog dialog(IDOK, p.Pointer);
        EXPECT_EQ(1, dialog.Run(nullptr, "TestDlg"));
        EXPECT_EQ(p.Expected.x, dialog.PlacedAt.left);
        EXPECT_EQ(p.Expected.y, dialog.PlacedAt.top);
        EXPECT_EQ(200, dialog.PlacedAt.right - dialog.PlacedAt.left);
        EXPECT_EQ(nullptr, dialog.Window());
    }

    const RunCase runs[] = {{IDOK, 1}, {IDCANCEL, 0}, {7, 7}};
    for (const RunCase& c : runs) {
        TestDialog dialog(c.Command);
        EXPECT_EQ(c.Result, dialog.Run(nullptr, "TestDlg")) << c.Command;
        EXPECT_EQ(1, dialog.EditMessages) << "the subclass saw the text and passed it on";
        EXPECT_GE(dialog.Commands, 1);
    }

    TestDialog missing(IDOK);
    EXPECT_EQ(-1, missing.Run(nullptr, "NoSuchDlg"));
}

}  // namespace

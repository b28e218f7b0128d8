/*
 * The launcher-key capture dialog.
 *
 * The dialog has no controls, so it keeps the focus itself and the dialog
 * manager hands it every key-down except the ones it turns into commands:
 * Enter and Esc become IDOK and IDCANCEL and close it without a key.
 * WM_SYSKEYDOWN is taken like WM_KEYDOWN, so keys pressed with Alt (and
 * F10) are recorded too.  The dialog has no IME input context, as the
 * launcher has none: an open IME would turn the key (無変換 among them) into
 * VK_PROCESSKEY.
 */
#include "options/key_capture_dialog.h"

#include <imm.h>

#include "draw/desktop.h"
#include "draw/portable/dpi_scale.h"
#include "res/options_dialogs.h"
#include "res/resource.h"
#include "store/res_string.h"
#include "ui/modal_dialog.h"

namespace {

class KeyCaptureDialog : public ModalDialog {
public:
    explicit KeyCaptureDialog(LauncherState* settings) : settings_(settings) {}

protected:
    // Enter ends without a key, as Esc does.
    void OnOK() override { OnCancel(); }

    bool OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, INT_PTR* result) override
    {
        switch (message) {
        case WM_PAINT:
            PaintPrompt();
            *result = TRUE;
            return true;
        case WM_ACTIVATE:
            ImmAssociateContext(Window(), nullptr);
            return false;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Should an IME have had the key after all, it knows which it was.
            if (wParam == VK_PROCESSKEY)
                wParam = ImmGetVirtualKey(Window());
            // A lone modifier is no launcher key: wait for the key it goes with.
            if (wParam == VK_SHIFT || wParam == VK_CONTROL || wParam == VK_MENU)
                return false;
            Record(static_cast<int>(wParam));
            *result = TRUE;
            return true;
        default:
            return false;
        }
    }

private:
    // GetKeyState: the state when the key-down was queued, which is what
    // was held with the key.
    static bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

    void Record(int code)
    {
        settings_->OpenHotKey = code;
        settings_->CheckIME = 0;
        settings_->OpenHotKeyEx = (Held(VK_MENU) ? MOD_ALT : 0) | (Held(VK_SHIFT) ? MOD_SHIFT : 0)
                                  | (Held(VK_CONTROL) ? MOD_CONTROL : 0);
        End(1);
    }

    // Each line in white one pixel up and left of the same line in black:
    // the text gets a light edge.  The DC's default font, which is larger
    // above 96 DPI, so the places (figures at 96 DPI) are scaled to the
    // dialog's DPI; the edge stays one pixel.
    void PaintPrompt()
    {
        static const int kLines[] = {IDS_CAPTURE_PROMPT1, IDS_CAPTURE_PROMPT2, IDS_CAPTURE_PROMPT3};
        static const int kTops[] = {5, 24, 41};
        const int dpi = WindowDpi(Window());
        const int left = ScaleToDpi(5, dpi);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(Window(), &paint);
        SetBkMode(dc, TRANSPARENT);
        const struct {
            COLORREF Colour;
            int Shift;
        } passes[] = {{RGB(255, 255, 255), 0}, {RGB(0, 0, 0), 1}};
        for (const auto& pass : passes) {
            SetTextColor(dc, pass.Colour);
            for (int i = 0; i < 3; ++i) {
                const char* text = ResString(kLines[i]);
                TextOutA(dc, left + pass.Shift, ScaleToDpi(kTops[i], dpi) + pass.Shift, text,
                         lstrlenA(text));
            }
        }
        EndPaint(Window(), &paint);
    }

    LauncherState* settings_;
};

}  // namespace

INT_PTR RunKeyCaptureDialog(HWND owner, LauncherState* settings)
{
    KeyCaptureDialog dialog(settings);
    return dialog.Run(owner, IDD_KEY_CAPTURE);
}

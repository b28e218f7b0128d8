/*
 * The key-capture dialog.
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

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "draw/desktop.h"
#include "draw/portable/dpi_scale.h"
#include "options/launcher_key_text.h"
#include "res/options_dialogs.h"
#include "res/resource.h"
#include "store/entry_tree.h"
#include "store/res_string.h"
#include "store/settings.h"
#include "ui/modal_dialog.h"

namespace {

// The id a key is tried with on the dialog's window, registered and
// released at once.
constexpr int kProbeId = 1;
// How many other combinations are offered for a taken key.
constexpr int kOfferedCount = 3;
// The combinations tried for a taken key, in this order.
const int kAlternatives[] = {MOD_CONTROL | MOD_ALT, MOD_CONTROL | MOD_SHIFT, MOD_ALT | MOD_SHIFT,
                             MOD_CONTROL | MOD_ALT | MOD_SHIFT, MOD_CONTROL, MOD_ALT, MOD_SHIFT};

// Prompt lines and the notes under them, at 96 DPI.
constexpr int kLineTop = 5;
constexpr int kLinePitch = 18;

// A key and its modifiers as RegisterHotKey takes them.
struct Key {
    int Code;
    int Modifiers;
};

bool SameKey(Key a, Key b)
{
    return a.Code == b.Code && a.Modifiers == b.Modifiers;
}

class KeyCaptureDialog : public ModalDialog {
public:
    // ownKeys: the program's keys this capture may not take.
    KeyCaptureDialog(bool entryKey, std::vector<Key> ownKeys)
        : entryKey_(entryKey), ownKeys_(std::move(ownKeys))
    {
    }

    Key Recorded() const { return recorded_; }

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
        case WM_TIMER:
            PressHeldElsewhere();
            *result = TRUE;
            return true;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Should an IME have had the key after all, it knows which it was.
            if (wParam == VK_PROCESSKEY)
                wParam = ImmGetVirtualKey(Window());
            seenDown_[wParam & 0xFF] = true;
            // A lone modifier is no key: wait for the key it goes with.
            if (IsModifier(static_cast<int>(wParam)))
                return false;
            Press(static_cast<int>(wParam));
            *result = TRUE;
            return true;
        default:
            return false;
        }
    }

private:
    // GetKeyState: the state when the key-down was queued, which is what
    // was held with the key.
    // From the timer, the keyboard's state now.
    bool Held(int key) const
    {
        return ((fromTimer_ ? GetAsyncKeyState(key) : GetKeyState(key)) & 0x8000) != 0;
    }

    bool IsModifier(int code) const
    {
        return code == VK_SHIFT || code == VK_CONTROL || code == VK_MENU
               || (entryKey_ && (code == VK_LWIN || code == VK_RWIN));
    }

    // A key that another window holds as its hot key never arrives here as
    // a key-down: its holder gets it.  The keyboard's state still shows it
    // pressed, so a key that went down since the last tick without a
    // key-down message is taken as pressed here.  (Timer messages come only
    // once the queue is empty, after any key-down.)
    void PressHeldElsewhere()
    {
        for (int code = VK_BACK; code <= 0xFE; ++code) {
            const SHORT state = GetAsyncKeyState(code);
            const bool down = (state & 0x8000) != 0;
            const bool arrived = !seenDown_[code] && ((down && !wasDown_[code]) || (state & 1) != 0);
            wasDown_[code] = down;
            seenDown_[code] = false;
            if (arrived && !IsModifier(code) && code != VK_LSHIFT && code != VK_RSHIFT
                && code != VK_LCONTROL && code != VK_RCONTROL && code != VK_LMENU
                && code != VK_RMENU && code != VK_LWIN && code != VK_RWIN) {
                fromTimer_ = true;
                Press(code);
                fromTimer_ = false;
                return;
            }
        }
    }

    void Press(int code)
    {
        Key key = {code, (Held(VK_MENU) ? MOD_ALT : 0) | (Held(VK_SHIFT) ? MOD_SHIFT : 0)
                             | (Held(VK_CONTROL) ? MOD_CONTROL : 0)};
        if (entryKey_ && (Held(VK_LWIN) || Held(VK_RWIN)))
            key.Modifiers |= MOD_WIN;
        if (entryKey_ && key.Modifiers == 0) {
            if (code == VK_DELETE || code == VK_BACK) {
                recorded_ = {0, 0};
                End(1);
            } else {
                ShowNotes({ResString(IDS_KEY_NEEDS_MODIFIER)});
            }
            return;
        }
        // An IME key alone may be left to the hook library: not tried.
        const bool imeAlone = key.Modifiers == 0 && (code == VK_CONVERT || code == VK_NONCONVERT);
        if (!imeAlone && IsTaken(key)) {
            ReportTaken(key);
            return;
        }
        recorded_ = key;
        End(1);
    }

    bool IsTaken(Key key) const
    {
        for (const Key& own : ownKeys_)
            if (SameKey(own, key))
                return true;
        if (!RegisterHotKey(Window(), kProbeId, key.Modifiers, key.Code))
            return true;
        UnregisterHotKey(Window(), kProbeId);
        return false;
    }

    static std::string KeyText(Key key)
    {
        char text[kLauncherKeyTextSize];
        FormatHotKeyText(text, key.Code, key.Modifiers);
        return text;
    }

    // The taken key, and the same key with the first free combinations.
    void ReportTaken(Key key)
    {
        std::string offered;
        int count = 0;
        for (int modifiers : kAlternatives) {
            const Key other = {key.Code, modifiers | (key.Modifiers & MOD_WIN)};
            if (count == kOfferedCount || SameKey(other, key) || IsTaken(other))
                continue;
            offered += (count++ > 0 ? ", " : "") + KeyText(other);
        }
        char taken[256];
        std::snprintf(taken, sizeof taken, ResString(IDS_KEY_TAKEN), KeyText(key).c_str());
        char free[256];
        if (count > 0)
            std::snprintf(free, sizeof free, ResString(IDS_KEY_FREE), offered.c_str());
        else
            lstrcpynA(free, ResString(IDS_KEY_NONE_FREE), sizeof free);
        ShowNotes({taken, free});
    }

    std::vector<std::string> PromptLines() const
    {
        std::vector<std::string> lines;
        for (int id : {IDS_CAPTURE_PROMPT1, IDS_CAPTURE_PROMPT2, IDS_CAPTURE_PROMPT3})
            lines.emplace_back(ResString(id));
        if (entryKey_)
            lines.emplace_back(ResString(IDS_KEY_REMOVE_HINT));
        lines.insert(lines.end(), notes_.begin(), notes_.end());
        return lines;
    }

    // Shows the notes under the prompt, and in the caption; the box grows
    // to hold every line.
    void ShowNotes(std::vector<std::string> notes)
    {
        notes_ = std::move(notes);
        std::string caption;
        for (const std::string& note : notes_)
            caption += (caption.empty() ? "" : "  ") + note;
        SetWindowTextA(Window(), caption.c_str());
        FitToLines();
        InvalidateRect(Window(), nullptr, TRUE);
    }

    void FitToLines()
    {
        const std::vector<std::string> lines = PromptLines();
        const int dpi = WindowDpi(Window());
        HDC dc = GetDC(Window());
        int width = 0;
        for (const std::string& line : lines) {
            SIZE size = {0, 0};
            GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
            width = std::max(width, static_cast<int>(size.cx));
        }
        ReleaseDC(Window(), dc);
        width += ScaleToDpi(2 * kLineTop, dpi);
        const int height = ScaleToDpi(kLineTop + kLinePitch * static_cast<int>(lines.size()), dpi);
        RECT client;
        RECT outer;
        GetClientRect(Window(), &client);
        GetWindowRect(Window(), &outer);
        const int growX = std::max(0, width - static_cast<int>(client.right));
        const int growY = std::max(0, height - static_cast<int>(client.bottom));
        if (growX > 0 || growY > 0)
            SetWindowPos(Window(), nullptr, 0, 0, outer.right - outer.left + growX,
                         outer.bottom - outer.top + growY, SWP_NOMOVE | SWP_NOZORDER);
    }

    BOOL OnInit() override
    {
        FitToLines();
        for (int code = 0; code < 256; ++code)
            wasDown_[code] = (GetAsyncKeyState(code) & 0x8000) != 0;
        SetTimer(Window(), 1, 30, nullptr);
        return TRUE;
    }

    // Each line in white one pixel up and left of the same line in black:
    // the text gets a light edge.  The DC's default font, which is larger
    // above 96 DPI, so the places (figures at 96 DPI) are scaled to the
    // dialog's DPI; the edge stays one pixel.
    void PaintPrompt()
    {
        const std::vector<std::string> lines = PromptLines();
        const int dpi = WindowDpi(Window());
        const int left = ScaleToDpi(kLineTop, dpi);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(Window(), &paint);
        SetBkMode(dc, TRANSPARENT);
        const struct {
            COLORREF Colour;
            int Shift;
        } passes[] = {{RGB(255, 255, 255), 0}, {RGB(0, 0, 0), 1}};
        for (const auto& pass : passes) {
            SetTextColor(dc, pass.Colour);
            for (size_t i = 0; i < lines.size(); ++i) {
                // The prompt's lines stand at 5, 24 and 41: kept as they were.
                const int top = i == 0 ? 5 : i == 1 ? 24 : 41 + kLinePitch * (static_cast<int>(i) - 2);
                TextOutA(dc, left + pass.Shift, ScaleToDpi(top, dpi) + pass.Shift,
                         lines[i].c_str(), static_cast<int>(lines[i].size()));
            }
        }
        EndPaint(Window(), &paint);
    }

    bool entryKey_;
    std::vector<Key> ownKeys_;
    std::vector<std::string> notes_;
    Key recorded_ = {0, 0};
    bool fromTimer_ = false;
    bool wasDown_[256] = {};
    bool seenDown_[256] = {};
};

// Every entry's key but the one of the entry at keyString ("" : all).
std::vector<Key> EntryKeysBut(const char* keyString)
{
    std::vector<Key> keys;
    for (const EntryHotKey& entry : ReadEntryHotKeys())
        if (std::strcmp(entry.KeyString, keyString) != 0)
            keys.push_back({static_cast<int>(EntryKeyCode(entry.HotKey)),
                            static_cast<int>(EntryKeyModifiers(entry.HotKey))});
    return keys;
}

}  // namespace

INT_PTR RunKeyCaptureDialog(HWND owner, LauncherState* settings)
{
    KeyCaptureDialog dialog(false, EntryKeysBut(""));
    if (dialog.Run(owner, IDD_KEY_CAPTURE) != 1)
        return 0;
    settings->OpenHotKey = dialog.Recorded().Code;
    settings->OpenHotKeyEx = dialog.Recorded().Modifiers;
    settings->CheckIME = 0;
    return 1;
}

INT_PTR RunEntryKeyCaptureDialog(HWND owner, const char* keyString, DWORD* hotKey)
{
    std::vector<Key> ownKeys = EntryKeysBut(keyString);
    std::unique_ptr<LauncherState> settings(new LauncherState());
    LoadSettings(settings.get());
    ownKeys.push_back({settings->OpenHotKey, settings->OpenHotKeyEx});
    KeyCaptureDialog dialog(true, std::move(ownKeys));
    if (dialog.Run(owner, IDD_KEY_CAPTURE) != 1)
        return 0;
    const Key key = dialog.Recorded();
    *hotKey = key.Code == 0 ? 0 : MakeEntryKey(key.Code, key.Modifiers);
    return 1;
}

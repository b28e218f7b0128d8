/*
 * The options dialog as the user meets it, under Wine: the real template,
 * controls, common dialogs and message boxes, real keys in the capture
 * dialog.  The driver's first step plays the options dialog itself, the
 * next ones the dialogs it opens.  The preview's paints are counted around
 * its window procedure and forced with UpdateWindow after each change.
 */
#include <windows.h>
#include <imm.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/optional_apis.h"
#include "dialog_driver.h"
#include "options/key_capture_dialog.h"
#include "options/options_dialog.h"
#include "options/preview.h"
#include "res/options_dialogs.h"
#include "scratch_registry.h"
#include "store/entry_tree.h"
#include "store/settings.h"
#include "test_window.h"

namespace {

const char kWindowKey[] = "Software\\orrel\\Tav\\Window";
const char kKeyKey[] = "Software\\orrel\\Tav\\Key";
const char kImeNote[] = "(IME\x82\xF0\x8A\xC4\x8E\x8B\x82\xB7\x82\xE9)";  // (IMEを監視する)
const char kMuhenkan[] = "\x96\xB3\x95\xCF\x8A\xB7";                      // 無変換
const char kOptions[] = "Tav動作設定";

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// The controls as the user sees them, in one line: a check box as 0 or 1
// and "-" when disabled, the slider as its position, the lists as the index
// selected.
std::string Shown(HWND d)
{
    auto box = [d](int id) {
        return std::to_string(IsDlgButtonChecked(d, id)) + (Enabled(d, id) ? "" : "-");
    };
    auto list = [d](int id) { return std::to_string(SendDlgItemMessageA(d, id, CB_GETCURSEL, 0, 0)); };
    return ItemText(d, IDC_KEY_TEXT) + " hide " + box(IDC_HIDE_EMPTY_KEYS) + " cursor "
           + box(IDC_SAVE_CURSOR) + " fg " + box(IDC_FOREGROUND) + " alpha " + box(IDC_USE_ALPHA)
           + " slider " + std::to_string(SendDlgItemMessageA(d, IDC_ALPHA_SLIDER, TBM_GETPOS, 0, 0))
           + (Enabled(d, IDC_ALPHA_SLIDER) ? " " : "- ") + ItemText(d, IDC_ALPHA_LABEL) + " grad "
           + box(IDC_USE_GRAD) + (Enabled(d, IDC_GRAD_COLOR) ? " colour" : " colour-") + " vgrad "
           + box(IDC_VGRAD) + " smooth " + box(IDC_SMOOTH) + " offset " + ItemText(d, IDC_SHADOW_OFFSET)
           + " frame " + list(IDC_FRAME) + " pos " + list(IDC_POSITION);
}

// The preview's WM_PAINTs, counted around its own procedure.
int PreviewPaints;
WNDPROC PreviewProcedure;

LRESULT CALLBACK CountingPreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        ++PreviewPaints;
    return CallWindowProcA(PreviewProcedure, window, message, wParam, lParam);
}

using Action = std::function<void(HWND dialog)>;

Action Clicks(int id)
{
    return [id](HWND d) { SendDlgItemMessageA(d, id, BM_CLICK, 0, 0); };
}

Action Selects(int id, int index)
{
    return [=](HWND d) {
        SendDlgItemMessageA(d, id, CB_SETCURSEL, index, 0);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
    };
}

Action Presses(int id, WORD key)
{
    return [=](HWND d) {
        SendDlgItemMessageA(d, id, WM_KEYDOWN, key, 0);
        SendDlgItemMessageA(d, id, WM_KEYUP, key, 0xC0000000);
    };
}

// Types into the offset edit and moves the focus away.
Action Types(const char* text)
{
    return [text](HWND d) {
        SetFocus(GetDlgItem(d, IDC_SHADOW_OFFSET));
        SetDlgItemTextA(d, IDC_SHADOW_OFFSET, text);
        SetFocus(GetDlgItem(d, IDC_LAUNCHER_KEY));
    };
}

class OptionsDialogTest : public RegistryTest {
protected:
    void SetUp() override
    {
        LoadOptionalApis();
        SetCursorPos(200, 200);  // the dialog opens in the upper left quarter
    }
    void TearDown() override { FreeOptionalApis(); }

    // The dialog's preview, and the working copy it draws from.
    HWND Preview() const { return FindWindowExA(dialog_.Window(), nullptr, "Tav Prev", nullptr); }
    const LauncherState& Copy() const { return *PreviewState(Preview()); }

    OptionsDialog dialog_;
};

TEST_F(OptionsDialogTest, ControlsShowTheStoredSettings)
{
    const struct {
        const char* Name;
        std::vector<std::pair<const char*, DWORD>> Window, Key;
        bool Opaque;  // AlphaBlend 255
        bool OptionalFunctions;
        std::string Shown;
    } cases[] = {
        {"defaults", {}, {}, false, true,
         std::string(kMuhenkan) + kImeNote + " hide 0 cursor 0 fg 1 alpha 1 slider 128 \x93\xA7\x96\xBE\x93x(50%)"
             " grad 1 colour vgrad 0 smooth 1 offset 1 frame 3 pos 0"},
        {"stored",
         {{"ShowAllKey", 0}, {"SaveCursor", 1}, {"Foreground", 0}, {"UseAlphaBlend", 0}, {"UseGrad", 0},
          {"VGrad", 1}, {"ShadowOffset", static_cast<DWORD>(-5)}, {"EdgeType", 0}, {"PosType", 5}, {"Smooth", 0}},
         {{"OpenHotKey", 'T'}, {"OpenHotKeyEx", MOD_CONTROL | MOD_ALT}, {"CheckIME", 0}}, true, true,
         "CTRL+ALT+T hide 1 cursor 1 fg 0 alpha 0 slider 0- \x93\xA7\x96\xBE\x93x(0%)"
         " grad 0 colour- vgrad 1- smooth 0 offset -5 frame 0 pos 5"},
        // Without msimg32's functions no gradient and no slider (the
        // transparency stays, as a tint); without DrawShadowText no smooth
        // shadow, and Smooth reads 0.
        {"no optional functions", {}, {}, false, false,
         std::string(kMuhenkan) + kImeNote + " hide 0 cursor 0 fg 1 alpha 1 slider 128- "
             "\x93\xA7\x96\xBE\x93x(\x8Eg\x97p\x95s\x94\\) grad 1- colour- vgrad 0- smooth 0- offset 1 frame 3 pos 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ScratchRegistry registry;
        for (const auto& value : c.Window)
            PutDword(kWindowKey, value.first, value.second);
        for (const auto& value : c.Key)
            PutDword(kKeyKey, value.first, value.second);
        BYTE opaque = 255;
        if (c.Opaque)
            PutRawValue(kWindowKey, "AlphaBlend", REG_BINARY, &opaque, 1);
        if (!c.OptionalFunctions)
            LoadOptionalApisFrom("tav-no-such-module.dll", "tav-no-such-module.dll");
        DialogDriver driver;
        driver.Then(kOptions, [&](HWND d) {
            EXPECT_EQ(c.Shown, Shown(d));
            EXPECT_EQ(GetDlgItem(d, IDC_LAUNCHER_KEY), GetFocus());
            PostCommand(d, IDCANCEL);
        });
        EXPECT_EQ(0, dialog_.Show(nullptr));
        FreeOptionalApis();
        LoadOptionalApis();
    }
}

// The preview paints the sample with the working copy over the wallpaper:
// an opaque flat colour shows as itself, a transparent one mixes with what
// lies behind.  A second opening registers the class again.
TEST_F(OptionsDialogTest, ThePreviewPaintsTheSampleWithTheWorkingCopy)
{
    PutDword(kWindowKey, "MainColor", RGB(10, 200, 30));
    PutDword(kWindowKey, "UseGrad", 0);
    PutDword(kWindowKey, "UseAlphaBlend", 0);
    PutDword(kWindowKey, "EdgeType", 0);
    for (int opening = 0; opening < 2; ++opening) {
        DialogDriver driver;
        driver.Then(kOptions, [&](HWND d) {
            HWND preview = Preview();
            PumpFor(200);
            RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            HDC dc = GetDC(preview);
            EXPECT_EQ(RGB(10, 200, 30), GetPixel(dc, 60, 145)) << "below the sample lines";
            SendDlgItemMessageA(d, IDC_USE_ALPHA, BM_CLICK, 0, 0);
            UpdateWindow(preview);
            EXPECT_NE(RGB(10, 200, 30), GetPixel(dc, 60, 145));
            ReleaseDC(preview, dc);
            PostCommand(d, IDCANCEL);
        });
        EXPECT_EQ(0, dialog_.Show(nullptr));
    }
}

template <auto Member>
long Get(const LauncherState& s)
{
    return static_cast<long>(s.*Member);
}

// In the colour dialog: type red, green and blue (Wine's edits 706 to 708), then OK.
DialogDriver::Action ChooseColour(int red, int green, int blue)
{
    return [=](HWND dialog) {
        SetDlgItemInt(dialog, 706, red, FALSE);
        SetDlgItemInt(dialog, 707, green, FALSE);
        SetDlgItemInt(dialog, 708, blue, FALSE);
        PostCommand(dialog, IDOK);
    };
}

// One change: its effect on the working copy and on the control it enables
// or disables (0: none), and the preview's paints (-1: not counted, a
// nested dialog covers the preview and the system repaints what it uncovers);
// a nested dialog's caption ("*": any) and step.
const DialogDriver::Action Ok = [](HWND box) { PostCommand(box, IDOK); };

struct Change {
    const char* Name;
    Action Act;
    long (*Field)(const LauncherState&);
    long Value;
    int Repaints;
    int EnablesId;
    bool EnabledAfter;
    const char* Nested;
    DialogDriver::Action Step;
};

TEST_F(OptionsDialogTest, EachControlChangesItsSettingAndOnlyTheLookRepaintsThePreview)
{
    using S = LauncherState;
    const Change changes[] = {
        {"gradient off", Clicks(IDC_USE_GRAD), Get<&S::UseGrad>, 0, 1, IDC_VGRAD, false, nullptr, nullptr},
        {"gradient on", Clicks(IDC_USE_GRAD), Get<&S::UseGrad>, 1, 1, IDC_GRAD_COLOR, true, nullptr, nullptr},
        {"vertical", Clicks(IDC_VGRAD), Get<&S::VGrad>, 1, 1, 0, false, nullptr, nullptr},
        {"transparency off", Clicks(IDC_USE_ALPHA), Get<&S::UseAlphaBlend>, 0, 1, IDC_ALPHA_SLIDER, false, nullptr, nullptr},
        {"transparency on", Clicks(IDC_USE_ALPHA), Get<&S::UseAlphaBlend>, 1, 1, IDC_ALPHA_SLIDER, true, nullptr, nullptr},
        {"slider to the right end", Presses(IDC_ALPHA_SLIDER, VK_END), Get<&S::AlphaBlend>, 0, 1, 0, false, nullptr, nullptr},
        {"slider a step left", Presses(IDC_ALPHA_SLIDER, VK_LEFT), Get<&S::AlphaBlend>, 1, 1, 0, false, nullptr, nullptr},
        {"hide empty keys", Clicks(IDC_HIDE_EMPTY_KEYS), Get<&S::ShowAllKey>, 0, 1, 0, false, nullptr, nullptr},
        {"smooth off", Clicks(IDC_SMOOTH), Get<&S::Smooth>, 0, 1, 0, false, nullptr, nullptr},
        {"frame: line", Selects(IDC_FRAME, 1), Get<&S::EdgeType>, 1, 1, 0, false, nullptr, nullptr},
        {"frame: line again", Selects(IDC_FRAME, 1), Get<&S::EdgeType>, 1, 0, 0, false, nullptr, nullptr},
        {"offset up", Presses(IDC_SHADOW_OFFSET, VK_UP), Get<&S::ShadowOffset>, 2, 1, 0, false, nullptr, nullptr},
        {"offset -99 typed", Types("-99"), Get<&S::ShadowOffset>, -99, 1, 0, false, nullptr, nullptr},
        {"offset down wraps", Presses(IDC_SHADOW_OFFSET, VK_DOWN), Get<&S::ShadowOffset>, 99, 1, 0, false, nullptr, nullptr},
        {"offset 100 refused", Types("100"), Get<&S::ShadowOffset>, 99, -1, 0, false, "Tav", Ok},
        {"offset x refused", Types("x"), Get<&S::ShadowOffset>, 99, -1, 0, false, "Tav", Ok},
        {"offset left as it is", Types("99"), Get<&S::ShadowOffset>, 99, 0, 0, false, nullptr, nullptr},
        {"position: top right", Selects(IDC_POSITION, 4), Get<&S::PosType>, 4, 0, 0, false, nullptr, nullptr},
        {"keep cursor", Clicks(IDC_SAVE_CURSOR), Get<&S::SaveCursor>, 1, 0, 0, false, nullptr, nullptr},
        {"foreground off", Clicks(IDC_FOREGROUND), Get<&S::Foreground>, 0, 0, 0, false, nullptr, nullptr},
        {"text colour", Clicks(IDC_TEXT_COLOR), Get<&S::TextColor>, RGB(10, 20, 30), -1, 0, false, "*",
         ChooseColour(10, 20, 30)},
        {"window colour, cancelled", Clicks(IDC_MAIN_COLOR), Get<&S::MainColor>, RGB(0, 255, 0), -1, 0, false, "*",
         [](HWND colour) { PostCommand(colour, IDCANCEL); }},
        {"dialog moved", [](HWND d) {
             RECT rect;
             GetWindowRect(d, &rect);
             SetWindowPos(d, nullptr, rect.left + 16, rect.top + 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
         }, Get<&S::MainColor>, RGB(0, 255, 0), 1, 0, false, nullptr, nullptr},
    };
    DialogDriver driver;
    driver.Then(kOptions, [&](HWND d) {
        HWND preview = Preview();
        PreviewProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(preview, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingPreviewProc)));
        PumpFor(300);  // the first paints of a new window, exposures included
        UpdateWindow(preview);
        for (const Change& c : changes) {
            int before = PreviewPaints;
            c.Act(d);
            UpdateWindow(preview);
            EXPECT_EQ(c.Value, c.Field(Copy())) << c.Name;
            EXPECT_TRUE(c.EnablesId == 0 || c.EnabledAfter == Enabled(d, c.EnablesId)) << c.Name;
            EXPECT_TRUE(c.Repaints < 0 || c.Repaints == PreviewPaints - before)
                << c.Name << ": " << PreviewPaints - before << " paints";
        }
        // The label shows the transparency of the last step.
        EXPECT_EQ("\x93\xA7\x96\xBE\x93x(99%)", ItemText(d, IDC_ALPHA_LABEL));
        EXPECT_EQ("99", ItemText(d, IDC_SHADOW_OFFSET)) << "a refused offset is shown no more";
        PostCommand(d, IDCANCEL);
    });
    for (const Change& c : changes) {
        if (c.Nested != nullptr)
            driver.Then(c.Nested, c.Step);
    }
    EXPECT_EQ(0, dialog_.Show(nullptr));
    const std::string range = Ansi("「影のずれ」は-99～99までです。");
    EXPECT_EQ((std::vector<std::string>{range, range}), driver.Texts);
}

// Real keys in the capture dialog: a lone modifier waits for its key, the
// modifiers held are recorded, an IME key alone asks whether to watch it
// with the IME, Esc records nothing.
TEST_F(OptionsDialogTest, TheCaptureDialogRecordsTheKeyPressedWithItsModifiers)
{
    const struct {
        std::vector<WORD> Held;
        WORD Key;
        int ImeAnswer;  // IDYES or IDNO when the IME question comes, else 0
        std::string Text;
    } captures[] = {
        {{VK_CONTROL}, 'A', 0, "CTRL+A"},
        {{VK_MENU, VK_SHIFT}, VK_F12, 0, "ALT+SHIFT+F12"},
        {{}, VK_ESCAPE, 0, "ALT+SHIFT+F12"},
        {{}, VK_NONCONVERT, IDYES, std::string(kMuhenkan) + kImeNote},
        {{}, VK_NONCONVERT, IDNO, kMuhenkan},
        {{VK_CONTROL}, VK_CONVERT, 0, "CTRL+\x95\xCF\x8A\xB7"},
        {{}, '5', 0, "5"},
        {{}, VK_NUMPAD5, 0, "Num5"},
    };
    DialogDriver driver;
    driver.Then(kOptions, [&](HWND d) {
        SetCursorPos(900, 700);  // the capture dialog opens clear of the preview
        for (const auto& c : captures) {
            SendMessageA(d, WM_COMMAND, IDC_LAUNCHER_KEY, 0);
            EXPECT_EQ(c.Text, ItemText(d, IDC_KEY_TEXT));
        }
        // The last: the keypad's 5, no modifiers, no IME watch.
        EXPECT_EQ(VK_NUMPAD5, Copy().OpenHotKey);
        EXPECT_EQ(0, Copy().OpenHotKeyEx);
        EXPECT_EQ(0, Copy().CheckIME);
        PostCommand(d, IDCANCEL);
    });
    for (const auto& c : captures) {
        driver.Then("", [&c](HWND dialog) {  // the capture dialog has no title
            PumpUntil([dialog] { return GetForegroundWindow() == dialog && GetFocus() == dialog; }, 1000);
            EXPECT_EQ(nullptr, ImmGetContext(dialog)) << "an open IME would take the key";
            for (WORD modifier : c.Held)
                SendKey(modifier, false);
            PressKey(c.Key);
            for (auto it = c.Held.rbegin(); it != c.Held.rend(); ++it)
                SendKey(*it, true);
        });
        if (c.ImeAnswer != 0)
            driver.Press("Tav", c.ImeAnswer);
    }
    EXPECT_EQ(0, dialog_.Show(nullptr));
    const std::string ime = Ansi("IMEのキーと重複しています。\nIMEが開いている時は、ランチャを表示しないようにしますか?");
    EXPECT_EQ((std::vector<std::string>{ime, ime}), driver.Texts);
}

TEST_F(OptionsDialogTest, OkWritesEverySettingAndCancelNothing)
{
    // Cancel after changes, with a refused offset in the edit: nothing is
    // written, and the dialog's end asks nothing.
    DialogDriver cancel;
    cancel.Then(kOptions, [&](HWND d) {
        Clicks(IDC_USE_GRAD)(d);
        SetFocus(GetDlgItem(d, IDC_SHADOW_OFFSET));
        SetDlgItemTextA(d, IDC_SHADOW_OFFSET, "500");
        PostCommand(d, IDCANCEL);
    });
    EXPECT_EQ(0, dialog_.Show(nullptr));
    EXPECT_FALSE(KeyExists(kWindowKey));
    EXPECT_FALSE(KeyExists(kKeyKey));

    // OK with an offset typed and never left: it is checked first, and a
    // refused one keeps the dialog open.
    DialogDriver ok;
    ok.Then(kOptions, [&](HWND d) {
        Clicks(IDC_USE_GRAD)(d);
        Selects(IDC_POSITION, 2)(d);
        SetDlgItemTextA(d, IDC_SHADOW_OFFSET, "500");
        SendMessageA(d, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindowVisible(d));
        EXPECT_EQ("1", ItemText(d, IDC_SHADOW_OFFSET));
        SetDlgItemTextA(d, IDC_SHADOW_OFFSET, "-7");
        PostCommand(d, IDOK);
    });
    ok.Press("Tav", IDOK);
    EXPECT_EQ(1, dialog_.Show(nullptr));
    LOGFONTA font;
    SetDefaultFont(&font);
    const struct {
        const char* Key;
        const char* Name;
        std::string Value;
    } written[] = {
        {kWindowKey, "MainColor", TypedDword(0x0000FF00)}, {kWindowKey, "GradColor", TypedDword(0x000080FF)},
        {kWindowKey, "AlphaBlend", Typed(REG_BINARY, "\x7F")}, {kWindowKey, "UseGrad", TypedDword(0)},
        {kWindowKey, "VGrad", TypedDword(0)}, {kWindowKey, "UseAlphaBlend", TypedDword(1)},
        {kWindowKey, "TextColor", TypedDword(0x00FFFFFF)}, {kWindowKey, "ShadowColor", TypedDword(0)},
        {kWindowKey, "SelectTxtColor", TypedDword(0x000000FF)}, {kWindowKey, "SelectShadowColor", TypedDword(0)},
        {kWindowKey, "ShadowOffset", TypedDword(static_cast<DWORD>(-7))}, {kWindowKey, "ShowAllKey", TypedDword(1)},
        {kWindowKey, "SaveCursor", TypedDword(0)}, {kWindowKey, "Foreground", TypedDword(1)},
        {kWindowKey, "Font", Typed(REG_BINARY, std::string(reinterpret_cast<char*>(&font), sizeof font))},
        {kWindowKey, "EdgeType", TypedDword(3)}, {kWindowKey, "PosType", TypedDword(2)},
        {kKeyKey, "OpenHotKey", TypedDword(VK_NONCONVERT)}, {kKeyKey, "OpenHotKeyEx", TypedDword(0)},
        {kKeyKey, "CheckIME", TypedDword(1)}, {kWindowKey, "Smooth", TypedDword(1)},
    };
    for (const auto& w : written)
        EXPECT_EQ(w.Value, StoredValue(w.Key, w.Name)) << w.Name;
}

// A taken key is not recorded: held by another window (its press reaches
// only the holder), or another entry's; the caption and the painted notes
// say so with the free combinations, and the capture waits.  An entry's key
// needs a modifier; a free one ends the capture.
TEST_F(OptionsDialogTest, ATakenKeyIsReportedWithFreeCombinationsAndNeverRecorded)
{
    TestWindow holder;
    ASSERT_TRUE(RegisterHotKey(holder.get(), 7, MOD_CONTROL | MOD_ALT, 'K'));
    ASSERT_TRUE(RegisterHotKey(holder.get(), 8, MOD_CONTROL | MOD_SHIFT, 'K'));
    EntryRecord entry = {};
    lstrcpynA(entry.Title, "Alpha", sizeof entry.Title);
    lstrcpynA(entry.Program, "a.exe", sizeof entry.Program);
    WriteEntry("", 1, &entry);
    WriteEntryHotKey("", 1, 0x024A);  // Ctrl+J
    const struct {
        std::vector<WORD> Held;
        WORD Key;
        std::string Caption;
    } presses[] = {
        {{VK_CONTROL, VK_MENU}, 'K',
         Ansi("CTRL+ALT+K は使用中です。  空いているｷｰ: ALT+SHIFT+K, CTRL+ALT+SHIFT+K, CTRL+K")},
        {{VK_CONTROL}, 'J',
         Ansi("CTRL+J は使用中です。  空いているｷｰ: CTRL+ALT+J, CTRL+SHIFT+J, ALT+SHIFT+J")},
        {{}, 'Q', Ansi("Ctrl・Alt・Shift・Winと組み合わせてください。")},
    };
    std::vector<std::string> captions;
    DialogDriver driver;
    driver.Then("", [&](HWND dialog) {
        PumpUntil([dialog] { return GetForegroundWindow() == dialog && GetFocus() == dialog; }, 1000);
        for (const auto& p : presses) {
            for (WORD modifier : p.Held)
                SendKey(modifier, false);
            SendKey(p.Key, false);
            PumpUntil([&] { return WindowText(dialog) == p.Caption; }, 2000);
            SendKey(p.Key, true);
            for (auto it = p.Held.rbegin(); it != p.Held.rend(); ++it)
                SendKey(*it, true);
            PumpFor(100);
            captions.push_back(WindowText(dialog));
        }
        PressKey('Q', VK_SHIFT);
    });
    DWORD key = 1;
    EXPECT_EQ(1, RunEntryKeyCaptureDialog(nullptr, "B", &key));
    EXPECT_EQ(0x0451u, key) << "Shift+Q";
    EXPECT_EQ(presses[0].Caption, captions.at(0));
    EXPECT_EQ(presses[1].Caption, captions.at(1));
    EXPECT_EQ(presses[2].Caption, captions.at(2));
    UnregisterHotKey(holder.get(), 7);
    UnregisterHotKey(holder.get(), 8);
}

}  // namespace

/*
 * The options dialog as the user meets it, under Wine: the real template,
 * the real controls, common dialogs and message boxes, real keys in the
 * capture dialog.  A dialog script plays the user from inside the dialog's
 * own message loop (dialog_script.h); the first step plays the options
 * dialog itself, the next ones the dialogs it opens.
 *
 * The preview's paints are counted by wrapping its window procedure, and
 * forced at once with UpdateWindow after each change: a change of the look
 * must give exactly one paint, any other change none.
 */
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/optional_apis.h"
#include "dialog_script.h"
#include "options/options_dialog.h"
#include "options/preview.h"
#include "res/options_dialogs.h"
#include "res/resource.h"
#include "scratch_registry.h"
#include "store/settings.h"
#include "test_window.h"

namespace {

const char kWindowKey[] = "Software\\orrel\\Tav\\Window";
const char kKeyKey[] = "Software\\orrel\\Tav\\Key";

// 透明度(%d%%) filled, and 透明度(使用不能), in code page 932.
std::string AlphaLabel(int percent)
{
    return "\x93\xA7\x96\xBE\x93x(" + std::to_string(percent) + "%)";
}
const char kAlphaDisabled[] = "\x93\xA7\x96\xBE\x93x(\x8Eg\x97p\x95s\x94\\)";
const char kDefaultKeyText[] =  // 無変換(IMEを監視する)
    "\x96\xB3\x95\xCF\x8A\xB7(IME\x82\xF0\x8A\xC4\x8E\x8B\x82\xB7\x82\xE9)";

std::string ItemText(HWND dialog, int id)
{
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
int Selected(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)); }

void PutDword(const char* key, const char* name, DWORD value)
{
    PutRawValue(key, name, REG_DWORD, &value, sizeof value);
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

void CountPreviewPaints(HWND preview)
{
    PreviewProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        preview, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingPreviewProc)));
    PumpFor(300);  // the first paints of a new window, exposures included
    UpdateWindow(preview);
    PreviewPaints = 0;
}

// A key pressed (true) or released (false) with SendInput.
struct KeyEvent {
    WORD Key;
    bool Up;
};

std::vector<KeyEvent> Tap(WORD key, std::vector<WORD> held = {})
{
    std::vector<KeyEvent> events;
    for (WORD modifier : held)
        events.push_back({modifier, false});
    events.push_back({key, false});
    events.push_back({key, true});
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        events.push_back({*it, true});
    return events;
}

// In the capture dialog: real keys, once it has the keyboard.
DialogScript::Step PressKeys(std::vector<KeyEvent> events)
{
    return [events](HWND dialog, Seen*) {
        PumpUntil([dialog] { return GetForegroundWindow() == dialog && GetFocus() == dialog; }, 1000);
        for (const KeyEvent& e : events)
            SendKey(e.Key, e.Up);
    };
}

// In the colour dialog: type red, green and blue (Wine's edits 706 to 708), then OK.
DialogScript::Step ChooseColour(int red, int green, int blue)
{
    return [=](HWND dialog, Seen*) {
        SetDlgItemInt(dialog, 706, red, FALSE);
        SetDlgItemInt(dialog, 707, green, FALSE);
        SetDlgItemInt(dialog, 708, blue, FALSE);
        Press(dialog, IDOK);
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

    // Runs the dialog; the first step plays it and must end it.
    INT_PTR Run(std::vector<DialogScript::Step> steps)
    {
        DialogScript script(std::move(steps));
        INT_PTR result = dialog_.Show(nullptr);
        seen_ = script.seen;
        EXPECT_EQ(0, script.unexpected) << "a dialog no step expected";
        return result;
    }

    const LauncherState& Copy() const { return *dialog_.WorkingCopy(); }

    OptionsDialog dialog_;
    std::deque<Seen> seen_;
};

struct ShownSettings {
    const char* Name;
    std::function<void()> Arrange;
    bool OptionalFunctions;
    std::string KeyText;
    bool HideEmpty, SaveCursor, Foreground, UseAlpha, UseGrad, VGrad, Smooth;
    int SliderPosition;
    std::string AlphaLabel;
    bool SliderEnabled, GradControlsEnabled, SmoothEnabled;
    std::string Offset;
    int Frame, Position;
};

TEST_F(OptionsDialogTest, ControlsShowTheStoredSettings)
{
    const ShownSettings cases[] = {
        {"defaults", [] {}, true, kDefaultKeyText,
         false, false, true, true, true, false, true, 128, AlphaLabel(50), true, true, true, "1", 3, 0},
        {"stored", [] {
             PutDword(kWindowKey, "ShowAllKey", 0);
             PutDword(kWindowKey, "SaveCursor", 1);
             PutDword(kWindowKey, "Foreground", 0);
             BYTE opaque = 255;
             PutRawValue(kWindowKey, "AlphaBlend", REG_BINARY, &opaque, 1);
             PutDword(kWindowKey, "UseAlphaBlend", 0);
             PutDword(kWindowKey, "UseGrad", 0);
             PutDword(kWindowKey, "VGrad", 1);
             PutDword(kWindowKey, "ShadowOffset", static_cast<DWORD>(-5));
             PutDword(kWindowKey, "EdgeType", 0);
             PutDword(kWindowKey, "PosType", 5);
             PutDword(kWindowKey, "Smooth", 0);
             PutDword(kKeyKey, "OpenHotKey", 'T');
             PutDword(kKeyKey, "OpenHotKeyEx", MOD_CONTROL | MOD_ALT);
             PutDword(kKeyKey, "CheckIME", 0);
         }, true, "CTRL+ALT+T",
         true, true, false, false, false, true, false, 0, AlphaLabel(0), false, false, true, "-5", 0, 5},
        // Without msimg32's functions: no gradient, no slider; without
        // DrawShadowText: no smooth shadow, and Smooth reads 0.
        {"no optional functions", [] {}, false, kDefaultKeyText,
         false, false, true, true, true, false, false, 128, kAlphaDisabled, false, false, false, "1", 3, 0},
    };
    for (const ShownSettings& c : cases) {
        SCOPED_TRACE(c.Name);
        ScratchRegistry registry;
        c.Arrange();
        if (!c.OptionalFunctions)
            LoadOptionalApisFrom("tav-no-such-module.dll", "tav-no-such-module.dll");
        INT_PTR result = Run({[&](HWND d, Seen*) {
            EXPECT_EQ(c.KeyText, ItemText(d, IDC_KEY_TEXT));
            EXPECT_EQ(c.HideEmpty, Checked(d, IDC_HIDE_EMPTY_KEYS));
            EXPECT_EQ(c.SaveCursor, Checked(d, IDC_SAVE_CURSOR));
            EXPECT_EQ(c.Foreground, Checked(d, IDC_FOREGROUND));
            EXPECT_EQ(c.UseAlpha, Checked(d, IDC_USE_ALPHA));
            EXPECT_EQ(c.UseGrad && c.OptionalFunctions, Checked(d, IDC_USE_GRAD) && Enabled(d, IDC_USE_GRAD));
            EXPECT_EQ(c.VGrad, Checked(d, IDC_VGRAD));
            EXPECT_EQ(c.Smooth, Checked(d, IDC_SMOOTH));
            EXPECT_EQ(c.SliderPosition, SendDlgItemMessageA(d, IDC_ALPHA_SLIDER, TBM_GETPOS, 0, 0));
            EXPECT_EQ(c.AlphaLabel, ItemText(d, IDC_ALPHA_LABEL));
            EXPECT_EQ(c.SliderEnabled, Enabled(d, IDC_ALPHA_SLIDER));
            EXPECT_EQ(c.GradControlsEnabled, Enabled(d, IDC_GRAD_COLOR));
            EXPECT_EQ(c.GradControlsEnabled, Enabled(d, IDC_VGRAD));
            EXPECT_TRUE(Enabled(d, IDC_USE_ALPHA));
            EXPECT_EQ(c.SmoothEnabled, Enabled(d, IDC_SMOOTH));
            EXPECT_EQ(c.Offset, ItemText(d, IDC_SHADOW_OFFSET));
            EXPECT_EQ(c.Frame, Selected(d, IDC_FRAME));
            EXPECT_EQ(c.Position, Selected(d, IDC_POSITION));
            EXPECT_EQ(GetDlgItem(d, IDC_LAUNCHER_KEY), GetFocus());
            // The lists of strings 34 and 35, whole.
            EXPECT_EQ(5, SendDlgItemMessageA(d, IDC_FRAME, CB_GETCOUNT, 0, 0));
            EXPECT_EQ(6, SendDlgItemMessageA(d, IDC_POSITION, CB_GETCOUNT, 0, 0));
            // Without the alpha functions, checking 1020 leaves the slider off.
            SendDlgItemMessageA(d, IDC_USE_ALPHA, BM_CLICK, 0, 0);
            SendDlgItemMessageA(d, IDC_USE_ALPHA, BM_CLICK, 0, 0);
            EXPECT_EQ(c.OptionalFunctions && c.UseAlpha, Enabled(d, IDC_ALPHA_SLIDER));
            Press(d, IDCANCEL);
        }});
        EXPECT_EQ(0, result);
        FreeOptionalApis();
        LoadOptionalApis();
    }
}

TEST_F(OptionsDialogTest, TheTemplateAndThePreviewSitWhereTheyShould)
{
    INT_PTR result = Run({[&](HWND d, Seen* seen) {
        EXPECT_EQ("Tav\x93\xAE\x8D\xEC\x90\xDD\x92\xE8", seen->Caption);  // Tav動作設定
        HWND preview = dialog_.Preview();
        ASSERT_NE(nullptr, preview);
        char name[32];
        GetClassNameA(preview, name, sizeof name);
        EXPECT_STREQ("Tav Prev", name);
        RECT rect;
        GetWindowRect(preview, &rect);
        MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(10, rect.left);
        EXPECT_EQ(37, rect.top);
        EXPECT_EQ(120, rect.right - rect.left);
        EXPECT_EQ(150, rect.bottom - rect.top);
        // The sample level: name, version, an empty slot, the computer and user names.
        char computer[16] = "", user[16] = "";
        DWORD size = sizeof computer;
        GetComputerNameA(computer, &size);
        size = sizeof user;
        GetUserNameA(user, &size);
        const std::string titles[] = {"Tav", "Ver2.55", "", computer, user, ""};
        for (int slot = 0; slot < 6; ++slot)
            EXPECT_EQ(titles[slot], Copy().Titles[slot]) << slot;
        EXPECT_EQ(0, Copy().LineCount);
        EXPECT_GT(Copy().LineHeight, 0) << "measured for the preview";
        // Tab order: the launcher key button first, Cancel last.
        EXPECT_EQ(GetDlgItem(d, IDC_SHADOW_OFFSET), GetNextDlgTabItem(d, GetDlgItem(d, IDC_FONT), FALSE));
        EXPECT_EQ(GetDlgItem(d, IDC_LAUNCHER_KEY), GetNextDlgTabItem(d, GetDlgItem(d, IDCANCEL), FALSE));
        Press(d, IDCANCEL);
    }});
    EXPECT_EQ(0, result);
    // A second opening registers the class again.
    EXPECT_EQ(0, Run({[&](HWND d, Seen*) {
        EXPECT_NE(nullptr, dialog_.Preview());
        Press(d, IDCANCEL);
    }}));
}

// One change: what it does to the working copy, and whether it repaints
// the preview (-1: not counted, a nested dialog covers the preview and the
// system repaints what it uncovers).
struct Change {
    const char* Name;
    std::function<void(HWND dialog)> Act;
    std::function<bool(const LauncherState&, HWND dialog)> Done;
    int Repaints;
    DialogScript::Step Nested;
};

void Click(HWND d, int id) { SendDlgItemMessageA(d, id, BM_CLICK, 0, 0); }

void Select(HWND d, int id, int index)
{
    SendDlgItemMessageA(d, id, CB_SETCURSEL, index, 0);
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

void KeyOn(HWND d, int id, WORD key)
{
    SendDlgItemMessageA(d, id, WM_KEYDOWN, key, 0);
    SendDlgItemMessageA(d, id, WM_KEYUP, key, 0xC0000000);
}

// Types into the offset edit and moves the focus away.
void TypeOffset(HWND d, const char* text)
{
    SetFocus(GetDlgItem(d, IDC_SHADOW_OFFSET));
    SetDlgItemTextA(d, IDC_SHADOW_OFFSET, text);
    SetFocus(GetDlgItem(d, IDC_LAUNCHER_KEY));
}

TEST_F(OptionsDialogTest, EachControlChangesItsSettingAndOnlyTheLookRepaintsThePreview)
{
    const char kRangeText[] =  // 「影のずれ」は-99～99までです。
        "\x81u\x89" "e\x82\xCC\x82\xB8\x82\xEA\x81v\x82\xCD-99\x81`99\x82\xDC\x82\xC5\x82\xC5\x82\xB7\x81" "B";
    const Change changes[] = {
        {"gradient off", [](HWND d) { Click(d, IDC_USE_GRAD); },
         [](const LauncherState& s, HWND d) {
             return s.UseGrad == 0 && !Enabled(d, IDC_GRAD_COLOR) && !Enabled(d, IDC_VGRAD);
         }, 1, nullptr},
        {"gradient on", [](HWND d) { Click(d, IDC_USE_GRAD); },
         [](const LauncherState& s, HWND d) {
             return s.UseGrad == 1 && Enabled(d, IDC_GRAD_COLOR) && Enabled(d, IDC_VGRAD);
         }, 1, nullptr},
        {"vertical", [](HWND d) { Click(d, IDC_VGRAD); },
         [](const LauncherState& s, HWND) { return s.VGrad == 1; }, 1, nullptr},
        {"transparency off", [](HWND d) { Click(d, IDC_USE_ALPHA); },
         [](const LauncherState& s, HWND d) { return s.UseAlphaBlend == 0 && !Enabled(d, IDC_ALPHA_SLIDER); },
         1, nullptr},
        {"transparency on", [](HWND d) { Click(d, IDC_USE_ALPHA); },
         [](const LauncherState& s, HWND d) { return s.UseAlphaBlend == 1 && Enabled(d, IDC_ALPHA_SLIDER); },
         1, nullptr},
        {"slider to the right end", [](HWND d) { KeyOn(d, IDC_ALPHA_SLIDER, VK_END); },
         [](const LauncherState& s, HWND d) {
             return s.AlphaBlend == 0 && ItemText(d, IDC_ALPHA_LABEL) == AlphaLabel(100);
         }, 1, nullptr},
        {"slider one step left", [](HWND d) { KeyOn(d, IDC_ALPHA_SLIDER, VK_LEFT); },
         [](const LauncherState& s, HWND d) {
             return s.AlphaBlend == 1 && ItemText(d, IDC_ALPHA_LABEL) == AlphaLabel(99);
         }, 1, nullptr},
        {"hide empty keys", [](HWND d) { Click(d, IDC_HIDE_EMPTY_KEYS); },
         [](const LauncherState& s, HWND) { return s.ShowAllKey == 0; }, 1, nullptr},
        {"smooth off", [](HWND d) { Click(d, IDC_SMOOTH); },
         [](const LauncherState& s, HWND) { return s.Smooth == 0; }, 1, nullptr},
        {"frame: line", [](HWND d) { Select(d, IDC_FRAME, 1); },
         [](const LauncherState& s, HWND) { return s.EdgeType == 1; }, 1, nullptr},
        {"frame: line again", [](HWND d) { Select(d, IDC_FRAME, 1); },
         [](const LauncherState& s, HWND) { return s.EdgeType == 1; }, 0, nullptr},
        {"offset up", [](HWND d) { KeyOn(d, IDC_SHADOW_OFFSET, VK_UP); },
         [](const LauncherState& s, HWND d) { return s.ShadowOffset == 2 && ItemText(d, IDC_SHADOW_OFFSET) == "2"; },
         1, nullptr},
        {"offset -99 typed", [](HWND d) { TypeOffset(d, "-99"); },
         [](const LauncherState& s, HWND) { return s.ShadowOffset == -99; }, 1, nullptr},
        {"offset down wraps", [](HWND d) { KeyOn(d, IDC_SHADOW_OFFSET, VK_DOWN); },
         [](const LauncherState& s, HWND d) { return s.ShadowOffset == 99 && ItemText(d, IDC_SHADOW_OFFSET) == "99"; },
         1, nullptr},
        {"offset 100 refused", [](HWND d) { TypeOffset(d, "100"); },
         [](const LauncherState& s, HWND d) { return s.ShadowOffset == 99 && ItemText(d, IDC_SHADOW_OFFSET) == "99"; },
         -1, Answer(IDOK)},
        {"offset x refused", [](HWND d) { TypeOffset(d, "x"); },
         [](const LauncherState& s, HWND d) { return s.ShadowOffset == 99 && ItemText(d, IDC_SHADOW_OFFSET) == "99"; },
         -1, Answer(IDOK)},
        {"offset unchanged on leaving", [](HWND d) { TypeOffset(d, "99"); },
         [](const LauncherState& s, HWND) { return s.ShadowOffset == 99; }, 0, nullptr},
        {"position: top right", [](HWND d) { Select(d, IDC_POSITION, 4); },
         [](const LauncherState& s, HWND) { return s.PosType == 4; }, 0, nullptr},
        {"keep cursor", [](HWND d) { Click(d, IDC_SAVE_CURSOR); },
         [](const LauncherState& s, HWND) { return s.SaveCursor == 1; }, 0, nullptr},
        {"foreground off", [](HWND d) { Click(d, IDC_FOREGROUND); },
         [](const LauncherState& s, HWND) { return s.Foreground == 0; }, 0, nullptr},
        {"text colour", [](HWND d) { Click(d, IDC_TEXT_COLOR); },
         [](const LauncherState& s, HWND) { return s.TextColor == RGB(10, 20, 30); }, -1,
         ChooseColour(10, 20, 30)},
        {"window colour, cancelled", [](HWND d) { Click(d, IDC_MAIN_COLOR); },
         [](const LauncherState& s, HWND) { return s.MainColor == RGB(0, 255, 0); }, -1,
         [](HWND colour, Seen*) { Press(colour, IDCANCEL); }},
        {"gradient colour", [](HWND d) { Click(d, IDC_GRAD_COLOR); },
         [](const LauncherState& s, HWND) { return s.GradColor == RGB(200, 100, 0); }, -1,
         ChooseColour(200, 100, 0)},
        {"dialog moved", [](HWND d) {
             RECT rect;
             GetWindowRect(d, &rect);
             SetWindowPos(d, nullptr, rect.left + 16, rect.top + 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
         }, [](const LauncherState&, HWND) { return true; }, 1, nullptr},
    };
    std::vector<DialogScript::Step> steps = {[&](HWND d, Seen*) {
        HWND preview = dialog_.Preview();
        CountPreviewPaints(preview);
        for (const Change& c : changes) {
            int before = PreviewPaints;
            c.Act(d);
            UpdateWindow(preview);
            EXPECT_TRUE(c.Done(Copy(), d)) << c.Name;
            if (c.Repaints >= 0) {
                EXPECT_EQ(c.Repaints, PreviewPaints - before) << c.Name;
            }
        }
        Press(d, IDCANCEL);
    }};
    for (const Change& c : changes) {
        if (c.Nested)
            steps.push_back(c.Nested);
    }
    EXPECT_EQ(0, Run(steps));
    ASSERT_EQ(6u, seen_.size());
    EXPECT_EQ("Tav", seen_[1].Caption);
    EXPECT_EQ(kRangeText, seen_[1].Text);
    EXPECT_EQ(kRangeText, seen_[2].Text);
}

TEST_F(OptionsDialogTest, TheFontDialogChangesTheFontOnlyWhenConfirmed)
{
    std::string face;
    LOGFONTA before = {};
    EXPECT_EQ(0, Run({
        [&](HWND d, Seen*) {
            before = Copy().Font;
            Click(d, IDC_FONT);
            EXPECT_EQ(0, std::memcmp(&before, &Copy().Font, sizeof before)) << "cancelled";
            Click(d, IDC_FONT);
            EXPECT_EQ(face, Copy().Font.lfFaceName);
            Press(d, IDCANCEL);
        },
        [](HWND font, Seen*) { Press(font, IDCANCEL); },
        [&](HWND font, Seen*) {
            face = ItemText(font, 0x470);  // cmb1: the face
            Press(font, IDOK);
        },
    }));
    EXPECT_FALSE(face.empty());
}

struct Capture {
    const char* Name;
    std::vector<KeyEvent> Keys;
    int ImeAnswer;  // IDYES or IDNO when the IME question comes, else 0
    int Code, Modifiers, Ime;
    std::string Text;
};

// Real keys in the capture dialog: a lone modifier waits for its key, the
// modifiers held are recorded, an IME key alone asks whether to watch it
// with the IME, Esc records nothing.
TEST_F(OptionsDialogTest, TheCaptureDialogRecordsTheKeyPressedWithItsModifiers)
{
    const char kMuhenkan[] = "\x96\xB3\x95\xCF\x8A\xB7";  // 無変換
    const char kImeNote[] = "(IME\x82\xF0\x8A\xC4\x8E\x8B\x82\xB7\x82\xE9)";
    const Capture captures[] = {
        {"Ctrl, then A", Tap('A', {VK_CONTROL}), 0, 'A', MOD_CONTROL, 0, "CTRL+A"},
        {"Alt+Shift+F12", Tap(VK_F12, {VK_MENU, VK_SHIFT}), 0, VK_F12, MOD_ALT | MOD_SHIFT, 0, "ALT+SHIFT+F12"},
        {"Esc keeps the key", Tap(VK_ESCAPE), 0, VK_F12, MOD_ALT | MOD_SHIFT, 0, "ALT+SHIFT+F12"},
        {"無変換, watched", Tap(VK_NONCONVERT), IDYES, VK_NONCONVERT, 0, 1, std::string(kMuhenkan) + kImeNote},
        {"無変換, a hot key", Tap(VK_NONCONVERT), IDNO, VK_NONCONVERT, 0, 0, kMuhenkan},
        {"Ctrl+変換 asks nothing", Tap(VK_CONVERT, {VK_CONTROL}), 0, VK_CONVERT, MOD_CONTROL, 0,
         "CTRL+\x95\xCF\x8A\xB7"},
        {"digit 5", Tap('5'), 0, '5', 0, 0, "5"},
        {"keypad 5", Tap(VK_NUMPAD5), 0, VK_NUMPAD5, 0, 0, "Num5"},
    };
    std::vector<DialogScript::Step> steps = {[&](HWND d, Seen*) {
        // The capture dialog opens in the lower right quarter, clear of the preview.
        SetCursorPos(900, 700);
        for (const Capture& c : captures) {
            SendMessageA(d, WM_COMMAND, IDC_LAUNCHER_KEY, 0);
            EXPECT_EQ(c.Code, Copy().OpenHotKey) << c.Name;
            EXPECT_EQ(c.Modifiers, Copy().OpenHotKeyEx) << c.Name;
            EXPECT_EQ(c.Ime, Copy().CheckIME) << c.Name;
            EXPECT_EQ(c.Text, ItemText(d, IDC_KEY_TEXT)) << c.Name;
        }
        Press(d, IDCANCEL);
    }};
    for (const Capture& c : captures) {
        steps.push_back(PressKeys(c.Keys));
        if (c.ImeAnswer != 0)
            steps.push_back(Answer(c.ImeAnswer));
    }
    EXPECT_EQ(0, Run(steps));
    EXPECT_EQ("", seen_[1].Caption) << "the capture dialog has no title";
    EXPECT_EQ("IME\x82\xCC\x83L\x81[\x82\xC6\x8F" "d\x95\xA1\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B\nIME"
              "\x82\xAA\x8AJ\x82\xA2\x82\xC4\x82\xA2\x82\xE9\x8E\x9E\x82\xCD\x81" "A\x83\x89\x83\x93\x83`\x83\x83"
              "\x82\xF0\x95\\\x8E\xA6\x82\xB5\x82\xC8\x82\xA2\x82\xE6\x82\xA4\x82\xC9\x82\xB5\x82\xDC\x82\xB7\x82\xA9?",
              seen_[5].Text);
}

std::string Dword(DWORD value) { return Typed(REG_DWORD, std::string(reinterpret_cast<char*>(&value), 4)); }

TEST_F(OptionsDialogTest, OkWritesEverySettingAndCancelNothing)
{
    // Cancel after changes, with a refused offset in the edit: nothing is
    // written, and the dialog's end asks nothing.
    EXPECT_EQ(0, Run({[&](HWND d, Seen*) {
        Click(d, IDC_USE_GRAD);
        SetFocus(GetDlgItem(d, IDC_SHADOW_OFFSET));
        SetDlgItemTextA(d, IDC_SHADOW_OFFSET, "500");
        Press(d, IDCANCEL);
    }}));
    EXPECT_EQ(1u, seen_.size());
    EXPECT_FALSE(KeyExists(kWindowKey));
    EXPECT_FALSE(KeyExists(kKeyKey));

    // OK with an offset typed and never left: it is checked first, and a
    // refused one keeps the dialog open.
    EXPECT_EQ(1, Run({
        [&](HWND d, Seen*) {
            Click(d, IDC_USE_GRAD);
            Select(d, IDC_POSITION, 2);
            SetDlgItemTextA(d, IDC_SHADOW_OFFSET, "500");
            SendMessageA(d, WM_COMMAND, IDOK, 0);
            EXPECT_TRUE(IsWindowVisible(d));
            EXPECT_EQ("1", ItemText(d, IDC_SHADOW_OFFSET));
            SetDlgItemTextA(d, IDC_SHADOW_OFFSET, "-7");
            Press(d, IDOK);
        },
        Answer(IDOK),
    }));
    LOGFONTA font;
    SetDefaultFont(&font);
    const struct {
        const char* Key;
        const char* Name;
        std::string Value;
    } written[] = {
        {kWindowKey, "MainColor", Dword(0x0000FF00)}, {kWindowKey, "GradColor", Dword(0x000080FF)},
        {kWindowKey, "AlphaBlend", Typed(REG_BINARY, "\x7F")}, {kWindowKey, "UseGrad", Dword(0)},
        {kWindowKey, "VGrad", Dword(0)}, {kWindowKey, "UseAlphaBlend", Dword(1)},
        {kWindowKey, "TextColor", Dword(0x00FFFFFF)}, {kWindowKey, "ShadowColor", Dword(0)},
        {kWindowKey, "SelectTxtColor", Dword(0x000000FF)}, {kWindowKey, "SelectShadowColor", Dword(0)},
        {kWindowKey, "ShadowOffset", Dword(static_cast<DWORD>(-7))}, {kWindowKey, "ShowAllKey", Dword(1)},
        {kWindowKey, "SaveCursor", Dword(0)}, {kWindowKey, "Foreground", Dword(1)},
        {kWindowKey, "Font", Typed(REG_BINARY, std::string(reinterpret_cast<char*>(&font), sizeof font))},
        {kWindowKey, "EdgeType", Dword(3)}, {kWindowKey, "PosType", Dword(2)},
        {kKeyKey, "OpenHotKey", Dword(VK_NONCONVERT)}, {kKeyKey, "OpenHotKeyEx", Dword(0)},
        {kKeyKey, "CheckIME", Dword(1)}, {kWindowKey, "Smooth", Dword(1)},
    };
    for (const auto& w : written)
        EXPECT_EQ(w.Value, StoredValue(w.Key, w.Name)) << w.Name;
}

// The preview paints the working copy over the wallpaper: an opaque flat
// colour shows as itself, a transparent one mixes with what lies behind.
TEST_F(OptionsDialogTest, ThePreviewPaintsTheWorkingCopy)
{
    PutDword(kWindowKey, "MainColor", RGB(10, 200, 30));
    PutDword(kWindowKey, "UseGrad", 0);
    PutDword(kWindowKey, "UseAlphaBlend", 0);
    PutDword(kWindowKey, "EdgeType", 0);
    EXPECT_EQ(0, Run({[&](HWND d, Seen*) {
        HWND preview = dialog_.Preview();
        PumpFor(200);
        RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(preview);
        EXPECT_EQ(RGB(10, 200, 30), GetPixel(dc, 60, 145)) << "below the sample lines";
        Click(d, IDC_USE_ALPHA);
        UpdateWindow(preview);
        EXPECT_NE(RGB(10, 200, 30), GetPixel(dc, 60, 145));
        ReleaseDC(preview, dc);
        Press(d, IDCANCEL);
    }}));
}

}  // namespace

/*
 * The options dialog.
 *
 * Every control writes into the working copy only.  The preview is
 * invalidated (whole area, no erase) exactly when the look changed, and
 * when the dialog moves (the wallpaper behind it moves with it); changes
 * that do not alter the look (position type, keeping the cursor, the
 * foreground option, the launcher key) leave it alone.
 */
#include "options/options_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "base/late_import.h"
#include "base/optional_apis.h"
#include "base/unique_handle.h"
#include "draw/desktop.h"
#include "draw/geometry.h"
#include "draw/portable/dpi_scale.h"
#include "draw/portable/layout.h"
#include "options/key_capture_dialog.h"
#include "options/launcher_key_text.h"
#include "options/preview.h"
#include "options/startup_shortcut.h"
#include "res/options_dialogs.h"
#include "res/resource.h"
#include "store/res_string.h"
#include "store/settings.h"
#include "ui/message_box.h"

namespace {

// The colour and font dialogs' state, kept for the process run and shared
// by every colour button: the 16 custom colours start black and are never
// saved.
COLORREF CustomColors[16];
LOGFONTA FontChoice;

// The shadow offset a user may type or spin to.
// (kMaxShadowOffset: draw/portable/layout.h, which draws within it.)
constexpr int kMinShadowOffset = -kMaxShadowOffset;

const char kStartupLinkName[] = "Tav.lnk";

// The colour buttons and the colour each one sets.
struct ColourButton {
    int Id;
    COLORREF LauncherState::*Field;
};
const ColourButton kColourButtons[] = {
    {IDC_MAIN_COLOR, &LauncherState::MainColor},
    {IDC_TEXT_COLOR, &LauncherState::TextColor},
    {IDC_SHADOW_COLOR, &LauncherState::ShadowColor},
    {IDC_SELECT_TEXT_COLOR, &LauncherState::SelectTxtColor},
    {IDC_SELECT_SHADOW_COLOR, &LauncherState::SelectShadowColor},
    {IDC_GRAD_COLOR, &LauncherState::GradColor},
};

// The check boxes, the setting each one shows (checked: 1, or 0 where the
// box says the opposite of its setting), and whether a click changes the
// look, after which the preview paints again.
struct CheckBox {
    int Id;
    int LauncherState::*Field;
    bool Opposite;
    bool ChangesLook;
};
const CheckBox kCheckBoxes[] = {
    {IDC_USE_GRAD, &LauncherState::UseGrad, false, true},
    {IDC_VGRAD, &LauncherState::VGrad, false, true},
    {IDC_USE_ALPHA, &LauncherState::UseAlphaBlend, false, true},
    {IDC_HIDE_EMPTY_KEYS, &LauncherState::ShowAllKey, true, true},
    {IDC_SMOOTH, &LauncherState::Smooth, false, true},
    {IDC_SAVE_CURSOR, &LauncherState::SaveCursor, false, false},
    {IDC_FOREGROUND, &LauncherState::Foreground, false, false},
};

// The colour dialog on one colour, with the 16 custom colours kept for the
// process run.  true when the user chose a different colour (stored in
// *setting).
bool PickColor(HWND owner, COLORREF* setting)
{
    CHOOSECOLORA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = owner;
    choice.rgbResult = *setting;
    choice.lpCustColors = CustomColors;
    choice.Flags = CC_RGBINIT | CC_FULLOPEN;
    // comdlg32 is bound at first use (start-up does not load it).
    static const auto chooseColor = LateImport<decltype(&ChooseColorA)>("comdlg32.dll", "ChooseColorA");
    if (chooseColor == nullptr || !chooseColor(&choice) || choice.rgbResult == *setting)
        return false;
    *setting = choice.rgbResult;
    return true;
}

// The font dialog on one font, through the LOGFONTA kept for the process
// run.  true when the user chose a different font (stored in *setting, its
// height and width as figures at 96 DPI).
//
// The font dialog works at the DPI of the screen's DC (LOGPIXELSY), in
// whole points; the stored font is a figure at 96 DPI.  Its height and
// width go to the dialog at the dialog's DPI and come back as figures at
// 96 DPI (FontHeightAtDpi, FontHeightFromDialog); what the dialog
// returns unchanged leaves the setting as it was.
bool PickFont(HWND owner, LOGFONTA* setting)
{
    int pickerDpi = 96;
    {
        tav::WindowDc screen(nullptr);
        if (screen)
            pickerDpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
    FontChoice = *setting;
    FontChoice.lfHeight = FontHeightAtDpi(setting->lfHeight, pickerDpi);
    FontChoice.lfWidth = ScaleToDpi(setting->lfWidth, pickerDpi);
    const LOGFONTA given = FontChoice;
    CHOOSEFONTA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = owner;
    choice.lpLogFont = &FontChoice;
    choice.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    choice.nFontType = SCREEN_FONTTYPE;
    static const auto chooseFont = LateImport<decltype(&ChooseFontA)>("comdlg32.dll", "ChooseFontA");
    if (chooseFont == nullptr || !chooseFont(&choice)
        || std::memcmp(&FontChoice, &given, sizeof FontChoice) == 0)
        return false;
    LOGFONTA chosen = FontChoice;
    chosen.lfHeight = FontHeightFromDialog(FontChoice.lfHeight, choice.iPointSize, pickerDpi);
    chosen.lfWidth = ScaleFromDpi(FontChoice.lfWidth, pickerDpi);
    if (std::memcmp(&chosen, setting, sizeof chosen) == 0)
        return false;
    *setting = chosen;
    return true;
}

}  // namespace

INT_PTR OptionsDialog::Show(HWND owner)
{
    // The trackbar and the up-down control of the template.
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    return Run(owner, IDD_OPTIONS);
}

INT_PTR RunOptionsDialog(HWND owner)
{
    OptionsDialog dialog;
    return dialog.Show(owner);
}

void OptionsDialog::RepaintPreview()
{
    if (preview_ != nullptr)
        InvalidateRect(preview_, nullptr, FALSE);
}

int OptionsDialog::Checked(int id) const
{
    return IsDlgButtonChecked(Window(), id) == BST_CHECKED ? 1 : 0;
}

void OptionsDialog::SetChecked(int id, bool checked)
{
    CheckDlgButton(Window(), id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void OptionsDialog::Enable(int id, bool enabled)
{
    EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

void OptionsDialog::ShowLauncherKey()
{
    char text[kLauncherKeyTextSize];
    FormatLauncherKeyText(text, copy_->OpenHotKey, copy_->OpenHotKeyEx, copy_->CheckIME);
    SetDlgItemTextA(Window(), IDC_KEY_TEXT, text);
}

// The items of a comma list of the string table, in order, one selected.
void OptionsDialog::FillList(int comboId, int listId, int selected)
{
    HWND combo = Item(comboId);
    const char* item = nullptr;
    for (int n = 0; (item = ResListItem(listId, n)) != nullptr; ++n)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

// The settings as stored, with the sample level, measured at the dialog's
// DPI for the preview, which draws from them.  false when there is no
// memory for them.
bool OptionsDialog::LoadWorkingCopy()
{
    copy_.reset(new (std::nothrow) LauncherState);
    if (!copy_)
        return false;
    LoadSettings(copy_.get());
    FillPreviewSample(copy_.get());
    copy_->Dpi = WindowDpi(Window());
    preview_ = CreatePreviewWindow(Window(), copy_.get());
    MeasureLauncherText(preview_, copy_.get());
    return true;
}

void OptionsDialog::ShowCheckBoxes()
{
    for (const CheckBox& box : kCheckBoxes)
        SetChecked(box.Id, copy_.get()->*box.Field == (box.Opposite ? 0 : 1));
}

// The gradient's colour and direction follow its check box, the slider the
// transparency's; without msimg32 there is neither gradient nor blending
// (transparency still works, as the AND tint), and without DrawShadowText
// no smooth shadow.
void OptionsDialog::EnableDependentControls()
{
    const bool alphaGradient = HasAlphaGradient() != 0;
    Enable(IDC_USE_GRAD, alphaGradient);
    Enable(IDC_GRAD_COLOR, alphaGradient && copy_->UseGrad == 1);
    Enable(IDC_VGRAD, alphaGradient && copy_->UseGrad == 1);
    Enable(IDC_ALPHA_SLIDER, alphaGradient && copy_->UseAlphaBlend == 1);
    Enable(IDC_SMOOTH, HasShadowText() != 0);
}

// The trackbar runs from opaque (left) to fully transparent (right).
void OptionsDialog::InitAlphaSlider()
{
    HWND slider = Item(IDC_ALPHA_SLIDER);
    SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 255));
    SendMessageA(slider, TBM_SETPOS, TRUE, 255 - copy_->AlphaBlend);
    SendMessageA(Window(), WM_HSCROLL, 0, 0);
}

void OptionsDialog::InitShadowOffset()
{
    SetDlgItemInt(Window(), IDC_SHADOW_OFFSET, static_cast<UINT>(copy_->ShadowOffset), TRUE);
    SendDlgItemMessageA(Window(), IDC_SHADOW_SPIN, UDM_SETRANGE, 0,
                        MAKELPARAM(static_cast<WORD>(kMaxShadowOffset),
                                   static_cast<WORD>(kMinShadowOffset)));
    SendDlgItemMessageA(Window(), IDC_SHADOW_OFFSET, EM_LIMITTEXT, 3, 0);
}

BOOL OptionsDialog::OnInit()
{
    if (!LoadWorkingCopy()) {
        End(0);
        return FALSE;
    }
    ShowLauncherKey();
    ShowCheckBoxes();
    EnableDependentControls();
    InitAlphaSlider();
    InitShadowOffset();
    FillList(IDC_FRAME, IDS_FRAME_STYLES, copy_->EdgeType);
    FillList(IDC_POSITION, IDS_POS_TYPES, copy_->PosType);
    SetFocus(Item(IDC_LAUNCHER_KEY));
    return FALSE;  // the focus is set
}

// The label shows the transparency, not the alpha: 0 % at the left.
void OptionsDialog::OnAlphaScroll()
{
    int position = static_cast<int>(SendMessageA(Item(IDC_ALPHA_SLIDER), TBM_GETPOS, 0, 0));
    char label[256];
    if (HasAlphaGradient())
        std::snprintf(label, sizeof label, ResString(IDS_ALPHA_PERCENT), position * 100 / 255);
    else
        lstrcpynA(label, ResString(IDS_ALPHA_DISABLED), sizeof label);
    SetDlgItemTextA(Window(), IDC_ALPHA_LABEL, label);
    BYTE alpha = static_cast<BYTE>(255 - position);
    if (alpha != copy_->AlphaBlend) {
        copy_->AlphaBlend = alpha;
        RepaintPreview();
    }
}

// The up-down control has written its new value into the edit already.
void OptionsDialog::OnSpin()
{
    BOOL read = FALSE;
    int value = static_cast<int>(GetDlgItemInt(Window(), IDC_SHADOW_OFFSET, &read, TRUE));
    if (!read || value < kMinShadowOffset || value > kMaxShadowOffset
        || value == copy_->ShadowOffset)
        return;
    copy_->ShadowOffset = value;
    RepaintPreview();
}

// A number typed into the offset edit reaches the working copy only here
// (or through the next use of the up-down control).  A value outside
// -99..99, or no number, is refused: the working copy keeps its offset and
// the edit shows it again.  The value the edit was filled with is not
// checked again, so an offset stored out of range does not complain at
// every focus change.  false when refused.
bool OptionsDialog::CheckShadowOffset()
{
    BOOL read = FALSE;
    int value = static_cast<int>(GetDlgItemInt(Window(), IDC_SHADOW_OFFSET, &read, TRUE));
    if (read && value == copy_->ShadowOffset)
        return true;
    if (read && value >= kMinShadowOffset && value <= kMaxShadowOffset) {
        copy_->ShadowOffset = value;
        RepaintPreview();
        return true;
    }
    ShowTavMessage(Window(), IDS_SHADOW_RANGE, MB_OK);
    SetDlgItemInt(Window(), IDC_SHADOW_OFFSET, static_cast<UINT>(copy_->ShadowOffset), TRUE);
    return false;
}

void OptionsDialog::OnColour(COLORREF* setting)
{
    if (PickColor(Window(), setting))
        RepaintPreview();
}

// Measured again for the new font: the preview is where the user judges
// it, so its rows take the new font's pitch and widths.
void OptionsDialog::OnFont()
{
    if (!PickFont(Window(), &copy_->Font))
        return;
    MeasureLauncherText(preview_, copy_.get());
    RepaintPreview();
}

void OptionsDialog::OnLauncherKey()
{
    INT_PTR captured = RunKeyCaptureDialog(Window(), copy_.get());
    if (captured == 1 && copy_->OpenHotKeyEx == 0
        && (copy_->OpenHotKey == VK_CONVERT || copy_->OpenHotKey == VK_NONCONVERT)) {
        // An IME key alone: watched with the IME by the hook library, or a
        // plain hot key.
        if (ShowTavMessage(Window(), IDS_ASK_IME, MB_ICONEXCLAMATION | MB_YESNO) == IDYES)
            copy_->CheckIME = 1;
    }
    ShowLauncherKey();
}

// Created at once when confirmed; Cancel does not undo it.
void OptionsDialog::OnStartupShortcut()
{
    if (ShowTavMessage(Window(), IDS_ASK_STARTUP, MB_ICONEXCLAMATION | MB_OKCANCEL) != IDOK)
        return;
    char program[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    // A full buffer means the path was cut off.
    bool created = length > 0 && length < sizeof program
                   && CreateStartupShortcut(program, kStartupLinkName);
    if (!created)
        ShowTavMessage(Window(), IDS_STARTUP_FAILED, MB_OK | MB_ICONEXCLAMATION);
}

// An offset typed and confirmed with Enter has not lost the focus yet: it
// is checked here, and a refused one keeps the dialog open.
void OptionsDialog::OnOK()
{
    if (!copy_ || !CheckShadowOffset())
        return;
    SaveSettings(copy_.get());
    End(1);
}

// The preview and the working copy go with the dialog.
void OptionsDialog::OnDestroy()
{
    if (preview_ != nullptr)
        DestroyWindow(preview_);
    preview_ = nullptr;
    copy_.reset();
}

// A check box: its setting follows the check state.  false when id is none.
bool OptionsDialog::OnCheckBox(int id)
{
    for (const CheckBox& box : kCheckBoxes) {
        if (box.Id != id)
            continue;
        copy_.get()->*box.Field = Checked(id) == (box.Opposite ? 0 : 1) ? 1 : 0;
        EnableDependentControls();
        if (box.ChangesLook)
            RepaintPreview();
        return true;
    }
    return false;
}

bool OptionsDialog::OnCommand(int id, int code, HWND /*control*/)
{
    // Nothing to edit before the copy exists or after it was freed (a
    // control losing the focus while the dialog is destroyed).
    if (!copy_)
        return false;
    for (const ColourButton& button : kColourButtons) {
        if (button.Id == id) {
            OnColour(&(copy_.get()->*button.Field));
            return true;
        }
    }
    switch (id) {
    case IDC_LAUNCHER_KEY:
        OnLauncherKey();
        return true;
    case IDC_FONT:
        OnFont();
        return true;
    case IDC_SHADOW_OFFSET:
        // The dialog's end takes the focus too: that is no typed value.
        if (code == EN_KILLFOCUS && !Ending())
            CheckShadowOffset();
        return true;
    case IDC_FRAME:
        if (code == CBN_SELCHANGE) {
            int frame = static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0));
            if (frame != copy_->EdgeType) {
                copy_->EdgeType = frame;
                RepaintPreview();
            }
        }
        return true;
    case IDC_POSITION:
        if (code == CBN_SELCHANGE)
            copy_->PosType = static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0));
        return true;
    case IDC_STARTUP:
        OnStartupShortcut();
        return true;
    default:
        return code == BN_CLICKED && OnCheckBox(id);
    }
}

bool OptionsDialog::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR* result)
{
    if (!copy_)
        return false;
    switch (message) {
    case WM_HSCROLL:
        OnAlphaScroll();
        break;
    case WM_VSCROLL:
        OnSpin();
        break;
    case WM_MOVE:
        RepaintPreview();
        break;
    default:
        return false;
    }
    *result = TRUE;
    return true;
}

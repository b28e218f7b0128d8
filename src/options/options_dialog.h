/*
 * The options dialog "SetupDlg": the launcher's look (colours, font,
 * shadow, gradient, transparency, frame), its position type, three
 * behaviour options and the launcher key, with a live preview, and the
 * button that puts a shortcut into the Startup folder.
 *
 * It works on a working copy of the settings, loaded from the registry
 * when it opens and freed when it closes; OK writes every setting, Cancel
 * nothing.  The running launcher is left alone: the caller reloads the
 * settings after OK.
 */
#ifndef TAV_OPTIONS_OPTIONS_DIALOG_H
#define TAV_OPTIONS_OPTIONS_DIALOG_H

#include <windows.h>

#include <memory>

#include "base/launcher_state.h"
#include "ui/modal_dialog.h"

class OptionsDialog : public ModalDialog {
public:
    OptionsDialog() = default;
    ~OptionsDialog() override = default;

    // Runs the dialog owned by owner: 1 after OK (every setting written),
    // 0 after Cancel or the close box, -1 when it could not be created.
    INT_PTR Show(HWND owner);

    // While the dialog runs: the working copy, and the preview (null when
    // its class could not be registered).
    const LauncherState* WorkingCopy() const { return copy_.get(); }
    HWND Preview() const { return preview_; }

protected:
    BOOL OnInit() override;
    void OnOK() override;
    void OnDestroy() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

private:
    bool LoadWorkingCopy();
    void ShowCheckBoxes();
    void EnableDependentControls();
    void InitAlphaSlider();
    void InitShadowOffset();
    void RepaintPreview();
    int Checked(int id) const;
    void SetChecked(int id, bool checked);
    void Enable(int id, bool enabled);
    void ShowLauncherKey();
    void FillList(int comboId, int listId, int selected);
    void OnAlphaScroll();
    void OnSpin();
    bool CheckShadowOffset();
    void OnColour(COLORREF* setting);
    void OnFont();
    void OnLauncherKey();
    void OnStartupShortcut();
    bool OnCheckBox(int id);

    std::unique_ptr<LauncherState> copy_;
    HWND preview_ = nullptr;
};

// The options dialog as tray command 110 opens it.
INT_PTR RunOptionsDialog(HWND owner);

// The colour dialog on one colour, with the 16 custom colours kept for the
// process run.  true when the user chose a different colour (stored in
// *setting).
bool PickColor(HWND owner, COLORREF* setting);

// The font dialog on one font, through the LOGFONTA kept for the process
// run.  true when the user chose a different font (stored in *setting, its
// height and width as figures at 96 DPI).
bool PickFont(HWND owner, LOGFONTA* setting);

#endif

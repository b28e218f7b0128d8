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
    // While it runs, its preview (class "Tav Prev") draws from the working
    // copy (PreviewState).
    INT_PTR Show(HWND owner);

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

#endif

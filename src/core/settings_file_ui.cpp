/*
 * Export and import from the tray menu: file dialog, operation, message box.
 */
#include "core/settings_file_ui.h"

#include "res/resource.h"
#include "setup/file_dialogs.h"
#include "store/res_string.h"
#include "store/settings_file.h"

// A notice with the program's caption.  The text is copied first: while the
// box runs its message loop, the launcher window may ask ResString for more.
static void ShowNotice(HWND window, int textId)
{
    ResText text(textId);
    MessageBoxA(window, text.Text, "Tav", MB_OK);
}

void ExportWithDialog(HWND window, char* iniPath)
{
    if (!SaveFileDialog(window, iniPath, ResString(IDS_FILTER_INI), "ini"))
        return;
    ShowNotice(window, ExportSettings(iniPath) ? IDS_EXPORT_OK : IDS_EXPORT_FAILED);
}

void ImportWithDialog(HWND window, char* iniPath, void (*reload)(HWND window))
{
    if (!OpenFileDialog(window, iniPath, ResString(IDS_FILTER_INI), 0))
        return;
    if (!ImportSettings(iniPath)) {
        ShowNotice(window, IDS_IMPORT_FAILED);
        return;
    }
    reload(window);
    ShowNotice(window, IDS_IMPORT_OK);
}

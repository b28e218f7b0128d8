/*
 * Export and import from the tray menu: file dialog, operation, message box.
 */
#include "core/settings_file_ui.h"

#include "res/resource.h"
#include "store/res_string.h"
#include "store/settings_file.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"

// The wait cursor while a long operation runs on this thread (an import
// of a large file takes a while, and no message is handled meanwhile); the
// previous cursor comes back at the end.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

void ExportWithDialog(HWND window, char* iniPath)
{
    if (!SaveFileDialog(window, iniPath, ResString(IDS_FILTER_INI), "ini"))
        return;
    int exported;
    {
        WaitCursor wait;
        exported = ExportSettings(iniPath);
    }
    ShowTavMessage(window, exported ? IDS_EXPORT_OK : IDS_EXPORT_FAILED, MB_OK);
}

void ImportWithDialog(HWND window, char* iniPath, void (*reload)(HWND window))
{
    if (!OpenFileDialog(window, iniPath, ResString(IDS_FILTER_INI), 0))
        return;
    int imported;
    {
        // The reload reads the settings and the top level again: part of the work.
        WaitCursor wait;
        imported = ImportSettings(iniPath);
        if (imported)
            reload(window);
    }
    ShowTavMessage(window, imported ? IDS_IMPORT_OK : IDS_IMPORT_FAILED, MB_OK);
}

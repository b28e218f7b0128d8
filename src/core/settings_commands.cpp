/*
 * Tray commands 210 and 220 of the launcher window.
 */
#include "core/settings_commands.h"

#include "core/launcher_window.h"
#include "core/settings_file_ui.h"

void RunExportCommand(HWND window, char* iniPath)
{
    ExportWithDialog(window, iniPath);
}

// An import changes the registry under the running launcher: settings and
// top level are loaded again.  The launcher key's registration stays; an
// imported key takes effect when the key is next registered.
static void ReloadLauncher(HWND window)
{
    ApplySettings(window, &Launcher, KeyPath);
}

void RunImportCommand(HWND window, char* iniPath)
{
    ImportWithDialog(window, iniPath, ReloadLauncher);
}

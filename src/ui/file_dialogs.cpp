/*
 * Open and save dialogs over GetOpenFileNameA and GetSaveFileNameA, bound
 * when first used (comdlg32 is not loaded at start-up); the folder browser
 * over SHBrowseForFolderA.
 */
#include "ui/file_dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include "base/com_ptr.h"
#include "base/late_import.h"
#include "base/portable/key_table.h"
#include "res/resource.h"
#include "store/res_string.h"
#include "ui/portable/file_filter.h"

// The texts a dialog shows, alive while it runs.
struct DialogTexts {
    char Filter[kFilterListSize];
    char Title[256];
};

// The record both dialogs start from.  lStructSize is the size without the
// Windows 2000 additions (76 bytes in the 32-bit build), which every
// version of the common dialogs accepts.  The filter is converted before
// ResString fetches the title: it may live in ResString's buffer.
static void PrepareRecord(OPENFILENAMEA* record, DialogTexts* texts, HWND owner, char* path,
                          const char* filter, int titleId)
{
    ConvertFilter(filter, texts->Filter, sizeof texts->Filter);
    lstrcpynA(texts->Title, ResString(titleId), sizeof texts->Title);
    ZeroMemory(record, sizeof *record);
    record->lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    record->hwndOwner = owner;
    record->lpstrFilter = texts->Filter;
    record->nFilterIndex = 1;
    record->lpstrFile = path;
    record->nMaxFile = kPathSize;
    record->lpstrTitle = texts->Title;
}

int OpenFileDialog(HWND owner, char* path, const char* filter, int controlId)
{
    OPENFILENAMEA record;
    DialogTexts texts;
    PrepareRecord(&record, &texts, owner, path, filter, IDS_OPEN_TITLE);
    record.Flags = OFN_HIDEREADONLY;
    static const auto getOpenFileName =
        LateImport<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    if (getOpenFileName == nullptr || !getOpenFileName(&record))
        return 0;
    if (controlId != 0)
        SetDlgItemTextA(owner, controlId, path);
    return 1;
}

int SaveFileDialog(HWND owner, char* path, const char* filter, const char* defaultExtension)
{
    OPENFILENAMEA record;
    DialogTexts texts;
    PrepareRecord(&record, &texts, owner, path, filter, IDS_SAVE_TITLE);
    record.Flags = OFN_OVERWRITEPROMPT | OFN_SHOWHELP;
    record.lpstrDefExt = defaultExtension;
    static const auto getSaveFileName =
        LateImport<decltype(&GetSaveFileNameA)>("comdlg32.dll", "GetSaveFileNameA");
    return getSaveFileName != nullptr && getSaveFileName(&record) ? 1 : 0;
}

void BrowseForFolder(HWND owner, char* path, const char* title, int controlId)
{
    // The browser is a COM client: the thread must be in an apartment.
    tav::ComInit com;
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = path;  // MAX_PATH bytes, as the browser requires
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (item == nullptr)
        return;
    if (SHGetPathFromIDListA(item, path))
        SetDlgItemTextA(owner, controlId, path);
    // ole32 is loaded: the guard above initialised COM through it.
    static const auto taskMemFree = LateImport<decltype(&CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
    if (taskMemFree != nullptr)
        taskMemFree(item);
}

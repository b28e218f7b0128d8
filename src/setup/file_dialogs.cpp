/*
 * Open and save dialogs over GetOpenFileNameA and GetSaveFileNameA.
 */
#include "setup/file_dialogs.h"

#include <commdlg.h>

#include "launch/key_table.h"
#include "res/resource.h"
#include "setup/file_filter.h"
#include "store/res_string.h"

// The record both dialogs start from.  lStructSize is the size without the
// Windows 2000 additions (76 bytes in the 32-bit build), which every
// version of the common dialogs accepts.
static void PrepareRecord(OPENFILENAMEA* record, HWND owner, char* path, const char* list,
                          const char* title)
{
    ZeroMemory(record, sizeof *record);
    record->lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    record->hwndOwner = owner;
    record->lpstrFilter = list;
    record->nFilterIndex = 1;
    record->lpstrFile = path;
    record->nMaxFile = kPathSize;
    record->lpstrTitle = title;
}

int OpenFileDialog(HWND owner, char* path, const char* filter, int controlId)
{
    // The filter first: it may live in ResString's buffer.
    char list[kFilterListSize];
    ConvertFilter(filter, list, sizeof list);
    char title[256];
    lstrcpynA(title, ResString(IDS_OPEN_TITLE), sizeof title);

    OPENFILENAMEA record;
    PrepareRecord(&record, owner, path, list, title);
    record.Flags = OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&record))
        return 0;
    if (controlId != 0)
        SetDlgItemTextA(owner, controlId, path);
    return 1;
}

int SaveFileDialog(HWND owner, char* path, const char* filter, const char* defaultExtension)
{
    char list[kFilterListSize];
    ConvertFilter(filter, list, sizeof list);
    char title[256];
    lstrcpynA(title, ResString(IDS_SAVE_TITLE), sizeof title);

    OPENFILENAMEA record;
    PrepareRecord(&record, owner, path, list, title);
    record.Flags = OFN_OVERWRITEPROMPT | OFN_SHOWHELP;
    record.lpstrDefExt = defaultExtension;
    return GetSaveFileNameA(&record) ? 1 : 0;
}

/*
 * Message boxes and dropped files of the setup editor.
 */
#include "setup/setup_notices.h"

#include "base/portable/key_table.h"
#include "res/resource.h"
#include "setup/portable/dropped_file.h"
#include "ui/lead_byte.h"
#include "ui/message_box.h"

void ShowSetupNotice(HWND owner, int textId)
{
    ShowTavMessage(owner, textId, MB_OK);
}

bool AskSetupQuestion(HWND owner, int textId, const char* argument)
{
    return ShowTavMessage(owner, textId, MB_OKCANCEL | MB_ICONEXCLAMATION,
                          argument != nullptr ? argument : "")
           == IDOK;
}

bool TakeDroppedPath(HWND owner, HDROP drop, char* path)
{
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    // Without a buffer DragQueryFileA gives the length, terminator excluded.
    UINT length = count > 0 ? DragQueryFileA(drop, 0, nullptr, 0) : 0;
    bool fits = count > 0 && length < static_cast<UINT>(kPathSize);
    if (fits)
        DragQueryFileA(drop, 0, path, kPathSize);
    DragFinish(drop);
    if (count > 0 && !fits)
        ShowSetupNotice(owner, IDS_PATH_TOO_LONG);
    return fits;
}

// The edit's limit counts characters where the system keeps its text in
// Unicode, so a Japanese title may be longer than 31 bytes; it is cut here,
// after a whole character.
void ReadTitleText(HWND dialog, int id, char* title)
{
    GetDlgItemTextA(dialog, id, title, kTitleSize - 1);
    CutPartialCharacter(title, IsAnsiLeadByte);
}

/*
 * String-table helpers over LoadStringA, which returns the texts in the ANSI
 * code page of the system (932 on a Japanese system).
 */
#include "store/res_string.h"

#include <windows.h>

#include "store/portable/list_item.h"

const char* ResString(int id)
{
    static char text[256];
    if (LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), text, sizeof text) <= 0)
        text[0] = '\0';
    return text;
}

ResText::ResText(int id)
{
    lstrcpynA(Text, ResString(id), sizeof Text);
}

const char* ResListItem(int id, int n)
{
    // The key-name list (556 bytes) is the longest; it needs this buffer.
    static char list[1024];
    if (LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), list, sizeof list) <= 0)
        list[0] = '\0';
    return CutListItem(list, n);
}

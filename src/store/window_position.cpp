/*
 * The launcher window's stored place and width.
 */
#include "store/window_position.h"

#include <windows.h>

#include "res/resource.h"
#include "store/registry.h"
#include "store/res_string.h"

namespace {

int ReadInt(HKEY key, const char* name, int defaultValue, int* stored = nullptr)
{
    DWORD value = 0;
    int found = StoreReadDwordFrom(key, name, &value, static_cast<DWORD>(defaultValue));
    if (stored != nullptr)
        *stored = found;
    return static_cast<int>(value);
}

void WriteInt(const char* name, int value)
{
    StoreWriteDword(name, ResString(IDS_KEY_WINDOW), static_cast<DWORD>(value));
}

}  // namespace

StoredPosition ReadWindowPosition()
{
    ResText path(IDS_KEY_WINDOW);
    tav::UniqueHKey key = StoreOpenKey(path.Text, KEY_READ);
    StoredPosition position;
    position.Left = ReadInt(key.get(), "Left", 0);
    position.Top = ReadInt(key.get(), "Top", 0);
    return position;
}

void WriteWindowPosition(int left, int top)
{
    ResText path(IDS_KEY_WINDOW);
    tav::UniqueHKey key = StoreCreateKey(path.Text);
    if (!key)
        return;
    StoreWriteDwordTo(key.get(), "Left", static_cast<DWORD>(left));
    StoreWriteDwordTo(key.get(), "Top", static_cast<DWORD>(top));
}

int HasSavedPosition()
{
    int top = 0;
    StoreReadDword("Top", ResString(IDS_KEY_WINDOW), &top, kNoSavedTop);
    return top != kNoSavedTop;
}

StoredWidth ReadStoredWidth()
{
    ResText path(IDS_KEY_WINDOW);
    tav::UniqueHKey key = StoreOpenKey(path.Text, KEY_READ);
    StoredWidth stored;
    stored.TextHeight = ReadInt(key.get(), "TextHeight", -1);
    stored.Width = ReadInt(key.get(), "Width", 0, &stored.WidthStored);
    return stored;
}

void WriteStoredWidth(int width)
{
    WriteInt("Width", width);
}

void WriteTextHeight(int lineHeight)
{
    WriteInt("TextHeight", lineHeight);
}

/*
 * Launcher key texts from the string table.
 */
#include "options/launcher_key_text.h"

#include <windows.h>

#include <cstdio>

#include "res/resource.h"
#include "store/res_string.h"

void FormatLauncherKeyText(char* text, int code, int modifiers, int imeFlag)
{
    ResText ctrl(IDS_MOD_CTRL);
    ResText alt(IDS_MOD_ALT);
    ResText shift(IDS_MOD_SHIFT);
    ResText ime(IDS_IME_SUFFIX);
    // The whole list at once (556 bytes): ResString holds 255 at most.
    char names[1024];
    if (LoadStringA(GetModuleHandleA(nullptr), IDS_KEY_NAMES, names, sizeof names) <= 0)
        names[0] = '\0';
    LauncherKeyTexts texts = {ctrl.Text, alt.Text, shift.Text, ime.Text, names};
    FormatLauncherKey(text, code, modifiers, imeFlag, texts);
}

void FormatHotKeyText(char* text, int code, int modifiers)
{
    char rest[kLauncherKeyTextSize];
    FormatLauncherKeyText(rest, code, modifiers & ~MOD_WIN, 0);
    std::snprintf(text, kLauncherKeyTextSize, "%s%s", (modifiers & MOD_WIN) ? ResString(IDS_MOD_WIN) : "",
                  rest);
}

/*
 * The program's message boxes.
 */
#include "ui/message_box.h"

#include <cstdio>

#include "store/res_string.h"

namespace {

const char kCaption[] = "Tav";

}  // namespace

// The text is copied first: while a box runs its message loop, other code
// may ask ResString for its own texts.
int ShowTavMessage(HWND owner, int textId, UINT buttons, const char* argument)
{
    ResText format(textId);
    if (argument == nullptr)
        return MessageBoxA(owner, format.Text, kCaption, buttons);
    // A title (32 bytes) or a launcher key's name (64) in a text of at most
    // 255: room enough.  The argument is never part of the format: a "%" in
    // it shows as itself.
    char text[sizeof format.Text + 64];
    std::snprintf(text, sizeof text, format.Text, argument);
    return MessageBoxA(owner, text, kCaption, buttons);
}

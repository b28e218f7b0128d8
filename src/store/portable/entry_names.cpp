/*
 * Key strings and value names of the entry tree.
 */
#include "store/portable/entry_names.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const FieldPrefixes[kEntryFieldCount] = {"Title", "Exec", "Folder", "Option", "Sound",
                                                     "HotKey"};

// Length of a key string, 1 to kKeyStringSize - 1 KeyTable characters, or
// -1 for anything else.
int KeyStringLength(const char* keyString)
{
    int length = KeyCharsLength(keyString, kKeyStringSize - 1);
    return length > 0 ? length : -1;
}

}  // namespace

int MakeKeyString(char* keyString, const char* keyPath, int slot)
{
    keyString[0] = '\0';
    char key = KeyChar(slot - 1);
    int length = KeyCharsLength(keyPath, kKeyPathMax);
    if (key == 0 || length < 0)
        return 0;
    std::memcpy(keyString, keyPath, length);
    keyString[length] = key;
    keyString[length + 1] = '\0';
    return 1;
}

int MakeValueName(char* name, EntryField field, const char* keyString)
{
    name[0] = '\0';
    if (field < ENTRY_TITLE || field > ENTRY_HOTKEY || KeyStringLength(keyString) < 0)
        return 0;
    std::snprintf(name, kValueNameSize, "%s%s", FieldPrefixes[field], keyString);
    return 1;
}

int IsEntryKey(unsigned long hotKey)
{
    const unsigned code = EntryKeyCode(hotKey);
    const unsigned modifiers = EntryKeyModifiers(hotKey);
    return (hotKey >> 16) == 0 && code != 0 && code != 0xFF && modifiers != 0
           && (modifiers & ~kEntryKeyModifierMask) == 0;
}

int IsSubmenuMarker(const char* program)
{
    return std::strncmp(program, SUBMENU_MARKER, sizeof SUBMENU_MARKER) == 0;
}

int IsInSubtree(const char* root, const char* keyString)
{
    return std::strncmp(keyString, root, std::strlen(root)) == 0;
}

int CopyAllowed(const char* source, const char* destination, int deepestSubmenu)
{
    if (KeyStringLength(source) < 0 || KeyStringLength(destination) < 0
        || IsInSubtree(source, destination))
        return 0;
    return deepestSubmenu < 0
           || std::strlen(destination) + static_cast<size_t>(deepestSubmenu) <= static_cast<size_t>(kKeyPathMax);
}

int RebaseKeyString(char* out, const char* keyString, const char* from, const char* to)
{
    out[0] = '\0';
    if (KeyStringLength(keyString) < 0 || KeyStringLength(from) < 0 || KeyStringLength(to) < 0
        || !IsInSubtree(from, keyString))
        return 0;
    const char* rest = keyString + std::strlen(from);
    size_t toLength = std::strlen(to);
    size_t restLength = std::strlen(rest);
    if (toLength + restLength > static_cast<size_t>(kKeyStringSize - 1))
        return 0;
    std::memcpy(out, to, toLength);
    std::memcpy(out + toLength, rest, restLength + 1);
    return 1;
}

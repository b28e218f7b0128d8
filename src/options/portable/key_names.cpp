/*
 * Launcher key texts.
 */
#include "options/portable/key_names.h"

#include <cstdio>
#include <cstring>

const unsigned char KeyNameTable[kKeyNameCount] = {
    0x08, 0x09, 0x0D, 0x13, 0x14, 0x15, 0x19, 0x1B, 0x1C, 0x1D,  // BackSpace .. 無変換
    0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28,        // Space .. ↓
    0x2D, 0x2E, 0x5B, 0x5C, 0x5D,                                // Insert .. Apps
    0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69,  // Num0 .. Num9
    0x6A, 0x6B, 0x6D, 0x6E, 0x6F,                                // *(Num) .. /(Num)
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79,  // F1 .. F10
    0x7A, 0x7B, 0x90, 0x91,                                      // F11, F12, NumLock, ScrollLock
    0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC,                    // BrowserBack .. BrowserHome
    0xAD, 0xAE, 0xAF, 0xB0, 0xB1, 0xB2, 0xB3,                    // VolumeMute .. MediaPlayPause
    0xB4, 0xB5, 0xB6, 0xB7,                                      // LaunchMail .. LaunchApp2
    0xF2, 0xF0, 0xE5,                                            // ｶﾀｶﾅ, CapsLock, 半角
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39,  // 0 .. 9
};

namespace {

// Appends at most length bytes of text, keeping the terminator inside the
// buffer.
void Append(char* text, const char* part, std::size_t length)
{
    std::size_t used = std::strlen(text);
    std::size_t room = kLauncherKeyTextSize - 1 - used;
    if (length > room)
        length = room;
    std::memcpy(text + used, part, length);
    text[used + length] = '\0';
}

void Append(char* text, const char* part)
{
    if (part != nullptr)
        Append(text, part, std::strlen(part));
}

// Item index of the comma list names: its start and length, or false when
// the list has fewer items.
bool ListItem(const char* names, int index, const char** start, std::size_t* length)
{
    if (names == nullptr)
        return false;
    const char* item = names;
    for (int i = 0; i < index; ++i) {
        item = std::strchr(item, ',');
        if (item == nullptr)
            return false;
        ++item;
    }
    const char* end = std::strchr(item, ',');
    *start = item;
    *length = end != nullptr ? static_cast<std::size_t>(end - item) : std::strlen(item);
    return true;
}

}  // namespace

void FormatLauncherKey(char* text, int code, int modifiers, int imeFlag,
                       const LauncherKeyTexts& texts)
{
    std::memset(text, 0, kLauncherKeyTextSize);
    if (modifiers & kModControl)
        Append(text, texts.Ctrl);
    if (modifiers & kModAlt)
        Append(text, texts.Alt);
    if (modifiers & kModShift)
        Append(text, texts.Shift);

    char hex[12];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(code));
    const char* name = hex;
    std::size_t length = std::strlen(hex);
    for (int i = 0; i < kKeyNameCount; ++i) {
        if (KeyNameTable[i] == code) {
            const char* item = nullptr;
            std::size_t itemLength = 0;
            if (ListItem(texts.KeyNames, i, &item, &itemLength)) {
                name = item;
                length = itemLength;
            }
            break;
        }
    }
    char letter = 0;
    if (code >= 'A' && code <= 'Z') {
        letter = static_cast<char>(code);
        name = &letter;
        length = 1;
    }
    Append(text, name, length);

    if (imeFlag == 1)
        Append(text, texts.ImeSuffix);
}

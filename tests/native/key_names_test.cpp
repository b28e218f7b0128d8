/*
 * The launcher key's text: the name of every key code 0..255 with each set
 * of modifiers and the IME note, in the string table's exact code page 932
 * bytes, zero-filled to the end of its buffer (the longest, Ctrl+Alt+Shift+
 * LaunchMediaSelect with the note, is 47 bytes of 64).
 */
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "options/portable/key_names.h"

namespace {

// Strings 30, 31, 32, 29 and 36 as the string table holds them (code page 932).
const char kNameList[] =
    "BackSpace,Tab,Enter,Pause,CapsLock,\xB6\xC5,\x8A\xBF\x8E\x9A,Esc,\x95\xCF\x8A\xB7,"
    "\x96\xB3\x95\xCF\x8A\xB7,Space,PageUp,PageDown,End,Home,\x81\xA9,\x81\xAA,\x81\xA8,\x81\xAB,"
    "Insert,Delete,L-Windows,R-Windows,Apps,Num0,Num1,Num2,Num3,Num4,Num5,Num6,Num7,Num8,Num9,"
    "*(Num),+(Num),-(Num),.(Num),/(Num),F1,F2,F3,F4,F5,F6,F7,F8,F9,F10,F11,F12,NumLock,ScrollLock,"
    "BrowserBack,BrowserForward,BrowserRefresh,BrowserStop,BrowserSearch,BrowserFavorites,"
    "BrowserHome,VolumeMute,VolumeDown,VolumeUp,MediaNextTrack,MediaPrevTrack,MediaStop,"
    "MediaPlayPause,LaunchMail,LaunchMediaSelect,LaunchApp1,LaunchApp2,\xB6\xC0\xB6\xC5,CapsLock,"
    "\x94\xBC\x8Ap,0,1,2,3,4,5,6,7,8,9";
const char kImeSuffix[] = "(IME\x82\xF0\x8A\xC4\x8E\x8B\x82\xB7\x82\xE9)";  // (IMEを監視する)
const LauncherKeyTexts kTexts = {"CTRL+", "ALT+", "SHIFT+", kImeSuffix, kNameList};

// The name of every code: the key-name table's, a letter's own, or hex.
const char* const kNames[256] = {
    /* 00 */ "0x00", "0x01", "0x02", "0x03", "0x04", "0x05", "0x06", "0x07",
    /* 08 */ "BackSpace", "Tab", "0x0A", "0x0B", "0x0C", "Enter", "0x0E", "0x0F",
    /* 10 */ "0x10", "0x11", "0x12", "Pause", "CapsLock", "\xB6\xC5", "0x16", "0x17",
    /* 18 */ "0x18", "\x8A\xBF\x8E\x9A", "0x1A", "Esc", "\x95\xCF\x8A\xB7", "\x96\xB3\x95\xCF\x8A\xB7", "0x1E", "0x1F",
    /* 20 */ "Space", "PageUp", "PageDown", "End", "Home", "\x81\xA9", "\x81\xAA", "\x81\xA8",
    /* 28 */ "\x81\xAB", "0x29", "0x2A", "0x2B", "0x2C", "Insert", "Delete", "0x2F",
    /* 30 */ "0", "1", "2", "3", "4", "5", "6", "7",
    /* 38 */ "8", "9", "0x3A", "0x3B", "0x3C", "0x3D", "0x3E", "0x3F",
    /* 40 */ "0x40", "A", "B", "C", "D", "E", "F", "G",
    /* 48 */ "H", "I", "J", "K", "L", "M", "N", "O",
    /* 50 */ "P", "Q", "R", "S", "T", "U", "V", "W",
    /* 58 */ "X", "Y", "Z", "L-Windows", "R-Windows", "Apps", "0x5E", "0x5F",
    /* 60 */ "Num0", "Num1", "Num2", "Num3", "Num4", "Num5", "Num6", "Num7",
    /* 68 */ "Num8", "Num9", "*(Num)", "+(Num)", "0x6C", "-(Num)", ".(Num)", "/(Num)",
    /* 70 */ "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8",
    /* 78 */ "F9", "F10", "F11", "F12", "0x7C", "0x7D", "0x7E", "0x7F",
    /* 80 */ "0x80", "0x81", "0x82", "0x83", "0x84", "0x85", "0x86", "0x87",
    /* 88 */ "0x88", "0x89", "0x8A", "0x8B", "0x8C", "0x8D", "0x8E", "0x8F",
    /* 90 */ "NumLock", "ScrollLock", "0x92", "0x93", "0x94", "0x95", "0x96", "0x97",
    /* 98 */ "0x98", "0x99", "0x9A", "0x9B", "0x9C", "0x9D", "0x9E", "0x9F",
    /* A0 */ "0xA0", "0xA1", "0xA2", "0xA3", "0xA4", "0xA5", "BrowserBack", "BrowserForward",
    /* A8 */ "BrowserRefresh", "BrowserStop", "BrowserSearch", "BrowserFavorites", "BrowserHome", "VolumeMute", "VolumeDown", "VolumeUp",
    /* B0 */ "MediaNextTrack", "MediaPrevTrack", "MediaStop", "MediaPlayPause", "LaunchMail", "LaunchMediaSelect", "LaunchApp1", "LaunchApp2",
    /* B8 */ "0xB8", "0xB9", "0xBA", "0xBB", "0xBC", "0xBD", "0xBE", "0xBF",
    /* C0 */ "0xC0", "0xC1", "0xC2", "0xC3", "0xC4", "0xC5", "0xC6", "0xC7",
    /* C8 */ "0xC8", "0xC9", "0xCA", "0xCB", "0xCC", "0xCD", "0xCE", "0xCF",
    /* D0 */ "0xD0", "0xD1", "0xD2", "0xD3", "0xD4", "0xD5", "0xD6", "0xD7",
    /* D8 */ "0xD8", "0xD9", "0xDA", "0xDB", "0xDC", "0xDD", "0xDE", "0xDF",
    /* E0 */ "0xE0", "0xE1", "0xE2", "0xE3", "0xE4", "\x94\xBC\x8Ap", "0xE6", "0xE7",
    /* E8 */ "0xE8", "0xE9", "0xEA", "0xEB", "0xEC", "0xED", "0xEE", "0xEF",
    /* F0 */ "CapsLock", "0xF1", "\xB6\xC0\xB6\xC5", "0xF3", "0xF4", "0xF5", "0xF6", "0xF7",
    /* F8 */ "0xF8", "0xF9", "0xFA", "0xFB", "0xFC", "0xFD", "0xFE", "0xFF",
};

// By modifier bits: Ctrl before Alt before Shift, whatever the bits' order.
const char* const kPrefixes[8] = {
    "", "ALT+", "CTRL+", "CTRL+ALT+", "SHIFT+", "ALT+SHIFT+", "CTRL+SHIFT+", "CTRL+ALT+SHIFT+",
};

std::string Format(int code, int modifiers, int ime, const LauncherKeyTexts& texts = kTexts)
{
    char text[kLauncherKeyTextSize];
    std::memset(text, 0x55, sizeof text);
    FormatLauncherKey(text, code, modifiers, ime, texts);
    std::string result(text);
    // Zero-filled behind the text, to the end of the buffer.
    for (std::size_t i = result.size(); i < sizeof text; ++i)
        EXPECT_EQ(0, text[i]) << "byte " << i << " after " << result;
    return result;
}

TEST(FormatLauncherKey, EveryCodeWithEveryModifierSetAndTheImeNote)
{
    for (int code = 0; code < 256; ++code) {
        for (int modifiers = 0; modifiers < 8; ++modifiers) {
            EXPECT_EQ(std::string(kPrefixes[modifiers]) + kNames[code], Format(code, modifiers, 0))
                << code << " " << modifiers;
            EXPECT_EQ(std::string(kPrefixes[modifiers]) + kNames[code] + kImeSuffix,
                      Format(code, modifiers, 1))
                << code << " " << modifiers;
        }
    }
}

// Stored values no dialog makes: a code beyond a byte, unknown modifier
// bits, an IME flag other than 1.  Texts longer than any string table of
// the program holds are cut at 63 bytes; a list shorter than the table
// leaves the codes past its end as hex.
TEST(FormatLauncherKey, OddValuesAndTexts)
{
    EXPECT_EQ("0x1234", Format(0x1234, 0, 0));
    EXPECT_EQ("CTRL+A", Format(0x41, 8 | 2, 0));
    EXPECT_EQ("A", Format(0x41, 0, 2));
    const std::string wide(40, 'W');
    LauncherKeyTexts overlong = {wide.c_str(), wide.c_str(), wide.c_str(), wide.c_str(), kNameList};
    EXPECT_EQ(wide + std::string(23, 'W'), Format(0x41, 7, 1, overlong));
    LauncherKeyTexts shortList = {"CTRL+", "ALT+", "SHIFT+", kImeSuffix, "BackSpace,Tab"};
    EXPECT_EQ("Tab", Format(0x09, 0, 0, shortList));
    EXPECT_EQ("0x0D", Format(0x0D, 0, 0, shortList));
}

}  // namespace

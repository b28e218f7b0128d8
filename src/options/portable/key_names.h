/*
 * The text the options dialog shows for a launcher key: the modifiers held
 * with it ("CTRL+", "ALT+", "SHIFT+", always in that order), the key's
 * name, and a note when the key is watched together with the IME.
 *
 * Keys without a printable character are named by KeyNameTable, whose
 * entry i is named by item i of the string table's comma list of key names;
 * the letters A to Z are named by their letter, every other key by its code
 * in hexadecimal.  The texts themselves live in the string table: the
 * caller hands them in, so this file stays free of Windows headers.
 */
#ifndef TAV_OPTIONS_PORTABLE_KEY_NAMES_H
#define TAV_OPTIONS_PORTABLE_KEY_NAMES_H

// The virtual-key codes that have names, in the order of the name list.
// 0x14 and 0xF0 both carry the name "CapsLock".
constexpr int kKeyNameCount = 84;
extern const unsigned char KeyNameTable[kKeyNameCount];

// The buffer FormatLauncherKey fills.  The longest text the program's own
// texts give (all three modifiers, "LaunchMediaSelect" and the IME note)
// takes 47 bytes.
constexpr int kLauncherKeyTextSize = 64;

// Modifier bits as RegisterHotKey takes them (OpenHotKeyEx).
constexpr int kModAlt = 1;
constexpr int kModControl = 2;
constexpr int kModShift = 4;

// The string-table texts the key text is made of (code page 932).
struct LauncherKeyTexts {
    const char* Ctrl;       // "CTRL+"
    const char* Alt;        // "ALT+"
    const char* Shift;      // "SHIFT+"
    const char* ImeSuffix;  // "(IMEを監視する)"
    const char* KeyNames;   // the comma list, one name per KeyNameTable entry
};

// Writes the text for key code (0..255) with modifier bits modifiers and
// the IME flag (1: watched with the IME) into text, kLauncherKeyTextSize
// bytes, zero-filled first.  A text that would not fit is cut off, always
// terminated.
void FormatLauncherKey(char* text, int code, int modifiers, int imeFlag,
                       const LauncherKeyTexts& texts);

#endif

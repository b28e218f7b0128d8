/*
 * The settings record: the first 21 fields of LauncherState, each stored in
 * the registry under its own name, in the Window key (string 2) or the Key
 * key (string 3).  SettingsTable is the one list of them: loading, saving,
 * the defaults and the tests all walk it.
 */
#ifndef TAV_STORE_SETTINGS_H
#define TAV_STORE_SETTINGS_H

#include <windows.h>

#include <cstddef>

#include "base/launcher_state.h"

enum SettingType {
    SETTING_DWORD,  // 32-bit field, REG_DWORD
    SETTING_BYTE,   // 8-bit field, REG_BINARY of 1 byte
    SETTING_FONT,   // LOGFONTA, REG_BINARY of 60 bytes
};

struct SettingField {
    const char* Name;    // field and registry value name
    int KeyId;           // string id of the key path: IDS_KEY_WINDOW or IDS_KEY_KEY
    SettingType Type;
    std::size_t Offset;  // of the field in LauncherState
    DWORD Default;       // unused for SETTING_FONT (see SetDefaultFont)
};

constexpr int kSettingCount = 21;
extern const SettingField SettingsTable[kSettingCount];

// Zeroes the whole record (slot table, metrics and flags included) and reads
// the 21 settings; every missing or unreadable value takes its default.
// Smooth is forced to 0 where DrawShadowText is not available.
LauncherState* LoadSettings(LauncherState* state);

// Writes all 21 settings, changed or not.
void SaveSettings(const LauncherState* state);

// The default launcher font: 18 px semi-bold "標準明朝" (string 33).
void SetDefaultFont(LOGFONTA* font);

#endif

/*
 * Loading, saving and defaulting the settings record.
 */
#include "store/settings.h"

#include <cstring>

#include "base/optional_apis.h"
#include "res/resource.h"
#include "store/registry.h"
#include "store/res_string.h"

#define SETTING(name, key, type, defaultValue) \
    { #name, key, type, offsetof(LauncherState, name), defaultValue }

const SettingField SettingsTable[kSettingCount] = {
    SETTING(MainColor,         IDS_KEY_WINDOW, SETTING_DWORD, 0x0000FF00),  // green
    SETTING(GradColor,         IDS_KEY_WINDOW, SETTING_DWORD, 0x000080FF),  // orange
    SETTING(AlphaBlend,        IDS_KEY_WINDOW, SETTING_BYTE,  127),
    SETTING(UseGrad,           IDS_KEY_WINDOW, SETTING_DWORD, 1),
    SETTING(VGrad,             IDS_KEY_WINDOW, SETTING_DWORD, 0),
    SETTING(UseAlphaBlend,     IDS_KEY_WINDOW, SETTING_DWORD, 1),
    SETTING(TextColor,         IDS_KEY_WINDOW, SETTING_DWORD, 0x00FFFFFF),  // white
    SETTING(ShadowColor,       IDS_KEY_WINDOW, SETTING_DWORD, 0x00000000),  // black
    SETTING(SelectTxtColor,    IDS_KEY_WINDOW, SETTING_DWORD, 0x000000FF),  // red
    SETTING(SelectShadowColor, IDS_KEY_WINDOW, SETTING_DWORD, 0x00000000),  // black
    SETTING(ShadowOffset,      IDS_KEY_WINDOW, SETTING_DWORD, 1),
    SETTING(ShowAllKey,        IDS_KEY_WINDOW, SETTING_DWORD, 1),
    SETTING(SaveCursor,        IDS_KEY_WINDOW, SETTING_DWORD, 0),
    SETTING(Foreground,        IDS_KEY_WINDOW, SETTING_DWORD, 1),
    SETTING(Font,              IDS_KEY_WINDOW, SETTING_FONT,  0),
    SETTING(EdgeType,          IDS_KEY_WINDOW, SETTING_DWORD, 3),           // raised line
    SETTING(PosType,           IDS_KEY_WINDOW, SETTING_DWORD, 0),           // free
    SETTING(OpenHotKey,        IDS_KEY_KEY,    SETTING_DWORD, VK_NONCONVERT),
    SETTING(OpenHotKeyEx,      IDS_KEY_KEY,    SETTING_DWORD, 0),
    SETTING(CheckIME,          IDS_KEY_KEY,    SETTING_DWORD, 1),
    SETTING(Smooth,            IDS_KEY_WINDOW, SETTING_DWORD, 1),
};

#undef SETTING

static_assert(sizeof(LOGFONTA) == 60, "the stored font is a 60-byte LOGFONTA");

LauncherState* LoadSettings(LauncherState* state)
{
    std::memset(state, 0, sizeof *state);
    char* base = reinterpret_cast<char*>(state);
    for (const SettingField& field : SettingsTable) {
        ResText path(field.KeyId);
        void* member = base + field.Offset;
        switch (field.Type) {
        case SETTING_DWORD: {
            DWORD value = 0;
            StoreReadDword(field.Name, path.Text, &value, field.Default);
            std::memcpy(member, &value, sizeof value);
            break;
        }
        case SETTING_BYTE:
            if (!StoreReadBinary(field.Name, path.Text, member, 1))
                *static_cast<BYTE*>(member) = static_cast<BYTE>(field.Default);
            break;
        case SETTING_FONT:
            if (!StoreReadBinary(field.Name, path.Text, member, sizeof(LOGFONTA)))
                SetDefaultFont(static_cast<LOGFONTA*>(member));
            break;
        }
    }
    // A stored face name need not be terminated inside its 32 bytes; the
    // font functions would then read past the record.
    state->Font.lfFaceName[LF_FACESIZE - 1] = '\0';
    if (!HasShadowText())
        state->Smooth = 0;
    return state;
}

void SaveSettings(const LauncherState* state)
{
    const char* base = reinterpret_cast<const char*>(state);
    for (const SettingField& field : SettingsTable) {
        ResText path(field.KeyId);
        const void* member = base + field.Offset;
        switch (field.Type) {
        case SETTING_DWORD: {
            DWORD value;
            std::memcpy(&value, member, sizeof value);
            StoreWriteDword(field.Name, path.Text, value);
            break;
        }
        case SETTING_BYTE:
            StoreWriteBinary(field.Name, path.Text, member, 1);
            break;
        case SETTING_FONT:
            StoreWriteBinary(field.Name, path.Text, member, sizeof(LOGFONTA));
            break;
        }
    }
}

void SetDefaultFont(LOGFONTA* font)
{
    std::memset(font, 0, sizeof *font);
    font->lfHeight = 18;
    font->lfWeight = FW_SEMIBOLD;
    font->lfCharSet = SHIFTJIS_CHARSET;
    font->lfOutPrecision = OUT_TT_PRECIS;
    font->lfClipPrecision = CLIP_TT_ALWAYS;
    font->lfQuality = PROOF_QUALITY;
    font->lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    lstrcpynA(font->lfFaceName, ResString(IDS_DEFAULT_FACE), LF_FACESIZE);
}

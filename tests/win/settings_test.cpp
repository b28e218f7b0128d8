/*
 * The settings record: defaults, the save/load round trip, the documented
 * odd cases, and a registry full of random values, which must load without
 * a crash and give exactly what the store's rules promise.
 */
#include <windows.h>

#include <cstring>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "core/optional_apis.h"
#include "res/resource.h"
#include "scratch_registry.h"
#include "store/registry.h"
#include "store/res_string.h"
#include "store/settings.h"

namespace {

const char kWindow[] = "Software\\orrel\\Tav\\Window";
const char kKey[] = "Software\\orrel\\Tav\\Key";

// The default font as it is stored (a 60-byte LOGFONTA).
const char kDefaultFontHex[] =
    "1200000000000000000000000000000058020000000000800420021295578F8096BE92A9"
    "000000000000000000000000000000000000000000000000";

std::string Hex(const void* data, size_t size)
{
    std::string text;
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        char digits[3];
        wsprintfA(digits, "%02X", bytes[i]);
        text += digits;
    }
    return text;
}

DWORD FieldValue(const LauncherState& state, const SettingField& field)
{
    DWORD value = 0;
    const char* member = reinterpret_cast<const char*>(&state) + field.Offset;
    std::memcpy(&value, member, field.Type == SETTING_BYTE ? 1 : 4);
    return value;
}

const char* KeyOf(const SettingField& field)
{
    return field.KeyId == IDS_KEY_KEY ? kKey : kWindow;
}

class SettingsTest : public RegistryTest {
protected:
    void SetUp() override { LoadOptionalApis(); }
    void TearDown() override { FreeOptionalApis(); }
};

TEST_F(SettingsTest, AnEmptyRegistryLoadsTheDefaults)
{
    ASSERT_EQ(1, HasShadowText()) << "Wine offers DrawShadowText; Smooth keeps its default";
    LauncherState state;
    std::memset(&state, 0xCC, sizeof state);
    LoadSettings(&state);

    for (const SettingField& field : SettingsTable) {
        SCOPED_TRACE(field.Name);
        if (field.Type != SETTING_FONT) {
            EXPECT_EQ(field.Default, FieldValue(state, field));
        }
    }
    EXPECT_EQ(0x0000FF00u, state.MainColor);
    EXPECT_EQ(127, state.AlphaBlend);
    EXPECT_EQ(29, state.OpenHotKey);
    EXPECT_EQ(3, state.EdgeType);
    EXPECT_EQ(kDefaultFontHex, Hex(&state.Font, sizeof state.Font));

    // Everything after the settings is zeroed, not left over.
    EXPECT_EQ(0, state.LineCount);
    EXPECT_EQ('\0', state.Titles[36][32]);
    EXPECT_EQ(0, state.IsSubmenu[5]);
    EXPECT_EQ(nullptr, state.BackgroundCapture.MemDC);
    EXPECT_EQ(0, state.Dragging);
    EXPECT_EQ(0, state.LineHeight);
}

TEST_F(SettingsTest, TheTableListsEveryFieldOnceInRecordOrder)
{
    ASSERT_EQ(21, kSettingCount);
    for (int i = 1; i < kSettingCount; ++i)
        EXPECT_LT(SettingsTable[i - 1].Offset, SettingsTable[i].Offset) << SettingsTable[i].Name;
    EXPECT_STREQ("MainColor", SettingsTable[0].Name);
    EXPECT_STREQ("Smooth", SettingsTable[20].Name);
    EXPECT_EQ(offsetof(LauncherState, Smooth), SettingsTable[20].Offset);
}

TEST_F(SettingsTest, SaveWritesEveryFieldWithItsTypeAndSizeAndLoadReadsItBack)
{
    LauncherState saved;
    LoadSettings(&saved);
    // Give every field a value unlike its default.
    char* base = reinterpret_cast<char*>(&saved);
    for (const SettingField& field : SettingsTable) {
        if (field.Type == SETTING_DWORD) {
            DWORD value = field.Default ^ 0x5A5A5A01;
            std::memcpy(base + field.Offset, &value, 4);
        }
    }
    saved.AlphaBlend = 200;
    saved.ShadowOffset = -5;
    saved.Font.lfHeight = -24;
    lstrcpyA(saved.Font.lfFaceName, "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E");
    SaveSettings(&saved);

    for (const SettingField& field : SettingsTable) {
        SCOPED_TRACE(field.Name);
        DWORD type;
        std::string data;
        ASSERT_TRUE(GetRawValue(KeyOf(field), field.Name, &type, &data));
        switch (field.Type) {
        case SETTING_DWORD:
            EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
            EXPECT_EQ(4u, data.size());
            break;
        case SETTING_BYTE:
            EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
            EXPECT_EQ(std::string("\xC8", 1), data);
            break;
        case SETTING_FONT:
            EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
            EXPECT_EQ(60u, data.size());
            break;
        }
    }

    LauncherState loaded;
    LoadSettings(&loaded);
    EXPECT_EQ(0, std::memcmp(&saved, &loaded, offsetof(LauncherState, Titles)));
    EXPECT_EQ(-5, loaded.ShadowOffset);
}

TEST_F(SettingsTest, OddStoredValuesLoadAsDocumented)
{
    // An AlphaBlend stored as a DWORD does not fit its 1-byte read.
    StoreWriteDword("AlphaBlend", kWindow, 200);
    // A Font shorter than 60 bytes loads; the tail reads as zeros.
    StoreWriteBinary("Font", kWindow, "\x20\x00\x00\x00", 4);
    StoreWriteDword("ShadowOffset", kWindow, static_cast<DWORD>(-5));
    // The launcher key lives in its own key.
    StoreWriteDword("OpenHotKey", kKey, 'T');
    StoreWriteDword("OpenHotKey", kWindow, 'W');

    LauncherState state;
    LoadSettings(&state);
    EXPECT_EQ(127, state.AlphaBlend);
    EXPECT_EQ(32, state.Font.lfHeight);
    EXPECT_EQ(0, state.Font.lfWeight);
    EXPECT_STREQ("", state.Font.lfFaceName);
    EXPECT_EQ(-5, state.ShadowOffset);
    EXPECT_EQ('T', state.OpenHotKey);

    // A Font longer than 60 bytes is unreadable: the default font.
    StoreWriteBinary("Font", kWindow, std::string(61, 'F').data(), 61);
    LoadSettings(&state);
    EXPECT_EQ(kDefaultFontHex, Hex(&state.Font, sizeof state.Font));
}

TEST_F(SettingsTest, AFaceNameWithoutTerminatorIsCutInsideTheRecord)
{
    std::string font(60, 'F');
    StoreWriteBinary("Font", kWindow, font.data(), 60);
    LauncherState state;
    LoadSettings(&state);
    EXPECT_EQ(31u, std::strlen(state.Font.lfFaceName));
}

TEST_F(SettingsTest, SmoothIsOffWhereDrawShadowTextIsMissing)
{
    StoreWriteDword("Smooth", kWindow, 1);
    LauncherState state;
    LoadSettings(&state);
    EXPECT_EQ(1, state.Smooth);

    LoadOptionalApisFrom("msimg32.dll", "kernel32.dll");  // no DrawShadowText
    LoadSettings(&state);
    EXPECT_EQ(0, state.Smooth);
    // Saving then stores the forced 0.
    SaveSettings(&state);
    DWORD type;
    std::string data;
    ASSERT_TRUE(GetRawValue(kWindow, "Smooth", &type, &data));
    EXPECT_EQ(std::string(4, '\0'), data);
}

// What LoadSettings must give for a field, from what the registry holds
// (read back through the same ANSI interface the store uses).
void ExpectLoadedAsStored(const LauncherState& state, const SettingField& field, bool exists,
                          const std::string& data)
{
    SCOPED_TRACE(field.Name);
    const char* member = reinterpret_cast<const char*>(&state) + field.Offset;
    switch (field.Type) {
    case SETTING_DWORD: {
        DWORD expected = field.Default;
        if (exists && data.size() <= 4) {
            expected = 0;
            std::memcpy(&expected, data.data(), data.size());
        }
        if (field.Offset == offsetof(LauncherState, Smooth) && !HasShadowText())
            expected = 0;
        EXPECT_EQ(expected, FieldValue(state, field));
        break;
    }
    case SETTING_BYTE: {
        unsigned expected = exists && data.size() <= 1 ? (data.empty() ? 0 : static_cast<unsigned char>(data[0])) : 127;
        EXPECT_EQ(expected, static_cast<unsigned>(static_cast<unsigned char>(*member)));
        break;
    }
    case SETTING_FONT: {
        LOGFONTA expected;
        if (exists && data.size() <= sizeof expected) {
            std::memset(&expected, 0, sizeof expected);
            std::memcpy(&expected, data.data(), data.size());
            expected.lfFaceName[LF_FACESIZE - 1] = '\0';
        } else {
            SetDefaultFont(&expected);
        }
        EXPECT_EQ(Hex(&expected, sizeof expected), Hex(member, sizeof expected));
        break;
    }
    }
}

TEST_F(SettingsTest, RandomRegistryContentLoadsSafelyByTheStoreRules)
{
    std::mt19937 random(20261207);
    const DWORD types[] = {REG_DWORD, REG_BINARY, REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ,
                           REG_QWORD, REG_NONE, 0x7FFF};
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        ScratchRegistry scratch;
        for (const SettingField& field : SettingsTable) {
            if (random() % 5 == 0)
                continue;  // missing
            DWORD size = random() % 3 == 0 ? random() % 100 : random() % 6;
            if (field.Type == SETTING_FONT && random() % 2)
                size = 55 + random() % 10;
            std::string bytes(size, '\0');
            for (char& c : bytes)
                c = static_cast<char>(random());
            PutRawValue(KeyOf(field), field.Name, types[random() % 8], bytes.data(), size);
        }
        // Junk that no setting owns is simply not looked at.
        PutRawValue(kWindow, "", REG_SZ, "junk", 4);
        PutRawValue(kKey, "Nonsense", REG_BINARY, "\x01", 1);

        LauncherState state;
        LoadSettings(&state);
        for (const SettingField& field : SettingsTable) {
            DWORD type;
            std::string data;
            bool exists = GetRawValue(KeyOf(field), field.Name, &type, &data);
            ExpectLoadedAsStored(state, field, exists, data);
        }
        EXPECT_LT(std::strlen(state.Font.lfFaceName), static_cast<size_t>(LF_FACESIZE));
    }
}

TEST_F(SettingsTest, SetDefaultFontOverwritesAllSixtyBytes)
{
    LOGFONTA font;
    std::memset(&font, 0xAB, sizeof font);
    SetDefaultFont(&font);
    EXPECT_EQ(kDefaultFontHex, Hex(&font, sizeof font));
}

}  // namespace

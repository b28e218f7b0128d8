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

#include "base/optional_apis.h"
#include "res/resource.h"
#include "scratch_registry.h"
#include "store/portable/ini_line.h"
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

TEST_F(SettingsTest, AnEmptyRegistryLoadsTheDefaultsOfATableThatHoldsEveryFieldOnce)
{
    // Strictly rising offsets from MainColor to Smooth: no field is missed
    // by loading, saving or the defaults, and none is walked twice.
    ASSERT_EQ(21, kSettingCount);
    EXPECT_STREQ("MainColor", SettingsTable[0].Name);
    for (int i = 1; i < kSettingCount; ++i)
        EXPECT_LT(SettingsTable[i - 1].Offset, SettingsTable[i].Offset) << SettingsTable[i].Name;
    EXPECT_EQ(offsetof(LauncherState, Smooth), SettingsTable[20].Offset);

    ASSERT_EQ(1, HasShadowText()) << "Wine offers DrawShadowText; Smooth keeps its default";
    LauncherState state;
    std::memset(&state, 0xCC, sizeof state);
    LoadSettings(&state);
    // Every default written out here, in the table's order, rather than
    // read from the table's own default column (whose slips would pass).
    const struct {
        const char* name;
        DWORD value;  // the stored font: kDefaultFontHex
    } defaults[kSettingCount] = {
        {"MainColor", 0x0000FF00},       // green
        {"GradColor", 0x000080FF},       // orange
        {"AlphaBlend", 127},
        {"UseGrad", 1},
        {"VGrad", 0},
        {"UseAlphaBlend", 1},
        {"TextColor", 0x00FFFFFF},       // white
        {"ShadowColor", 0x00000000},     // black
        {"SelectTxtColor", 0x000000FF},  // red
        {"SelectShadowColor", 0x00000000},
        {"ShadowOffset", 1},
        {"ShowAllKey", 1},
        {"SaveCursor", 0},
        {"Foreground", 1},
        {"Font", 0},
        {"EdgeType", 3},                 // raised line
        {"PosType", 0},                  // free
        {"OpenHotKey", 29},              // 無変換
        {"OpenHotKeyEx", 0},
        {"CheckIME", 1},
        {"Smooth", 1},
    };
    for (int i = 0; i < kSettingCount; ++i) {
        const SettingField& field = SettingsTable[i];
        ASSERT_STREQ(defaults[i].name, field.Name);
        if (field.Type == SETTING_FONT)
            EXPECT_EQ(kDefaultFontHex, HexEncode(&state.Font, sizeof state.Font));
        else
            EXPECT_EQ(defaults[i].value, FieldValue(state, field)) << field.Name;
    }
    const std::string rest(reinterpret_cast<const char*>(&state.Titles), sizeof state - offsetof(LauncherState, Titles));
    EXPECT_EQ(std::string::npos, rest.find_first_not_of('\0')) << "everything after the settings is zeroed";

    // The default font sets all 60 bytes, whatever they held.
    std::memset(&state.Font, 0xAB, sizeof state.Font);
    SetDefaultFont(&state.Font);
    EXPECT_EQ(kDefaultFontHex, HexEncode(&state.Font, sizeof state.Font));
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
        DWORD type;
        std::string data;
        ASSERT_TRUE(GetRawValue(KeyOf(field), field.Name, &type, &data)) << field.Name;
        EXPECT_EQ(field.Type == SETTING_DWORD ? REG_DWORD : REG_BINARY, static_cast<int>(type)) << field.Name;
        EXPECT_EQ(field.Type == SETTING_DWORD ? 4u : field.Type == SETTING_BYTE ? 1u : 60u, data.size()) << field.Name;
    }

    LauncherState loaded;
    LoadSettings(&loaded);
    EXPECT_EQ(0, std::memcmp(&saved, &loaded, offsetof(LauncherState, Titles)));
}

TEST_F(SettingsTest, OddStoredValuesLoadAsDocumented)
{
    StoreWriteDword("AlphaBlend", kWindow, 200);  // a DWORD does not fit its 1-byte read
    StoreWriteBinary("Font", kWindow, "\x20\x00\x00\x00", 4);  // a short Font: the tail reads as zeros
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

    // A face name without a terminator is cut inside the record.
    StoreWriteBinary("Font", kWindow, std::string(60, 'F').data(), 60);
    LoadSettings(&state);
    EXPECT_EQ(31u, strnlen(state.Font.lfFaceName, LF_FACESIZE));
    // A Font longer than 60 bytes is unreadable: the default font.
    StoreWriteBinary("Font", kWindow, std::string(61, 'F').data(), 61);
    LoadSettings(&state);
    EXPECT_EQ(kDefaultFontHex, HexEncode(&state.Font, sizeof state.Font));
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
    EXPECT_TRUE(GetRawValue(kWindow, "Smooth", &type, &data));
    EXPECT_EQ(std::string(4, '\0'), data);
}

// What LoadSettings must give for a field, from what the registry holds
// (read back through the same ANSI interface the store uses).
void ExpectLoadedAsStored(const LauncherState& state, const SettingField& field, bool exists,
                          const std::string& data)
{
    if (field.Type == SETTING_FONT) {
        LOGFONTA expected;
        if (exists && data.size() <= sizeof expected) {
            std::memset(&expected, 0, sizeof expected);
            std::memcpy(&expected, data.data(), data.size());
            expected.lfFaceName[LF_FACESIZE - 1] = '\0';
        } else {
            SetDefaultFont(&expected);
        }
        EXPECT_EQ(HexEncode(&expected, sizeof expected), HexEncode(&state.Font, sizeof expected));
        return;
    }
    DWORD expected = field.Default;
    if (exists && data.size() <= (field.Type == SETTING_BYTE ? 1u : 4u)) {
        expected = 0;
        std::memcpy(&expected, data.data(), data.size());
    }
    if (field.Offset == offsetof(LauncherState, Smooth) && !HasShadowText())
        expected = 0;
    EXPECT_EQ(expected, FieldValue(state, field)) << field.Name;
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
    }
}

}  // namespace

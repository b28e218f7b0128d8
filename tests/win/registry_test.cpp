/*
 * The registry store against the real (redirected) registry: what each read
 * gives for missing, short, long and odd values, and exactly what each write
 * leaves stored, since data written by earlier installations must read back
 * unchanged.
 */
#include <windows.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "scratch_registry.h"
#include "store/registry.h"

namespace {

const char kWindow[] = "Software\\orrel\\Tav\\Window";

using StoreTest = RegistryTest;

std::string Stored(const char* name)
{
    return StoredValue(kWindow, name);
}

// Strings go through a key opened once, as the entry tree reads and writes
// them; a key that cannot be opened reads as missing.
std::string ReadString(const char* name, DWORD capacity, const char* defaultText)
{
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    StoreReadStringFrom(StoreOpenKey(kWindow, KEY_READ).get(), name, buffer, capacity, defaultText);
    EXPECT_EQ('x', buffer[capacity]) << "only capacity bytes are touched";
    return std::string(buffer, strnlen(buffer, capacity));
}

void WriteString(const char* name, const char* text)
{
    EXPECT_EQ(1, StoreWriteStringTo(StoreCreateKey(kWindow).get(), name, text)) << name;
}

TEST_F(StoreTest, ReadsFromAMissingKeyGiveTheDefaultsAndCreateNothing)
{
    DWORD number = 0x12345678;
    StoreReadDword("MainColor", kWindow, &number, 0xABCDEF);
    EXPECT_EQ(0xABCDEFu, number);
    EXPECT_EQ("dflt", ReadString("TitleA", 8, "dflt"));
    unsigned char bytes[4] = {1, 2, 3, 4};
    EXPECT_EQ(0, StoreReadBinary("Font", kWindow, bytes, 4));
    EXPECT_EQ(0, bytes[0] | bytes[1] | bytes[2] | bytes[3]);
    EXPECT_FALSE(KeyExists(kWindow));
}

TEST_F(StoreTest, WritesCreateTheKeyWithItsParentsAndStoreExactTypesAndLengths)
{
    StoreWriteDword("ShadowOffset", kWindow, static_cast<DWORD>(-5));
    WriteString("TitleA", "Editor");
    WriteString("FolderA", "");
    StoreWriteBinary("Blob", kWindow, "\x7F\x00\xFF", 3);
    EXPECT_EQ(Typed(REG_DWORD, "\xFB\xFF\xFF\xFF"), Stored("ShadowOffset"));
    EXPECT_EQ(Typed(REG_SZ, "Editor"), Stored("TitleA"));
    EXPECT_EQ(Typed(REG_SZ, ""), Stored("FolderA")) << "\"\" is a zero-length REG_SZ";
    EXPECT_EQ(Typed(REG_BINARY, std::string("\x7F\x00\xFF", 3)), Stored("Blob"));
}

TEST_F(StoreTest, DwordReadsHonourTheStoredLengthNotTheType)
{
    const struct {
        DWORD Type;
        std::string Bytes;
        DWORD Read;
    } cases[] = {
        {REG_DWORD, "\xEF\xBE\xAD\xDE", 0xDEADBEEF},
        {REG_BINARY, "\x01\x02\x03\x04", 0x04030201},
        {REG_BINARY, "\x11\x22", 0xAABB2211},  // only the low-order bytes change
        {REG_DWORD, "", 0xAABBCCDD},
        {REG_BINARY, "\x01\x02\x03\x04\x05", 7},  // more than 4 bytes do not fit: the default
    };
    for (const auto& c : cases) {
        PutRawValue(kWindow, "Left", c.Type, c.Bytes.data(), static_cast<DWORD>(c.Bytes.size()));
        DWORD value = 0xAABBCCDD;
        StoreReadDword("Left", kWindow, &value, 7);
        EXPECT_EQ(c.Read, value) << c.Bytes.size() << " bytes";
    }
    int signedValue = 0;
    StoreWriteDword("Top", kWindow, static_cast<DWORD>(-999));
    StoreReadDword("Top", kWindow, &signedValue, 0);
    EXPECT_EQ(-999, signedValue);
}

TEST_F(StoreTest, StringReadsNeverTruncate)
{
    WriteString("Empty", "");
    EXPECT_EQ("", ReadString("Empty", 32, "dflt")) << "a stored \"\" is not a missing value";

    // 32 bytes fill a capacity of 32 with no terminator inside it, which is
    // why titles are read with capacity 32 into 33-byte fields; so do 32
    // bytes that the system stored with a terminator.
    const std::string exact(32, 'T');
    WriteString("Exact", exact.c_str());
    EXPECT_EQ(exact, ReadString("Exact", 32, "dflt"));
    PutRawValue(kWindow, "ExactZ", REG_SZ, (exact + '\0').c_str(), 33);
    EXPECT_EQ(exact, ReadString("ExactZ", 32, "dflt"));

    // 33 bytes do not fit: the default, not the first 32.
    WriteString("Long", (exact + "L").c_str());
    EXPECT_EQ("dflt", ReadString("Long", 32, "dflt"));
    EXPECT_EQ("", ReadString("Long", 32, ""));
    EXPECT_EQ("def", ReadString("Missing", 4, "default")) << "a default is cut, with a terminator";

    // "メモ帳ｴﾃﾞｨﾀ表" in code page 932: double-byte and half-width katakana,
    // and a 0x5C trail byte that must not be taken for a backslash.
    const char japanese[] = "\x83\x81\x83\x82\x92\xA0\xB4\xC3\xDE\xA8\xC0\x95\\";
    WriteString("TitleJ", japanese);
    EXPECT_EQ(japanese, ReadString("TitleJ", 32, ""));
    EXPECT_EQ(Typed(REG_SZ, japanese), Stored("TitleJ"));
}

TEST_F(StoreTest, BinaryReadsReportWhetherTheValueFit)
{
    unsigned char buffer[6];
    StoreWriteBinary("Four", kWindow, "\x01\x02\x03\x04", 4);
    std::memset(buffer, 0xEE, sizeof buffer);
    EXPECT_EQ(1, StoreReadBinary("Four", kWindow, buffer, 6));
    EXPECT_EQ(0, std::memcmp(buffer, "\x01\x02\x03\x04\x00\x00", 6)) << "the tail reads as zeros";

    std::memset(buffer, 0xEE, sizeof buffer);
    EXPECT_EQ(0, StoreReadBinary("Four", kWindow, buffer, 3));
    EXPECT_EQ(0, std::memcmp(buffer, "\x00\x00\x00\xEE", 4)) << "too long: zero-filled, nothing else";
}

TEST_F(StoreTest, AnOpenKeyReadsDwordsLikeThePlainOperations)
{
    StoreWriteDword("Width", kWindow, 321);
    tav::UniqueHKey key = StoreOpenKey(kWindow, KEY_READ);
    ASSERT_TRUE(key);
    DWORD number = 0;
    EXPECT_EQ(1, StoreReadDwordFrom(key.get(), "Width", &number, 7));
    EXPECT_EQ(321u, number);
    EXPECT_EQ(0, StoreReadDwordFrom(key.get(), "TextHeight", &number, 7));
    EXPECT_EQ(7u, number);
    EXPECT_EQ(0, StoreReadDwordFrom(nullptr, "Width", &number, 9));
    EXPECT_EQ(9u, number);
    EXPECT_FALSE(StoreOpenKey("Software\\orrel\\Tav\\Nowhere", KEY_READ));
}

TEST(ScratchRegistryTest, RedirectionKeepsTheOuterRootUntouched)
{
    // Whatever a nested scratch root receives is gone when it closes.
    {
        ScratchRegistry inner;
        StoreWriteDword("Width", kWindow, 1);
    }
    EXPECT_FALSE(KeyExists(kWindow));
}

}  // namespace

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

class StoreTest : public RegistryTest {};

// The text of a stored REG_SZ.  The store writes the bytes without a
// terminator; the system itself may append one (Windows NT and Wine do when
// the text is followed by a zero), which is not part of the text.
std::string StoredText(const std::string& data)
{
    if (!data.empty() && data.back() == '\0')
        return data.substr(0, data.size() - 1);
    return data;
}

TEST_F(StoreTest, ReadsFromAMissingKeyGiveTheDefaults)
{
    ASSERT_FALSE(KeyExists(kWindow));
    DWORD number = 0x12345678;
    StoreReadDword("MainColor", kWindow, &number, 0xABCDEF);
    EXPECT_EQ(0xABCDEFu, number);

    char text[16];
    std::memset(text, 'x', sizeof text);
    StoreReadString("TitleA", kWindow, text, 8, "dflt");
    EXPECT_STREQ("dflt", text);
    EXPECT_EQ('x', text[8]) << "only capacity bytes are touched";

    unsigned char bytes[4] = {1, 2, 3, 4};
    EXPECT_EQ(0, StoreReadBinary("Font", kWindow, bytes, 4));
    EXPECT_EQ(0, bytes[0] | bytes[1] | bytes[2] | bytes[3]);
    EXPECT_FALSE(KeyExists(kWindow)) << "reads create nothing";
}

TEST_F(StoreTest, WritesCreateTheKeyWithItsParentsAndStoreExactTypesAndLengths)
{
    StoreWriteDword("ShadowOffset", kWindow, static_cast<DWORD>(-5));
    StoreWriteString("TitleA", kWindow, "Editor");
    StoreWriteString("FolderA", kWindow, "");
    const unsigned char three[3] = {0x7F, 0x00, 0xFF};
    StoreWriteBinary("Blob", kWindow, three, 3);

    DWORD type;
    std::string data;
    ASSERT_TRUE(GetRawValue(kWindow, "ShadowOffset", &type, &data));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(std::string("\xFB\xFF\xFF\xFF", 4), data);
    ASSERT_TRUE(GetRawValue(kWindow, "TitleA", &type, &data));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ("Editor", StoredText(data));
    ASSERT_TRUE(GetRawValue(kWindow, "FolderA", &type, &data));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(0u, data.size()) << "\"\" is a zero-length REG_SZ";
    ASSERT_TRUE(GetRawValue(kWindow, "Blob", &type, &data));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(std::string("\x7F\x00\xFF", 3), data);
}

TEST_F(StoreTest, DwordReadsHonourTheStoredLength)
{
    DWORD value = 0;
    StoreWriteDword("Left", kWindow, 0xDEADBEEF);
    StoreReadDword("Left", kWindow, &value, 7);
    EXPECT_EQ(0xDEADBEEFu, value);

    // The type is ignored: four bytes of REG_BINARY read as a number.
    PutRawValue(kWindow, "Bin4", REG_BINARY, "\x01\x02\x03\x04", 4);
    StoreReadDword("Bin4", kWindow, &value, 7);
    EXPECT_EQ(0x04030201u, value);

    // Fewer than 4 bytes replace only the low-order bytes.
    value = 0xAABBCCDD;
    PutRawValue(kWindow, "Short", REG_BINARY, "\x11\x22", 2);
    StoreReadDword("Short", kWindow, &value, 7);
    EXPECT_EQ(0xAABB2211u, value);

    value = 0xAABBCCDD;
    PutRawValue(kWindow, "Empty", REG_DWORD, "", 0);
    StoreReadDword("Empty", kWindow, &value, 7);
    EXPECT_EQ(0xAABBCCDDu, value);

    // More than 4 bytes do not fit: the default.
    PutRawValue(kWindow, "Long", REG_BINARY, "\x01\x02\x03\x04\x05", 5);
    StoreReadDword("Long", kWindow, &value, 7);
    EXPECT_EQ(7u, value);

    int signedValue = 0;
    StoreWriteDword("Top", kWindow, static_cast<DWORD>(-999));
    StoreReadDword("Top", kWindow, &signedValue, 0);
    EXPECT_EQ(-999, signedValue);
}

TEST_F(StoreTest, StringReadsNeverTruncate)
{
    char buffer[33];

    StoreWriteString("Empty", kWindow, "");
    std::memset(buffer, 'x', sizeof buffer);
    StoreReadString("Empty", kWindow, buffer, 32, "dflt");
    EXPECT_STREQ("", buffer) << "a stored \"\" is not a missing value";

    // 32 bytes fill a capacity of 32 with no terminator inside it, which is
    // why titles are read with capacity 32 into 33-byte fields.
    const std::string exact(32, 'T');
    StoreWriteString("Exact", kWindow, exact.c_str());
    std::memset(buffer, 0, sizeof buffer);
    StoreReadString("Exact", kWindow, buffer, 32, "dflt");
    EXPECT_EQ(exact, std::string(buffer));

    // Even when the system stored a terminator after the 32 bytes.
    PutRawValue(kWindow, "ExactZ", REG_SZ, (exact + '\0').c_str(), 33);
    StoreReadString("ExactZ", kWindow, buffer, 32, "dflt");
    EXPECT_EQ(exact, std::string(buffer));

    // 33 bytes do not fit: the default, not the first 32.
    StoreWriteString("Long", kWindow, std::string(33, 'L').c_str());
    StoreReadString("Long", kWindow, buffer, 32, "dflt");
    EXPECT_STREQ("dflt", buffer);
    StoreReadString("Long", kWindow, buffer, 32, "");
    EXPECT_STREQ("", buffer);

    // A default longer than the capacity is cut, with a terminator.
    char small[4];
    StoreReadString("Missing", kWindow, small, sizeof small, "default");
    EXPECT_STREQ("def", small);
}

TEST_F(StoreTest, JapaneseTextSurvivesAWriteAndARead)
{
    // "メモ帳ｴﾃﾞｨﾀ" in code page 932: double-byte and half-width katakana,
    // and a 0x5C trail byte ("表") that must not be taken for a backslash.
    const char text[] = "\x83\x81\x83\x82\x92\xA0\xB4\xC3\xDE\xA8\xC0\x95\\";
    StoreWriteString("TitleJ", kWindow, text);
    char buffer[33];
    StoreReadString("TitleJ", kWindow, buffer, 32, "");
    EXPECT_STREQ(text, buffer);
    DWORD type;
    std::string data;
    ASSERT_TRUE(GetRawValue(kWindow, "TitleJ", &type, &data));
    EXPECT_EQ(std::string(text), StoredText(data));
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

TEST_F(StoreTest, DeleteRemovesOneValueAndIgnoresWhatIsNotThere)
{
    StoreWriteString("TitleA", kWindow, "A");
    StoreWriteString("TitleB", kWindow, "B");
    StoreDeleteValue(kWindow, "TitleA");
    StoreDeleteValue(kWindow, "TitleA");
    StoreDeleteValue("Software\\orrel\\Tav\\Nowhere", "TitleA");
    DWORD type;
    std::string data;
    EXPECT_FALSE(GetRawValue(kWindow, "TitleA", &type, &data));
    EXPECT_TRUE(GetRawValue(kWindow, "TitleB", &type, &data));
    EXPECT_FALSE(KeyExists("Software\\orrel\\Tav\\Nowhere"));
}

TEST_F(StoreTest, AnOpenKeyReadsLikeThePlainOperations)
{
    StoreWriteString("TitleA", kWindow, "Editor");
    tav::UniqueHKey key = StoreOpenKey(kWindow, KEY_READ);
    ASSERT_TRUE(key);
    char buffer[33];
    StoreReadStringFrom(key.get(), "TitleA", buffer, 32, "dflt");
    EXPECT_STREQ("Editor", buffer);
    StoreReadStringFrom(key.get(), "TitleZ", buffer, 32, "dflt");
    EXPECT_STREQ("dflt", buffer);
    StoreReadStringFrom(nullptr, "TitleA", buffer, 32, "none");
    EXPECT_STREQ("none", buffer);

    StoreWriteDword("Width", kWindow, 321);
    key = StoreOpenKey(kWindow, KEY_READ);
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
        StoreWriteString("TitleA", kWindow, "inner");
    }
    EXPECT_FALSE(KeyExists(kWindow));
}

}  // namespace

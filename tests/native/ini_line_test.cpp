/*
 * Settings-file lines and value codings: what an import makes of each line,
 * including short, unterminated and odd lines, which must never be read
 * beyond (the buffers here are exactly as long as their content, so the
 * address sanitizer sees every stray byte).
 */
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bytes.h"

#include "store/portable/ini_line.h"

namespace {

// A heap buffer of exactly the given bytes.
std::vector<char> Buffer(const std::string& bytes)
{
    return std::vector<char>(bytes.begin(), bytes.end());
}

// Records what an import writes, one text per value; a write of a name
// that begins with "Refused" fails, as a registry write may.
class RecordingSink : public IniValueSink {
public:
    std::vector<std::string> writes;

    bool WriteString(const char* name, const char* text) override { return Add("S", name, text); }
    bool WriteBinary(const char* name, const unsigned char* bytes, std::size_t count) override
    {
        return Add("B", name, HexEncode(bytes, count));
    }
    bool WriteDword(const char* name, std::uint32_t value) override { return Add("D", name, std::to_string(value)); }

private:
    bool Add(const char* type, const char* name, const std::string& value)
    {
        writes.push_back(std::string(type) + " " + name + " [" + value + "]");
        return std::strncmp(name, "Refused", 7) != 0;
    }
};

TEST(ParseIniLine, SplitsAtTheFirstEqualsSignFromTheThirdCharacterAndReadsNoFurtherThanTheLine)
{
    std::vector<char> buffer = Buffer(Bytes("S=a=b\0D: name = -3 \0"));
    char* end = buffer.data() + buffer.size();
    IniLine first = ParseIniLine(buffer.data(), end);
    EXPECT_EQ(INI_STRING, first.Type);
    EXPECT_STREQ("a", first.Name) << "the second character is skipped unexamined";
    EXPECT_STREQ("b", first.Value);
    IniLine second = ParseIniLine(first.Next, end);
    EXPECT_EQ(INI_DWORD, second.Type);
    EXPECT_STREQ(" name ", second.Name) << "blanks are kept";
    EXPECT_STREQ(" -3 ", second.Value);
    EXPECT_EQ(INI_END, ParseIniLine(second.Next, end).Type) << "the buffer's end";

    // Each buffer is the whole allocation: a read past the line is a sanitizer error.
    for (const std::string& line :
         {Bytes("S"), Bytes("S\0"), Bytes("S:\0"), Bytes("\0"), Bytes("=\0"), Bytes("S:Title\0"), Bytes("S:A=1")}) {
        std::vector<char> exact = Buffer(line);
        EXPECT_EQ(INI_END, ParseIniLine(exact.data(), exact.data() + exact.size()).Type)
            << "line of " << line.size() << " bytes";
    }
    std::vector<char> minimal = Buffer(Bytes("S:=\0"));
    IniLine parsed = ParseIniLine(minimal.data(), minimal.data() + minimal.size());
    EXPECT_EQ(INI_STRING, parsed.Type);
    EXPECT_STREQ("", parsed.Name);
    EXPECT_STREQ("", parsed.Value);
}

TEST(HexCoding, EncodesUpperCaseDecodesEitherCaseInPlaceAndOddTextAsTheFileFormatSays)
{
    const unsigned char bytes[] = {0x00, 0x7F, 0xAB, 0xFF, 0x12};
    EXPECT_EQ("007FABFF12", HexEncode(bytes, sizeof bytes));
    EXPECT_EQ("", HexEncode(bytes, 0));
    std::string all;
    for (int c = 0; c < 256; ++c)
        all.push_back(static_cast<char>(c));
    std::string text = HexEncode(all.data(), all.size());
    std::string lower = text;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::string* hex : {&text, &lower}) {
        ASSERT_EQ(256u, HexDecode(&(*hex)[0]));
        EXPECT_EQ(0, std::memcmp(all.data(), hex->data(), 256));
    }

    char odd[] = "123";
    EXPECT_EQ(1u, HexDecode(odd));
    EXPECT_EQ(0x12, static_cast<unsigned char>(odd[0]));
    EXPECT_EQ(0x30, static_cast<unsigned char>(odd[1])) << "the last digit half-fills byte 1";
    char one[] = "7";
    EXPECT_EQ(0u, HexDecode(one));
    // A foreign character counts with its own code, kept to 8 bits.
    char foreign[] = "G0zz";
    EXPECT_EQ(2u, HexDecode(foreign));
    EXPECT_EQ(0x70, static_cast<unsigned char>(foreign[0]));  // 'G' 0x47 << 4
    EXPECT_EQ(0xFA, static_cast<unsigned char>(foreign[1]));  // 'z' 0x7A << 4 | 0x7A
}

TEST(ParseIniDword, ReadsSignedDecimalAsRegistryBits)
{
    const struct {
        const char* Text;
        std::uint32_t Bits;
    } cases[] = {
        {"-3", 0xFFFFFFFDu}, {" \t\r\n+42abc", 42}, {"", 0}, {"abc", 0}, {"-", 0},
        {"- 5", 0},  // no blank after the sign
        {"-2147483648", 0x80000000u}, {"4294967295", 0xFFFFFFFFu},
        {"99999999999", 0x4876E7FFu},  // wraps modulo 2^32
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Bits, ParseIniDword(c.Text)) << c.Text;
}

TEST(ImportSectionLines, WritesEachLineByItsTypeUntilTheFirstLineWithoutEqualsAndReportsFailedWrites)
{
    const struct {
        std::string Section;
        int Result;
        std::vector<std::string> Writes;
    } cases[] = {
        {Bytes("B:AlphaBlend=7f\0B:Odd=7\0S:ExecA=\0D:ShadowOffset=-3\0X:Name=1\0S:TitleA=\x95\x57\0\0"), 1,
         {"B AlphaBlend [7F]", "B Odd []", "S ExecA []", "D ShadowOffset [4294967293]", "S TitleA [\x95\x57]"}},
        {Bytes("D:A=1\0garbage\0D:B=2\0\0"), 1, {"D A [1]"}},
        {Bytes("garbage\0D:B=2\0\0"), 0, {}},
        {Bytes("\0"), 0, {}},
        {Bytes("X:Name=1\0\0"), 1, {}},  // a line of an unknown type still counts as read
        // A failed write fails the section; the lines after it are still written.
        {Bytes("D:Refused=1\0D:B=2\0\0"), 0, {"D Refused [1]", "D B [2]"}},
    };
    for (const auto& c : cases) {
        std::vector<char> buffer = Buffer(c.Section);
        RecordingSink sink;
        EXPECT_EQ(c.Result, ImportSectionLines(buffer.data(), buffer.size(), &sink)) << c.Section;
        EXPECT_EQ(c.Writes, sink.writes);
    }
}

}  // namespace

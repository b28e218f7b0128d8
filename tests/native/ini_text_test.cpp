/*
 * Settings-file text: which lines a section read gives, and what a merge
 * changes in a file (only the lines of its own section) and leaves alone
 * (everything else, byte for byte).
 */
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bytes.h"
#include "code_page_932.h"

#include "store/portable/ini_text.h"

namespace {

// The section's lines, joined with "|" for readable expectations.
std::string Section(const std::string& text, const char* name)
{
    std::string lines = ReadIniSection(text.data(), text.size(), name, CodePage932());
    EXPECT_FALSE(lines.empty());
    EXPECT_EQ('\0', lines.back()) << "ends with an empty line";
    std::string joined;
    for (std::size_t start = 0; start + 1 < lines.size();) {
        std::size_t stop = lines.find('\0', start);
        joined += (joined.empty() ? "" : "|") + lines.substr(start, stop - start);
        start = stop + 1;
    }
    return joined;
}

std::string Merge(const std::string& text, const char* section, std::vector<IniEntry> entries)
{
    return MergeIniSection(text, section, entries, CodePage932());
}

TEST(ReadIniSection, ReadsTheFirstSectionOfTheNameAsTheProfileFunctionsDo)
{
    const std::string text = Bytes(
        "; settings\r\n"
        "[Other]\r\nS:TitleA=elsewhere\r\n"
        "  [ window ]   ; any case, blanks, any text after the bracket\n"
        "D:MainColor = 65280\r\n"
        "\r\n"
        "   \t\x1A\r\n"
        "; a comment\r\n"
        "  ;D:MainColor=1\r\n"
        "=no key\r\n"
        "\tS:TitleA=\v spaced value \f\r\n"
        "S:Cut=before\0after\r\n"
        "S:Name\0cut=value\r"
        "no equals\r\r\n"
        "[Window\r\n"
        "[Launch]\r\nS:TitleA=x\r\n"
        "[WINDOW]\r\nD:Second=1\r\n");
    EXPECT_EQ("D:MainColor=65280|=no key|S:TitleA=spaced value|S:Cut=before|S:Name=value|no equals|[Window",
              Section(text, "Window"));
    EXPECT_EQ("S:TitleA=x", Section(text, "Launch"));
    EXPECT_EQ("", Section(text, "Key"));
    EXPECT_EQ("D:X=1", Section("[Key]\nD:X=1", "Key")) << "a last line without a line end";
    EXPECT_EQ("D:X=1|D:Y=2", Section("[Key]\rD:X=1\r\r\nD:Y=2\r", "Key")) << "lone and doubled returns";
    EXPECT_EQ("", Section("", "Key"));
}

TEST(IniText, DoubleByteCharactersAreNeverTakenApartAtTheirSecondBytes)
{
    // 0x83 0x5D is one character whose second byte is "]": no header here.
    EXPECT_EQ(Bytes("[\x83\x5D|D:X=1"), Section(Bytes("[Key]\r\n[\x83\x5D\r\nD:X=1\r\n"), "Key"));

    // "ア" is 0x83 0x41 and "ヂ" is 0x83 0x61: ASCII case folding of the
    // second byte would make them one key.
    const std::string a = Bytes("S:Title\x83\x41"), di = Bytes("S:Title\x83\x61");
    EXPECT_EQ(a + "=1|" + di + "=2", Section(Merge(Merge("", "Launch", {{a, "1"}}), "Launch", {{di, "2"}}), "Launch"));
}

TEST(MergeIniSection, WritesANewSectionAtTheEndWithCrLfLines)
{
    std::string text = Merge("", "Window", {{"D:MainColor", "65280"}, {"B:AlphaBlend", "7F"}});
    text = Merge(text, "Launch", {{"S:TitleA", "Editor"}, {"S:ExecA", ""}});
    EXPECT_EQ("[Window]\r\nD:MainColor=65280\r\nB:AlphaBlend=7F\r\n"
              "[Launch]\r\nS:TitleA=Editor\r\nS:ExecA=\r\n",
              text);
    EXPECT_EQ("[Key]\r\nD:X=1\r\n[Window]\r\nD:Y=2\r\n", Merge("[Key]\r\nD:X=1", "Window", {{"D:Y", "2"}}));
    EXPECT_EQ("D:X=1\r[Window]\r\nD:Y=2\r\n", Merge("D:X=1\r", "Window", {{"D:Y", "2"}}))
        << "a lone return ends a line";
    EXPECT_EQ("[Key]\r\n", Merge("[Key]\r\n", "Window", {})) << "no lines, no section";
}

TEST(MergeIniSection, ReplacesMatchingLinesInPlaceAndAppendsTheRestAfterTheSectionsLastLine)
{
    const std::string text =
        "; kept\n"
        "[Window]\n"
        "d:maincolor=1\n"
        "; comment kept\n"
        "  S:TitleA = old  \n"
        "S:TitleA=old\r"
        "S:Flag\n"
        "Stray line\n"
        "D:MAINCOLOR=2\r\n"
        "\n"
        "[Key]\n"
        "D:MainColor=keep\n";
    // Each line keeps its text up to the value and its own line end.
    EXPECT_EQ("; kept\n"
              "[Window]\n"
              "d:maincolor=3\n"
              "; comment kept\n"
              "  S:TitleA = new\n"
              "S:TitleA=new\r"
              "S:Flag=on\n"
              "Stray line\n"
              "D:MAINCOLOR=3\r\n"
              "S:ExecA=\r\n"
              "\n"
              "[Key]\n"
              "D:MainColor=keep\n",
              Merge(text, "window", {{"D:MainColor", "2"}, {"S:TitleA", "new"}, {"S:ExecA", ""},
                                     {"D:MainColor", "3"}, {"S:Flag", "on"}}));
}

TEST(MergeIniSection, MergedTextReadsBackTheEntriesAndMergingAgainChangesNothing)
{
    const std::vector<IniEntry> entries = {
        {"S:Title1", "  blanks at the ends are not part of a value  "},
        {"S:TitleS", Bytes("\x95\x57\x8F\x80\x96\xBE\x92\xA9")},  // Japanese text
        {Bytes("S:Title\x95\x5C"), Bytes("C:\\\x95\x5C\\\x83\x5C.exe")},  // second bytes 0x5C
        {"D:Left", "-3"}};
    std::string once = Merge("[Launch]\nS:Title1 = old", "Launch", entries);
    EXPECT_EQ("S:Title1=blanks at the ends are not part of a value|"
                  + Bytes("S:TitleS=\x95\x57\x8F\x80\x96\xBE\x92\xA9|S:Title\x95\x5C=C:\\\x95\x5C\\\x83\x5C.exe")
                  + "|D:Left=-3",
              Section(once, "Launch"));
    EXPECT_EQ(once, Merge(once, "Launch", entries));
}

TEST(IsWritableIniEntry, RefusesWhatWouldNotReadBackAsOneLine)
{
    EXPECT_TRUE(IsWritableIniEntry({"S:TitleA", " any text with = signs "}));
    EXPECT_TRUE(IsWritableIniEntry({"S:", ""})) << "the default value has an empty name";
    const std::vector<IniEntry> refused = {
        {"", "x"}, {"S:a=b", "x"}, {"S:a\nb", "x"}, {"S:a\rb", "x"}, {"S:a ", "x"}, {"S:a\t", "x"},
        {"S:a", "x\ny"}, {"S:a", "x\ry"}, {Bytes("S:a\0b"), "x"},
        {"S:a", Bytes("x\0y")}, {" S:a", "x"}, {"\tS:a", "x"}, {";S:a", "x"}, {"[S:a]", "x"},
    };
    for (const IniEntry& entry : refused)
        EXPECT_FALSE(IsWritableIniEntry(entry)) << entry.Key << "=" << entry.Value;
}

}  // namespace

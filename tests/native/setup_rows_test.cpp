/*
 * The setup window's arithmetic: the row under a point (margins, the title
 * line, the edges of the window); the title proposed for a dropped file,
 * walked character by character in code page 932.
 */
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "code_page_932.h"
#include "setup/portable/dropped_file.h"
#include "setup/portable/setup_rows.h"

namespace {

// A setup window at (100, 50) with 37 rows of pitch 20: 748 pixels high.
const LayoutRect kWindow = {100, 50, 300, 50 + 37 * 20 + 8};

TEST(SetupRows, RowUnderAPoint)
{
    const struct {
        int X, Y, Pitch;
        bool Top;
        int Row;
    } cases[] = {
        {150, 50, 20, false, 0},   // the margin above row 0 counts as row 0 ...
        {150, 50, 20, true, -1},   // ... which at the top level is the title line
        {150, 73, 20, false, 0},   {150, 74, 20, true, 1},   {299, 100, 20, true, 2},
        {150, 774, 20, true, 36},  {150, 793, 20, true, 36},
        {150, 794, 20, true, -1},  // the margin below row 36
        {99, 100, 20, true, -1},   {300, 100, 20, true, -1},  // left and right edges
        {150, 49, 20, false, -1},  {150, 798, 20, false, -1},  // top and bottom edges
        {150, 50, 3, false, -1},   // a pitch below the margin: -4 / 3 is row -1
        {150, 100, 0, false, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Row, SetupRowAt(kWindow, c.X, c.Y, c.Pitch, c.Top)) << c.X << ", " << c.Y;
}

TEST(DroppedFile, TitleFromPath)
{
    // "ソ" is 0x83 0x5C and "表" 0x95 0x5C: their trail bytes are "\".
    const struct {
        const char* Path;
        std::size_t Size;
        const char* Title;
    } cases[] = {
        {"C:\\Tools\\Editor.exe", 33, "Editor"},
        {"C:\\Tools\\README", 33, "README"},
        {"C:\\Tools\\a.b.exe", 33, "a.b"},
        {"C:\\Tools\\100%s.exe", 33, "100%s"},
        {"C:\\dir.v2\\run", 33, "run"},
        {"C:\\Tools\\my app.v2 beta", 33, "my app.v2 beta"},  // a space ends an extension
        {"Editor.exe", 33, "Editor"},
        {"C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.exe", 33, "\x95\x5C"},
        {"C:\\Tools\\\x83\x5C", 33, "\x83\x5C"},
        {"C:\\Tools\\abcdefghij.exe", 8, "abcdefg"},
        {"C:\\\x95\x5C\x95\x5C\x95\x5C.txt", 4, "\x95\x5C"},  // cut after a whole character
        {"C:\\Tools\\0123456789012345678901234567890123456789.exe", 260,
         "0123456789012345678901234567890123456789"},
    };
    for (const auto& c : cases) {
        char title[260];
        TitleFromPath(c.Path, title, c.Size, IsCp932LeadByte);
        EXPECT_EQ(std::string(c.Title), title) << c.Path;
    }
}

TEST(DroppedFile, ATitleCutToItsBytesEndsWithAWholeCharacter)
{
    const struct {
        const char* Text;
        const char* Kept;
    } cases[] = {
        {"abc\x95", "abc"},
        {"\x95\x5C\x95", "\x95\x5C"},
        {"\x95\x95", "\x95\x95"},  // a lead byte that is a trail byte here
        {"\x95\x5C", "\x95\x5C"},  {"abc", "abc"}, {"", ""},
    };
    for (const auto& c : cases) {
        char text[16];
        std::strcpy(text, c.Text);
        CutPartialCharacter(text, IsCp932LeadByte);
        EXPECT_EQ(std::string(c.Kept), text) << c.Text;
    }
}

}  // namespace

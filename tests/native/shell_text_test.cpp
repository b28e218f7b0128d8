/*
 * What the startup shortcut and the about box's links hand to the shell:
 * the shortcut's path and working folder, and a link field's target.
 */
#include <string>

#include <gtest/gtest.h>

#include "options/portable/shell_text.h"

namespace {

template <typename Make>
std::string Made(Make make, bool* fitted, std::size_t size = 260)
{
    std::string out(size, '\x55');
    *fitted = make(&out[0], size);
    return out.c_str();
}

TEST(ProgramFolder, CutsAtTheLastBackslashKeepingADrivesRoot)
{
    const struct {
        const char* Program;
        const char* Folder;
    } cases[] = {
        {"C:\\Tools\\Tav.exe", "C:\\Tools"},
        {"C:\\Program Files\\Tav\\Tav.exe", "C:\\Program Files\\Tav"},
        {"C:\\Tav.exe", "C:\\"},
        {"\\\\server\\share\\Tav.exe", "\\\\server\\share"},
        {"\\Tav.exe", "\\Tav.exe"},  // the first character does not count
        {"Tav.exe", "Tav.exe"},
        {"", ""},
        // 表 is 0x95 0x5C in code page 932: its trail byte is no backslash.
        {"C:\\Tools\\\x95\\.exe", "C:\\Tools"},
        {"C:\\\x83\\\\Tav.exe", "C:\\\x83\\"},  // ソ as a folder name
    };
    for (const auto& c : cases) {
        bool fitted = false;
        EXPECT_EQ(c.Folder, Made([&](char* out, std::size_t n) { return ProgramFolder(c.Program, out, n); },
                                 &fitted))
            << c.Program;
        EXPECT_TRUE(fitted);
    }
    bool fitted = true;
    EXPECT_EQ("", Made([](char* out, std::size_t n) { return ProgramFolder("C:\\Tools\\Tav.exe", out, n); },
                       &fitted, 16));
    EXPECT_FALSE(fitted);
}

TEST(JoinFolderAndName, JoinsWithABackslashOrNotAtAll)
{
    bool fitted = false;
    EXPECT_EQ("C:\\Startup\\Tav.lnk",
              Made([](char* out, std::size_t n) { return JoinFolderAndName("C:\\Startup", "Tav.lnk", out, n); },
                   &fitted));
    EXPECT_TRUE(fitted);
    std::string folder(252, 'f');
    EXPECT_EQ("", Made([&](char* out, std::size_t n) {
                  return JoinFolderAndName(folder.c_str(), "Tav.lnk", out, n);
              }, &fitted));
    EXPECT_FALSE(fitted) << "260 bytes with the terminator";
}

TEST(LinkTarget, AnEmailAddressBecomesAMailtoLinkAnythingElseStays)
{
    const struct {
        const char* Text;
        const char* Target;
    } cases[] = {
        {"https://tav.example.org/", "https://tav.example.org/"},
        {"tav@example.org", "mailto:tav@example.org"},
        {"https://user@example.org/", "https://user@example.org/"},  // "://" wins
        {"www.example.org", "www.example.org"},
        {"", ""},
    };
    for (const auto& c : cases) {
        bool fitted = false;
        EXPECT_EQ(c.Target, Made([&](char* out, std::size_t n) { return LinkTarget(c.Text, out, n); }, &fitted))
            << c.Text;
        EXPECT_TRUE(fitted);
    }
    bool fitted = true;
    EXPECT_EQ("", Made([](char* out, std::size_t n) { return LinkTarget("a@b.c", out, n); }, &fitted, 10));
    EXPECT_FALSE(fitted) << "mailto:a@b.c needs 13 bytes";
}

}  // namespace

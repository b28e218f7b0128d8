/*
 * What the startup shortcut and the about box's links hand to the shell:
 * the shortcut's path and working folder, and a link field's target; each
 * into a buffer too small as well ("!": refused, and the buffer empty).
 */
#include <string>

#include <gtest/gtest.h>

#include "code_page_932.h"
#include "options/portable/shell_text.h"

namespace {

template <typename Make>
std::string Made(Make make, std::size_t size)
{
    std::string out(size, '\x55');
    const bool fitted = make(&out[0], size);
    return (fitted ? "" : "!") + std::string(out.c_str());
}

// Code page 1252 has no lead bytes.
int IsCp1252LeadByte(unsigned char /*byte*/) { return 0; }

TEST(ShellText, ProgramFolderCutsAtTheLastBackslashKeepingADrivesRoot)
{
    const struct {
        const char* Program;
        std::size_t Size;
        LeadByteTest IsLeadByte;
        const char* Folder;
    } cases[] = {
        {"C:\\Tools\\Tav.exe", 260, IsCp932LeadByte, "C:\\Tools"},
        {"C:\\Program Files\\Tav\\Tav.exe", 260, IsCp932LeadByte, "C:\\Program Files\\Tav"},
        {"C:\\Tav.exe", 260, IsCp932LeadByte, "C:\\"},
        {"\\\\server\\share\\Tav.exe", 260, IsCp932LeadByte, "\\\\server\\share"},
        {"\\Tav.exe", 260, IsCp932LeadByte, "\\Tav.exe"},  // the first character does not count
        {"Tav.exe", 260, IsCp932LeadByte, "Tav.exe"},
        {"", 260, IsCp932LeadByte, ""},
        // 表 is 0x95 0x5C in code page 932: its trail byte is no backslash.
        {"C:\\Tools\\\x95\\.exe", 260, IsCp932LeadByte, "C:\\Tools"},
        {"C:\\\x83\\\\Tav.exe", 260, IsCp932LeadByte, "C:\\\x83\\"},  // ソ as a folder name
        // In code page 1252 é (0xE9) and Ü (0xDC) are whole characters, and
        // the backslash after them separates.
        {"C:\\Caf\xE9\\Tav.exe", 260, IsCp1252LeadByte, "C:\\Caf\xE9"},
        {"C:\\\xDC\\\x95\\Tav.exe", 260, IsCp1252LeadByte, "C:\\\xDC\\\x95"},
        {"C:\\Tools\\Tav.exe", 16, IsCp932LeadByte, "!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Folder, Made([&](char* out, std::size_t n) { return ProgramFolder(c.Program, out, n, c.IsLeadByte); },
                                 c.Size))
            << c.Program;
}

TEST(ShellText, JoinFolderAndNameAndLinkTargets)
{
    const std::string folder(252, 'f');  // 260 bytes with the terminator
    EXPECT_EQ("C:\\Startup\\Tav.lnk",
              Made([](char* out, std::size_t n) { return JoinFolderAndName("C:\\Startup", "Tav.lnk", out, n); }, 260));
    EXPECT_EQ("!", Made([&](char* out, std::size_t n) { return JoinFolderAndName(folder.c_str(), "Tav.lnk", out, n); },
                        260));
    const struct {
        const char* Text;
        std::size_t Size;
        const char* Target;
    } cases[] = {
        {"https://tav.example.org/", 260, "https://tav.example.org/"},
        {"tav@example.org", 260, "mailto:tav@example.org"},
        {"https://user@example.org/", 260, "https://user@example.org/"},  // "://" wins
        {"www.example.org", 260, "www.example.org"},
        {"", 260, ""},
        {"a@b.c", 13, "mailto:a@b.c"},
        {"a@b.c", 12, "!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Target, Made([&](char* out, std::size_t n) { return LinkTarget(c.Text, out, n); }, c.Size))
            << c.Text;
}

}  // namespace

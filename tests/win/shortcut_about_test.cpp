/*
 * The startup shortcut, read back through the shell's own link object, and
 * the about box with its link fields.
 *
 * The Startup folder is redirected into a scratch folder through the
 * (redirected) "User Shell Folders" key, so no test writes into a user's
 * real Startup folder.  Only Windows can show the shortcut starting the
 * program at logon, and what the shell makes of an http or mailto link.
 */
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/com_ptr.h"
#include "base/optional_apis.h"
#include "dialog_script.h"
#include "options/about_dialog.h"
#include "options/options_dialog.h"
#include "options/startup_shortcut.h"
#include "res/options_dialogs.h"
#include "scratch_registry.h"
#include "test_window.h"

namespace {

using tav::ComInit;
using tav::ComPtr;

struct ReadLink {
    bool Loaded = false;
    std::string Target;
    std::string Folder;
    std::string Arguments;
};

// A link file as the shell reads it.
ReadLink Read(const std::string& file)
{
    ReadLink read;
    ComInit com;
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> persist;
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put()))
        || FAILED(link->QueryInterface(IID_IPersistFile, persist.put()))
        || FAILED(persist->Load(wide, STGM_READ)))
        return read;
    char text[MAX_PATH] = "";
    read.Loaded = true;
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    read.Target = text;
    text[0] = '\0';
    link->GetWorkingDirectory(text, MAX_PATH);
    read.Folder = text;
    text[0] = '\0';
    link->GetArguments(text, MAX_PATH);
    read.Arguments = text;
    return read;
}

std::string Contents(const std::string& file)
{
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string ProgramPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// A file held open without FILE_SHARE_DELETE, as a program reading it
// would: it can be neither deleted nor replaced meanwhile.
class FileInUse {
public:
    explicit FileInUse(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~FileInUse() { CloseHandle(file_); }
    FileInUse(const FileInUse&) = delete;
    FileInUse& operator=(const FileInUse&) = delete;

private:
    HANDLE file_;
};

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

// A scratch folder, made the Startup folder of the (redirected) user.
class ShortcutTest : public RegistryTest {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "TavStartup-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        link_ = folder_ + "\\Tav.lnk";
        PutRawValue("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", "Startup",
                    REG_SZ, folder_.c_str(), static_cast<DWORD>(folder_.size() + 1));
    }
    void TearDown() override
    {
        for (const std::string& name : FilesIn(folder_))
            DeleteFileA((folder_ + "\\" + name).c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    // The test must not write into a real Startup folder.
    bool StartupIsRedirected()
    {
        char startup[MAX_PATH] = "";
        SHGetSpecialFolderPathA(nullptr, startup, CSIDL_STARTUP, FALSE);
        return lstrcmpiA(startup, folder_.c_str()) == 0;
    }

    std::string folder_;
    std::string link_;
};

TEST_F(ShortcutTest, TheLinkNamesTheProgramAndItsFolderAndIsReplacedWhole)
{
    const std::string program = ProgramPath();
    ASSERT_TRUE(CreateShellLink("C:\\Tools\\Tav.exe", link_.c_str()));
    ReadLink first = Read(link_);
    ASSERT_TRUE(first.Loaded);
    EXPECT_EQ("C:\\Tools\\Tav.exe", first.Target);
    EXPECT_EQ("C:\\Tools", first.Folder);
    EXPECT_EQ("", first.Arguments);

    // Again, from another program file: one link, naming the second.
    ASSERT_TRUE(CreateShellLink(program.c_str(), link_.c_str()));
    ReadLink second = Read(link_);
    EXPECT_EQ(program, second.Target);
    EXPECT_EQ(FolderOf(program), second.Folder);
    EXPECT_EQ(std::vector<std::string>{"Tav.lnk"}, FilesIn(folder_));

    // A link that cannot be replaced (another program has it open) stays
    // as it was, and nothing is left behind; nor does a missing folder get
    // a link.
    std::string before = Contents(link_);
    {
        FileInUse inUse(link_);
        EXPECT_FALSE(CreateShellLink("C:\\Other\\Tav.exe", link_.c_str()));
    }
    EXPECT_EQ(before, Contents(link_));
    EXPECT_EQ(std::vector<std::string>{"Tav.lnk"}, FilesIn(folder_));
    EXPECT_FALSE(CreateShellLink(program.c_str(), (folder_ + "\\missing\\Tav.lnk").c_str()));
}

TEST_F(ShortcutTest, TheStartupButtonAsksCreatesAndSaysWhenItCannot)
{
    if (!StartupIsRedirected())
        GTEST_SKIP() << "the Startup folder cannot be redirected here";
    ASSERT_TRUE(CreateStartupShortcut(ProgramPath().c_str(), "Named.lnk"));
    EXPECT_EQ(ProgramPath(), Read(folder_ + "\\Named.lnk").Target);
    DeleteFileA((folder_ + "\\Named.lnk").c_str());

    const char kAsk[] =  // ｽﾀｰﾄｱｯﾌﾟにｼｮｰﾄｶｯﾄを作成します。
        "\xBD\xC0\xB0\xC4\xB1\xAF\xCC\xDF\x82\xC9\xBC\xAE\xB0\xC4\xB6\xAF\xC4\x82\xF0\x8D\xEC\x90\xAC\x82\xB5"
        "\x82\xDC\x82\xB7\x81" "B";
    const char kFailed[] =  // ｽﾀｰﾄｱｯﾌﾟにｼｮｰﾄｶｯﾄを作成できませんでした。
        "\xBD\xC0\xB0\xC4\xB1\xAF\xCC\xDF\x82\xC9\xBC\xAE\xB0\xC4\xB6\xAF\xC4\x82\xF0\x8D\xEC\x90\xAC\x82\xC5"
        "\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81" "B";
    LoadOptionalApis();
    OptionsDialog dialog;
    DialogScript script({
        [&](HWND d, Seen*) {
            SendMessageA(d, WM_COMMAND, IDC_STARTUP, 0);  // Cancel in the question
            EXPECT_TRUE(FilesIn(folder_).empty());
            SendMessageA(d, WM_COMMAND, IDC_STARTUP, 0);
            ReadLink made = Read(link_);
            EXPECT_EQ(ProgramPath(), made.Target);
            EXPECT_EQ(FolderOf(ProgramPath()), made.Folder);
            FileInUse inUse(link_);
            SendMessageA(d, WM_COMMAND, IDC_STARTUP, 0);  // cannot replace it
            Press(d, IDCANCEL);
        },
        Answer(IDCANCEL), Answer(IDOK), Answer(IDOK), Answer(IDOK),
    });
    EXPECT_EQ(0, dialog.Show(nullptr));
    FreeOptionalApis();
    ASSERT_EQ(5u, script.seen.size());
    EXPECT_EQ(0, script.unexpected) << "no message after a shortcut made";
    EXPECT_EQ("Tav", script.seen[1].Caption);
    EXPECT_EQ(kAsk, script.seen[1].Text);
    EXPECT_EQ(kFailed, script.seen[4].Text);
    EXPECT_TRUE(Read(link_).Loaded) << "Cancel of the options dialog keeps the shortcut";
}

// What a link click hands to the shell.
struct ShellCall {
    DWORD Size;
    HWND Window;
    std::string File;
    int Show;
    bool NoVerb;
};
std::vector<ShellCall> ShellCalls;

BOOL WINAPI RecordShellCall(SHELLEXECUTEINFOA* info)
{
    ShellCalls.push_back({info->cbSize, info->hwnd, info->lpFile, info->nShow,
                          info->lpVerb == nullptr && info->lpParameters == nullptr});
    return TRUE;
}

void Click(HWND control)
{
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ShellCalls.clear();
        OpenLinkThroughShell = RecordShellCall;
    }
    void TearDown() override { OpenLinkThroughShell = ShellExecuteExA; }
};

TEST_F(AboutTest, TheLinksOpenOnAPlainClickAndTheFontsGoWithTheBox)
{
    HFONT fonts[2] = {};
    HWND links[2] = {};
    DialogScript script({[&](HWND d, Seen*) {
        const int ids[] = {IDC_MAKER_URL, IDC_MAKER_MAIL};
        const char* texts[] = {"https://tav.example.org/", "tav@example.org"};
        for (int i = 0; i < 2; ++i) {
            SCOPED_TRACE(texts[i]);
            links[i] = GetDlgItem(d, ids[i]);
            char text[64];
            GetWindowTextA(links[i], text, sizeof text);
            EXPECT_STREQ(texts[i], text);
            // An underlined copy of the dialog's font, the field fitted to its text.
            fonts[i] = reinterpret_cast<HFONT>(SendMessageA(links[i], WM_GETFONT, 0, 0));
            LOGFONTA font = {};
            GetObjectA(fonts[i], sizeof font, &font);
            EXPECT_EQ(1, font.lfUnderline);
            HDC dc = GetDC(links[i]);
            HGDIOBJ old = SelectObject(dc, fonts[i]);
            SIZE size;
            GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
            SelectObject(dc, old);
            RECT rect;
            GetWindowRect(links[i], &rect);
            EXPECT_EQ(size.cx, rect.right - rect.left);
            EXPECT_EQ(size.cy, rect.bottom - rect.top);
            // Blue on the dialog's face; the hand over the text.
            EXPECT_EQ(reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)),
                      SendMessageA(d, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                   reinterpret_cast<LPARAM>(links[i])));
            EXPECT_EQ(RGB(0, 0, 255), GetTextColor(dc));
            ReleaseDC(links[i], dc);
            SendMessageA(links[i], WM_SETCURSOR, reinterpret_cast<WPARAM>(links[i]),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(LoadCursorA(nullptr, IDC_HAND), GetCursor());
        }
        EXPECT_EQ(GetDlgItem(d, IDOK), GetFocus());

        Click(links[0]);
        Click(links[1]);
        // A selection made with the mouse, and the click that clears it,
        // open nothing; the next plain click does.
        SendMessageA(links[0], EM_SETSEL, 0, 5);
        Click(links[0]);
        Click(links[0]);
        Press(d, IDOK);
    }});
    EXPECT_EQ(0, RunAboutDialog(nullptr));
    EXPECT_EQ("Tav\x82\xC9\x82\xC2\x82\xA2\x82\xC4", script.seen.at(0).Caption);  // Tavについて
    ASSERT_EQ(3u, ShellCalls.size());
    const char* files[] = {"https://tav.example.org/", "mailto:tav@example.org", "https://tav.example.org/"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(files[i], ShellCalls[i].File);
        EXPECT_EQ(sizeof(SHELLEXECUTEINFOA), ShellCalls[i].Size);
        EXPECT_EQ(links[i == 1 ? 1 : 0], ShellCalls[i].Window);
        EXPECT_EQ(SW_SHOWNORMAL, ShellCalls[i].Show);
        EXPECT_TRUE(ShellCalls[i].NoVerb);
    }
    EXPECT_EQ(0u, GetObjectType(fonts[0])) << "deleted with the box";
    EXPECT_EQ(0u, GetObjectType(fonts[1]));

    DialogScript escape({[](HWND d, Seen*) { Press(d, IDCANCEL); }});
    EXPECT_EQ(0, RunAboutDialog(nullptr));
    EXPECT_EQ(1u, escape.seen.size());
}

}  // namespace

/*
 * The startup shortcut, read back through the shell's own link object, and
 * the about box's links.  The Startup folder is redirected into a scratch
 * folder through the (redirected) "User Shell Folders" key, so no test
 * writes into a user's real Startup folder.  Only Windows can show the
 * shortcut starting the program at logon, and what the shell makes of an
 * http or mailto link.
 */
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/com_ptr.h"
#include "base/optional_apis.h"
#include "dialog_driver.h"
#include "options/about_dialog.h"
#include "options/options_dialog.h"
#include "options/startup_shortcut.h"
#include "res/options_dialogs.h"
#include "scratch_folder.h"
#include "scratch_registry.h"

namespace {

// A link file as the shell reads it: "target|working folder", "" when unreadable.
std::string ReadLink(const std::string& file)
{
    tav::ComInit com;
    tav::ComPtr<IShellLinkA> link;
    tav::ComPtr<IPersistFile> persist;
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put()))
        || FAILED(link->QueryInterface(IID_IPersistFile, persist.put())) || FAILED(persist->Load(wide, STGM_READ)))
        return "";
    char target[MAX_PATH] = "", folder[MAX_PATH] = "";
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetWorkingDirectory(folder, MAX_PATH);
    return std::string(target) + "|" + folder;
}

class ShortcutTest : public RegistryTest {
protected:
    void SetUp() override
    {
        PutRawValue("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", "Startup",
                    REG_SZ, startup_.Folder().c_str(), static_cast<DWORD>(startup_.Folder().size() + 1));
    }

    ScratchFolder startup_;
    const std::string link_ = startup_.Path("Tav.lnk");
};

// The button asks first; the link it makes replaces an older one whole.  A
// link that another program holds open (without FILE_SHARE_DELETE, so that
// it can be neither deleted nor replaced) stays as it was and the failure is
// said; nothing is left behind.
TEST_F(ShortcutTest, TheStartupButtonAsksReplacesTheLinkWholeAndSaysWhenItCannot)
{
    char startup[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, startup, CSIDL_STARTUP, FALSE);
    if (lstrcmpiA(startup, startup_.Folder().c_str()) != 0)
        GTEST_SKIP() << "the Startup folder cannot be redirected here";
    char path[MAX_PATH];
    const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    const std::string made = program + "|" + program.substr(0, program.rfind('\\'));
    ASSERT_TRUE(CreateShellLink("C:\\Tools\\Tav.exe", link_.c_str()));
    EXPECT_EQ("C:\\Tools\\Tav.exe|C:\\Tools", ReadLink(link_));

    LoadOptionalApis();
    OptionsDialog dialog;
    DialogDriver driver;
    driver.Then("Tav動作設定", [&](HWND d) {
        SendMessageA(d, WM_COMMAND, IDC_STARTUP, 0);  // Cancel in the question
        EXPECT_EQ("C:\\Tools\\Tav.exe|C:\\Tools", ReadLink(link_));
        SendMessageA(d, WM_COMMAND, IDC_STARTUP, 0);
        EXPECT_EQ(made, ReadLink(link_));
        const std::string before = ReadBytes(link_);
        HANDLE inUse = CreateFileA(link_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        SendMessageA(d, WM_COMMAND, IDC_STARTUP, 0);
        CloseHandle(inUse);
        EXPECT_EQ(before, ReadBytes(link_));
        PostCommand(d, IDCANCEL);
    });
    driver.Press("Tav", IDCANCEL).Press("Tav", IDOK).Press("Tav", IDOK).Press("Tav", IDOK);
    EXPECT_EQ(0, dialog.Show(nullptr));
    FreeOptionalApis();
    const std::string ask = Ansi("ｽﾀｰﾄｱｯﾌﾟにｼｮｰﾄｶｯﾄを作成します。");
    EXPECT_EQ((std::vector<std::string>{ask, ask, ask, Ansi("ｽﾀｰﾄｱｯﾌﾟにｼｮｰﾄｶｯﾄを作成できませんでした。")}),
              driver.Texts);
    EXPECT_EQ(std::vector<std::string>{"Tav.lnk"}, startup_.Files());
    EXPECT_FALSE(CreateShellLink(program.c_str(), startup_.Path("missing\\Tav.lnk").c_str()));
}

// What a link click hands to the shell.
std::vector<std::string> ShellFiles;

BOOL WINAPI RecordShellCall(SHELLEXECUTEINFOA* info)
{
    ShellFiles.push_back(info->lpFile);
    return TRUE;
}

void Click(HWND control)
{
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

// Plain clicks open the links, the e-mail address as a "mailto:" link; a
// selection made with the mouse, and the click that clears it, open
// nothing.  The fields' underlined fonts go with the box.
TEST(AboutBox, TheLinksOpenOnAPlainClickAndTheFontsGoWithTheBox)
{
    ShellFiles.clear();
    OpenLinkThroughShell = RecordShellCall;
    HFONT fonts[2] = {};
    DialogDriver driver;
    driver.Then("Tavについて", [&](HWND d) {
        HWND url = GetDlgItem(d, IDC_MAKER_URL), mail = GetDlgItem(d, IDC_MAKER_MAIL);
        for (int i : {0, 1}) {
            HWND link = i == 0 ? url : mail;
            fonts[i] = reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0));
            LOGFONTA font = {};
            GetObjectA(fonts[i], sizeof font, &font);
            EXPECT_EQ(1, font.lfUnderline);
            SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(LoadCursorA(nullptr, IDC_HAND), GetCursor());
        }
        Click(url);
        Click(mail);
        SendMessageA(url, EM_SETSEL, 0, 5);
        Click(url);
        Click(url);
        PostCommand(d, IDOK);
    });
    EXPECT_EQ(0, RunAboutDialog(nullptr));
    OpenLinkThroughShell = ShellExecuteExA;
    EXPECT_EQ((std::vector<std::string>{"https://tav.example.org/", "mailto:tav@example.org",
                                        "https://tav.example.org/"}),
              ShellFiles);
    EXPECT_EQ(0u, GetObjectType(fonts[0])) << "deleted with the box";
    EXPECT_EQ(0u, GetObjectType(fonts[1]));
}

}  // namespace

/*
 * The file dialogs and the tray commands' export and import flows, with the
 * real common dialogs and message boxes under Wine.  A script of steps, run
 * from a timer inside the dialogs' own message loops, plays the user: it
 * types a file name, presses a button and reads what a box says.
 */
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/settings_file_ui.h"
#include "dialog_script.h"
#include "res/resource.h"
#include "scratch_registry.h"
#include "setup/file_dialogs.h"
#include "store/registry.h"
#include "store/res_string.h"
#include "store/settings_file.h"

namespace {

const char kLaunch[] = "Software\\orrel\\Tav\\Launch";
const int kFileNameBox = 0x47C;  // cmb13: the file name of the common dialogs
const int kFilterBox = 0x470;    // cmb1: the file types

// In a file dialog: note the offered name and the first file type, type a name, press OK.
DialogScript::Step Choose(const std::string& path)
{
    return [path](HWND dialog, Seen* seen) {
        char text[MAX_PATH];
        GetDlgItemTextA(dialog, kFileNameBox, text, sizeof text);
        seen->Text = text;
        SendDlgItemMessageA(dialog, kFilterBox, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        seen->Filter = text;
        SetDlgItemTextA(dialog, kFileNameBox, path.c_str());
        Press(dialog, IDOK);
    };
}

void Cancel(HWND dialog, Seen*)
{
    Press(dialog, IDCANCEL);
}

class SettingsFileUiTest : public RegistryTest {
protected:
    SettingsFileUiTest()
    {
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 100, 20, owner_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(1002)), nullptr, nullptr);
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "TavUi-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        StoreWriteDword("MainColor", "Software\\orrel\\Tav\\Window", 1);
        StoreWriteString("TitleA", kLaunch, "Editor");
        StoreWriteDword("OpenHotKey", "Software\\orrel\\Tav\\Key", 29);
    }
    ~SettingsFileUiTest() override
    {
        for (const char* name : {"a.ini", "b.ini", "c.ini"})
            DeleteFileA(Path(name).c_str());
        RemoveDirectoryA(folder_.c_str());
        DestroyWindow(owner_);
    }

    std::string Path(const char* name) const { return folder_ + "\\" + name; }
    static std::string Text(int id) { return ResString(id); }

    HWND owner_ = nullptr;
    HWND edit_ = nullptr;
    std::string folder_;
};

TEST_F(SettingsFileUiTest, OpenDialogFillsTheControlAndCancelLeavesTheBufferAsItWas)
{
    char path[260] = "";
    {
        DialogScript script({Choose(Path("picked.ini"))});
        ASSERT_EQ(1, OpenFileDialog(owner_, path, ResString(IDS_FILTER_INI), 1002));
        EXPECT_EQ(Text(IDS_OPEN_TITLE), script.seen.at(0).Caption);
    }
    EXPECT_EQ(Path("picked.ini"), path);
    char shown[260];
    GetWindowTextA(edit_, shown, sizeof shown);
    EXPECT_EQ(Path("picked.ini"), shown);

    DialogScript script({Cancel});
    EXPECT_EQ(0, OpenFileDialog(owner_, path, ResString(IDS_FILTER_INI), 1002));
    EXPECT_EQ(Path("picked.ini"), path);
}

TEST_F(SettingsFileUiTest, ExportCommandAsksBeforeOverwritingAndSaysHowItWent)
{
    char path[260] = "";
    {
        // A name without extension gets ".ini".
        DialogScript script({Choose(Path("a")), Answer(IDOK)});
        ExportWithDialog(owner_, path);
        ASSERT_EQ(2u, script.seen.size());
        EXPECT_EQ(Text(IDS_SAVE_TITLE), script.seen.at(0).Caption);
        // "設定ﾌｧｲﾙ(*.ini)", the text before the filter's first tab.
        EXPECT_EQ("\x90\xDD\x92\xE8\xCC\xA7\xB2\xD9(*.ini)", script.seen.at(0).Filter);
        EXPECT_EQ(Path("a.ini"), path);
        EXPECT_EQ("Tav", script.seen.at(1).Caption);
        EXPECT_EQ(Text(IDS_EXPORT_OK), script.seen.at(1).Text);
    }
    {
        // The same file again: the dialog offers the last name and asks
        // before overwriting.
        DialogScript script({Choose(Path("a.ini")), Answer(IDYES), Answer(IDOK)});
        ExportWithDialog(owner_, path);
        EXPECT_EQ("a.ini", script.seen.at(0).Text);
        EXPECT_EQ(3u, script.seen.size());
        EXPECT_EQ(Text(IDS_EXPORT_OK), script.seen.at(2).Text);
        EXPECT_EQ(0, script.unexpected);
    }
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kLaunch);
        DialogScript script({Choose(Path("b.ini")), Answer(IDOK)});
        ExportWithDialog(owner_, path);
        EXPECT_EQ(Text(IDS_EXPORT_FAILED), script.seen.at(1).Text);
    }
    DialogScript script({Cancel});
    ExportWithDialog(owner_, path);
    EXPECT_EQ(0, script.unexpected) << "Cancel shows no message";
}

int Reloads;
bool ReloadedBeforeTheMessage;
bool WaitCursorWhileReloading;

void CountReload(HWND)
{
    ++Reloads;
    WaitCursorWhileReloading = GetCursor() == LoadCursorA(nullptr, IDC_WAIT);
}

TEST_F(SettingsFileUiTest, ImportCommandReloadsOnlyAfterASuccessfulImportUnderTheWaitCursor)
{
    char path[260] = "";
    Reloads = 0;
    ASSERT_EQ(1, ExportSettings(Path("a.ini").c_str()));
    auto noteReload = [](HWND box, Seen* seen) {
        ReloadedBeforeTheMessage = Reloads == 1;
        Answer(IDOK)(box, seen);
    };
    {
        DialogScript script({Choose(Path("a.ini")), noteReload});
        ImportWithDialog(owner_, path, CountReload);
        EXPECT_EQ(Text(IDS_IMPORT_OK), script.seen.at(1).Text);
        EXPECT_EQ("Tav", script.seen.at(1).Caption);
    }
    EXPECT_EQ(1, Reloads);
    EXPECT_TRUE(ReloadedBeforeTheMessage);
    EXPECT_TRUE(WaitCursorWhileReloading);

    std::ofstream(Path("c.ini"), std::ios::binary) << "[Window]\r\nD:MainColor=2\r\n[Key]\r\nD:OpenHotKey=5\r\n";
    DialogScript script({Choose(Path("c.ini")), Answer(IDOK)});
    ImportWithDialog(owner_, path, CountReload);
    EXPECT_EQ(Text(IDS_IMPORT_FAILED), script.seen.at(1).Text);
    EXPECT_EQ(1, Reloads) << "no reload after a failed import";
}

}  // namespace

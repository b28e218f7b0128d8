/*
 * The file dialogs and the tray commands' export and import flows, with the
 * real common dialogs and message boxes under Wine.  The dialog driver plays
 * the user from inside the dialogs' own message loops: it types a file name,
 * presses a button and reads what a box says.
 */
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/settings_file_ui.h"
#include "dialog_driver.h"
#include "res/resource.h"
#include "scratch_folder.h"
#include "scratch_registry.h"
#include "store/registry.h"
#include "store/res_string.h"
#include "store/settings_file.h"
#include "ui/file_dialogs.h"

namespace {

const char kLaunch[] = "Software\\orrel\\Tav\\Launch";
const int kFileNameBox = 0x47C;  // cmb13: the file name of the common dialogs
const int kFilterBox = 0x470;    // cmb1: the file types

// What a file dialog showed: its caption, the name offered and the first file type.
struct Seen {
    std::string Caption, Name, Filter;
};

// In a file dialog: note what it shows, type a name, press OK.
DialogDriver::Action Choose(const std::string& path, Seen* seen)
{
    return [path, seen](HWND dialog) {
        char text[MAX_PATH];
        seen->Caption = WindowText(dialog);
        GetDlgItemTextA(dialog, kFileNameBox, text, sizeof text);
        seen->Name = text;
        SendDlgItemMessageA(dialog, kFilterBox, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        seen->Filter = text;
        SetDlgItemTextA(dialog, kFileNameBox, path.c_str());
        PostCommand(dialog, IDOK);
    };
}

class SettingsFileUiTest : public RegistryTest {
protected:
    SettingsFileUiTest()
    {
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 100, 20, owner_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(1002)), nullptr, nullptr);
        StoreWriteDword("MainColor", "Software\\orrel\\Tav\\Window", 1);
        PutRawValue(kLaunch, "TitleA", REG_SZ, "Editor", 6);
        StoreWriteDword("OpenHotKey", "Software\\orrel\\Tav\\Key", 29);
    }
    ~SettingsFileUiTest() override { DestroyWindow(owner_); }

    std::string Path(const char* name) const { return folder_.Path(name); }
    static std::string Text(int id) { return ResString(id); }

    HWND owner_ = nullptr;
    HWND edit_ = nullptr;
    ScratchFolder folder_;
};

TEST_F(SettingsFileUiTest, OpenDialogFillsTheControlAndCancelLeavesTheBufferAsItWas)
{
    char path[260] = "";
    Seen seen;
    {
        DialogDriver driver;
        driver.Then("*", Choose(Path("picked.ini"), &seen));
        ASSERT_EQ(1, OpenFileDialog(owner_, path, ResString(IDS_FILTER_INI), 1002));
        EXPECT_EQ(Text(IDS_OPEN_TITLE), seen.Caption);
    }
    EXPECT_EQ(Path("picked.ini"), path);
    EXPECT_EQ(Path("picked.ini"), WindowText(edit_));

    DialogDriver driver;
    driver.Press("*", IDCANCEL);
    EXPECT_EQ(0, OpenFileDialog(owner_, path, ResString(IDS_FILTER_INI), 1002));
    EXPECT_EQ(Path("picked.ini"), path);
}

TEST_F(SettingsFileUiTest, ExportCommandAsksBeforeOverwritingAndSaysHowItWent)
{
    char path[260] = "";
    Seen seen;
    {
        // A name without extension gets ".ini".
        DialogDriver driver;
        driver.Then("*", Choose(Path("a"), &seen)).Press("Tav", IDOK);
        ExportWithDialog(owner_, path);
        EXPECT_EQ(Text(IDS_SAVE_TITLE), seen.Caption);
        // "設定ﾌｧｲﾙ(*.ini)", the text before the filter's first tab.
        EXPECT_EQ("\x90\xDD\x92\xE8\xCC\xA7\xB2\xD9(*.ini)", seen.Filter);
        EXPECT_EQ(Path("a.ini"), path);
        EXPECT_EQ(std::vector<std::string>{Text(IDS_EXPORT_OK)}, driver.Texts);
    }
    {
        // The same file again: the dialog offers the last name and asks
        // before overwriting.
        DialogDriver driver;
        driver.Then("*", Choose(Path("a.ini"), &seen)).Press("*", IDYES).Press("Tav", IDOK);
        ExportWithDialog(owner_, path);
        EXPECT_EQ("a.ini", seen.Name);
        EXPECT_EQ(std::vector<std::string>{Text(IDS_EXPORT_OK)}, driver.Texts);
    }
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kLaunch);
        DialogDriver driver;
        driver.Then("*", Choose(Path("b.ini"), &seen)).Press("Tav", IDOK);
        ExportWithDialog(owner_, path);
        EXPECT_EQ(std::vector<std::string>{Text(IDS_EXPORT_FAILED)}, driver.Texts);
    }
    DialogDriver driver;
    driver.Press("*", IDCANCEL);
    ExportWithDialog(owner_, path);
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
    Seen seen;
    Reloads = 0;
    ASSERT_EQ(1, ExportSettings(Path("a.ini").c_str()));
    {
        DialogDriver driver;
        driver.Then("*", Choose(Path("a.ini"), &seen)).Then("Tav", [](HWND box) {
            ReloadedBeforeTheMessage = Reloads == 1;
            PostCommand(box, IDOK);
        });
        ImportWithDialog(owner_, path, CountReload);
        EXPECT_EQ(std::vector<std::string>{Text(IDS_IMPORT_OK)}, driver.Texts);
    }
    EXPECT_EQ(1, Reloads);
    EXPECT_TRUE(ReloadedBeforeTheMessage);
    EXPECT_TRUE(WaitCursorWhileReloading);

    std::ofstream(Path("c.ini"), std::ios::binary) << "[Window]\r\nD:MainColor=2\r\n[Key]\r\nD:OpenHotKey=5\r\n";
    DialogDriver driver;
    driver.Then("*", Choose(Path("c.ini"), &seen)).Press("Tav", IDOK);
    ImportWithDialog(owner_, path, CountReload);
    EXPECT_EQ(std::vector<std::string>{Text(IDS_IMPORT_FAILED)}, driver.Texts);
    EXPECT_EQ(1, Reloads) << "no reload after a failed import";
}

}  // namespace

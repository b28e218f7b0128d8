/*
 * The program's resources as Tav loads them: every string-table text comes
 * back from LoadStringA as exactly its code page 932 bytes, the comma lists
 * split as the dialogs enumerate them, and the menus, accelerators, icon,
 * cursor, version and manifest are all there.
 */
#include <windows.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "store/res_string.h"

namespace {

struct ExpectedString {
    int Id;
    const char* Bytes;  // code page 932
};

// The bytes are written out, not converted at run time, so a wrong code page
// anywhere between the .rc file and LoadStringA shows up here.
const ExpectedString kStrings[] = {
    {IDS_VERSION, "Ver2.55"},
    {IDS_KEY_WINDOW, "Software\\orrel\\Tav\\Window"},
    {IDS_KEY_KEY, "Software\\orrel\\Tav\\Key"},
    {IDS_KEY_LAUNCH, "Software\\orrel\\Tav\\Launch"},
    {IDS_FILTER_PROGRAM, "\x91S\x82\xC4\x82\xCC\xCC\xA7\xB2\xD9(*.*)\t*.*\t"},  // 全てのﾌｧｲﾙ(*.*)<tab>*.*<tab>
    {IDS_FILTER_SOUND, "Wave\xCC\xA7\xB2\xD9(*.wav)\t*.wav\t"},  // Waveﾌｧｲﾙ(*.wav)<tab>*.wav<tab>
    {IDS_ASK_DELETE, "%s\x82\xF0\x8D\xED\x8F\x9C\x82\xB5\x82\xDC\x82\xB7\x81" "B"},  // %sを削除します。
    // %sはｻﾌﾞﾒﾆｭｰです。<newline>ｻﾌﾞﾒﾆｭｰの内容も削除されますがよろしいですか?
    {IDS_ASK_DELETE_SUBMENU, "%s\x82\xCD\xBB\xCC\xDE\xD2\xC6\xAD\xB0\x82\xC5\x82\xB7\x81" "B\n\xBB\xCC\xDE\xD2\xC6\xAD\xB0\x82\xCC\x93\xE0\x97" "e\x82\xE0\x8D\xED\x8F\x9C\x82\xB3\x82\xEA\x82\xDC\x82\xB7\x82\xAA\x82\xE6\x82\xEB\x82\xB5\x82\xA2\x82\xC5\x82\xB7\x82\xA9?"},
    // これ以上ｻﾌﾞﾒﾆｭｰを作成できません。
    {IDS_DEPTH_LIMIT, "\x82\xB1\x82\xEA\x88\xC8\x8F\xE3\xBB\xCC\xDE\xD2\xC6\xAD\xB0\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B"},
    // IMEのキーと重複しています。<newline>IMEが開いている時は、ランチャを表示しないようにしますか?
    {IDS_ASK_IME, "IME\x82\xCC\x83L\x81[\x82\xC6\x8F" "d\x95\xA1\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B\nIME\x82\xAA\x8AJ\x82\xA2\x82\xC4\x82\xA2\x82\xE9\x8E\x9E\x82\xCD\x81" "A\x83\x89\x83\x93\x83`\x83\x83\x82\xF0\x95\\\x8E\xA6\x82\xB5\x82\xC8\x82\xA2\x82\xE6\x82\xA4\x82\xC9\x82\xB5\x82\xDC\x82\xB7\x82\xA9?"},
    // 「影のずれ」は-99～99までです。
    {IDS_SHADOW_RANGE, "\x81u\x89" "e\x82\xCC\x82\xB8\x82\xEA\x81v\x82\xCD-99\x81`99\x82\xDC\x82\xC5\x82\xC5\x82\xB7\x81" "B"},
    // ｽﾀｰﾄｱｯﾌﾟにｼｮｰﾄｶｯﾄを作成します。
    {IDS_ASK_STARTUP, "\xBD\xC0\xB0\xC4\xB1\xAF\xCC\xDF\x82\xC9\xBC\xAE\xB0\xC4\xB6\xAF\xC4\x82\xF0\x8D\xEC\x90\xAC\x82\xB5\x82\xDC\x82\xB7\x81" "B"},
    // ﾀｲﾄﾙを入力してください。
    {IDS_NEED_TITLE, "\xC0\xB2\xC4\xD9\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B"},
    // 起動ﾌｧｲﾙを入力してください。
    {IDS_NEED_PROGRAM, "\x8BN\x93\xAE\xCC\xA7\xB2\xD9\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B"},
    {IDS_ASK_OVERWRITE, "\x8F\xE3\x8F\x91\x82\xAB\x82\xB5\x82\xDC\x82\xB7\x82\xA9?"},  // 上書きしますか?
    // 登録したいｷｰを押してください。
    {IDS_CAPTURE_PROMPT1, "\x93o\x98^\x82\xB5\x82\xBD\x82\xA2\xB7\xB0\x82\xF0\x89\x9F\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B"},
    // なお、Ctrl・Alt・Shiftは他のｷｰと
    {IDS_CAPTURE_PROMPT2, "\x82\xC8\x82\xA8\x81" "ACtrl\x81" "EAlt\x81" "EShift\x82\xCD\x91\xBC\x82\xCC\xB7\xB0\x82\xC6"},
    // 組み合わせて使えます。
    {IDS_CAPTURE_PROMPT3, "\x91g\x82\xDD\x8D\x87\x82\xED\x82\xB9\x82\xC4\x8Eg\x82\xA6\x82\xDC\x82\xB7\x81" "B"},
    {IDS_MAKER_URL, "https://tav.example.org/"},
    {IDS_MAKER_MAIL, "tav@example.org"},
    {IDS_FOLDER_TITLE, "\x8BN\x93\xAE\x8E\x9E\x82\xCC\xCC\xAB\xD9\xC0\xDE"},  // 起動時のﾌｫﾙﾀﾞ
    {IDS_PARENT_LINE, "..(Parent)"},
    {IDS_NO_ITEMS, "(No Menu Items!)"},
    {IDS_OPEN_TITLE, "\xCC\xA7\xB2\xD9\x82\xCC\x8EQ\x8F\xC6"},  // ﾌｧｲﾙの参照
    {IDS_ALPHA_DISABLED, "\x93\xA7\x96\xBE\x93x(\x8Eg\x97p\x95s\x94\\)"},  // 透明度(使用不能)
    {IDS_ALPHA_PERCENT, "\x93\xA7\x96\xBE\x93x(%d%%)"},  // 透明度(%d%%)
    {IDS_SAMPLE_COMPUTER, "Explorer"},
    {IDS_SAMPLE_USER, "CD Player"},
    {IDS_IME_SUFFIX, "(IME\x82\xF0\x8A\xC4\x8E\x8B\x82\xB7\x82\xE9)"},  // (IMEを監視する)
    {IDS_MOD_CTRL, "CTRL+"},
    {IDS_MOD_ALT, "ALT+"},
    {IDS_MOD_SHIFT, "SHIFT+"},
    {IDS_DEFAULT_FACE, "\x95W\x8F\x80\x96\xBE\x92\xA9"},  // 標準明朝
    // なし,線,立体,凸線,凹線
    {IDS_FRAME_STYLES, "\x82\xC8\x82\xB5,\x90\xFC,\x97\xA7\x91\xCC,\x93\xCA\x90\xFC,\x89\x9A\x90\xFC"},
    // 好きな位置,左,左上,上,右上,右
    {IDS_POS_TYPES, "\x8D" "D\x82\xAB\x82\xC8\x88\xCA\x92u,\x8D\xB6,\x8D\xB6\x8F\xE3,\x8F\xE3,\x89" "E\x8F\xE3,\x89" "E"},
    // the 84 key names, 556 bytes
    {IDS_KEY_NAMES, "BackSpace,Tab,Enter,Pause,CapsLock,\xB6\xC5,\x8A\xBF\x8E\x9A,Esc,\x95\xCF\x8A\xB7,\x96\xB3\x95\xCF\x8A\xB7,Space,PageUp,PageDown,End,Home,\x81\xA9,\x81\xAA,\x81\xA8,\x81\xAB,Insert,Delete,L-Windows,R-Windows,Apps,Num0,Num1,Num2,Num3,Num4,Num5,Num6,Num7,Num8,Num9,*(Num),+(Num),-(Num),.(Num),/(Num),F1,F2,F3,F4,F5,F6,F7,F8,F9,F10,F11,F12,NumLock,ScrollLock,BrowserBack,BrowserForward,BrowserRefresh,BrowserStop,BrowserSearch,BrowserFavorites,BrowserHome,VolumeMute,VolumeDown,VolumeUp,MediaNextTrack,MediaPrevTrack,MediaStop,MediaPlayPause,LaunchMail,LaunchMediaSelect,LaunchApp1,LaunchApp2,\xB6\xC0\xB6\xC5,CapsLock,\x94\xBC\x8Ap,0,1,2,3,4,5,6,7,8,9"},
    {IDS_FILTER_INI, "\x90\xDD\x92\xE8\xCC\xA7\xB2\xD9(*.ini)\t*.ini\t"},  // 設定ﾌｧｲﾙ(*.ini)<tab>*.ini<tab>
    // ﾌｧｲﾙから設定を読み込みました
    {IDS_IMPORT_OK, "\xCC\xA7\xB2\xD9\x82\xA9\x82\xE7\x90\xDD\x92\xE8\x82\xF0\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x82\xDC\x82\xB5\x82\xBD"},
    // 読み込みに失敗しました
    {IDS_IMPORT_FAILED, "\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD"},
    {IDS_EXPORT_OK, "\xCC\xA7\xB2\xD9\x82\xC9\x8Fo\x97\xCD\x82\xB5\x82\xDC\x82\xB5\x82\xBD"},  // ﾌｧｲﾙに出力しました
    // ﾌｧｲﾙの出力に失敗しました
    {IDS_EXPORT_FAILED, "\xCC\xA7\xB2\xD9\x82\xCC\x8Fo\x97\xCD\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD"},
    {IDS_SAVE_TITLE, "\xCC\xA7\xB2\xD9\x82\xCC\x95\xDB\x91\xB6"},  // ﾌｧｲﾙの保存
};

std::string LoadRaw(int id)
{
    char buffer[1024];
    int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

TEST(StringTable, EveryTextIsExactlyItsCodePage932Bytes)
{
    ASSERT_EQ(932u, GetACP()) << "run with LANG=ja_JP.UTF-8 so the ANSI code page is 932";
    ASSERT_EQ(42u, sizeof kStrings / sizeof kStrings[0]);
    for (const ExpectedString& expected : kStrings) {
        SCOPED_TRACE(expected.Id);
        EXPECT_EQ(std::string(expected.Bytes), LoadRaw(expected.Id));
    }
}

TEST(StringTable, ResStringGivesTheTextAndResListItemEnumeratesCommaLists)
{
    EXPECT_STREQ("Software\\orrel\\Tav\\Launch", ResString(IDS_KEY_LAUNCH));
    EXPECT_STREQ("", ResString(9999));
    EXPECT_STREQ("\x89\x9A\x90\xFC", ResListItem(IDS_FRAME_STYLES, 4));  // 凹線
    EXPECT_EQ(nullptr, ResListItem(IDS_FRAME_STYLES, 5));
    EXPECT_STREQ("9", ResListItem(IDS_KEY_NAMES, 83));  // past the first 255 bytes of the list
    EXPECT_EQ(nullptr, ResListItem(IDS_KEY_NAMES, 84));
    // A text without commas is a list of one item.
    EXPECT_STREQ("Ver2.55", ResListItem(IDS_VERSION, 0));
    EXPECT_EQ(nullptr, ResListItem(IDS_VERSION, 1));
}

struct MenuItem {
    UINT Id;  // 0 for a separator, -1 for a popup
    const char* Text;
};

void ExpectMenu(HMENU popup, const MenuItem* items, int count)
{
    ASSERT_EQ(count, GetMenuItemCount(popup));
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        char text[128] = "";
        GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(items[i].Text, text);
        EXPECT_EQ(items[i].Id, GetMenuItemID(popup, i));
    }
}

TEST(Resources, MenusHoldTheirCommandsInOrder)
{
    HMENU tray = LoadMenuA(GetModuleHandleA(nullptr), IDR_TRAYMENU);
    HMENU setup = LoadMenuA(GetModuleHandleA(nullptr), IDR_SETUPMENU);
    ASSERT_NE(nullptr, tray);
    ASSERT_NE(nullptr, setup);
    const MenuItem trayItems[] = {
        {IDM_OPTIONS, "\x93\xAE\x8D\xEC\x90\xDD\x92\xE8(&S)..."},  // 動作設定(&S)...
        {IDM_SETUP, "\xB1\xCC\xDF\xD8\xB9\xB0\xBC\xAE\xDD\x93o\x98^\x81" "E\x8D\xED\x8F\x9C(&L)..."},
        {static_cast<UINT>(-1), "\xCC\xA7\xB2\xD9\x93\xC7\x8D\x9E/\x95\xDB\x91\xB6"},  // ﾌｧｲﾙ読込/保存
        {IDM_ABOUT, "About(&A)..."},
        {0, ""},
        {IDM_EXIT, "\x8F" "I\x97\xB9(&X)"},  // 終了(&X)
    };
    ExpectMenu(GetSubMenu(tray, 0), trayItems, 6);
    const MenuItem fileItems[] = {
        {IDM_IMPORT, "\xCC\xA7\xB2\xD9\x82\xA9\x82\xE7\x90\xDD\x92\xE8\x82\xF0\x93\xC7\x8D\x9E(&R)..."},
        {IDM_EXPORT, "\xCC\xA7\xB2\xD9\x82\xC9\x90\xDD\x92\xE8\x82\xF0\x95\xDB\x91\xB6(&W)..."},
    };
    ExpectMenu(GetSubMenu(GetSubMenu(tray, 0), 2), fileItems, 2);
    const MenuItem setupItems[] = {
        {IDM_EDIT, "\x95\xD2\x8FW...(&E)"},                                  // 編集...(&E)
        {IDM_NEW_SUBMENU, "\xBB\xCC\xDE\xD2\xC6\xAD\xB0\x82\xF0\x8D\xEC\x90\xAC...(&C)"},
        {IDM_HOTKEY, "\xB7\xB0\x82\xF0\x8A\x84\x82\xE8\x93\x96\x82\xC4...(&K)"},  // ｷｰを割り当て
        {0, ""},
        {IDM_CUT, "\x90\xD8\x82\xE8\x8E\xE6\x82\xE8(&T)\tCtrl+X"},          // 切り取り
        {IDM_COPY, "\xBA\xCB\xDF\xB0(&C)\tCtrl+C"},                          // ｺﾋﾟｰ
        {IDM_PASTE, "\x93\\\x82\xE8\x95t\x82\xAF(&P)\tCtrl+V"},              // 貼り付け
        {IDM_DELETE, "\x8D\xED\x8F\x9C(&D)\tDelete"},                       // 削除
        {0, ""},
        {IDM_EXIT, "\x90\xDD\x92\xE8\x8F" "I\x97\xB9(&X)"},                 // 設定終了
    };
    ExpectMenu(GetSubMenu(setup, 0), setupItems, 10);
    DestroyMenu(tray);
    DestroyMenu(setup);
}

TEST(Resources, AcceleratorsAreTheSetupWindowCommands)
{
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDA_SETUP));
    ASSERT_NE(nullptr, table);
    ACCEL entries[8];
    ASSERT_EQ(5, CopyAcceleratorTableA(table, entries, 8));
    const ACCEL expected[] = {
        {FVIRTKEY | FCONTROL | FNOINVERT, 'C', IDM_COPY},
        {FVIRTKEY | FCONTROL | FNOINVERT, 'V', IDM_PASTE},
        {FVIRTKEY | FCONTROL | FNOINVERT, 'X', IDM_CUT},
        {FVIRTKEY | FNOINVERT, VK_ESCAPE, IDM_CLEAR_CLIPBOARD},
        {FVIRTKEY | FNOINVERT, VK_DELETE, IDM_DELETE},
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].fVirt, entries[i].fVirt & ~0x80);  // 0x80: last-entry flag
        EXPECT_EQ(expected[i].key, entries[i].key);
        EXPECT_EQ(expected[i].cmd, entries[i].cmd);
    }
    DestroyAcceleratorTable(table);
}

TEST(Resources, IconCursorVersionAndManifestArePresent)
{
    HINSTANCE self = GetModuleHandleA(nullptr);
    EXPECT_NE(nullptr, LoadIconA(self, IDI_TAV));
    EXPECT_NE(nullptr, LoadCursorA(self, IDC_LINKCUR));

    HRSRC version = FindResourceA(self, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16));
    ASSERT_NE(nullptr, version);
    // VS_FIXEDFILEINFO follows the "VS_VERSION_INFO" key, aligned to 4 bytes.
    const BYTE* block = static_cast<const BYTE*>(LockResource(LoadResource(self, version)));
    const VS_FIXEDFILEINFO* fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(block + 40);
    ASSERT_EQ(0xFEEF04BDu, fixed->dwSignature);
    EXPECT_EQ(MAKELONG(55, 2), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(55, 2), fixed->dwProductVersionMS);

    HRSRC manifest = FindResourceA(self, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(nullptr, manifest);
    std::string text(static_cast<const char*>(LockResource(LoadResource(self, manifest))),
                     SizeofResource(self, manifest));
    EXPECT_NE(std::string::npos, text.find("Microsoft.Windows.Common-Controls"));
    EXPECT_NE(std::string::npos, text.find("version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, text.find("name=\"Tav\" version=\"2.55.0.0\""));
    EXPECT_NE(std::string::npos, text.find("level=\"asInvoker\""));
    EXPECT_NE(std::string::npos, text.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"));  // 10 and 11
    EXPECT_NE(std::string::npos, text.find(">true/pm</dpiAware>"));
    EXPECT_NE(std::string::npos, text.find(">PerMonitorV2,PerMonitor</dpiAwareness>"));
#ifdef _WIN64
    EXPECT_NE(std::string::npos, text.find("processorArchitecture=\"amd64\""));
#else
    EXPECT_NE(std::string::npos, text.find("processorArchitecture=\"X86\""));
#endif
}

// The version is set once in the build and carried into the string table
// (title line, tray tip) and the version resource's texts: they agree.
TEST(Resources, TheVersionTextAgreesWithTheVersionResource)
{
    char path[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, path, MAX_PATH));
    DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    ASSERT_NE(0u, size);
    std::string info(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, &info[0]));
    const char* names[] = {"\\StringFileInfo\\041103a4\\FileVersion",
                           "\\StringFileInfo\\041103a4\\ProductVersion"};
    for (const char* name : names) {
        void* text = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(&info[0], name, &text, &length)) << name;
        EXPECT_EQ(std::string("Ver") + static_cast<const char*>(text), ResString(IDS_VERSION))
            << name;
    }
}

}  // namespace

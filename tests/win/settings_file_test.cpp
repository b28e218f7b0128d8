/*
 * Settings-file export and import against the real (redirected) registry and
 * real files: a full round trip byte for byte, the text written, what each
 * failure leaves behind, files of the Win32 profile functions and files
 * written by hand, and hostile files.
 */
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/launcher_state.h"
#include "scratch_registry.h"
#include "store/ini_text.h"
#include "store/registry.h"
#include "store/settings.h"
#include "store/settings_file.h"

namespace {

const char kWindow[] = "Software\\orrel\\Tav\\Window";
const char kLaunch[] = "Software\\orrel\\Tav\\Launch";
const char kKey[] = "Software\\orrel\\Tav\\Key";

// Every value below HKEY_CURRENT_USER, as "key path\name" -> type and bytes,
// and every key path (values or not) with the empty name.
std::map<std::string, std::string> Snapshot(HKEY parent = HKEY_CURRENT_USER, const std::string& path = "")
{
    std::map<std::string, std::string> values;
    HKEY key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    values[path + "|"] = "key";
    std::vector<char> name(40000);
    std::vector<BYTE> data(1 << 20);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size()), type;
        if (RegEnumValueA(key, i, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS)
            break;
        values[path + "|" + name.data()] =
            std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data.data()), dataSize);
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        if (RegEnumKeyExA(key, i, name.data(), &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        std::map<std::string, std::string> below = Snapshot(key, name.data());
        for (auto& [subPath, value] : below)
            values[(path.empty() ? "" : path + "\\") + subPath] = value;
    }
    RegCloseKey(key);
    return values;
}

std::vector<std::string> KeyPaths()
{
    std::vector<std::string> paths;
    for (const auto& [path, value] : Snapshot())
        if (value == "key")
            paths.push_back(path.substr(0, path.size() - 1));
    std::sort(paths.begin(), paths.end());
    return paths;
}

// Below HKEY_CURRENT_USER there is nothing but the three keys and their parents.
void ExpectOnlyTheThreeKeys()
{
    const std::vector<std::string> allowed = {"", "Software", "Software\\orrel", "Software\\orrel\\Tav",
                                              kKey, kLaunch, kWindow};
    for (const std::string& path : KeyPaths())
        EXPECT_NE(allowed.end(), std::find(allowed.begin(), allowed.end(), path)) << path;
}

void PutString(const char* keyPath, const char* name, const std::string& text)
{
    PutRawValue(keyPath, name, REG_SZ, text.data(), static_cast<DWORD>(text.size()));
}

class SettingsFileTest : public RegistryTest {
protected:
    SettingsFileTest()
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        static int counter;
        folder_ = std::string(temp) + "TavSettingsFile-" + std::to_string(GetCurrentProcessId()) + "-"
                  + std::to_string(++counter);
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    ~SettingsFileTest() override
    {
        for (const std::string& name : Files()) {
            SetFileAttributesA((folder_ + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((folder_ + "\\" + name).c_str());
        }
        RemoveDirectoryA(folder_.c_str());
    }

    std::string Path(const char* name) const { return folder_ + "\\" + name; }

    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
        return names;
    }

    static void Write(const std::string& path, const std::string& text)
    {
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(nullptr, file);
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }

    static std::string Read(const std::string& path)
    {
        std::string text;
        if (FILE* file = std::fopen(path.c_str(), "rb")) {
            char chunk[4096];
            for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
                text.append(chunk, n);
            std::fclose(file);
        }
        return text;
    }

    std::string folder_;
};

// "ツール", "電卓", "深い" and "サブ" in code page 932.
const std::string kTools = "\x83\x63\x81\x5B\x83\x8B";
const std::string kCalculator = "\x93\x64\x91\xEC";
const std::string kDeep = "\x90\x5B\x82\xA2";
const std::string kSub = "\x83\x54\x83\x75";

TEST_F(SettingsFileTest, ExportThenImportIntoAnEmptyRegistryRestoresEveryValueByteForByte)
{
    LauncherState state;
    LoadSettings(&state);  // the defaults, with the 60-byte default font
    state.ShadowOffset = -3;
    state.MainColor = 0x00123456;
    state.AlphaBlend = 0;
    SaveSettings(&state);
    StoreWriteDword("Left", kWindow, static_cast<DWORD>(-20));
    StoreWriteDword("Top", kWindow, 0x80000000u);
    StoreWriteDword("Width", kWindow, 300);
    // A three-level tree: an entry, a submenu with an entry and a submenu.
    const std::pair<const char*, std::string> tree[] = {
        {"TitleA", "  Editor  "}, {"ExecA", "notepad.exe"}, {"FolderA", ""},
        {"TitleS", kTools}, {"ExecS", "-1"},
        {"TitleS1", kCalculator}, {"ExecS1", "calc.exe"}, {"FolderS1", "C:\\Windows"},
        {"SoundS1", "C:\\Media\\ding.wav"},
        {"TitleS2", kSub}, {"ExecS2", "-1"},
        {"TitleS2Z", kDeep}, {"ExecS2Z", "C:\\Program Files\\x.exe"}, {"OptionS2Z", "-a \"b = c\" ;d"}};
    for (const auto& [name, text] : tree)
        StoreWriteString(name, kLaunch, text.c_str());
    PutString(kLaunch, "TitleB", std::string("stored terminator\0", 18));
    StoreWriteDword("OpenHotKey", kKey, 84);
    StoreWriteDword("OpenHotKeyEx", kKey, 6);
    StoreWriteDword("CheckIME", kKey, 0);
    std::map<std::string, std::string> before = Snapshot();

    const std::string file = Path("settings.ini");
    ASSERT_EQ(1, ExportSettings(file.c_str()));
    const std::string text = Read(file);
    std::size_t window = text.find("[Window]\r\n"), launch = text.find("\r\n[Launch]\r\n"),
                key = text.find("\r\n[Key]\r\n");
    EXPECT_EQ(0u, window);
    EXPECT_TRUE(window < launch && launch < key && key != std::string::npos);
    for (const char* line : {"\r\nD:ShadowOffset=-3\r\n", "\r\nD:Top=-2147483648\r\n", "\r\nB:AlphaBlend=00\r\n",
                             "\r\nS:FolderA=\r\n", "\r\nS:TitleA=  Editor  \r\n", "\r\nS:TitleB=stored terminator\r\n",
                             "\r\nB:Font=1200000000000000000000000000000058020000000000800420021295578F8096BE92A9"
                             "000000000000000000000000000000000000000000000000\r\n"})
        EXPECT_NE(std::string::npos, text.find(line)) << line;

    RegDeleteTreeA(HKEY_CURRENT_USER, "Software");
    ASSERT_FALSE(KeyExists(kWindow));
    ASSERT_EQ(1, ImportSettings(file.c_str()));
    std::map<std::string, std::string> after = Snapshot();
    // A terminator stored after a text is not part of it; whether one is
    // stored again is the system's affair.
    for (auto* values : {&before, &after}) {
        std::string& title = (*values)[std::string(kLaunch) + "|TitleB"];
        if (!title.empty() && title.back() == '\0')
            title.pop_back();
    }
    EXPECT_EQ(before, after);
}

TEST_F(SettingsFileTest, ExportMergesIntoTheFileAndImportMergesIntoTheRegistry)
{
    const std::string file = Path("merge.ini");
    Write(file, "; my notes\r\n[Other]\r\nS:TitleA=not ours\r\n[Launch]\r\nS:TitleZ=stale\r\nS:titlea=old\r\n");
    StoreWriteDword("ShadowOffset", kWindow, static_cast<DWORD>(-3));
    StoreWriteString("TitleA", kLaunch, "");
    StoreWriteDword("OpenHotKey", kKey, 29);
    ASSERT_EQ(1, ExportSettings(file.c_str()));
    EXPECT_EQ("; my notes\r\n[Other]\r\nS:TitleA=not ours\r\n[Launch]\r\nS:TitleZ=stale\r\nS:titlea=\r\n"
              "[Window]\r\nD:ShadowOffset=-3\r\n[Key]\r\nD:OpenHotKey=29\r\n",
              Read(file));
    EXPECT_EQ(std::vector<std::string>{"merge.ini"}, Files()) << "no temporary file stays";

    // Values the file does not mention keep their content.
    StoreWriteString("TitleB", kLaunch, "kept");
    StoreWriteDword("ShadowOffset", kWindow, 5);
    ASSERT_EQ(1, ImportSettings(file.c_str()));
    char text[32];
    StoreReadString("TitleB", kLaunch, text, sizeof text, "?");
    EXPECT_STREQ("kept", text);
    StoreReadString("TitleZ", kLaunch, text, sizeof text, "?");
    EXPECT_STREQ("stale", text);
    DWORD offset = 0;
    StoreReadDword("ShadowOffset", kWindow, &offset, 0);
    EXPECT_EQ(0xFFFFFFFDu, offset);
}

TEST_F(SettingsFileTest, ImportStopsAtTheFirstFailingSectionAndKeepsTheSectionsBeforeIt)
{
    EXPECT_EQ(0, ImportSettings(Path("missing.ini").c_str()));
    Write(Path("empty.ini"), "");
    EXPECT_EQ(0, ImportSettings(Path("empty.ini").c_str()));
    EXPECT_EQ(0u, FileSizeOf(Path("empty.ini").c_str()));
    EXPECT_TRUE(KeyPaths().size() == 1) << "nothing written, not even a key";

    const std::string locked = Path("locked.ini");
    Write(locked, "[Window]\r\nD:MainColor=1\r\n");
    EXPECT_EQ(25u, FileSizeOf(locked.c_str()));
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_EQ(0u, FileSizeOf(locked.c_str()));
    EXPECT_EQ(0, ImportSettings(locked.c_str()));
    CloseHandle(holder);
    EXPECT_FALSE(KeyExists(kWindow));

    for (const char* launch : {"", "[Launch]\r\n", "[Launch]\r\nno equals sign\r\nS:TitleA=x\r\n"}) {
        const std::string file = Path("partial.ini");
        Write(file, std::string("[Window]\r\nD:MainColor=7\r\n") + launch + "[Key]\r\nD:OpenHotKey=5\r\n");
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software");
        EXPECT_EQ(0, ImportSettings(file.c_str())) << launch;
        DWORD color = 0;
        StoreReadDword("MainColor", kWindow, &color, 0);
        EXPECT_EQ(7u, color) << "the section before stays imported";
        EXPECT_FALSE(KeyExists(kKey)) << "the section after is not read";
        DWORD type;
        std::string data;
        EXPECT_FALSE(GetRawValue(kLaunch, "TitleA", &type, &data));
    }
}

TEST_F(SettingsFileTest, ExportFailuresReportZeroAndNeverLeaveAHalfWrittenFile)
{
    const std::string file = Path("export.ini");
    StoreWriteDword("MainColor", kWindow, 1);
    StoreWriteDword("OpenHotKey", kKey, 29);
    EXPECT_EQ(0, ExportSettings(file.c_str())) << "no Launch key";
    EXPECT_EQ("[Window]\r\nD:MainColor=1\r\n", Read(file));

    // A Launch key without values writes no section; such a file then fails
    // to import at [Launch].
    HKEY launch;
    RegCreateKeyExA(HKEY_CURRENT_USER, kLaunch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &launch, nullptr);
    RegCloseKey(launch);
    EXPECT_EQ(1, ExportSettings(file.c_str()));
    EXPECT_EQ("[Window]\r\nD:MainColor=1\r\n[Key]\r\nD:OpenHotKey=29\r\n", Read(file));
    EXPECT_EQ(0, ImportSettings(file.c_str()));

    // Values that cannot be a line of the file.
    for (DWORD type : {static_cast<DWORD>(REG_MULTI_SZ), static_cast<DWORD>(REG_EXPAND_SZ)}) {
        DeleteFileA(file.c_str());
        PutRawValue(kLaunch, "Odd", type, "x\0", 3);
        EXPECT_EQ(0, ExportSettings(file.c_str()));
        EXPECT_EQ("[Window]\r\nD:MainColor=1\r\n", Read(file));
    }
    DeleteFileA(file.c_str());
    PutString(kLaunch, "Odd", "two\r\nlines");
    EXPECT_EQ(0, ExportSettings(file.c_str()));
    EXPECT_EQ(std::string::npos, Read(file).find("lines"));
    StoreDeleteValue(kLaunch, "Odd");
    PutString(kLaunch, "a=b", "x");
    EXPECT_EQ(0, ExportSettings(file.c_str())) << "\"=\" in a name";
    StoreDeleteValue(kLaunch, "a=b");

    // A read-only file and a missing folder are left as they are.
    Write(file, "before");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0, ExportSettings(file.c_str()));
    EXPECT_EQ("before", Read(file));
    EXPECT_EQ(0, ExportSettings(Path("no such folder\\x.ini").c_str()));
    EXPECT_EQ(std::vector<std::string>{"export.ini"}, Files()) << "no temporary file stays";
}

TEST_F(SettingsFileTest, FilesOfTheProfileFunctionsAndFilesWrittenByHandImport)
{
    const std::string profile = Path("profile.ini");
    WritePrivateProfileStringA("Window", "D:ShadowOffset", "-3", profile.c_str());
    WritePrivateProfileStringA("Window", "B:AlphaBlend", "7F", profile.c_str());
    WritePrivateProfileStringA("Launch", "S:TitleS", kTools.c_str(), profile.c_str());
    WritePrivateProfileStringA("Launch", "S:ExecS", "-1", profile.c_str());
    WritePrivateProfileStringA("Key", "D:OpenHotKey", "29", profile.c_str());
    ASSERT_EQ(1, ImportSettings(profile.c_str()));
    char title[33];
    StoreReadString("TitleS", kLaunch, title, 32, "");
    EXPECT_EQ(kTools, title);

    // Tav's file, read and changed by the profile functions, imports again.
    const std::string own = Path("own.ini");
    ASSERT_EQ(1, ExportSettings(own.c_str()));
    const std::string ownText = Read(own);
    for (const char* name : {"Window", "Launch", "Key"}) {
        char section[256] = {};
        DWORD length = GetPrivateProfileSectionA(name, section, sizeof section, own.c_str());
        EXPECT_EQ(ReadIniSection(ownText.data(), ownText.size(), name, CodePage932()),
                  std::string(section, length + 1))
            << name;
    }
    WritePrivateProfileStringA("Launch", "S:TitleS", "Changed", own.c_str());
    ASSERT_EQ(1, ImportSettings(own.c_str()));
    StoreReadString("TitleS", kLaunch, title, 32, "");
    EXPECT_STREQ("Changed", title);

    // By hand: line feeds only, comments, blanks, lower-case hex, unknown types.
    const std::string hand = Path("hand.ini");
    Write(hand, "; written by hand\n\n[window]\nB:AlphaBlend=7f\nB:Odd=7\nX:Name=1\n"
                "[LAUNCH]\n  S:TitleA=Editor\nS:ExecA=\n[Key]\nD:CheckIME=-1\n");
    ASSERT_EQ(1, ImportSettings(hand.c_str()));
    DWORD type;
    std::string data;
    ASSERT_TRUE(GetRawValue(kWindow, "AlphaBlend", &type, &data));
    EXPECT_EQ(std::string("\x7F"), data);
    ASSERT_TRUE(GetRawValue(kWindow, "Odd", &type, &data));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(0u, data.size());
    ASSERT_TRUE(GetRawValue(kLaunch, "ExecA", &type, &data));
    EXPECT_EQ(0u, data.size()) << "an empty string is a zero-length REG_SZ";
    ASSERT_TRUE(GetRawValue(kKey, "CheckIME", &type, &data));
    EXPECT_EQ(std::string("\xFF\xFF\xFF\xFF"), data);
    EXPECT_FALSE(GetRawValue(kWindow, "Name", &type, &data));
}

TEST_F(SettingsFileTest, HostileFilesGiveACleanResultAndWriteOnlyTheThreeKeys)
{
    std::string text = "[Window]\r\nD:MainColor=5\r\n";
    const std::string filler = "X:Name=" + std::string(90, 'x') + "\r\n";
    while (text.size() < 10 * 1024 * 1024)
        text += filler;
    text += "[Launch]\r\nS:Long=" + std::string(100000, 'y') + "\r\n";
    text += "S:" + std::string(20000, 'n') + "=longer than any value name\r\n";
    text += "S:..\\..\\..\\Evil=1\r\nS:Software\\Evil=1\r\nB:Odd=ABC\r\nB:Junk=\x01\xFF\x80zz\r\n";
    for (int i = 0; i < 4096; ++i)
        text.push_back(static_cast<char>((i * 7919 + 13) % 251));
    text += "\r\n[Key]\r\n\x83\x5D";
    text.push_back('\0');  // the rest of the line is not read
    text += "garbage=1\r\nD:OpenHotKey=99999999999999999999\r\n";
    const std::string file = Path("hostile.ini");
    Write(file, text);
    ImportSettings(file.c_str());  // whatever the result, it must come back

    DWORD type;
    std::string data;
    DWORD color = 0;
    StoreReadDword("MainColor", kWindow, &color, 0);
    EXPECT_EQ(5u, color);
    ASSERT_TRUE(GetRawValue(kLaunch, "Long", &type, &data));
    EXPECT_EQ(std::string(100000, 'y'), data.substr(0, data.find('\0')));
    EXPECT_TRUE(GetRawValue(kLaunch, "..\\..\\..\\Evil", &type, &data)) << "a name is only a name";
    ASSERT_TRUE(GetRawValue(kLaunch, "Odd", &type, &data));
    EXPECT_EQ(std::string("\xAB"), data);
    ExpectOnlyTheThreeKeys();

    // The longest value name the registry takes goes out and comes back.
    const std::string longest(16383, 'L');
    PutString(kLaunch, longest.c_str(), "x");
    const std::string names = Path("names.ini");
    ASSERT_EQ(1, ExportSection(names.c_str(), kLaunch, "Launch"));
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software");
    ASSERT_EQ(1, ImportSection(names.c_str(), "Launch", kLaunch));
    EXPECT_TRUE(GetRawValue(kLaunch, longest.c_str(), &type, &data));

    std::string garbage;
    for (int i = 0; i < 65536; ++i)
        garbage.push_back(static_cast<char>((i * 2654435761u) >> 13));
    Write(file, garbage);
    ImportSettings(file.c_str());
    ExpectOnlyTheThreeKeys();
}

TEST_F(SettingsFileTest, FilesWithAByteOrderMarkImportConvertedAndAreNotWrittenInto)
{
    // UTF-8 with a mark, as an editor may save the file: "ツール" in UTF-8.
    const std::string utf8 = Path("utf8.ini");
    Write(utf8, "\xEF\xBB\xBF[Window]\r\nD:MainColor=1\r\n[Launch]\r\nS:TitleS=\xE3\x83\x84\xE3\x83\xBC\xE3\x83\xAB\r\n"
                "[Key]\r\nD:CheckIME=0\r\n");
    ASSERT_EQ(1, ImportSettings(utf8.c_str()));
    char title[33];
    StoreReadString("TitleS", kLaunch, title, 32, "");
    EXPECT_EQ(kTools, title);

    const std::string utf16 = Path("utf16.ini");
    const std::string wide("\xFF\xFE[\0K\0e\0y\0]\0\r\0\n\0D\0:\0X\0=\0""1\0\r\0\n\0", 30);
    Write(utf16, wide);
    EXPECT_EQ(1, ImportSection(utf16.c_str(), "Key", kKey));
    EXPECT_EQ(0, ExportSettings(utf16.c_str()));
    EXPECT_EQ(wide, Read(utf16));
}

}  // namespace

/*
 * Settings-file export and import against the real (redirected) registry and
 * real files: a full round trip byte for byte, the text written, what each
 * failure leaves behind, files of the Win32 profile functions and files
 * written by hand, and hostile files.
 */
#include <windows.h>
#include <sddl.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "base/launcher_state.h"
#include "scratch_folder.h"
#include "scratch_registry.h"
#include "store/ini_file.h"
#include "store/portable/ini_text.h"
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

// Below HKEY_CURRENT_USER there is nothing but the three keys and their parents.
void ExpectOnlyTheThreeKeys()
{
    const std::set<std::string> allowed = {"", "Software", "Software\\orrel", "Software\\orrel\\Tav",
                                           kKey, kLaunch, kWindow};
    for (const auto& [path, value] : Snapshot()) {
        if (value == "key") {
            EXPECT_EQ(1u, allowed.count(path.substr(0, path.size() - 1))) << path;
        }
    }
}

void PutString(const char* keyPath, const char* name, const std::string& text)
{
    PutRawValue(keyPath, name, REG_SZ, text.data(), static_cast<DWORD>(text.size()));
}

class SettingsFileTest : public RegistryTest {
protected:
    std::string Path(const char* name) const { return scratch_.Path(name); }
    std::vector<std::string> Files() const { return scratch_.Files(); }
    static void Write(const std::string& path, const std::string& text) { ASSERT_TRUE(WriteBytes(path, text)); }
    static std::string Read(const std::string& path) { return ReadBytes(path); }

    ScratchFolder scratch_;
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
        {"TitleA", "Editor"}, {"ExecA", "notepad.exe"}, {"FolderA", ""},
        {"TitleS", kTools}, {"ExecS", "-1"},
        {"TitleS1", kCalculator}, {"ExecS1", "calc.exe"}, {"FolderS1", "C:\\Windows"},
        {"SoundS1", "C:\\Media\\ding.wav"},
        {"TitleS2", kSub}, {"ExecS2", "-1"},
        {"TitleS2Z", kDeep}, {"ExecS2Z", "C:\\Program Files\\x.exe"}, {"OptionS2Z", "-a \"b = c\" ;d"}};
    for (const auto& [name, text] : tree)
        PutString(kLaunch, name, text);
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
                             "\r\nS:ExecA=notepad.exe\r\n", "\r\nS:TitleB=stored terminator\r\n"})
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
    PutString(kLaunch, "TitleA", "");
    StoreWriteDword("OpenHotKey", kKey, 29);
    ASSERT_EQ(1, ExportSettings(file.c_str()));
    EXPECT_EQ("; my notes\r\n[Other]\r\nS:TitleA=not ours\r\n[Launch]\r\nS:TitleZ=stale\r\nS:titlea=\r\n"
              "[Window]\r\nD:ShadowOffset=-3\r\n[Key]\r\nD:OpenHotKey=29\r\n",
              Read(file));
    EXPECT_EQ(std::vector<std::string>{"merge.ini"}, Files()) << "no temporary file stays";

    // Values the file does not mention keep their content.
    PutString(kLaunch, "TitleB", "kept");
    StoreWriteDword("ShadowOffset", kWindow, 5);
    ASSERT_EQ(1, ImportSettings(file.c_str()));
    EXPECT_EQ(Typed(REG_SZ, "kept"), StoredValue(kLaunch, "TitleB"));
    EXPECT_EQ(Typed(REG_SZ, "stale"), StoredValue(kLaunch, "TitleZ"));
    EXPECT_EQ(TypedDword(static_cast<DWORD>(-3)), StoredValue(kWindow, "ShadowOffset"));
}

TEST_F(SettingsFileTest, ImportStopsAtTheFirstFailingSectionAndKeepsTheSectionsBeforeIt)
{
    EXPECT_EQ(0, ImportSettings(Path("missing.ini").c_str()));
    Write(Path("empty.ini"), "");
    EXPECT_EQ(0, ImportSettings(Path("empty.ini").c_str()));
    EXPECT_EQ(1u, Snapshot().size()) << "nothing written, not even a key";

    // A file that another program holds open is not read.
    const std::string locked = Path("locked.ini");
    Write(locked, "[Window]\r\nD:MainColor=1\r\n");
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_EQ(0, ImportSettings(locked.c_str()));
    CloseHandle(holder);
    EXPECT_FALSE(KeyExists(kWindow));

    for (const char* launch : {"", "[Launch]\r\n", "[Launch]\r\nno equals sign\r\nS:TitleA=x\r\n"}) {
        const std::string file = Path("partial.ini");
        Write(file, std::string("[Window]\r\nD:MainColor=7\r\n") + launch + "[Key]\r\nD:OpenHotKey=5\r\n");
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software");
        EXPECT_EQ(0, ImportSettings(file.c_str())) << launch;
        EXPECT_EQ(TypedDword(7), StoredValue(kWindow, "MainColor"))
            << "the section before stays imported";
        EXPECT_EQ("missing", StoredValue(kLaunch, "TitleA"));
        EXPECT_FALSE(KeyExists(kKey)) << "the section after is not read";
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
    StoreCreateKey(kLaunch);
    EXPECT_EQ(1, ExportSettings(file.c_str()));
    EXPECT_EQ("[Window]\r\nD:MainColor=1\r\n[Key]\r\nD:OpenHotKey=29\r\n", Read(file));
    EXPECT_EQ(0, ImportSettings(file.c_str()));

    // Values that cannot be a line of the file: nothing of the section is written.
    const struct {
        DWORD Type;
        const char* Name;
        std::string Data;
    } odd[] = {
        {REG_MULTI_SZ, "Odd", std::string("x\0\0", 3)},
        {REG_EXPAND_SZ, "Odd", "x"},
        {REG_SZ, "Odd", "two\r\nlines"},
        {REG_SZ, "Odd", "a lone\rreturn"},
        {REG_SZ, "a=b", "x"},
        {REG_SZ, "Title ", "x"},
    };
    for (const auto& value : odd) {
        DeleteFileA(file.c_str());
        PutRawValue(kLaunch, value.Name, value.Type, value.Data.data(), static_cast<DWORD>(value.Data.size()));
        EXPECT_EQ(0, ExportSettings(file.c_str())) << value.Data;
        EXPECT_EQ("[Window]\r\nD:MainColor=1\r\n", Read(file));
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kLaunch, value.Name);
    }

    // A read-only file and a missing folder are left as they are.
    Write(file, "before");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0, ExportSettings(file.c_str()));
    EXPECT_EQ("before", Read(file));
    EXPECT_EQ(0, ExportSettings(Path("no such folder\\x.ini").c_str()));
    EXPECT_EQ(std::vector<std::string>{"export.ini"}, Files()) << "no temporary file stays";
}

TEST_F(SettingsFileTest, FilesOfTheProfileFunctionsAndWrittenByHandImport)
{
    const std::string profile = Path("profile.ini");
    WritePrivateProfileStringA("Window", "D:ShadowOffset", "-3", profile.c_str());
    WritePrivateProfileStringA("Window", "B:AlphaBlend", "7F", profile.c_str());
    WritePrivateProfileStringA("Launch", "S:TitleS", kTools.c_str(), profile.c_str());
    WritePrivateProfileStringA("Launch", "S:ExecS", "-1", profile.c_str());
    WritePrivateProfileStringA("Key", "D:OpenHotKey", "29", profile.c_str());
    ASSERT_EQ(1, ImportSettings(profile.c_str()));
    EXPECT_EQ(Typed(REG_SZ, kTools), StoredValue(kLaunch, "TitleS"));

    // Tav's file, read and changed by the profile functions, imports again.
    const std::string own = Path("own.ini");
    ASSERT_EQ(1, ExportSettings(own.c_str()));
    const std::string ownText = Read(own);
    for (const char* name : {"Window", "Launch", "Key"}) {
        char section[256] = {};
        DWORD length = GetPrivateProfileSectionA(name, section, sizeof section, own.c_str());
        EXPECT_EQ(ReadIniSection(ownText.data(), ownText.size(), name, CodePageOf(IniFileText())),
                  std::string(section, length + 1))
            << name;
    }
    WritePrivateProfileStringA("Launch", "S:TitleS", "Changed", own.c_str());
    ASSERT_EQ(1, ImportSettings(own.c_str()));
    EXPECT_EQ(Typed(REG_SZ, "Changed"), StoredValue(kLaunch, "TitleS"));

    // By hand: line feeds only, comments, blanks, lower-case hex, unknown types.
    const std::string hand = Path("hand.ini");
    Write(hand, "; written by hand\n\n[window]\nB:AlphaBlend=7f\nB:Odd=7\nX:Name=1\n"
                "[LAUNCH]\n  S:TitleA=Editor\nS:ExecA=\n[Key]\nD:CheckIME=-1\n");
    ASSERT_EQ(1, ImportSettings(hand.c_str()));
    EXPECT_EQ(Typed(REG_BINARY, "\x7F"), StoredValue(kWindow, "AlphaBlend"));
    EXPECT_EQ(Typed(REG_BINARY, ""), StoredValue(kWindow, "Odd"));
    EXPECT_EQ(Typed(REG_SZ, "Editor"), StoredValue(kLaunch, "TitleA"));
    EXPECT_EQ(Typed(REG_SZ, ""), StoredValue(kLaunch, "ExecA")) << "an empty string is a zero-length REG_SZ";
    EXPECT_EQ(TypedDword(0xFFFFFFFF), StoredValue(kKey, "CheckIME"));
    EXPECT_EQ("missing", StoredValue(kWindow, "Name"));
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

    EXPECT_EQ(TypedDword(5), StoredValue(kWindow, "MainColor"));
    EXPECT_TRUE(Typed(REG_SZ, std::string(100000, 'y')) == StoredValue(kLaunch, "Long"));
    EXPECT_EQ(Typed(REG_SZ, "1"), StoredValue(kLaunch, "..\\..\\..\\Evil")) << "a name is only a name";
    EXPECT_EQ(Typed(REG_BINARY, "\xAB"), StoredValue(kLaunch, "Odd"));
    ExpectOnlyTheThreeKeys();

    // The longest value name the registry takes goes out and comes back.
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software");
    const std::string longest(16383, 'L');
    StoreWriteDword("MainColor", kWindow, 1);
    PutString(kLaunch, longest.c_str(), "x");
    StoreWriteDword("OpenHotKey", kKey, 1);
    const std::string names = Path("names.ini");
    ASSERT_EQ(1, ExportSettings(names.c_str()));
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software");
    ASSERT_EQ(1, ImportSettings(names.c_str()));
    EXPECT_EQ(Typed(REG_SZ, "x"), StoredValue(kLaunch, longest.c_str()));

    std::string garbage;
    for (int i = 0; i < 65536; ++i)
        garbage.push_back(static_cast<char>((i * 2654435761u) >> 13));
    Write(file, garbage);
    ImportSettings(file.c_str());
    ExpectOnlyTheThreeKeys();
}

// The import as it runs over the profile functions: each section as
// GetPrivateProfileSectionA gives it.
int ImportWithProfileFunctions(const std::string& file)
{
    const std::pair<const char*, const char*> sections[] = {{"Window", kWindow}, {"Launch", kLaunch}, {"Key", kKey}};
    for (const auto& [section, keyPath] : sections) {
        std::vector<char> lines(1 << 20);
        DWORD length = GetPrivateProfileSectionA(section, lines.data(), static_cast<DWORD>(lines.size()), file.c_str());
        if (!ImportIniLines(lines.data(), length + 1, keyPath))
            return 0;
    }
    return 1;
}

// Imports the file into an empty registry through the profile functions and
// again with Tav: the same values, among them the expected ones
// ("key path|name" -> Typed value).
void ExpectBothImportsGive(const std::string& file, const std::map<std::string, std::string>& expected)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software");
    ASSERT_EQ(1, ImportWithProfileFunctions(file));
    const std::map<std::string, std::string> byProfile = Snapshot();
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software");
    ASSERT_EQ(1, ImportSettings(file.c_str()));
    EXPECT_EQ(byProfile, Snapshot());
    for (const auto& [path, value] : expected) {
        std::size_t bar = path.find('|');
        EXPECT_EQ(value, StoredValue(path.substr(0, bar).c_str(), path.substr(bar + 1).c_str())) << path;
    }
}

// "表" and "ソ": second bytes 0x5C, the backslash.
const std::string kHyo = "\x95\x5C", kSo = "\x83\x5C";

// A UTF-8 text as a file in UTF-16 LE with its mark.
std::string Utf16File(const std::string& utf8)
{
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], static_cast<int>(wide.size()))));
    std::string bytes = "\xFF\xFE";
    for (wchar_t unit : wide) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// Files as users edit them and as editors convert them.  Each is read by Tav
// and by the profile functions into an empty registry with the same result;
// then Tav exports into it, and both read back what was exported.
TEST_F(SettingsFileTest, HandEditedAndConvertedFilesReadAndWriteAsWithTheProfileFunctions)
{
    const std::string tail = "S:ExecA=notepad.exe\r\n[Key]\r\nD:OpenHotKey=29\r\n";
    const std::string window = std::string(kWindow) + "|", launch = std::string(kLaunch) + "|",
                      key = std::string(kKey) + "|";
    const struct {
        const char* Name;
        std::string Bytes;
        std::map<std::string, std::string> Expected;  // besides ExecA and OpenHotKey
    } files[] = {
        {"blanks", "[Window]\r\n  D:MainColor = 255 \r\n\tB:AlphaBlend =\t7f\r\n[ Launch ]\r\nS:TitleA =  Editor  \r\n"
                   "S:ExecA= notepad.exe\r\n[Key]\r\nD:OpenHotKey = 29\r\n",
         {{window + "MainColor", TypedDword(255)}, {window + "AlphaBlend", Typed(REG_BINARY, "\x7F")},
          {launch + "TitleA", Typed(REG_SZ, "Editor")}}},
        {"line feeds", "[Window]\nD:MainColor=255\n[Launch]\nS:ExecA=notepad.exe\n[Key]\nD:OpenHotKey=29\n",
         {{window + "MainColor", TypedDword(255)}}},
        {"lone returns", "[Window]\rD:MainColor=255\r[Launch]\rS:ExecA=notepad.exe\r[Key]\rD:OpenHotKey=29",
         {{window + "MainColor", TypedDword(255)}}},
        {"double returns", "[Window]\r\r\nD:MainColor=255\r\r\n[Launch]\r\r\nS:ExecA=notepad.exe\r\r\n[Key]\r\r\n"
                           "D:OpenHotKey=29\r\r\n",
         {{window + "MainColor", TypedDword(255)}}},
        // "表ソ" in UTF-8.
        {"UTF-8 with a mark", "\xEF\xBB\xBF[Window]\r\nD:MainColor=255\r\n[Launch]\r\nS:TitleA=\xE8\xA1\xA8\xE3\x82\xBD\r\n" + tail,
         {{window + "MainColor", TypedDword(255)}, {launch + "TitleA", Typed(REG_SZ, kHyo + kSo)}}},
        {"UTF-16 with a mark", Utf16File("[Window]\r\nD:MainColor=255\r\n[Launch]\r\nS:TitleA=\xE8\xA1\xA8\xE3\x82\xBD\r\n" + tail),
         {{window + "MainColor", TypedDword(255)}, {launch + "TitleA", Typed(REG_SZ, kHyo + kSo)}}},
        {"duplicates", "[Window]\r\nD:MainColor=1\r\nD:maincolor=2\r\n[window]\r\nD:MainColor=3\r\nD:Other=4\r\n[Launch]\r\n"
                           + tail,
         {{window + "MainColor", TypedDword(2)}, {window + "Other", "missing"}}},
        {"comments", "; saved by hand\r\n[Window]\r\n; D:MainColor=1\r\n\r\n  \t\r\nD:MainColor=255\r\n  ;D:Other=4\r\n"
                         "[Launch]\r\n" + tail,
         {{window + "MainColor", TypedDword(255)}, {window + "Other", "missing"}}},
        {"0x5C second bytes", "[Window]\r\nD:MainColor=255\r\n[Launch]\r\nS:Title" + kHyo + "=" + kSo + "\r\nS:TitleB=C:\\" + kHyo
                                  + "\\" + kSo + "\r\n" + tail,
         {{launch + "Title" + kHyo, Typed(REG_SZ, kSo)}, {launch + "TitleB", Typed(REG_SZ, "C:\\" + kHyo + "\\" + kSo)}}},
    };
    // What the export writes into each file.
    const std::map<std::string, std::string> exported = {
        {window + "MainColor", TypedDword(0x123456)}, {window + "AlphaBlend", Typed(REG_BINARY, "\x80")},
        {window + "ShadowOffset", TypedDword(static_cast<DWORD>(-3))}, {launch + "TitleA", Typed(REG_SZ, kHyo + kSo)},
        {launch + "ExecA", Typed(REG_SZ, "C:\\" + kHyo + "\\" + kSo + ".exe")}, {launch + "Title" + kHyo, Typed(REG_SZ, "x")},
        {key + "OpenHotKey", TypedDword(84)}};

    for (const auto& c : files) {
        SCOPED_TRACE(c.Name);
        const std::string file = Path("hand.ini");
        Write(file, c.Bytes);
        std::map<std::string, std::string> expected = c.Expected;
        expected.emplace(launch + "ExecA", Typed(REG_SZ, "notepad.exe"));
        expected.emplace(key + "OpenHotKey", TypedDword(29));
        ExpectBothImportsGive(file, expected);

        RegDeleteTreeA(HKEY_CURRENT_USER, "Software");
        for (const auto& [path, value] : exported) {
            std::size_t bar = path.find('|'), colon = value.find(':');
            const std::string data = value.substr(colon + 1);
            PutRawValue(path.substr(0, bar).c_str(), path.substr(bar + 1).c_str(), std::stoul(value.substr(0, colon)),
                        data.data(), static_cast<DWORD>(data.size()));
        }
        ASSERT_EQ(1, ExportSettings(file.c_str()));
        // The first line of a key, which is the one GetPrivateProfileStringA reads, has the value.
        char first[64];
        GetPrivateProfileStringA("Window", "D:MainColor", "", first, sizeof first, file.c_str());
        EXPECT_STREQ("1193046", first);
        ExpectBothImportsGive(file, exported);
    }
}

TEST_F(SettingsFileTest, ExportKeepsTheFileItWritesAndLeavesNoTemporaryFile)
{
    StoreWriteDword("MainColor", kWindow, 1);
    PutString(kLaunch, "TitleA", kHyo + kSo);
    StoreWriteDword("OpenHotKey", kKey, 29);
    const std::string lines = "[Window]\r\nD:MainColor=1\r\n[Launch]\r\nS:TitleA=" + kHyo + kSo + "\r\n[Key]\r\nD:OpenHotKey=29\r\n";
    const std::string file = Path("kept.ini"), temporary = file + ".tavtmp";

    // A hidden file stays hidden; a read-only file that bears the temporary
    // file's name is not Tav's to remove.
    Write(file, "[Other]\r\n");
    Write(temporary, "the user's");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(1, ExportSettings(file.c_str()));
    EXPECT_EQ("[Other]\r\n" + lines, Read(file));
    EXPECT_EQ(DWORD{FILE_ATTRIBUTE_HIDDEN}, GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ("the user's", Read(temporary));
    SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(temporary.c_str());
    EXPECT_EQ(std::vector<std::string>{"kept.ini"}, Files());

    // Held open by a program that shares reading and writing but not
    // deletion, so it cannot be replaced: it is rewritten in place.
    HANDLE holder = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    StoreWriteDword("MainColor", kWindow, 2);
    EXPECT_EQ(1, ExportSettings(file.c_str()));
    CloseHandle(holder);
    EXPECT_EQ("[Other]\r\n[Window]\r\nD:MainColor=2\r\n" + lines.substr(lines.find("[Launch]")), Read(file));
    EXPECT_EQ(std::vector<std::string>{"kept.ini"}, Files());

    // UTF-8 with a mark stays UTF-8, with the lines of characters beyond code
    // page 932 ("한글") as they were; "表ソ" goes out in UTF-8.
    const std::string utf8 = Path("utf8.ini");
    Write(utf8, "\xEF\xBB\xBF; \xED\x95\x9C\xEA\xB8\x80\r\n[Window]\r\nD:MainColor=0\r\n");
    ASSERT_EQ(1, ExportSettings(utf8.c_str()));
    EXPECT_EQ("\xEF\xBB\xBF; \xED\x95\x9C\xEA\xB8\x80\r\n[Window]\r\nD:MainColor=2\r\n[Launch]\r\nS:TitleA=\xE8\xA1\xA8\xE3\x82\xBD\r\n"
              "[Key]\r\nD:OpenHotKey=29\r\n",
              Read(utf8));
}

// A failed write into the temporary file or in place (the file held open
// without delete sharing, or a range of it locked) leaves the old text; a
// file with a second hard link gets the new text under both names.
TEST_F(SettingsFileTest, AFailedWriteLeavesTheOldTextAndLinkedFilesGetTheNew)
{
    StoreWriteDword("MainColor", kWindow, 1);
    PutString(kLaunch, "ExecA", "x");
    StoreWriteDword("OpenHotKey", kKey, 1);
    const std::string file = Path("held.ini"), link = Path("link.ini");
    const IniWriteFault fail = [](HANDLE) { return false; };
    const struct {
        bool Held, Locked;
        IniWriteFault Fault;
    } rows[] = {{false, false, fail}, {true, false, fail}, {true, true, nullptr}};
    for (const auto& r : rows) {
        Write(file, "[Other]\r\n");
        const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | (r.Held ? 0 : FILE_SHARE_DELETE);
        HANDLE holder = CreateFileA(file.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
        OVERLAPPED range = {};
        EXPECT_EQ(r.Locked, r.Locked && LockFileEx(holder, LOCKFILE_FAIL_IMMEDIATELY, 0, 3, 0, &range));
        SetIniWriteFault(r.Fault);
        EXPECT_EQ(0, ExportSettings(file.c_str())) << r.Held << r.Locked;
        SetIniWriteFault(nullptr);
        CloseHandle(holder);
        EXPECT_EQ("[Other]\r\n", Read(file)) << r.Held << r.Locked;
        EXPECT_EQ(std::vector<std::string>{"held.ini"}, Files());
    }
    ASSERT_TRUE(CreateHardLinkA(link.c_str(), file.c_str(), nullptr));
    ASSERT_EQ(1, ExportSettings(file.c_str()));
    EXPECT_EQ("[Other]\r\n[Window]\r\nD:MainColor=1\r\n[Launch]\r\nS:ExecA=x\r\n[Key]\r\nD:OpenHotKey=1\r\n", Read(link));
}

// A symbolic link as the system makes it (on Windows with the right to), or
// under Wine as a link of the Unix file system below, made by ln.
bool MakeLink(const std::string& folder, const char* link, const char* target)
{
    const std::string path = folder + "\\" + link;
    if (CreateSymbolicLinkA(path.c_str(), target, SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)
        && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    std::string command = std::string("/bin/ln -s ") + target + " " + link;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA("Z:\\bin\\ln", &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Wine's handle of a Unix process does not wait for its end.
    for (int i = 0; i < 500 && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(10);
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST_F(SettingsFileTest, ExportWritesThroughASymbolicLinkToItsTarget)
{
    Write(Path("target.ini"), "[Other]\r\n");
    if (!MakeLink(scratch_.Folder(), "link.ini", "target.ini"))
        GTEST_SKIP() << "no symbolic links here";
    StoreWriteDword("MainColor", kWindow, 1);
    PutString(kLaunch, "ExecA", "x");
    StoreWriteDword("OpenHotKey", kKey, 1);
    ASSERT_EQ(1, ExportSettings(Path("link.ini").c_str()));
    EXPECT_EQ("[Other]\r\n[Window]\r\nD:MainColor=1\r\n[Launch]\r\nS:ExecA=x\r\n[Key]\r\nD:OpenHotKey=1\r\n",
              Read(Path("target.ini")));
    EXPECT_EQ(Read(Path("target.ini")), Read(Path("link.ini")));
    DeleteFileA(Path("link.ini").c_str());
}

TEST_F(SettingsFileTest, FilesLargerThan16MBAreRefusedBeforeAnythingIsWritten)
{
    const std::string sections = "[Window]\r\nD:MainColor=5\r\n[Launch]\r\nS:ExecA=x\r\n[Key]\r\nD:OpenHotKey=1\r\n";
    const std::string file = Path("large.ini");
    std::string text = sections + ";" + std::string(16 * 1024 * 1024 - sections.size() - 3, 'x') + "\r\n";
    Write(file, text);
    EXPECT_EQ(1, ImportSettings(file.c_str())) << "16 MB exactly";
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software");
    Write(file, text + ";");
    EXPECT_EQ(0, ImportSettings(file.c_str()));
    EXPECT_EQ(1u, Snapshot().size()) << "nothing written, not even a key";
    StoreWriteDword("MainColor", kWindow, 6);
    EXPECT_EQ(0, ExportSettings(file.c_str()));
    EXPECT_EQ(text.size() + 1, Read(file).size());
}

TEST_F(SettingsFileTest, ImportFailsAtASectionWhoseValuesTheRegistryRefuses)
{
    const std::string file = Path("refused.ini");
    Write(file, "[Window]\r\nD:MainColor=5\r\n[Launch]\r\nS:ExecA=x\r\n[Key]\r\nD:OpenHotKey=1\r\n");
    // The Launch key readable, not writable, to everyone; then everyone's
    // again (no DACL), through the handle opened before.
    HKEY launch;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kLaunch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &launch, nullptr));
    auto setDacl = [launch](const char* sddl) {
        PSECURITY_DESCRIPTOR security = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &security, nullptr);
        EXPECT_EQ(ERROR_SUCCESS, RegSetKeySecurity(launch, DACL_SECURITY_INFORMATION, security)) << sddl;
        LocalFree(security);
    };
    setDacl("D:(A;;KR;;;WD)");
    EXPECT_EQ(0, ImportSettings(file.c_str()));
    EXPECT_EQ(TypedDword(5), StoredValue(kWindow, "MainColor")) << "the section before stays imported";
    EXPECT_FALSE(KeyExists(kKey)) << "the section after is not read";
    setDacl("D:NO_ACCESS_CONTROL");
    RegCloseKey(launch);

    // A name longer than the registry allows: the import stops at its section.
    Write(file, "[Window]\r\nD:" + std::string(16384, 'n') + "=1\r\n[Launch]\r\nS:ExecA=x\r\n");
    EXPECT_EQ(0, ImportSettings(file.c_str()));
    EXPECT_EQ("missing", StoredValue(kLaunch, "ExecA"));
}

}  // namespace

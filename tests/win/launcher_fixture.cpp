/*
 * The launcher window fixture.
 */
#include "launcher_fixture.h"

#include <fstream>
#include <sstream>

#include "core/launcher_window.h"
#include "core/optional_apis.h"
#include "entry_record.h"
#include "store/entry_tree.h"
#include "store/settings.h"

namespace {
const char kWindowKey[] = "Software\\orrel\\Tav\\Window";
const char kKeyKey[] = "Software\\orrel\\Tav\\Key";
}  // namespace

void LauncherTest::SetUp()
{
    LoadOptionalApis();
    // A saved position keeps CheckFirstRun quiet in the tests that start
    // the way the program does.
    PutWindowDword("Top", 0);
}

void LauncherTest::TearDown()
{
    if (IsWindow(window_))
        DestroyWindow(window_);
    Pump();
    UnregisterClassA("Tav", GetModuleHandleA(nullptr));
    LauncherWindow = nullptr;
    FreeOptionalApis();
}

void LauncherTest::PutWindowDword(const char* name, DWORD value)
{
    PutRawValue(kWindowKey, name, REG_DWORD, &value, sizeof value);
}

void LauncherTest::PutKeyDword(const char* name, DWORD value)
{
    PutRawValue(kKeyKey, name, REG_DWORD, &value, sizeof value);
}

void LauncherTest::PutEntry(const char* keyPath, int slot, const char* title, const char* program,
                            const char* folder, const char* parameters, const char* sound)
{
    EntryRecord entry = Record(title, program, folder, parameters, sound);
    WriteEntry(keyPath, slot, &entry);
}

void LauncherTest::PutSubmenu(const char* keyPath, int slot, const char* title)
{
    PutEntry(keyPath, slot, title, SUBMENU_MARKER);
}

void LauncherTest::Start()
{
    LoadSettings(&Launcher);
    Selection = 1;
    SetupMode = 0;
    HotKeyAtom = 0;
    KeyPath[0] = '\0';
    window_ = CreateLauncherWindow(&Launcher);
    ASSERT_NE(nullptr, window_);
    LauncherWindow = window_;
    Pump();
}

void LauncherTest::Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitPosted_ = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void LauncherTest::Key(int virtualKey)
{
    SendMessageA(window_, WM_KEYDOWN, virtualKey, 0);
    Pump();
}

void LauncherTest::Show()
{
    SendMessageA(window_, UM_SHOWLAUNCHER, 0, 0);
    Pump();
}

MarkerFolder::MarkerFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static unsigned counter;
    std::ostringstream name;
    name << temp << "tav-markers-" << GetCurrentProcessId() << "-" << ++counter;
    path_ = name.str();
    CreateDirectoryA(path_.c_str(), nullptr);
}

MarkerFolder::~MarkerFolder()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA(File(found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
}

std::string MarkerFolder::WaitFor(const std::string& file, DWORD timeoutMs) const
{
    DWORD start = GetTickCount();
    while (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > timeoutMs)
            return "";
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string MarkerProgram()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string self(path, length);
    return self.substr(0, self.find_last_of('\\') + 1) + "tav_marker.exe";
}

/*
 * Helpers for the setup editor's tests.
 */
#include "setup_support.h"

#include <shlobj.h>

#include <cstring>

#include "base/optional_apis.h"
#include "entry_record.h"
#include "setup/setup_window.h"
#include "test_window.h"

std::string Ansi(const char* utf8)
{
    wchar_t wide[512];
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 512);
    char text[1024];
    WideCharToMultiByte(CP_ACP, 0, wide, n, text, sizeof text, nullptr, nullptr);
    return text;
}

std::string WindowText(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ItemText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

namespace {

DialogDriver* Current;

std::string ClassOf(HWND window)
{
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The visible, enabled dialog or menu of this thread: the one that has the
// input now (its owner is disabled under it).
BOOL CALLBACK FindModal(HWND window, LPARAM found)
{
    std::string name = ClassOf(window);
    if ((name == "#32770" || name == "#32768") && IsWindowVisible(window) && IsWindowEnabled(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

DialogDriver::DialogDriver()
{
    Current = this;
    timer_ = SetTimer(nullptr, 0, 30, Tick);
}

DialogDriver::~DialogDriver()
{
    KillTimer(nullptr, timer_);
    Current = nullptr;
}

DialogDriver& DialogDriver::Then(const char* captionUtf8, Action action)
{
    steps_.push_back(Step{Ansi(captionUtf8), std::move(action)});
    return *this;
}

DialogDriver& DialogDriver::Press(const char* captionUtf8, int id)
{
    return Then(captionUtf8, [id](HWND window) { PostMessageA(window, WM_COMMAND, id, 0); });
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (Current != nullptr && !Current->looking_)
        Current->Look();
}

void DialogDriver::Look()
{
    HWND window = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindModal, reinterpret_cast<LPARAM>(&window));
    if (window == nullptr || window == last_)
        return;
    std::string caption = ClassOf(window) == "#32768" ? "menu" : WindowText(window);
    // A message box's message is its control 0xFFFF (in the program's own
    // dialogs that id is a label's).
    std::string text = caption == "Tav" ? ItemText(window, 0xFFFF) : "";
    if (!steps_.empty() && (steps_.front().Caption == caption || steps_.front().Caption == "*")) {
        Step step = std::move(steps_.front());
        steps_.pop_front();
        last_ = window;
        if (caption == "Tav")
            Texts.push_back(text);
        looking_ = true;
        step.Run(window);
        looking_ = false;
    } else if (window != stranger_) {
        stranger_ = window;
        strangerSince_ = GetTickCount();
    } else if (GetTickCount() - strangerSince_ > 2000) {
        Unexpected.push_back(caption + ": " + text);
        last_ = window;
        if (caption == "menu")
            EndMenu();
        else
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
}

HDROP MakeDrop(const std::vector<std::string>& paths)
{
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths)
        size += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);  // ANSI paths right after the header
    char* list = reinterpret_cast<char*>(header + 1);
    for (const std::string& path : paths) {
        std::memcpy(list, path.c_str(), path.size() + 1);
        list += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void SetupTest::SetUp()
{
    // Every expected text goes through Ansi(), so texts are compared as
    // their exact code page 932 bytes.
    ASSERT_EQ(932u, GetACP());
    LoadOptionalApis();
    // The window opens where the launcher would: at the stored place.
    const DWORD left = 100, top = 10;
    PutRawValue("Software\\orrel\\Tav\\Window", "Left", REG_DWORD, &left, sizeof left);
    PutRawValue("Software\\orrel\\Tav\\Window", "Top", REG_DWORD, &top, sizeof top);
}

void SetupTest::TearDown()
{
    if (IsWindow(window_))
        DestroyWindow(window_);
    PumpFor(0);
    FreeOptionalApis();
}

void SetupTest::Put(const char* keyPath, int slot, const char* title, const char* program)
{
    EntryRecord entry = Record(title, program);
    WriteEntry(keyPath, slot, &entry);
}

void SetupTest::PutMenu()
{
    Put("", 1, "Alpha", "alpha.exe");
    Put("", 2, "Bravo", "-1");
    Put("B", 4, "Delta", "delta.exe");
    Put("B", 5, "Echo", "-1");
    Put("BE", 27, "Zero", "zero.exe");
    Put("", 19, "Sierra", "-1");
}

std::string SetupTest::Stored(const char* keyPath, int slot)
{
    EntryRecord entry;
    if (!ReadEntry(keyPath, slot, &entry))
        return "";
    return std::string(entry.Title) + "|" + entry.Program;
}

void SetupTest::Open()
{
    window_ = CreateSetupWindow(nullptr);
    ASSERT_NE(nullptr, Session());
    PumpFor(0);
}

void SetupTest::Select(const char* keyPath, int slot)
{
    lstrcpynA(Session()->Cursor.KeyPath, keyPath, sizeof Session()->Cursor.KeyPath);
    Session()->Cursor.Slot = slot;
    ReloadLevel(Session());
    PumpFor(0);
}

void SetupTest::Send(UINT message, WPARAM wParam)
{
    SendMessageA(window_, message, wParam, 0);
    PumpFor(0);
}

void SetupTest::Post(UINT message, WPARAM wParam)
{
    PostMessageA(window_, message, wParam, 0);
    PumpUntil([this] {
        MSG m;
        return Session()->Busy == 0 && !PeekMessageA(&m, window_, 0, 0, PM_NOREMOVE);
    }, 5000);
    PumpFor(50);
}

POINT SetupTest::RowPoint(int slot) const
{
    RECT rect;
    GetWindowRect(window_, &rect);
    int pitch = Session()->View.LineHeight + Session()->View.LineGap;
    return POINT{rect.left + 20, rect.top + 4 + slot * pitch + pitch / 2};
}

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
    PutDword("Software\\orrel\\Tav\\Window", "Left", 100);
    PutDword("Software\\orrel\\Tav\\Window", "Top", 10);
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

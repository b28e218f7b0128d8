/*
 * The dialog driver.
 */
#include "dialog_driver.h"

#include <algorithm>

#include <gtest/gtest.h>

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

void PostCommand(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, id, 0);
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
    if (!steps_.empty())
        ADD_FAILURE() << steps_.size() << " step(s) never played, the first for \"" << steps_.front().Caption << "\"";
    for (const std::string& window : Unexpected)
        ADD_FAILURE() << "a window no step expected: " << window;
}

DialogDriver& DialogDriver::Then(const char* captionUtf8, Action action)
{
    steps_.push_back(Step{Ansi(captionUtf8), std::move(action)});
    return *this;
}

DialogDriver& DialogDriver::Press(const char* captionUtf8, int id)
{
    return Then(captionUtf8, [id](HWND window) { PostCommand(window, id); });
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (Current != nullptr)
        Current->Look();
}

void DialogDriver::Look()
{
    HWND window = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindModal, reinterpret_cast<LPARAM>(&window));
    if (window == nullptr || window == last_ || std::count(running_.begin(), running_.end(), window))
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
        running_.push_back(window);
        step.Run(window);
        running_.pop_back();
    } else if (window != stranger_) {
        stranger_ = window;
        strangerSince_ = GetTickCount();
    } else if (GetTickCount() - strangerSince_ > 2000) {
        Unexpected.push_back(caption + ": " + text);
        last_ = window;
        if (caption == "menu")
            EndMenu();
        else
            PostCommand(window, IDCANCEL);
    }
}

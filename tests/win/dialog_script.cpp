/*
 * The dialog script.
 */
#include "dialog_script.h"

DialogScript* DialogScript::current_ = nullptr;

DialogScript::DialogScript(std::vector<Step> steps) : steps_(std::move(steps))
{
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 50, Tick);
}

DialogScript::~DialogScript()
{
    KillTimer(nullptr, timer_);
    current_ = nullptr;
}

BOOL CALLBACK DialogScript::FindDialog(HWND window, LPARAM found)
{
    char name[16];
    GetClassNameA(window, name, sizeof name);
    if (IsWindowVisible(window) && std::string(name) == "#32770" && !current_->handled_.count(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK DialogScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    DialogScript* script = current_;
    HWND dialog = nullptr;
    if (script != nullptr)
        EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    script->handled_.insert(dialog);
    if (script->seen.size() == script->steps_.size()) {
        ++script->unexpected;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    char caption[256];
    GetWindowTextA(dialog, caption, sizeof caption);
    script->seen.push_back({caption, "", ""});
    Seen* seen = &script->seen.back();
    script->steps_[script->seen.size() - 1](dialog, seen);
}

void Press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

DialogScript::Step Answer(int button)
{
    return [button](HWND box, Seen* seen) {
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char name[16], text[256];
            GetClassNameA(child, name, sizeof name);
            GetWindowTextA(child, text, sizeof text);
            if (std::string(name) == "Static")
                seen->Text += text;
        }
        Press(box, button);
    };
}

/*
 * The notification-area icon and the tray menu.
 */
#include "core/tray.h"

#include <cstdio>

#include "base/messages.h"
#include "res/resource.h"
#include "store/res_string.h"

namespace {

// The record of the one icon, kept for NIM_DELETE.
NOTIFYICONDATAA TrayIcon;

constexpr UINT kTrayIconId = 1;
// The tip of the pre-extension record: 64 bytes with its terminating zero.
constexpr int kTipSize = 64;

// Commands that open the program's own windows; setup mode greys them.
const UINT kSetupModeCommands[] = {IDM_SETUP, IDM_OPTIONS, IDM_ABOUT};

}  // namespace

#if defined(__i386__)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the pre-extension record is 88 bytes on i686");
#endif

void FillTrayIconData(NOTIFYICONDATAA* data, HWND window)
{
    HINSTANCE module = GetModuleHandleA(nullptr);
    *data = NOTIFYICONDATAA();
    // The record without the later extensions: every shell version takes it.
    data->cbSize = NOTIFYICONDATAA_V1_SIZE;
    data->hWnd = window;
    data->uID = kTrayIconId;
    data->uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data->uCallbackMessage = UM_TRAYICON;
    // A shared icon from LoadIcon: never destroyed.
    data->hIcon = LoadIconA(module, IDI_TAV);
    std::snprintf(data->szTip, kTipSize, "%s %s", "Tav", ResString(IDS_VERSION));
}

int AddTrayIcon(HWND window)
{
    FillTrayIconData(&TrayIcon, window);
    return Shell_NotifyIconA(NIM_ADD, &TrayIcon) ? 1 : 0;
}

int DeleteTrayIcon()
{
    return Shell_NotifyIconA(NIM_DELETE, &TrayIcon) ? 1 : 0;
}

int IsTaskbarCreatedMessage(UINT message)
{
    // The same value in every process of the session; 0 if it could not be
    // registered, which no real message matches.
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    return message != 0 && message == taskbarCreated;
}

tav::UniqueHMenu LoadTrayMenu(int setupMode)
{
    tav::UniqueHMenu menu(LoadMenuA(GetModuleHandleA(nullptr), IDR_TRAYMENU));
    if (menu && setupMode == 1) {
        HMENU popup = GetSubMenu(menu.get(), 0);
        for (UINT command : kSetupModeCommands)
            EnableMenuItem(popup, command, MF_BYCOMMAND | MF_GRAYED);
    }
    return menu;
}

void ShowTrayMenu(HWND window, int setupMode)
{
    tav::UniqueHMenu menu = LoadTrayMenu(setupMode);
    if (!menu)
        return;
    // The window must be foreground before TrackPopupMenu, or the menu does
    // not disappear when the user clicks away.
    SetForegroundWindow(window);
    POINT cursor = {};
    GetCursorPos(&cursor);
    TrackPopupMenu(GetSubMenu(menu.get(), 0), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window,
                   nullptr);
    // A benign message makes the system switch to this task, so that the
    // next tray menu also closes when the user clicks away.
    PostMessageA(window, WM_NULL, 0, 0);
}

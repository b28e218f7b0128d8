/*
 * The notification-area icon and its menu.
 *
 * The icon carries the program's icon, the tip "Tav Ver2.55" and sends
 * UM_TRAYICON to the launcher window.  It is never modified after it is
 * added.  When the shell restarts, every icon is lost; the launcher window
 * recognises the shell's announcement with IsTaskbarCreatedMessage and adds
 * the icon again with AddTrayIcon.
 */
#ifndef TAV_CORE_TRAY_H
#define TAV_CORE_TRAY_H

#include <windows.h>
#include <shellapi.h>

#include "base/unique_handle.h"

// Adds the icon for window (Shell_NotifyIconA NIM_ADD); 1 when the shell took
// it.  The launcher need not test it.
int AddTrayIcon(HWND window);
// Removes the icon that AddTrayIcon added; 1 when the shell had it.
int DeleteTrayIcon();

// 1 for the registered message "TaskbarCreated", which the shell broadcasts
// to top-level windows when it (re)starts.
int IsTaskbarCreatedMessage(UINT message);

// The record AddTrayIcon gives the shell: the pre-extension size
// (NOTIFYICONDATAA_V1_SIZE: 88 bytes on i686, 104 on x86_64), uID 1,
// NIF_MESSAGE | NIF_ICON | NIF_TIP, UM_TRAYICON, icon "TAV", tip "Tav Ver2.55".
void FillTrayIconData(NOTIFYICONDATAA* data, HWND window);

// Loads "TrayMenu"; in setup mode (1) items 100, 110 and 120 are greyed.  Its
// popup is GetSubMenu(menu, 0).
tav::UniqueHMenu LoadTrayMenu(int setupMode);

// Shows the tray menu at the cursor, modally; a chosen item reaches window as
// WM_COMMAND afterwards.
void ShowTrayMenu(HWND window, int setupMode);

#endif

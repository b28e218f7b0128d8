/*
 * The notification-area icon and its menu.
 */
#ifndef TAV_CORE_TRAY_H
#define TAV_CORE_TRAY_H

#include <windows.h>

void AddTrayIcon(HWND window);
void DeleteTrayIcon();
// Shows "TrayMenu" at the cursor; items 100, 110 and 120 greyed in setup mode.
void ShowTrayMenu(HWND window, int setupMode);

#endif

/*
 * The floor for Tav's start-up: a program that does nothing but register a
 * window class, create a hidden window and add a notification-area icon.
 * launcher_bench starts it beside Tav's own start-up and compares the two.
 * Prints the milliseconds from its process's creation to the icon being
 * added, measured as launcher_bench measures Tav's, then removes the icon.
 */
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "bench_support.h"

int main()
{
    HWND window = CreateHiddenWindow("TavTrayFloor");

    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = WM_APP + 100;
    icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpynA(icon.szTip, "floor", sizeof icon.szTip);
    BOOL added = Shell_NotifyIconA(NIM_ADD, &icon);
    double ms = ProcessAgeMs();

    std::printf("%.3f\n", added ? ms : -1.0);
    std::fflush(stdout);
    Shell_NotifyIconA(NIM_DELETE, &icon);
    DestroyWindow(window);
    return 0;
}

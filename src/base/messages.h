/*
 * Window messages and timers that travel between Tav's parts (and from the
 * hook library).  Plain values, so the hook library can include this too.
 */
#ifndef TAV_BASE_MESSAGES_H
#define TAV_BASE_MESSAGES_H

// Show the launcher (from WM_HOTKEY handling and from the hook library).
#define UM_SHOWLAUNCHER   (0x0400 + 10)  /* WM_USER + 10 = 1034 */
// Setup window: open the entry, submenu-name and key-assignment dialogs.
#define UM_EDITENTRY      (0x0400 + 11)  /* 1035 */
#define UM_EDITSUBMENU    (0x0400 + 12)  /* 1036 */
#define UM_ASSIGNKEY      (0x0400 + 13)  /* 1037 */
// Setup window: open the key-capture dialog for the selected entry's own key.
#define UM_EDITHOTKEY     (0x0400 + 21)  /* 1045 */
// Enter (wParam 1) or leave (any other wParam) setup mode.
#define UM_SETUPMODE      (0x0400 + 14)  /* 1038 */
// A key held by the hook library between the launcher key and the moment
// the launcher took the keys: wParam the virtual-key code, lParam 1 for a
// release.  Posted in the order typed.
#define UM_HELDKEY        (0x0400 + 15)  /* 1039 */
// Tray icon mouse message, the mouse message in lParam.
#define UM_TRAYICON       (0x8000 + 100) /* WM_APP + 100 = 32868 */

// The launcher's timer: hides it once another window is in the foreground.
#define LAUNCHER_TIMER_ID     100
#define LAUNCHER_TIMER_PERIOD 200  /* ms */

#endif

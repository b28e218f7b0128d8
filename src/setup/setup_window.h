/*
 * The setup window: the editor of the entry tree.  It shows one menu level
 * at a time in the launcher's look, always with all 37 rows, and lets the
 * user walk it with the mouse and the keys, open the entry and
 * submenu-name dialogs, cut, copy, paste and delete entries and whole
 * submenus, and drop files from the shell onto rows.  Every change goes to
 * the registry at once.
 *
 * The launcher opens one setup window at a time (the tray greys its command
 * meanwhile); its state (setup_session.h) travels with the window.
 */
#ifndef TAV_SETUP_SETUP_WINDOW_H
#define TAV_SETUP_SETUP_WINDOW_H

#include <windows.h>

#include "setup/setup_key_hooks.h"

// Window class of the setup window; registered anew at every creation.
#define SETUP_WINDOW_CLASS "TavSetupClass"

// The hover timer: the highlighted row follows the pointer.
#define SETUP_HOVER_TIMER_ID     1
#define SETUP_HOVER_TIMER_PERIOD 20  /* ms */

// Creates and shows the setup window, placed where the launcher would
// appear, at the top level with key A selected.  launcher is the launcher
// window, which gets UM_SETUPMODE 0 when the setup window is destroyed.
// Null when the window cannot be created.
HWND CreateSetupWindow(HWND launcher, const SetupKeyHooks* keys = nullptr);

#endif

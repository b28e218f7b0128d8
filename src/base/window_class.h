/*
 * The window classes of the program's own windows (the launcher, the setup
 * window, the preview): one shape, registered in one place.
 */
#ifndef TAV_BASE_WINDOW_CLASS_H
#define TAV_BASE_WINDOW_CLASS_H

#include <windows.h>

// Registers class name in the program's module with procedure:
// CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, the icon "TAV", the arrow cursor,
// and background as its brush (null: nothing is erased, the window paints
// every pixel itself).  A class of that name registered before is
// unregistered first, so it is registered anew at each call.  Returns what
// RegisterClassA returns (0 on failure).
ATOM RegisterProgramClass(const char* name, WNDPROC procedure, HBRUSH background);

#endif

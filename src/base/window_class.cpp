/*
 * Registering the program's window classes.
 */
#include "base/window_class.h"

#include "res/resource.h"

ATOM RegisterProgramClass(const char* name, WNDPROC procedure, HBRUSH background)
{
    HINSTANCE module = GetModuleHandleA(nullptr);
    // Fails harmlessly when the class is not registered, or while a window
    // of it still exists (the registration then stays as it is).
    UnregisterClassA(name, module);
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = module;
    windowClass.hIcon = LoadIconA(module, IDI_TAV);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass);
}

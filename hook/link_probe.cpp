/*
 * A program that links the hook library's import library and calls the
 * functions Tav.exe calls: its import table shows the names a caller
 * compiled against tav_hook.h really imports, on either architecture,
 * whatever Tav.exe happens to call.  Built for the checks only; never run.
 */
#include "hook/tav_hook.h"

int main()
{
    SetForeground(0);
    SetKey(0);
    SetCaptureKey(0, 0);
    DeliverHeldKeys();
    SetHook(nullptr);
    FreeHook();
    return 0;
}

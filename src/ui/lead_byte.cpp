/*
 * The system's lead bytes.
 */
#include "ui/lead_byte.h"

#include <windows.h>

int IsAnsiLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) ? 1 : 0;
}

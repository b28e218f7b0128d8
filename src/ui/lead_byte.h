/*
 * The lead-byte test of the system's ANSI code page, for the platform-free
 * text functions (ui/portable/lead_byte.h): dropped paths, typed titles,
 * the program's own folder.
 */
#ifndef TAV_UI_LEAD_BYTE_H
#define TAV_UI_LEAD_BYTE_H

#include "ui/portable/lead_byte.h"

// IsDBCSLeadByte as the portable text functions take it.
int IsAnsiLeadByte(unsigned char byte);

#endif

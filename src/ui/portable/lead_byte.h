/*
 * How the platform-free text functions learn the system's code page: the
 * caller hands them a lead-byte test (IsAnsiLeadByte on Windows, ui/
 * lead_byte.h; a fixed table in the native tests).  In code page 932 the
 * trail byte of a double-byte character may equal "\" (0x5C), as in "ソ"
 * (0x83 0x5C), so such text is walked character by character.
 *
 * Platform-free: no <windows.h>.
 */
#ifndef TAV_UI_PORTABLE_LEAD_BYTE_H
#define TAV_UI_PORTABLE_LEAD_BYTE_H

// 1 when byte starts a double-byte character in the text's code page.
using LeadByteTest = int (*)(unsigned char byte);

#endif

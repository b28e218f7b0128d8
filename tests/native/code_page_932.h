/*
 * The lead bytes of code page 932 (0x81-0x9F and 0xE0-0xFC), as Windows
 * reports them there: what the native tests and the fuzzer stand in for the
 * system's code page with, where the program asks IsDBCSLeadByte.
 */
#ifndef TAV_TESTS_NATIVE_CODE_PAGE_932_H
#define TAV_TESTS_NATIVE_CODE_PAGE_932_H

#include "store/portable/ini_text.h"

inline int IsCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The same as the settings file's text functions take it.
inline IniCodePage CodePage932()
{
    IniCodePage codePage = {};
    for (int c = 0; c < 256; ++c)
        codePage.IsLead[c] = IsCp932LeadByte(static_cast<unsigned char>(c)) != 0;
    return codePage;
}

#endif

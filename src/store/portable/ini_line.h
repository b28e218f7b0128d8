/*
 * The lines of one settings-file section and the value codings of the file.
 *
 * A line is a type letter, one separator character, the registry value's
 * name, "=", and the value as text:
 *   S:name=text      REG_SZ, the text as stored
 *   B:name=7F00A1    REG_BINARY, two hexadecimal digits per byte
 *   D:name=-3        REG_DWORD, signed decimal
 *
 * A section comes in the layout GetPrivateProfileSectionA gives: every line
 * zero-terminated, an empty line after the last.  The file is outside input,
 * so everything here stays inside the buffer it is handed, whatever its bytes
 * are, including a buffer whose last line has no terminator.
 *
 * Platform-free: no <windows.h>, so it is also built, tested and fuzzed natively.
 */
#ifndef TAV_STORE_PORTABLE_INI_LINE_H
#define TAV_STORE_PORTABLE_INI_LINE_H

#include <cstddef>
#include <cstdint>
#include <string>

enum IniValueType {
    INI_END,      // no further line: an empty line, a line without "=", or the buffer's end
    INI_STRING,   // "S"
    INI_BINARY,   // "B"
    INI_DWORD,    // "D"
    INI_UNKNOWN,  // any other type letter: the line is read and skipped
};

struct IniLine {
    IniValueType Type;
    char* Name;   // zero-terminated, inside the buffer (not for INI_END)
    char* Value;  // zero-terminated, inside the buffer (not for INI_END)
    char* Next;   // the line after this one (not for INI_END)
};

// Parses the line that starts at `line` in a buffer ending at `end`.  The
// name starts at the third character (the second is skipped unexamined) and
// runs to the first "=" from there on, which is overwritten with a
// terminator; the value runs from after it to the line's terminator.  No
// white space is removed.  The result is INI_END for an empty line, a line
// without "=" after its second character (so also any line shorter than two
// characters), and a line that has no terminator before `end`.
IniLine ParseIniLine(char* line, char* end);

// Two upper-case hexadecimal digits per byte, in order.
std::string HexEncode(const void* bytes, std::size_t count);

// Decodes the zero-terminated text in place and returns length / 2, the
// number of whole bytes.  Digits are 0-9, A-F and a-f; any other character
// counts with its own code.  Character i fills the high half of byte i / 2
// when i is even and is ORed into it when i is odd, so an odd last digit
// half-fills a byte beyond the count returned.
std::size_t HexDecode(char* text);

// The text as a signed decimal number, as REG_DWORD bits: leading white
// space is skipped, then an optional sign, then digits up to the first
// non-digit; 0 when there are none.  More digits than 32 bits hold wrap
// around modulo 2^32, so "4294967295" and "-1" give the same bits.
std::uint32_t ParseIniDword(const char* text);

// What an import does with the lines of a section.  The Win32 layer writes
// them to one registry key; the tests and the fuzzer record them.  Each
// write returns whether it was done.
class IniValueSink {
public:
    virtual bool WriteString(const char* name, const char* text) = 0;
    virtual bool WriteBinary(const char* name, const unsigned char* bytes, std::size_t count) = 0;
    virtual bool WriteDword(const char* name, std::uint32_t value) = 0;

protected:
    ~IniValueSink() = default;
};

// Reads the section lines in [section, section + size) one after another
// until ParseIniLine gives INI_END, decoding each value and handing it to
// the sink; lines of an unknown type are skipped.  Returns 1 when at least
// one line was read and every write was done; 0 for a section that has no
// line, and when a write failed (the lines after it are still written).
int ImportSectionLines(char* section, std::size_t size, IniValueSink* sink);

#endif

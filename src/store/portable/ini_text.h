/*
 * A settings file's text as a whole: reading one section out of it, and
 * merging new lines into it.  Tav reads and writes the whole file itself
 * rather than one value at a time through the Win32 profile functions,
 * which rewrite the file on every call; the two must stay interchangeable,
 * so the text is taken apart the way the profile functions take it apart:
 *
 *  - lines end with "\n" (one "\r" before it belongs to the ending);
 *    leading blanks of a line are not part of it; blank lines are skipped;
 *  - a line whose first character is "[" and that holds a "]" is a section
 *    header, naming the text between the "[" and the last "]";
 *  - section names and keys compare without regard to ASCII case; the
 *    first section of a name is the one that is read and written;
 *  - a key is the text before the first "=" of its line; lines that begin
 *    with ";" are comments; text after a zero byte in a line is not read.
 *
 * Keys and values keep every other blank, so a value with leading or
 * trailing spaces reads back as it was written.
 *
 * Platform-free: no <windows.h>, so it is also built, tested and fuzzed natively.
 */
#ifndef TAV_STORE_PORTABLE_INI_TEXT_H
#define TAV_STORE_PORTABLE_INI_TEXT_H

#include <cstddef>
#include <string>
#include <vector>

// The lead bytes of the ANSI code page.  The byte after a lead byte is the
// second half of a double-byte character: it is never folded to lower case
// or taken for "]" (code page 932 has trail bytes in both ranges).
struct IniCodePage {
    bool IsLead[256];
};

// Lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC.
IniCodePage CodePage932();

// A key or section name folded for comparison: ASCII letters in lower case,
// except the second bytes of double-byte characters.  Two keys are the same
// key when their folded forms are equal.
std::string FoldIniKey(const char* text, std::size_t size, const IniCodePage& codePage);

// One line to write: the key (such as "S:TitleA") and the value text.
struct IniEntry {
    std::string Key;
    std::string Value;
};

// Whether the entry can be written as one line that reads back as the same
// key and value: the key is not empty, does not begin with a blank, ";" or
// "[", and holds no "=", line feed or zero byte; the value holds no line
// feed or zero byte.
bool IsWritableIniEntry(const IniEntry& entry);

// The lines of the first section called `section` in the layout that
// GetPrivateProfileSectionA gives: each line zero-terminated, then an empty
// line.  A missing section gives just the empty line.
std::string ReadIniSection(const char* text, std::size_t size, const char* section,
                           const IniCodePage& codePage);

// The text with the entries written into the first section called
// `section`, as WritePrivateProfileStringA would leave it after one call per
// entry: every line of the section whose key matches an entry's takes the
// entry's value (its own spelling of the key kept); the other entries follow
// the section's last non-blank line, in order; a missing section is added at
// the end of the text.  Every other line stays as it is, byte for byte.
// Written lines end with "\r\n".  Of entries with the same key the last
// counts.  No entries: the text unchanged.
std::string MergeIniSection(const std::string& text, const char* section,
                            const std::vector<IniEntry>& entries, const IniCodePage& codePage);

#endif

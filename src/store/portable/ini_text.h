/*
 * A settings file's text as a whole: reading one section out of it, and
 * merging new lines into it.  Tav reads and writes the whole file itself
 * rather than one value at a time through the Win32 profile functions,
 * which rewrite the file on every call; the two must stay interchangeable,
 * so the text is taken apart the way the profile functions take it apart:
 *
 *  - a line ends at CR LF, at LF or at a lone CR (CR CR LF is a line end
 *    and an empty line);
 *  - blanks (space, tab, vertical tab, form feed, ^Z) at either end of a
 *    line, before its first "=" and after it belong to neither the name nor
 *    the value; blank lines are skipped;
 *  - a line whose first character is "[" and that holds a "]" is a section
 *    header, naming the text between the "[" and the last "]", blanks
 *    trimmed;
 *  - section names and keys compare without regard to ASCII case; the
 *    first section of a name is the one that is read and written;
 *  - a key is the text before the first "=" of its line; lines that begin
 *    with ";" are comments; a zero byte ends the name or value it is in.
 *
 * Every other byte stays as it is: "\" and the second bytes of double-byte
 * characters are plain text, and quotes are part of a value.
 *
 * Platform-free: no <windows.h>, so it is also built, tested and fuzzed natively.
 */
#ifndef TAV_STORE_PORTABLE_INI_TEXT_H
#define TAV_STORE_PORTABLE_INI_TEXT_H

#include <cstddef>
#include <string>
#include <vector>

// The lead bytes of the text's code page.  The byte after a lead byte is the
// second half of a double-byte character: it is never folded to lower case
// or taken for "]" (code page 932 has second bytes in both ASCII letter
// ranges and "]").  Text in UTF-8 has no lead bytes in this sense:
// none of its multi-byte characters holds an ASCII byte.
struct IniCodePage {
    bool IsLead[256];
};

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
// key, with the same value less blanks at its ends: the key is not empty,
// does not begin or end with a blank, does not begin with ";" or "[", and
// holds no "=", line end (CR or LF) or zero byte; the value holds no line
// end or zero byte.
bool IsWritableIniEntry(const IniEntry& entry);

// The lines of the first section called `section` in the layout that
// GetPrivateProfileSectionA gives: "name=value" (or the name alone for a
// line without "="), each zero-terminated, then an empty line.  Comments
// and blank lines are left out.  A missing section gives just the empty
// line.
std::string ReadIniSection(const char* text, std::size_t size, const char* section,
                           const IniCodePage& codePage);

// The text with the entries written into the first section called
// `section`, as WritePrivateProfileStringA would leave it after one call per
// entry: every line of the section whose key matches an entry's takes the
// entry's value, keeping its own text up to the value and its own line end;
// the other entries follow the section's last non-blank line, in order; a
// missing section is added at the end of the text.  Every other line stays
// as it is, byte for byte.  New lines end with "\r\n".  Of entries with the
// same key the last counts.  No entries: the text unchanged.
std::string MergeIniSection(const std::string& text, const char* section,
                            const std::vector<IniEntry>& entries, const IniCodePage& codePage);

#endif

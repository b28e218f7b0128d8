/*
 * The settings file on disk: read whole, decoded from the encoding that its
 * byte-order mark names, and written back in that encoding in one step that
 * keeps the file itself (its attributes and security, a symbolic link to
 * it) and never leaves a half-written file or a stray temporary one.
 *
 * Encodings, as the profile functions treat them:
 *  - no mark: the ANSI code page (932 for the Japanese texts);
 *  - FF FE: UTF-16 LE, which the profile functions read and keep writing
 *    as UTF-16;
 *  - EF BB BF and FE FF: UTF-8 and UTF-16 BE, read and written alike.
 *    Windows' own profile functions take these two marks for text of the
 *    first line; decoding the file keeps its Japanese text instead of
 *    reading UTF-8 bytes as code page 932.
 * A marked file is worked on in UTF-8, which holds every character of it,
 * so the lines that an export leaves alone keep characters that the ANSI
 * code page lacks.
 */
#ifndef TAV_STORE_INI_FILE_H
#define TAV_STORE_INI_FILE_H

#include <windows.h>

#include <string>

#include "store/portable/ini_text.h"

enum IniEncoding { INI_ANSI, INI_UTF8, INI_UTF16LE, INI_UTF16BE };

// A file's text as Tav works on it: the bytes of an unmarked file, or the
// UTF-8 text of a marked one, without its mark.
struct IniFileText {
    IniEncoding Encoding = INI_ANSI;
    std::string Text;
};

// Larger files are refused unread.  A configuration of 6,577 values takes
// about 300 KB; a file of gigabytes would take as much memory, and every
// line of it a registry write.
constexpr DWORD kMaxIniFileSize = 16 * 1024 * 1024;

// Reads the whole open file and decodes it.  0 when it cannot be read or is
// larger than kMaxIniFileSize.
int ReadIniFile(HANDLE file, IniFileText* text);

// The lead bytes of the text: those of the ANSI code page for an unmarked
// file, none for UTF-8.
const IniCodePage& CodePageOf(const IniFileText& file);

// ANSI text (a line to write) in the file's form, and text in the file's
// form (the lines of a section) in ANSI.  Characters that the ANSI code page
// lacks become the system's default character, as the profile functions
// give them.
std::string ToFileForm(const IniFileText& file, const std::string& ansi);
std::string FromFileForm(const IniFileText& file, const std::string& text);

// The bytes to store: the mark and the text in the file's encoding.
std::string EncodeIniFile(const IniFileText& file);

// Gives the file the bytes, or leaves it as it was and returns 0.
//  - Through a symbolic link, the link's target is written.
//  - The bytes go into a temporary file beside the target, created under a
//    name that no file has yet ("<name>.tavtmp", else "<name>.1.tavtmp" and
//    so on), which then replaces it (ReplaceFileA) with the target's
//    attributes.  Only that file is ever removed: a file of the same name
//    that was there before stays.
//  - A file with more than one hard link, and one that cannot be replaced
//    (another program holds it open without delete sharing) or beside which
//    no temporary file can be made, is rewritten in place, as the profile
//    functions write it, so every link sees the new text.  The file is
//    locked whole before any byte changes, and the room for a longer text
//    is taken first: a range another program has locked, or a full disk,
//    leaves the old text.
//  - A read-only file, a folder or a missing folder gives 0.
//  - Should the system remove the target during the replace and then fail
//    to put the temporary file in its place, the target is written anew
//    from the bytes; if that fails as well, 0 and the text stays in the
//    temporary file.
int ReplaceIniFile(const char* file, const std::string& bytes);

// Tests make writes fail: with a fault set, every write of a file's bytes
// first asks it, and fails as on a full disk when it says false.
using IniWriteFault = bool (*)(HANDLE file);
void SetIniWriteFault(IniWriteFault fault);

#endif

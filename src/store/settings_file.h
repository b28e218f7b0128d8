/*
 * The settings file: the whole configuration written to an INI file and read
 * back.  Each of the three registry keys is one section, [Window], [Launch]
 * and [Key], in that order in a new file; each value is one line "S:name=",
 * "B:name=" or "D:name=" (store/portable/ini_line.h).
 *
 * Export merges into an existing file: other sections and lines stay, and
 * lines of an earlier export that the registry no longer has stay too.  All
 * three sections go into the file in one replace (store/ini_file.h), so a
 * failure half-way never leaves a half-written file.  Import reads the file
 * once and merges into the registry: nothing is deleted, values the file
 * does not mention keep their content.  The keys written are always the
 * three of the string table; a name in the file only names a value inside
 * them.  Both take the file apart as the profile functions do
 * (store/portable/ini_text.h).
 */
#ifndef TAV_STORE_SETTINGS_FILE_H
#define TAV_STORE_SETTINGS_FILE_H

#include <windows.h>

#include <cstddef>
#include <vector>

#include "store/portable/ini_text.h"

// Writes the sections of Window, Launch and Key, stopping at the first that
// fails; 1 when all three were written.  The sections before a failing one
// (and the lines of the failing one before its bad value) are written, with
// one replace of the file; when the file cannot be written, none is.
int ExportSettings(const char* file);

// Reads the sections Window, Launch and Key into their keys, stopping at the
// first that fails; 1 when all three were read and written.  Sections read
// before a failing one stay in the registry.  A file larger than
// kMaxIniFileSize fails before anything is written.
int ImportSettings(const char* file);

// Writes every value of the key below HKEY_CURRENT_USER as a line of the
// section, in the registry's enumeration order.  0 when the key cannot be
// opened (nothing is written), when a value cannot be a line of the file (a
// type other than REG_SZ, REG_BINARY and REG_DWORD, a line end (CR or LF)
// in its text, or "=", a line end or a blank at its end in its name: the
// values before it are written), or when the file cannot be read (larger
// than kMaxIniFileSize) or written.  A key without values writes nothing
// and gives 1.
int ExportSection(const char* file, const char* keyPath, const char* section);

// The lines an export writes for the key below HKEY_CURRENT_USER, in the
// registry's enumeration order.  0 when the key cannot be opened or at the
// first value that cannot be a line of the file; the lines before it are
// given.
int ReadExportLines(const char* keyPath, std::vector<IniEntry>* lines);

// Writes every line of the section into the key below HKEY_CURRENT_USER.
// 0 when the file cannot be opened, is empty or larger than
// kMaxIniFileSize, when the section is missing, has no lines or its first
// line has no "=", and when a value cannot be written (the key cannot be
// created, or the registry refuses the name); reading stops at the first
// line without "=".
int ImportSection(const char* file, const char* section, const char* keyPath);

// Writes section lines, in the layout GetPrivateProfileSectionA gives, into
// the key below HKEY_CURRENT_USER, as ImportSection does with the lines it
// reads: 0 when there is no line or a value cannot be written.
int ImportIniLines(char* lines, std::size_t size, const char* keyPath);

// The file's size in bytes; 0 when it cannot be opened (missing, or open in
// another process), is empty, or holds 4 GB or more.
DWORD FileSizeOf(const char* file);

#endif

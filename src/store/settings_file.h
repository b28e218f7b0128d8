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

// The lines an export writes for the key below HKEY_CURRENT_USER, in the
// registry's enumeration order.  0 when the key cannot be opened or at the
// first value that cannot be a line of the file (a type other than REG_SZ,
// REG_BINARY and REG_DWORD, a line end (CR or LF) in its text, or "=", a
// line end or a blank at its end in its name); the lines before it are
// given.
int ReadExportLines(const char* keyPath, std::vector<IniEntry>* lines);

// Writes section lines, in the layout GetPrivateProfileSectionA gives, into
// the key below HKEY_CURRENT_USER, as the import does with the lines of a
// section: 0 when there is no line (or the first has no "=") or a value
// cannot be written (the key cannot be created, or the registry refuses
// the name); reading stops at the first line without "=".
int ImportIniLines(char* lines, std::size_t size, const char* keyPath);

#endif

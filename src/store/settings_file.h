/*
 * The settings file: the whole configuration written to an INI file and read
 * back.  Each of the three registry keys is one section, [Window], [Launch]
 * and [Key], in that order in a new file; each value is one line "S:name=",
 * "B:name=" or "D:name=" (store/ini_line.h).
 *
 * Export merges into an existing file: other sections and lines stay, and
 * lines of an earlier export that the registry no longer has stay too.  The
 * file is replaced in one step (a temporary file beside it, then a move), so
 * a failure half-way never leaves a half-written file.  Import merges into
 * the registry: nothing is deleted, values the file does not mention keep
 * their content.  The keys written are always the three of the string table;
 * a name in the file only names a value inside them.
 */
#ifndef TAV_STORE_SETTINGS_FILE_H
#define TAV_STORE_SETTINGS_FILE_H

#include <windows.h>

#include <vector>

#include "store/portable/ini_text.h"

// Writes the sections of Window, Launch and Key, stopping at the first that
// fails; 1 when all three were written.  Sections written before a failing
// one stay in the file.
int ExportSettings(const char* file);

// Reads the sections Window, Launch and Key into their keys, stopping at the
// first that fails; 1 when all three were read.  Sections read before a
// failing one stay in the registry.
int ImportSettings(const char* file);

// Writes every value of the key below HKEY_CURRENT_USER as a line of the
// section, in the registry's enumeration order.  0 when the key cannot be
// opened (nothing is written), when a value cannot be a line of the file (a
// type other than REG_SZ, REG_BINARY and REG_DWORD, a line break in its
// text, or "=" or a line break in its name: the values before it are
// written), or when the file cannot be written.  A key without values
// writes nothing and gives 1.
int ExportSection(const char* file, const char* keyPath, const char* section);

// The lines an export writes for the key below HKEY_CURRENT_USER, in the
// registry's enumeration order.  0 when the key cannot be opened or at the
// first value that cannot be a line of the file; the lines before it are
// given.
int ReadExportLines(const char* keyPath, std::vector<IniEntry>* lines);

// Writes every line of the section into the key below HKEY_CURRENT_USER.
// 0 when the file cannot be opened or is empty, and when the section is
// missing, has no lines or its first line has no "="; reading stops at the
// first line without "=".
int ImportSection(const char* file, const char* section, const char* keyPath);

// The file's size in bytes; 0 when it cannot be opened (missing, or open in
// another process), is empty, or holds 4 GB or more.
DWORD FileSizeOf(const char* file);

#endif

/*
 * The texts that the startup shortcut and the about box's links hand to
 * the shell, made without the shell: the shortcut's path and working
 * folder, and the target a link field opens.  Platform-free.
 */
#ifndef TAV_OPTIONS_PORTABLE_SHELL_TEXT_H
#define TAV_OPTIONS_PORTABLE_SHELL_TEXT_H

#include <cstddef>

#include "ui/portable/lead_byte.h"

// "%s\%s" of folder and name into path (size bytes).  false, with path
// empty, when the result would not fit.
bool JoinFolderAndName(const char* folder, const char* name, char* path, std::size_t size);

// The folder of a program file, for the shortcut's working folder: program
// cut at its last backslash, the backslash dropped, except the one after a
// drive ("C:\Tav.exe" gives "C:\", not "C:", which would name the drive's
// current folder).  A backslash in the first character does not count, so
// a path without another one is kept whole.  The path is text of the
// system's ANSI code page, walked character by character with the caller's
// lead-byte test (IsDBCSLeadByte on Windows): in code page 932 the trail
// byte of "ソ" is 0x5C, and in 1252 "é" (0xE9) is a character of its own.
// false, with folder empty, when program does not fit into size bytes.
bool ProgramFolder(const char* program, char* folder, std::size_t size, LeadByteTest isLeadByte);

// What a link field's text opens: "mailto:" and the text for an e-mail
// address (an "@" and no "://"), else the text itself.  false, with target
// empty, when it would not fit into size bytes.
bool LinkTarget(const char* text, char* target, std::size_t size);

#endif

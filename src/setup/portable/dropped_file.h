/*
 * What the entry dialog makes of a file's path: the title it proposes for a
 * dropped program (the file name without its extension), and whether a file
 * dropped onto the sound field is a WAV file.  And the end of a title read
 * into its field: never half a character.
 *
 * Paths are code page 932 text (in general, the system's ANSI code page):
 * the trail byte of a double-byte character may equal "\" (0x5C), as in
 * "ソ" (0x83 0x5C), so the path is walked character by character, with the
 * caller's lead-byte test (IsDBCSLeadByte on Windows).
 *
 * Platform-free: no <windows.h>, so it is also built and tested natively.
 */
#ifndef TAV_SETUP_PORTABLE_DROPPED_FILE_H
#define TAV_SETUP_PORTABLE_DROPPED_FILE_H

#include <cstddef>

#include "ui/portable/lead_byte.h"

// title (size bytes, at least 1) := the file-name part of path with its
// extension cut off, as the shell's path functions find them: the extension
// starts at the last "." after which no space or "\" follows; the file name
// starts after the last "\", "/" or ":" that is followed by more than a
// separator.  "C:\Tools\a.b.exe" gives "a.b", "C:\Tools\README" "README".
// A title too long for size is cut after a whole character.
void TitleFromPath(const char* path, char* title, std::size_t size, LeadByteTest isLeadByte);

// Removes from the end of text a lead byte left without its trail byte, as
// a text cut to a number of bytes may end: a title read into its 32 bytes.
void CutPartialCharacter(char* text, LeadByteTest isLeadByte);

// 1 when the path ends in ".wav", in any letter case.
int HasWaveExtension(const char* path);

#endif

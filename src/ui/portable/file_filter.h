/*
 * The filter list of the open and save dialogs, from a string-table text.
 *
 * The string table cannot hold zero bytes, so its filter texts separate the
 * description and the pattern with tabs and end with one
 * ("設定ﾌｧｲﾙ(*.ini)", a tab, "*.ini", a tab).  The common dialogs take
 * zero-separated pairs ending with an empty string.
 *
 * Platform-free: no <windows.h>, so it is also built and tested natively.
 */
#ifndef TAV_UI_PORTABLE_FILE_FILTER_H
#define TAV_UI_PORTABLE_FILE_FILTER_H

#include <cstddef>

// Room for the longest string-table text (255 bytes) and two final zeros.
constexpr std::size_t kFilterListSize = 258;

// Copies the zero-terminated text into list with every tab turned into a
// zero byte.  The list always ends with two zero bytes inside its size
// bytes, also when the text lacks its final tab; a text too long for the
// list is cut.  size must be at least 2.
void ConvertFilter(const char* text, char* list, std::size_t size);

#endif

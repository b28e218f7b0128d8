/*
 * The registry store: the three keys below HKEY_CURRENT_USER that hold all of
 * Tav's state, and the small operations that read and write single
 * values in them.  Key paths always come from the string table
 * (ResString(IDS_KEY_WINDOW), ...); see res/tav.rc.
 *
 * What a caller may rely on:
 *  - A read never fails: a missing key, a missing value or a value that does
 *    not fit yields the caller's default (StoreReadBinary reports 0 and
 *    leaves the buffer zero-filled).
 *  - A write creates the key and its missing parents; a write that cannot be
 *    done is dropped silently.  Strings are stored without a terminator, so
 *    "" is a zero-length REG_SZ.
 *  - Every call opens its key and closes it again before it returns.
 */
#ifndef TAV_STORE_REGISTRY_H
#define TAV_STORE_REGISTRY_H

#include <windows.h>

#include "base/unique_handle.h"

// The value's type is ignored.  When the value holds fewer than 4 bytes only
// that many low-order bytes of *destination change; when it holds more than
// 4, or cannot be read, *destination becomes the default.
void StoreReadDword(const char* name, const char* keyPath, DWORD* destination, DWORD defaultValue);
void StoreReadDword(const char* name, const char* keyPath, int* destination, int defaultValue);
void StoreWriteDword(const char* name, const char* keyPath, DWORD value);

// 1 when the value was read; 0 (buffer zero-filled) when the key or value is
// missing or the value is longer than size.
int StoreReadBinary(const char* name, const char* keyPath, void* buffer, DWORD size);
void StoreWriteBinary(const char* name, const char* keyPath, const void* data, DWORD size);

// For the operations that work on many values of one key at a time (a
// level load, an entry's write, a subtree delete, an export, an import):
// open a key once, then read from it or write to it with the same rules as
// above.  StoreCreateKey creates the key and its missing parents; both give
// a null key on failure.
tav::UniqueHKey StoreOpenKey(const char* keyPath, REGSAM access);
tav::UniqueHKey StoreCreateKey(const char* keyPath);

// Zero-fills capacity bytes, then reads at most capacity bytes of text.  A
// value longer than capacity, or a null key, reads as the default, never
// truncated; a stored terminator does not count.  A text of exactly
// capacity bytes leaves no terminator inside the buffer, so callers pass
// one byte less than their field size when they need one.  The default is
// copied with a terminator, cut to capacity - 1 bytes.
void StoreReadStringFrom(HKEY key, const char* name, char* buffer, DWORD capacity,
                         const char* defaultText);
// A null key reads as missing.  Returns 1 when the value was read, 0 when
// *destination became the default.
int StoreReadDwordFrom(HKEY key, const char* name, DWORD* destination, DWORD defaultValue);
// 1 when the value was written; 0 for a null key and when the registry
// refuses the write (no access, a name longer than the registry allows).
int StoreWriteDwordTo(HKEY key, const char* name, DWORD value);
int StoreWriteStringTo(HKEY key, const char* name, const char* text);
int StoreWriteBinaryTo(HKEY key, const char* name, const void* data, DWORD size);

#endif

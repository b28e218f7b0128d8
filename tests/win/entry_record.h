/*
 * Building an EntryRecord for a test: each text copied into its field, cut
 * to the field's size.
 */
#ifndef TAV_TESTS_ENTRY_RECORD_H
#define TAV_TESTS_ENTRY_RECORD_H

#include <windows.h>

#include <cstring>

#include "store/entry_tree.h"

inline EntryRecord Record(const char* title, const char* program, const char* folder = "",
                          const char* parameters = "", const char* sound = "")
{
    EntryRecord record;
    std::memset(&record, 0, sizeof record);
    lstrcpynA(record.Title, title, sizeof record.Title);
    lstrcpynA(record.Program, program, sizeof record.Program);
    lstrcpynA(record.Folder, folder, sizeof record.Folder);
    lstrcpynA(record.Parameters, parameters, sizeof record.Parameters);
    lstrcpynA(record.Sound, sound, sizeof record.Sound);
    return record;
}

#endif

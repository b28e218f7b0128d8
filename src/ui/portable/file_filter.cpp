/*
 * Filter lists for the common file dialogs.
 */
#include "ui/portable/file_filter.h"

#include <cstring>

void ConvertFilter(const char* text, char* list, std::size_t size)
{
    // Zero-filled first: whatever is not copied is a terminator.  A tab is
    // never part of a double-byte character, so no character is split.
    std::memset(list, 0, size);
    for (std::size_t i = 0; i + 2 < size && text[i] != '\0'; ++i)
        list[i] = text[i] == '\t' ? '\0' : text[i];
}

/*
 * Items of a comma-separated list text.
 */
#include "store/portable/list_item.h"

#include <cstring>

char* CutListItem(char* text, int n)
{
    if (text == nullptr || n < 0)
        return nullptr;
    char* cursor = text;
    for (int i = 0; i < n; ++i) {
        char* comma = std::strchr(cursor, ',');
        if (comma == nullptr)
            return nullptr;
        cursor = comma + 1;
    }
    if (char* comma = std::strchr(cursor, ','))
        *comma = '\0';
    return cursor;
}

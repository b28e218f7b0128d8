/*
 * Items of a comma-separated list text, as the string table keeps the frame
 * styles, the position types and the key names.  Platform-free.
 */
#ifndef TAV_STORE_PORTABLE_LIST_ITEM_H
#define TAV_STORE_PORTABLE_LIST_ITEM_H

// Returns item n (from 0) of the zero-terminated list in text, cut off in
// place at the comma that follows it, or nullptr when the list has no item n.
// Two adjacent commas give an empty item, not nullptr.
char* CutListItem(char* text, int n);

#endif

/*
 * String-table helpers.  Both return pointers into process-wide buffers that
 * the next call of the same helper overwrites: copy a text before asking for
 * another one.  GUI thread only.
 */
#ifndef TAV_STORE_RES_STRING_H
#define TAV_STORE_RES_STRING_H

// String id of the program's own module, at most 255 bytes; "" when missing.
const char* ResString(int id);

// A copy of string id, for a text that must outlive the next ResString call:
// a key path used across several store calls, a message box's text while the
// box's message loop lets other code ask for strings.
struct ResText {
    explicit ResText(int id);
    char Text[256];
};

// Item n (from 0) of the comma-separated string id, or nullptr when the list
// has no item n.  Enumerate with n = 0, 1, 2, ... until nullptr comes back.
const char* ResListItem(int id, int n);

#endif

/*
 * Selection movement and KeyPath changes of the launcher menu, as plain
 * arithmetic over slots.  The window code (key handling) asks these and
 * does the Win32 part: posting, loading levels, resizing.
 *
 * Platform-free: no <windows.h>, so it is also built and tested natively.
 */
#ifndef TAV_LAUNCH_SELECTION_H
#define TAV_LAUNCH_SELECTION_H

#include "launch/key_table.h"

// Directions of the two arrow keys.
enum ArrowDirection {
    ARROW_UP = -1,
    ARROW_DOWN = 1,
};

// The slot one arrow press moves to from selection.  The arrows wrap around
// the 37 slots; at the top level (atTopLevel 1) slot 0, the title line, is
// passed over.  A selection outside 0..36 counts as the nearest end.
int StepSelection(int selection, ArrowDirection direction, int atTopLevel);

// 1 when an arrow press that lands on slot must be repeated: only assigned
// keys are shown (showAll 0) and the slot has no title.
int ArrowPassesOver(const char titles[kSlotCount][kTitleSize], int slot, int showAll);

// 1 when some slot of the level can hold an arrow: any slot with a title
// (or any slot at all when showAll is 1), slot 0 not counted at the top
// level.  When none can, repeating an arrow press would never end.
int LevelHasArrowStop(const char titles[kSlotCount][kTitleSize], int showAll, int atTopLevel);

// Appends the key of slot 1..36 to the zero-terminated keyPath (a buffer of
// kKeyPathSize bytes).  Returns 1, or 0 with keyPath unchanged when the slot
// has no key or keyPath already holds kKeyPathMax characters.
int DescendKeyPath(char keyPath[kKeyPathSize], int slot);

// Removes the last key of keyPath and returns its slot (the submenu just
// left, in the parent level); -1 with keyPath unchanged when it is empty.
int AscendKeyPath(char keyPath[kKeyPathSize]);

#endif

/*
 * Selection movement of the launcher menu, as plain arithmetic over slots.
 * Key handling asks these and does the Win32 part: posting the repeated
 * arrow press and repainting.
 *
 * Platform-free: no <windows.h>, so it is also built and tested natively.
 */
#ifndef TAV_LAUNCH_PORTABLE_SELECTION_H
#define TAV_LAUNCH_PORTABLE_SELECTION_H

#include "base/portable/key_table.h"

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

#endif

/*
 * The menu levels the launcher window loaded, kept while the entry tree in
 * the registry stays as it was.  Loading a level reads two values for each
 * of its 36 keys, and under Wine every read is a round trip to the server:
 * a submenu key and Backspace spent most of their time there.  The cache
 * has the system tell it of any change below the program's registry key
 * (RegNotifyChangeKeyValue) and forgets every level at the first one, so a
 * level it gives is what LoadLevel would read at that moment.
 */
#ifndef TAV_LAUNCH_LEVEL_CACHE_H
#define TAV_LAUNCH_LEVEL_CACHE_H

#include <windows.h>

#include "base/launcher_state.h"
#include "base/portable/key_table.h"
#include "store/store_watch.h"

class LevelCache {
public:
    LevelCache() = default;
    LevelCache(const LevelCache&) = delete;
    LevelCache& operator=(const LevelCache&) = delete;

    // LoadLevel for keyPath and showAll into state's slot table: from what
    // is kept when nothing has changed since, else from the registry.
    void Load(LauncherState* state, const char* keyPath, int showAll);

    // Forgets every level and stops watching the registry.
    void Clear();

private:
    // Whether the registry is watched, so that levels may be kept.  After a
    // reported change (or before the first watch) it forgets every level and
    // watches anew; false when the key cannot be watched.
    bool Watching();

    struct Level {
        unsigned LastUse;  // 0: empty
        char KeyPath[kKeyPathSize];
        int ShowAll;
        char Titles[kSlotCount][kTitleSize];
        int IsSubmenu[kSlotCount];
        int LineCount;
    };
    // The top level and the submenus around it.
    Level levels_[8] = {};
    unsigned uses_ = 0;
    StoreWatch watch_;
};

#endif

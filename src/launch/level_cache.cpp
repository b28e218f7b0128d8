/*
 * The launcher window's loaded levels (see level_cache.h).
 */
#include "launch/level_cache.h"

#include <cstring>

#include "store/entry_tree.h"

bool LevelCache::Watching()
{
    if (watch_.Quiet())
        return true;
    std::memset(levels_, 0, sizeof levels_);
    return watch_.Restart();
}

void LevelCache::Load(LauncherState* state, const char* keyPath, int showAll)
{
    const bool watching = Watching();
    for (Level& level : levels_) {
        if (!watching || level.LastUse == 0 || level.ShowAll != showAll
            || std::strncmp(level.KeyPath, keyPath, kKeyPathSize) != 0)
            continue;
        level.LastUse = ++uses_;
        std::memcpy(state->Titles, level.Titles, sizeof state->Titles);
        std::memcpy(state->IsSubmenu, level.IsSubmenu, sizeof state->IsSubmenu);
        state->LineCount = level.LineCount;
        return;
    }
    LoadLevel(state, keyPath, showAll);
    if (!watching || std::strlen(keyPath) >= kKeyPathSize)
        return;
    Level* oldest = &levels_[0];
    for (Level& level : levels_) {
        if (level.LastUse < oldest->LastUse)
            oldest = &level;
    }
    oldest->LastUse = ++uses_;
    lstrcpynA(oldest->KeyPath, keyPath, kKeyPathSize);
    oldest->ShowAll = showAll;
    std::memcpy(oldest->Titles, state->Titles, sizeof oldest->Titles);
    std::memcpy(oldest->IsSubmenu, state->IsSubmenu, sizeof oldest->IsSubmenu);
    oldest->LineCount = state->LineCount;
}

void LevelCache::Clear()
{
    std::memset(levels_, 0, sizeof levels_);
    uses_ = 0;
    watch_.Stop();
}

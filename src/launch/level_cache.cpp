/*
 * The launcher window's loaded levels (see level_cache.h).
 */
#include "launch/level_cache.h"

#include <cstring>
#include <string>

#include "res/resource.h"
#include "store/entry_tree.h"
#include "store/registry.h"
#include "store/res_string.h"

// The program's key, above the entry tree's: a change of any value below
// it, and the entry tree's key deleted or made again, are reported.
static std::string WatchedKeyPath()
{
    std::string launch = ResString(IDS_KEY_LAUNCH);
    return launch.substr(0, launch.find_last_of('\\'));
}

bool LevelCache::Watching()
{
    if (watched_ && WaitForSingleObject(changed_.get(), 0) == WAIT_TIMEOUT)
        return true;
    // Watched again before the next read, so that a change during the read
    // is reported too.
    std::memset(levels_, 0, sizeof levels_);
    if (!changed_)
        changed_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!watched_)
        watched_ = StoreOpenKey(WatchedKeyPath().c_str(), KEY_NOTIFY);
    if (!changed_ || !watched_)
        return false;
    ResetEvent(changed_.get());
    const DWORD what = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
    if (RegNotifyChangeKeyValue(watched_.get(), TRUE, what, changed_.get(), TRUE) != ERROR_SUCCESS) {
        watched_.reset();
        return false;
    }
    return true;
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
    watched_.reset();
    changed_.reset();
}

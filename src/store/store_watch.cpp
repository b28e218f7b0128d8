/*
 * The watch on the program's registry key (see store_watch.h).
 */
#include "store/store_watch.h"

#include <string>

#include "res/resource.h"
#include "store/registry.h"
#include "store/res_string.h"

// The program's key, above the entry tree's.
static std::string WatchedKeyPath()
{
    std::string launch = ResString(IDS_KEY_LAUNCH);
    return launch.substr(0, launch.find_last_of('\\'));
}

bool StoreWatch::Quiet() const
{
    return watched_ && WaitForSingleObject(changed_.get(), 0) == WAIT_TIMEOUT;
}

bool StoreWatch::Restart()
{
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

void StoreWatch::Stop()
{
    watched_.reset();
    changed_.reset();
}

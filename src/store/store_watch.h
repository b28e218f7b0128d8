/*
 * A watch on the program's registry key: the system reports any change of
 * a value below it, and the entry tree's key deleted or made again
 * (RegNotifyChangeKeyValue), whoever made it: this window, an import,
 * another program.
 */
#ifndef TAV_STORE_STORE_WATCH_H
#define TAV_STORE_STORE_WATCH_H

#include <windows.h>

#include "base/unique_handle.h"

class StoreWatch {
public:
    StoreWatch() = default;
    StoreWatch(const StoreWatch&) = delete;
    StoreWatch& operator=(const StoreWatch&) = delete;

    // Whether the key is watched: false before the first Restart and after
    // one that failed.
    bool Active() const { return static_cast<bool>(watched_); }

    // True while the key is watched and nothing has changed since the last
    // Restart.
    bool Quiet() const;

    // Watches anew from now on, so that a change during a read that follows
    // is reported too.  False when the key cannot be watched.
    bool Restart();

    void Stop();

private:
    tav::UniqueHKey watched_;
    tav::UniqueKernelHandle changed_;  // signalled by the system on a change
};

#endif

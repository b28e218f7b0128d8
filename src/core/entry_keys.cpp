/*
 * Registering and releasing the entries' own keys.
 */
#include "core/entry_keys.h"

#include <vector>

#include "store/entry_tree.h"

namespace {

// The first id; the entry at index i of Registered has id kFirstId + i.
constexpr int kFirstId = 1;
// Application ids end below the atoms' range.
constexpr int kLastId = 0xBFFF;

struct RegisteredKey {
    EntryHotKey Key;
    bool InForce;
};

std::vector<RegisteredKey> Registered;
// The window they are registered on.
HWND RegisteredWindow;

}  // namespace

void RegisterEntryKeys(HWND window)
{
    ReleaseEntryKeys();
    if (window == nullptr)
        return;  // a null window would give the keys to the thread
    RegisteredWindow = window;
    for (const EntryHotKey& key : ReadEntryHotKeys()) {
        const int id = kFirstId + static_cast<int>(Registered.size());
        if (id > kLastId)
            break;
        const bool inForce = RegisterHotKey(window, id, EntryKeyModifiers(key.HotKey),
                                            EntryKeyCode(key.HotKey))
                             != FALSE;
        Registered.push_back({key, inForce});
    }
}

void ReleaseEntryKeys()
{
    for (size_t i = 0; i < Registered.size(); ++i)
        if (Registered[i].InForce)
            UnregisterHotKey(RegisteredWindow, kFirstId + static_cast<int>(i));
    Registered.clear();
    RegisteredWindow = nullptr;
}

bool EntryKeyOfId(int id, char* keyString)
{
    const int index = id - kFirstId;
    if (index < 0 || index >= static_cast<int>(Registered.size()))
        return false;
    lstrcpynA(keyString, Registered[index].Key.KeyString, kKeyStringSize);
    return true;
}

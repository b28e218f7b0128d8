/*
 * The entry tree in the Launch key: loading a level, reading and writing one
 * entry, copying and deleting subtrees.
 *
 * Reads follow the store's rules (StoreReadStringFrom): a value too long for
 * its field reads as "", so a title of 33 bytes or more makes its entry read
 * as absent.  Titles are read with a capacity of 32 into 33-byte fields and
 * the other strings with 259 into 260-byte fields, so every field keeps a
 * terminator.
 */
#include "store/entry_tree.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"
#include "store/registry.h"
#include "store/res_string.h"

using tav::UniqueHKey;

namespace {

// The program's name in the top level's title line, "Tav Ver2.55".
const char kProgramName[] = "Tav";

// The four fields after the title, in value order.
struct PathField {
    EntryField Field;
    char (EntryRecord::*Text)[kPathSize];
};
const PathField PathFields[] = {
    {ENTRY_EXEC, &EntryRecord::Program},
    {ENTRY_FOLDER, &EntryRecord::Folder},
    {ENTRY_OPTION, &EntryRecord::Parameters},
    {ENTRY_SOUND, &EntryRecord::Sound},
};

UniqueHKey OpenLaunchKey(REGSAM access)
{
    return StoreOpenKey(ResString(IDS_KEY_LAUNCH), access);
}

// Reads one value of the entry with key string keyString; capacity as for
// StoreReadStringFrom.
void ReadField(HKEY key, EntryField field, const char* keyString, char* buffer, DWORD capacity)
{
    char name[kValueNameSize];
    MakeValueName(name, field, keyString);
    StoreReadStringFrom(key, name, buffer, capacity, "");
}

// The entry's own key, 0 when it has none or what is stored is no key
// (not a REG_DWORD of 4 bytes, or not IsEntryKey).
DWORD ReadHotKeyFrom(HKEY key, const char* keyString)
{
    char name[kValueNameSize];
    if (key == nullptr || !MakeValueName(name, ENTRY_HOTKEY, keyString))
        return 0;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size)
            != ERROR_SUCCESS
        || type != REG_DWORD || size != sizeof value || !IsEntryKey(value))
        return 0;
    return value;
}

// Stores the entry's own key, or removes it for 0.
void WriteHotKeyTo(HKEY key, const char* keyString, DWORD hotKey)
{
    char name[kValueNameSize];
    if (!MakeValueName(name, ENTRY_HOTKEY, keyString))
        return;
    if (IsEntryKey(hotKey))
        StoreWriteDwordTo(key, name, hotKey);
    else
        RegDeleteValueA(key, name);
}

int ReadEntryFrom(HKEY key, const char* keyString, EntryRecord* record)
{
    std::memset(record, 0, sizeof *record);
    ReadField(key, ENTRY_TITLE, keyString, record->Title, kTitleSize - 1);
    if (record->Title[0] == '\0')
        return 0;
    for (const PathField& field : PathFields)
        ReadField(key, field.Field, keyString, record->*field.Text, kPathSize - 1);
    return 1;
}

// Writes one field; "" is written too unless removeWhenEmpty.  A field
// without a terminator is written up to its last byte but one, as a read
// could never give back more.
void WriteField(HKEY launchKey, EntryField field, const char* keyString, const char* text,
                size_t size, bool removeWhenEmpty)
{
    char name[kValueNameSize];
    if (!MakeValueName(name, field, keyString))
        return;
    const std::string value(text, strnlen(text, size - 1));
    if (value.empty() && removeWhenEmpty)
        RegDeleteValueA(launchKey, name);
    else
        StoreWriteStringTo(launchKey, name, value.c_str());
}

// Writes the entry's five values; its own key stays as it is unless
// hotKey is given, which is stored (0: removed) with them.
void WriteEntryAt(const char* keyString, const EntryRecord* record, const DWORD* hotKey = nullptr)
{
    // The key is created once for the entry's five values (a copy writes
    // whole subtrees); a write that cannot create it is dropped, as any store
    // write is.
    UniqueHKey key = StoreCreateKey(ResString(IDS_KEY_LAUNCH));
    if (!key)
        return;
    WriteField(key.get(), ENTRY_TITLE, keyString, record->Title, sizeof record->Title, false);
    for (const PathField& field : PathFields)
        WriteField(key.get(), field.Field, keyString, record->*field.Text, kPathSize,
                   field.Field != ENTRY_EXEC);
    if (hotKey != nullptr)
        WriteHotKeyTo(key.get(), keyString, *hotKey);
}

// An entry of a subtree as CopySubtree reads it.
struct SubtreeEntry {
    char KeyString[kKeyStringSize];
    EntryRecord Record;
    DWORD HotKey;
};

// Appends the entry at keyString and, when it is a submenu, the subtrees of
// its children in slot order: the order in which a copy writes them.
// Returns by how many characters the key string of the deepest submenu found
// extends keyString (0: the entry itself), -1 when there is none, and -2
// when the entry does not exist.
int ReadSubtree(HKEY key, const char* keyString, std::vector<SubtreeEntry>* entries)
{
    SubtreeEntry entry;
    lstrcpynA(entry.KeyString, keyString, sizeof entry.KeyString);
    if (!ReadEntryFrom(key, keyString, &entry.Record))
        return -2;
    entry.HotKey = ReadHotKeyFrom(key, keyString);
    entries->push_back(entry);
    // A submenu's key string is its children's KeyPath; where that would be
    // too long the marker marks no submenu.
    if (!IsSubmenuMarker(entry.Record.Program) || !IsKeyPath(keyString))
        return -1;
    int deepest = 0;
    for (int slot = 1; slot < kSlotCount; ++slot) {
        char child[kKeyStringSize];
        MakeKeyString(child, keyString, slot);
        int below = ReadSubtree(key, child, entries);
        if (below >= 0)
            deepest = std::max(deepest, below + 1);
    }
    return deepest;
}

// What a copy knows before it writes: the key strings of source and
// destination, and the source subtree as read.
struct CopyPlan {
    char Source[kKeyStringSize];
    char Destination[kKeyStringSize];
    std::vector<SubtreeEntry> Entries;
};

// Reads the source subtree and decides; 1 when the copy may be made.
int PlanCopy(const EntryLocation* source, const EntryLocation* destination, CopyPlan* plan)
{
    if (!MakeKeyString(plan->Source, source->KeyPath, source->Slot)
        || !MakeKeyString(plan->Destination, destination->KeyPath, destination->Slot))
        return 0;
    UniqueHKey key = OpenLaunchKey(KEY_READ);
    int deepest = ReadSubtree(key.get(), plan->Source, &plan->Entries);
    return deepest != -2 && CopyAllowed(plan->Source, plan->Destination, deepest);
}

// Deletes every entry of level keyPath with everything below it.
void DeleteLevel(HKEY key, const char* keyPath)
{
    if (!IsKeyPath(keyPath))
        return;  // no level beyond the KeyPath limit: a marker there is no submenu
    for (int slot = 1; slot < kSlotCount; ++slot) {
        char child[kKeyStringSize];
        char name[kValueNameSize];
        MakeKeyString(child, keyPath, slot);
        MakeValueName(name, ENTRY_EXEC, child);
        // An entry is found by its program value, readable or not: null data
        // asks only whether the value is there.
        if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        char program[kPathSize];
        StoreReadStringFrom(key, name, program, sizeof program - 1, "");
        if (IsSubmenuMarker(program))
            DeleteLevel(key, child);
        DeleteEntryValues(key, child);
    }
}

}  // namespace

void LoadLevel(LauncherState* state, const char* keyPath, int showAll)
{
    std::memset(state->Titles, 0, sizeof state->Titles);
    std::memset(state->IsSubmenu, 0, sizeof state->IsSubmenu);
    const bool isKeyPath = IsKeyPath(keyPath) != 0;
    const bool topLevel = isKeyPath && keyPath[0] == '\0';
    if (topLevel)
        std::snprintf(state->Titles[0], kTitleSize, "%s %s", kProgramName, ResString(IDS_VERSION));
    else
        lstrcpynA(state->Titles[0], ResString(IDS_PARENT_LINE), kTitleSize);
    state->LineCount = 1;

    if (isKeyPath) {
        UniqueHKey key = OpenLaunchKey(KEY_READ);
        const int holdsSubmenus = LevelHoldsSubmenus(keyPath);
        for (int slot = 1; slot < kSlotCount; ++slot) {
            char keyString[kKeyStringSize];
            MakeKeyString(keyString, keyPath, slot);
            ReadField(key.get(), ENTRY_TITLE, keyString, state->Titles[slot], kTitleSize - 1);
            // The program only tells whether the slot is a submenu (with or
            // without a title); one too long to be the marker reads as "".
            char program[kPathSize];
            ReadField(key.get(), ENTRY_EXEC, keyString, program, sizeof program);
            state->IsSubmenu[slot] = holdsSubmenus && IsSubmenuMarker(program);
            if (state->Titles[slot][0] != '\0')
                ++state->LineCount;
        }
    }

    if (showAll == 1)
        state->LineCount = kSlotCount;
    if (state->LineCount == 1 && topLevel) {
        lstrcpynA(state->Titles[1], ResString(IDS_NO_ITEMS), kTitleSize);
        state->LineCount = 2;
    }
}

int ReadEntry(const char* keyPath, int slot, EntryRecord* record)
{
    std::memset(record, 0, sizeof *record);
    char keyString[kKeyStringSize];
    if (!MakeKeyString(keyString, keyPath, slot))
        return 0;
    UniqueHKey key = OpenLaunchKey(KEY_READ);
    return ReadEntryFrom(key.get(), keyString, record);
}

void WriteEntry(const char* keyPath, int slot, const EntryRecord* record)
{
    char keyString[kKeyStringSize];
    if (MakeKeyString(keyString, keyPath, slot))
        WriteEntryAt(keyString, record);
}

int CanCopySubtree(const EntryLocation* source, const EntryLocation* destination)
{
    CopyPlan plan;
    return PlanCopy(source, destination, &plan);
}

namespace {

// The copy behind CopySubtree and MoveSubtree: the entries' own keys go
// with them when keepKeys, else the copies have none.
int CopyEntries(const EntryLocation* source, const EntryLocation* destination, bool keepKeys)
{
    CopyPlan plan;
    if (!PlanCopy(source, destination, &plan))
        return 0;
    // The copy replaces the destination with everything below it: children
    // left there would show beside the copied ones, or come back when a
    // submenu is later copied over a plain entry.  The plan holds the whole
    // source already, even where it stood below the destination.
    DeleteSubtree(destination, 0);
    for (const SubtreeEntry& entry : plan.Entries) {
        char target[kKeyStringSize];
        const DWORD hotKey = keepKeys ? entry.HotKey : 0;
        if (RebaseKeyString(target, entry.KeyString, plan.Source, plan.Destination))
            WriteEntryAt(target, &entry.Record, &hotKey);
    }
    return 1;
}

}  // namespace

int CopySubtree(const EntryLocation* source, const EntryLocation* destination)
{
    return CopyEntries(source, destination, false);
}

int MoveSubtree(const EntryLocation* source, const EntryLocation* destination)
{
    char sourceKey[kKeyStringSize];
    char destinationKey[kKeyStringSize];
    if (!MakeKeyString(sourceKey, source->KeyPath, source->Slot)
        || !MakeKeyString(destinationKey, destination->KeyPath, destination->Slot)
        || IsInSubtree(destinationKey, sourceKey))
        return 0;  // the copy would replace the source before it is deleted
    if (!CopyEntries(source, destination, true))
        return 0;
    DeleteSubtree(source, 1);
    return 1;
}

DWORD ReadEntryHotKey(const char* keyPath, int slot)
{
    char keyString[kKeyStringSize];
    if (!MakeKeyString(keyString, keyPath, slot))
        return 0;
    UniqueHKey key = OpenLaunchKey(KEY_READ);
    return ReadHotKeyFrom(key.get(), keyString);
}

void WriteEntryHotKey(const char* keyPath, int slot, DWORD hotKey)
{
    char keyString[kKeyStringSize];
    if (!MakeKeyString(keyString, keyPath, slot))
        return;
    UniqueHKey key = StoreCreateKey(ResString(IDS_KEY_LAUNCH));
    if (key)
        WriteHotKeyTo(key.get(), keyString, hotKey);
}

int SummarizeSubtree(const EntryLocation* location, unsigned long long* fingerprint)
{
    *fingerprint = 0;
    char keyString[kKeyStringSize];
    if (!MakeKeyString(keyString, location->KeyPath, location->Slot))
        return 0;
    std::vector<SubtreeEntry> entries;
    UniqueHKey key = OpenLaunchKey(KEY_READ);
    ReadSubtree(key.get(), keyString, &entries);
    // FNV-1a over every field up to its terminator, so that moving text
    // between fields changes the hash too.
    unsigned long long hash = 14695981039346656037ull;
    auto fold = [&hash](const char* text, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            hash = (hash ^ static_cast<unsigned char>(text[i])) * 1099511628211ull;
            if (text[i] == '\0')
                break;
        }
    };
    for (const SubtreeEntry& entry : entries) {
        fold(entry.KeyString, sizeof entry.KeyString);
        fold(entry.Record.Title, sizeof entry.Record.Title);
        for (const PathField& field : PathFields)
            fold(entry.Record.*field.Text, kPathSize);
        for (int shift = 0; shift < 32; shift += 8)
            hash = (hash ^ ((entry.HotKey >> shift) & 0xFF)) * 1099511628211ull;
    }
    *fingerprint = hash;
    return static_cast<int>(entries.size());
}

void DeleteSubtree(const EntryLocation* location, int withSelf)
{
    char keyString[kKeyStringSize];
    if (!MakeKeyString(keyString, location->KeyPath, location->Slot))
        return;
    UniqueHKey key = OpenLaunchKey(KEY_ALL_ACCESS);
    if (!key)
        return;
    if (withSelf == 1)
        DeleteEntryValues(key.get(), keyString);
    DeleteLevel(key.get(), keyString);
}

void DeleteEntryValues(HKEY launchKey, const char* keyString)
{
    for (int field = ENTRY_TITLE; field <= ENTRY_HOTKEY; ++field) {
        char name[kValueNameSize];
        if (MakeValueName(name, static_cast<EntryField>(field), keyString))
            RegDeleteValueA(launchKey, name);
    }
}

std::vector<EntryHotKey> ReadEntryHotKeys()
{
    std::vector<EntryHotKey> keys;
    UniqueHKey key = OpenLaunchKey(KEY_READ);
    if (!key)
        return keys;
    // One pass over the values: the keys, the titles (an entry without one
    // does not exist) and the submenu markers (an entry is reached only
    // through submenus).
    std::vector<std::string> titled;
    std::vector<std::string> submenus;
    const size_t prefix = std::strlen("HotKey");
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        BYTE data[8];
        DWORD dataSize = sizeof data;
        LONG status = RegEnumValueA(key.get(), index, name, &nameSize, nullptr, &type, data,
                                    &dataSize);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
            continue;  // a name too long for any entry, or data too long to matter
        if (std::strncmp(name, "HotKey", prefix) == 0) {
            DWORD value = 0;
            std::memcpy(&value, data, sizeof value);
            EntryHotKey entry;
            if (status == ERROR_SUCCESS && type == REG_DWORD && dataSize == sizeof value
                && IsEntryKey(value)
                && lstrlenA(name + prefix) < static_cast<int>(sizeof entry.KeyString)) {
                lstrcpynA(entry.KeyString, name + prefix, sizeof entry.KeyString);
                entry.HotKey = value;
                keys.push_back(entry);
            }
        } else if (std::strncmp(name, "Title", 5) == 0 && status == ERROR_SUCCESS
                   && type == REG_SZ && dataSize > 0) {
            titled.emplace_back(name + 5);
        } else if (std::strncmp(name, "Exec", 4) == 0 && status == ERROR_SUCCESS
                   && IsSubmenuMarker(std::string(reinterpret_cast<char*>(data), dataSize).c_str())) {
            submenus.emplace_back(name + 4);
        }
    }
    auto holds = [](const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    keys.erase(std::remove_if(keys.begin(), keys.end(),
                              [&](const EntryHotKey& entry) {
                                  const std::string keyString = entry.KeyString;
                                  char checked[kValueNameSize];
                                  if (!MakeValueName(checked, ENTRY_HOTKEY, entry.KeyString)
                                      || !holds(titled, keyString))
                                      return true;
                                  for (size_t length = 1; length < keyString.size(); ++length)
                                      if (!holds(submenus, keyString.substr(0, length)))
                                          return true;
                                  return false;
                              }),
               keys.end());
    return keys;
}

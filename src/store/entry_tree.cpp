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

void WriteEntryAt(const char* keyString, const EntryRecord* record)
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
}

// An entry of a subtree as CopySubtree reads it.
struct SubtreeEntry {
    char KeyString[kKeyStringSize];
    EntryRecord Record;
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

int CopySubtree(const EntryLocation* source, const EntryLocation* destination)
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
        if (RebaseKeyString(target, entry.KeyString, plan.Source, plan.Destination))
            WriteEntryAt(target, &entry.Record);
    }
    return 1;
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
    for (int field = ENTRY_TITLE; field <= ENTRY_SOUND; ++field) {
        char name[kValueNameSize];
        if (MakeValueName(name, static_cast<EntryField>(field), keyString))
            RegDeleteValueA(launchKey, name);
    }
}

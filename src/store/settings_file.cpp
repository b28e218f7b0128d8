/*
 * Export and import of the settings file: the registry side.  The file on
 * disk is store/ini_file; the text work (sections, merging, lines, hex) is
 * platform-free in store/portable/ini_text and store/portable/ini_line.
 *
 * Allocation failures surface as std::bad_alloc; the public operations turn
 * them into a result of 0, so no exception reaches the window procedure
 * that runs them.
 */
#include "store/settings_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "base/unique_handle.h"
#include "res/resource.h"
#include "store/ini_file.h"
#include "store/portable/ini_line.h"
#include "store/portable/ini_text.h"
#include "store/registry.h"
#include "store/res_string.h"

using tav::UniqueHKey;
using tav::UniqueKernelHandle;

namespace {

// The sections of a settings file, in the order they are written and read.
const struct {
    const char* Name;
    int KeyId;  // string id of the key path
} kSectionKeys[] = {
    {"Window", IDS_KEY_WINDOW},
    {"Launch", IDS_KEY_LAUNCH},
    {"Key", IDS_KEY_KEY},
};

// A section and the registry key it holds.
struct SettingsSection {
    const char* Name;
    const char* KeyPath;
};

// The longest value name the registry allows is 16383 characters; in the
// ANSI code page a character takes up to two bytes.
constexpr DWORD kMaxValueNameBytes = 2 * 16383 + 1;

// Null when the file cannot be opened; CreateFileA's own "none" is
// INVALID_HANDLE_VALUE, which the owner does not know.
UniqueKernelHandle OpenForReading(const char* file, DWORD share)
{
    HANDLE handle = CreateFileA(file, GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueKernelHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// The file that an export merges into: empty when there is none yet.
int ReadExistingFile(const char* file, IniFileText* text)
{
    *text = IniFileText();
    // Opened as the profile functions open it, so a file that another
    // program holds open for reading or writing can still be merged.
    UniqueKernelHandle handle = OpenForReading(file, FILE_SHARE_READ | FILE_SHARE_WRITE);
    if (!handle)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? 1 : 0;
    return ReadIniFile(handle.get(), text);
}

// The file that an import reads, opened without sharing, so that a file
// another program holds open is not read half-written: 0 when it cannot be
// opened or read, or is empty.
int ReadImportFile(const char* file, IniFileText* text)
{
    UniqueKernelHandle handle = OpenForReading(file, 0);
    return handle && ReadIniFile(handle.get(), text) && !text->Text.empty() ? 1 : 0;
}

// The line for one value; 0 when the value cannot be a line of the file.
int FormatEntry(const char* name, DWORD type, const BYTE* data, DWORD size, IniEntry* entry)
{
    switch (type) {
    case REG_SZ: {
        // The stored text: up to its length or to a stored terminator.
        const char* text = reinterpret_cast<const char*>(data);
        const void* zero = std::memchr(text, '\0', size);
        entry->Key = std::string("S:") + name;
        entry->Value.assign(text, zero ? static_cast<const char*>(zero) - text : size);
        break;
    }
    case REG_BINARY:
        entry->Key = std::string("B:") + name;
        entry->Value = HexEncode(data, size);
        break;
    case REG_DWORD: {
        // A value stored with fewer than 4 bytes counts with zeros above them.
        DWORD number = 0;
        std::memcpy(&number, data, size < sizeof number ? size : sizeof number);
        char text[16];
        std::snprintf(text, sizeof text, "%d", static_cast<int>(number));
        entry->Key = std::string("D:") + name;
        entry->Value = text;
        break;
    }
    default:
        return 0;
    }
    return IsWritableIniEntry(*entry) ? 1 : 0;
}

// The key's values as lines, in enumeration order.  0 at the first value
// that cannot be a line or cannot be read; the lines before it are kept.
int ReadKeyEntries(HKEY key, std::vector<IniEntry>* entries)
{
    DWORD maxName = 0, maxData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &maxName, &maxData, nullptr, nullptr)
        != ERROR_SUCCESS)
        return 0;
    // The reported maxima count the names' and data's Unicode forms; the
    // ANSI form of a name can take two bytes a character.  A value that
    // still does not fit gets larger buffers below.
    std::vector<char> name(2 * static_cast<std::size_t>(maxName) + 2);
    std::vector<BYTE> data(static_cast<std::size_t>(maxData) + 2);
    for (DWORD index = 0;; ++index) {
        DWORD nameSize, dataSize, type = REG_NONE;
        LONG status;
        for (int attempt = 0;; ++attempt) {
            nameSize = static_cast<DWORD>(name.size());
            dataSize = static_cast<DWORD>(data.size());
            status = RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &type, data.data(),
                                   &dataSize);
            if (status != ERROR_MORE_DATA || attempt == 2)
                break;
            if (name.size() < kMaxValueNameBytes)
                name.resize(kMaxValueNameBytes);
            data.resize(std::max<std::size_t>(2 * data.size(), dataSize + std::size_t{2}));
        }
        if (status == ERROR_NO_MORE_ITEMS)
            return 1;
        if (status != ERROR_SUCCESS)
            return 0;
        IniEntry entry;
        if (!FormatEntry(name.data(), type, data.data(), dataSize, &entry))
            return 0;
        entries->push_back(std::move(entry));
    }
}

// Merges the lines of each key into its section and replaces the file
// once, stopping at the first key that cannot be read whole (its lines
// before the failure are merged).
int ExportSections(const char* file, const SettingsSection* sections, std::size_t count)
{
    IniFileText text;
    if (!ReadExistingFile(file, &text))
        return 0;
    const std::string before = text.Text;
    int result = 1;
    bool merged = false;
    for (std::size_t i = 0; i < count && result; ++i) {
        std::vector<IniEntry> entries;
        result = ReadExportLines(sections[i].KeyPath, &entries);
        for (IniEntry& entry : entries) {
            entry.Key = ToFileForm(text, entry.Key);
            entry.Value = ToFileForm(text, entry.Value);
        }
        if (!entries.empty()) {
            text.Text = MergeIniSection(text.Text, sections[i].Name, entries, CodePageOf(text));
            merged = true;
        }
    }
    // A file that already holds every line as it would be written stays untouched.
    if (merged && text.Text != before && !ReplaceIniFile(file, EncodeIniFile(text)))
        result = 0;
    return result;
}

// Writes the decoded lines of a section into one registry key, created at
// the first write and then kept open for the others (every open is a round
// trip to the registry).
class RegistrySink : public IniValueSink {
public:
    explicit RegistrySink(const char* keyPath) : keyPath_(keyPath) {}

    bool WriteString(const char* name, const char* text) override
    {
        return StoreWriteStringTo(Key(), name, text) != 0;
    }
    bool WriteBinary(const char* name, const unsigned char* bytes, std::size_t count) override
    {
        // The file is below 16 MB.
        return StoreWriteBinaryTo(Key(), name, bytes, static_cast<DWORD>(count)) != 0;
    }
    bool WriteDword(const char* name, std::uint32_t value) override
    {
        return StoreWriteDwordTo(Key(), name, value) != 0;
    }

private:
    // A key that cannot be created stays null, and every write fails.
    HKEY Key()
    {
        if (!tried_) {
            key_ = StoreCreateKey(keyPath_);
            tried_ = true;
        }
        return key_.get();
    }

    const char* keyPath_;
    UniqueHKey key_;
    bool tried_ = false;
};

// Writes the lines of each section into its key, stopping at the first
// section that fails.
int ImportSections(const IniFileText& text, const SettingsSection* sections, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& body = text.Text;
        std::string lines =
            FromFileForm(text, ReadIniSection(body.data(), body.size(), sections[i].Name, CodePageOf(text)));
        if (!ImportIniLines(&lines[0], lines.size(), sections[i].KeyPath))
            return 0;
    }
    return 1;
}

// The three sections with their key paths from the string table.
struct AllSections {
    AllSections()
    {
        for (int i = 0; i < 3; ++i) {
            paths[i] = ResString(kSectionKeys[i].KeyId);
            sections[i] = {kSectionKeys[i].Name, paths[i].c_str()};
        }
    }
    std::string paths[3];
    SettingsSection sections[3];
};

}  // namespace

int ImportIniLines(char* lines, std::size_t size, const char* keyPath)
{
    RegistrySink sink(keyPath);
    return ImportSectionLines(lines, size, &sink);
}

int ReadExportLines(const char* keyPath, std::vector<IniEntry>* lines)
{
    UniqueHKey key = StoreOpenKey(keyPath, KEY_READ);
    return key ? ReadKeyEntries(key.get(), lines) : 0;
}

int ExportSettings(const char* file)
{
    try {
        AllSections all;
        return ExportSections(file, all.sections, 3);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int ImportSettings(const char* file)
{
    try {
        IniFileText text;
        AllSections all;
        return ReadImportFile(file, &text) ? ImportSections(text, all.sections, 3) : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

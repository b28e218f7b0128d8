/*
 * Export and import of the settings file: the registry side and the file
 * side.  The text work (sections, merging, lines, hex) is platform-free in
 * store/ini_text and store/ini_line.
 *
 * Allocation failures (a file of hundreds of megabytes) surface as
 * std::bad_alloc; the public operations turn them into a result of 0, so no
 * exception reaches the window procedure that runs them.
 */
#include "store/settings_file.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "base/unique_handle.h"
#include "res/resource.h"
#include "store/portable/ini_line.h"
#include "store/portable/ini_text.h"
#include "store/registry.h"
#include "store/res_string.h"

using tav::UniqueHKey;
using tav::UniqueKernelHandle;

namespace {

// The sections of a settings file, in the order they are written and read.
struct SettingsSection {
    const char* Name;
    int KeyId;  // string id of the key path
};

const SettingsSection kSections[] = {
    {"Window", IDS_KEY_WINDOW},
    {"Launch", IDS_KEY_LAUNCH},
    {"Key", IDS_KEY_KEY},
};

// The longest value name the registry allows is 16383 characters; in the
// ANSI code page a character takes up to two bytes.
constexpr DWORD kMaxValueNameBytes = 2 * 16383 + 1;

const IniCodePage& SystemCodePage()
{
    static const IniCodePage codePage = [] {
        IniCodePage table = {};
        for (int c = 0; c < 256; ++c)
            table.IsLead[c] = IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE;
        return table;
    }();
    return codePage;
}

// Null when the file cannot be opened; CreateFileA's own "none" is
// INVALID_HANDLE_VALUE, which the owner does not know.
UniqueKernelHandle OpenForReading(const char* file, DWORD share)
{
    HANDLE handle = CreateFileA(file, GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueKernelHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

int ReadAll(HANDLE file, std::string* text)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || size.QuadPart >= MAXDWORD)
        return 0;
    text->assign(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < text->size()) {
        DWORD read = 0;
        if (!ReadFile(file, &(*text)[done], static_cast<DWORD>(text->size() - done), &read, nullptr))
            return 0;
        if (read == 0)
            break;  // the file shrank meanwhile
        done += read;
    }
    text->resize(done);
    return 1;
}

// A byte-order mark: the profile functions read such a file as UTF-8 or
// UTF-16 text, not in the ANSI code page.
enum TextMark { MARK_NONE, MARK_UTF8, MARK_UTF16LE, MARK_UTF16BE };

TextMark MarkOf(const std::string& text)
{
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return MARK_UTF8;
    if (text.compare(0, 2, "\xFF\xFE") == 0)
        return MARK_UTF16LE;
    if (text.compare(0, 2, "\xFE\xFF") == 0)
        return MARK_UTF16BE;
    return MARK_NONE;
}

// Turns a marked text into the ANSI code page, as the profile functions
// would read it.  0 when it cannot be converted.
int ConvertMarkedText(std::string* text)
{
    TextMark mark = MarkOf(*text);
    if (mark == MARK_NONE)
        return 1;
    // The conversion functions count in int.
    if (text->size() > static_cast<std::size_t>(INT_MAX / 2))
        return 0;
    std::wstring wide;
    if (mark == MARK_UTF8) {
        const char* utf8 = text->data() + 3;
        int length = static_cast<int>(text->size() - 3);
        int count = MultiByteToWideChar(CP_UTF8, 0, utf8, length, nullptr, 0);
        if (length > 0 && count <= 0)
            return 0;
        wide.assign(static_cast<std::size_t>(count), L'\0');
        if (count > 0)
            MultiByteToWideChar(CP_UTF8, 0, utf8, length, &wide[0], count);
    } else {
        std::size_t units = (text->size() - 2) / 2;
        wide.assign(units, L'\0');
        for (std::size_t i = 0; i < units; ++i) {
            unsigned char first = static_cast<unsigned char>((*text)[2 + 2 * i]);
            unsigned char second = static_cast<unsigned char>((*text)[3 + 2 * i]);
            wide[i] = static_cast<wchar_t>(mark == MARK_UTF16LE ? first | second << 8
                                                                 : first << 8 | second);
        }
    }
    int wideLength = static_cast<int>(wide.size());
    int count = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (wideLength > 0 && count <= 0)
        return 0;
    text->assign(static_cast<std::size_t>(count), '\0');
    if (count > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, &(*text)[0], count, nullptr, nullptr);
    return 1;
}

// The file that an export merges into: "" when there is none yet.
int ReadExistingFile(const char* file, std::string* text)
{
    text->clear();
    // Opened as the profile functions open it, so a file that another
    // program holds open for reading or writing can still be merged.
    UniqueKernelHandle handle = OpenForReading(file, FILE_SHARE_READ | FILE_SHARE_WRITE);
    if (!handle)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? 1 : 0;
    return ReadAll(handle.get(), text);
}

int WriteAll(const char* file, const std::string& text)
{
    HANDLE handle = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    UniqueKernelHandle owner(handle);
    std::size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        if (!WriteFile(handle, text.data() + done, static_cast<DWORD>(text.size() - done), &written,
                       nullptr)
            || written == 0)
            return 0;
        done += written;
    }
    // The data must be on the disk before the move makes it the file.
    if (!FlushFileBuffers(handle))
        return 0;
    return CloseHandle(owner.release()) != FALSE;
}

// Replaces the file's content in one step: the text goes into a new file in
// the same folder (so the move stays on one volume), which then takes the
// file's place.  A read-only file is refused, as the profile functions
// refuse to write it.
int ReplaceFileText(const char* file, const std::string& text)
{
    char full[MAX_PATH];
    char* namePart = nullptr;
    DWORD length = GetFullPathNameA(file, sizeof full, full, &namePart);
    if (length == 0 || length >= sizeof full || namePart == nullptr)
        return 0;
    DWORD attributes = GetFileAttributesA(full);
    if (attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return 0;
    const std::string folder(full, static_cast<std::size_t>(namePart - full));
    char temporary[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "tav", 0, temporary) == 0)
        return 0;
    if (WriteAll(temporary, text)
        && MoveFileExA(temporary, full, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 1;
    DeleteFileA(temporary);
    return 0;
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

// Merges the lines into the file's section and replaces the file.
int WriteSection(const char* file, const char* section, const std::vector<IniEntry>& entries)
{
    std::string text;
    if (!ReadExistingFile(file, &text))
        return 0;
    // Lines in the ANSI code page cannot go into UTF-8 or UTF-16 text.
    if (MarkOf(text) != MARK_NONE)
        return 0;
    return ReplaceFileText(file, MergeIniSection(text, section, entries, SystemCodePage()));
}

// Writes the decoded lines of a section into one registry key, created at
// the first write and then kept open for the others (every open is a round
// trip to the registry).
class RegistrySink : public IniValueSink {
public:
    explicit RegistrySink(const char* keyPath) : keyPath_(keyPath) {}

    void WriteString(const char* name, const char* text) override
    {
        StoreWriteStringTo(Key(), name, text);
    }
    void WriteBinary(const char* name, const unsigned char* bytes, std::size_t count) override
    {
        // More than 4 GB cannot come from a file below 4 GB.
        StoreWriteBinaryTo(Key(), name, bytes, static_cast<DWORD>(count));
    }
    void WriteDword(const char* name, std::uint32_t value) override
    {
        StoreWriteDwordTo(Key(), name, value);
    }

private:
    // A key that cannot be created stays null, and the writes are dropped.
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

}  // namespace

DWORD FileSizeOf(const char* file)
{
    UniqueKernelHandle handle = OpenForReading(file, 0);
    LARGE_INTEGER size;
    if (!handle || !GetFileSizeEx(handle.get(), &size) || size.QuadPart < 0
        || size.QuadPart >= MAXDWORD)
        return 0;
    return static_cast<DWORD>(size.QuadPart);
}

int ReadExportLines(const char* keyPath, std::vector<IniEntry>* lines)
{
    UniqueHKey key = StoreOpenKey(keyPath, KEY_READ);
    return key ? ReadKeyEntries(key.get(), lines) : 0;
}

int ExportSection(const char* file, const char* keyPath, const char* section)
{
    try {
        std::vector<IniEntry> entries;
        int result = ReadExportLines(keyPath, &entries);
        if (!entries.empty() && !WriteSection(file, section, entries))
            result = 0;
        return result;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int ImportSection(const char* file, const char* section, const char* keyPath)
{
    try {
        if (FileSizeOf(file) == 0)
            return 0;
        std::string text;
        UniqueKernelHandle handle = OpenForReading(file, 0);
        if (!handle || !ReadAll(handle.get(), &text))
            return 0;
        handle.reset();
        if (!ConvertMarkedText(&text))
            return 0;
        std::string lines = ReadIniSection(text.data(), text.size(), section, SystemCodePage());
        RegistrySink sink(keyPath);
        return ImportSectionLines(&lines[0], lines.size(), &sink);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int ExportSettings(const char* file)
{
    for (const SettingsSection& section : kSections) {
        ResText keyPath(section.KeyId);
        if (!ExportSection(file, keyPath.Text, section.Name))
            return 0;
    }
    return 1;
}

int ImportSettings(const char* file)
{
    for (const SettingsSection& section : kSections) {
        ResText keyPath(section.KeyId);
        if (!ImportSection(file, section.Name, keyPath.Text))
            return 0;
    }
    return 1;
}

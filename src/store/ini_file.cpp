/*
 * The settings file on disk: reading, encodings and the safe replace (see
 * ini_file.h).
 */
#include "store/ini_file.h"

#include <cstring>
#include <string>

#include "base/unique_handle.h"

using tav::UniqueKernelHandle;

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";
const char kUtf16LeMark[] = "\xFF\xFE";
const char kUtf16BeMark[] = "\xFE\xFF";
const char kTemporarySuffix[] = ".tavtmp";

// The attributes a replaced file keeps; read-only files are not written.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE
                                  | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool StartsWith(const std::string& text, const char* mark)
{
    return text.compare(0, std::strlen(mark), mark) == 0;
}

// Texts here stay below 16 MB in bytes, so their lengths fit the int counts
// of the conversion functions.
std::wstring Widen(UINT codePage, const std::string& text)
{
    int length = static_cast<int>(text.size());
    int count = length > 0 ? MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0) : 0;
    std::wstring wide(static_cast<std::size_t>(count > 0 ? count : 0), L'\0');
    if (count > 0)
        MultiByteToWideChar(codePage, 0, text.data(), length, &wide[0], count);
    return wide;
}

std::string Narrow(UINT codePage, const std::wstring& wide)
{
    int length = static_cast<int>(wide.size());
    int count = length > 0
                    ? WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr)
                    : 0;
    std::string text(static_cast<std::size_t>(count > 0 ? count : 0), '\0');
    if (count > 0)
        WideCharToMultiByte(codePage, 0, wide.data(), length, &text[0], count, nullptr, nullptr);
    return text;
}

std::wstring FromUtf16(const std::string& bytes, bool bigEndian)
{
    std::wstring wide((bytes.size() - 2) / 2, L'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        unsigned first = static_cast<unsigned char>(bytes[2 + 2 * i]);
        unsigned second = static_cast<unsigned char>(bytes[3 + 2 * i]);
        wide[i] = static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return wide;
}

std::string ToUtf16(const std::wstring& wide, bool bigEndian)
{
    std::string bytes(bigEndian ? kUtf16BeMark : kUtf16LeMark);
    for (wchar_t unit : wide) {
        char high = static_cast<char>((unit >> 8) & 0xFF), low = static_cast<char>(unit & 0xFF);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
    return bytes;
}

// Set by tests alone (SetIniWriteFault).
IniWriteFault writeFault = nullptr;

int WriteBytes(HANDLE file, const std::string& bytes)
{
    if (writeFault != nullptr && !writeFault(file)) {
        SetLastError(ERROR_DISK_FULL);
        return 0;
    }
    for (std::size_t done = 0; done < bytes.size();) {
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                       nullptr)
            || written == 0)
            return 0;
        done += written;
    }
    return 1;
}

// The path without the "\\?\" that GetFinalPathNameByHandleA puts before it.
std::string WithoutLongPrefix(const std::string& path)
{
    if (path.compare(0, 8, "\\\\?\\UNC\\") == 0)
        return "\\\\" + path.substr(8);
    if (path.compare(0, 4, "\\\\?\\") == 0)
        return path.substr(4);
    return path;
}

enum TargetKind { TARGET_FILE, TARGET_NEW, TARGET_DANGLING_LINK };

// The file that the path names, after symbolic links: a rename onto the
// path itself would replace a link with a plain file.  0 when the path
// cannot be a file (a missing folder, a folder, no access).
int ResolveTarget(const char* file, std::string* target, TargetKind* kind)
{
    // No access asked for, so no other program's sharing stands in the way.
    HANDLE handle = CreateFileA(file, 0, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        UniqueKernelHandle owner(handle);
        char finalPath[MAX_PATH];
        DWORD length = GetFinalPathNameByHandleA(handle, finalPath, sizeof finalPath,
                                                 FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        *kind = TARGET_FILE;
        if (length > 0 && length < sizeof finalPath) {
            *target = WithoutLongPrefix(finalPath);
            return 1;
        }
    } else if (GetLastError() == ERROR_FILE_NOT_FOUND) {
        // A link whose target is missing still has attributes of its own.
        DWORD attributes = GetFileAttributesA(file);
        *kind = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0
                    ? TARGET_DANGLING_LINK
                    : TARGET_NEW;
    } else {
        return 0;
    }
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(file, sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full)
        return 0;
    *target = full;
    return 1;
}

// Whether other programs' sharing and the file's security let it be
// replaced: a replace removes it, which takes delete access.  Asking first
// also spares a ReplaceFileA that fails, after which Wine's leaves a
// temporary file of its own behind.
bool CanBeReplaced(const std::string& path)
{
    HANDLE handle = CreateFileA(path.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}

void RemoveTemporary(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

enum NewFileResult { NEW_FILE_WRITTEN, NEW_FILE_NOT_CREATED, NEW_FILE_NOT_WRITTEN };

// Makes the temporary file beside target under a name no file has yet
// (created exclusively), so that a file of that name, the user's or one
// left by an earlier export, is never touched; *made names it.
NewFileResult WriteNewFile(const std::string& target, const std::string& bytes, DWORD attributes,
                           std::string* made)
{
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        *made = target + (attempt == 0 ? "" : "." + std::to_string(attempt)) + kTemporarySuffix;
        handle = CreateFileA(made->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS
            && GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    if (handle == INVALID_HANDLE_VALUE)
        return NEW_FILE_NOT_CREATED;
    UniqueKernelHandle owner(handle);
    // The data must be on the disk before the file takes the target's place.
    if (!WriteBytes(handle, bytes) || !FlushFileBuffers(handle) || !CloseHandle(owner.release()))
        return NEW_FILE_NOT_WRITTEN;
    return NEW_FILE_WRITTEN;
}

// A file with other hard links: a replace would leave them the old text.
bool HasOtherLinks(const std::string& path)
{
    HANDLE handle = CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    UniqueKernelHandle owner(handle);
    BY_HANDLE_FILE_INFORMATION information;
    return GetFileInformationByHandle(handle, &information) && information.nNumberOfLinks > 1;
}

// Writes the bytes over the file's own content, as the profile functions
// do; sharing as theirs, so a program that reads the file meanwhile does
// not stand in the way.
int RewriteInPlace(const std::string& path, const std::string& bytes)
{
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    UniqueKernelHandle owner(handle);
    LARGE_INTEGER size, end, start = {};
    end.QuadPart = static_cast<LONGLONG>(bytes.size());
    if (!GetFileSizeEx(handle, &size))
        return 0;
    // A range that another program has locked would refuse the write half
    // way: the whole file, as long as either text, is locked first, and a
    // file that cannot be is left as it is.
    const ULONGLONG span = static_cast<ULONGLONG>(end.QuadPart > size.QuadPart ? end.QuadPart : size.QuadPart);
    OVERLAPPED whole = {};
    const DWORD low = static_cast<DWORD>(span & 0xFFFFFFFF), high = static_cast<DWORD>(span >> 32);
    const bool locked = span == 0
                        || LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, low, high,
                                      &whole);
    if (!locked)
        return 0;
    // Room first: on a full disk this fails while the old text is whole.
    int result = 1;
    if (end.QuadPart > size.QuadPart
        && (!SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) || !SetEndOfFile(handle)))
        result = 0;
    if (result
        && !(SetFilePointerEx(handle, start, nullptr, FILE_BEGIN) && WriteBytes(handle, bytes)
             && SetEndOfFile(handle) && FlushFileBuffers(handle)))
        result = 0;
    if (!result && SetFilePointerEx(handle, size, nullptr, FILE_BEGIN))
        SetEndOfFile(handle);  // the room taken goes again
    if (span != 0)
        UnlockFileEx(handle, 0, low, high, &whole);
    return result;
}

}  // namespace

int ReadIniFile(HANDLE file, IniFileText* text)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || size.QuadPart > kMaxIniFileSize)
        return 0;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &read, nullptr))
            return 0;
        if (read == 0)
            break;  // the file shrank meanwhile
        done += read;
    }
    bytes.resize(done);

    if (StartsWith(bytes, kUtf8Mark)) {
        text->Encoding = INI_UTF8;
        text->Text = bytes.substr(3);
    } else if (StartsWith(bytes, kUtf16LeMark) || StartsWith(bytes, kUtf16BeMark)) {
        bool bigEndian = StartsWith(bytes, kUtf16BeMark);
        text->Encoding = bigEndian ? INI_UTF16BE : INI_UTF16LE;
        text->Text = Narrow(CP_UTF8, FromUtf16(bytes, bigEndian));
    } else {
        text->Encoding = INI_ANSI;
        text->Text = std::move(bytes);
    }
    return 1;
}

const IniCodePage& CodePageOf(const IniFileText& file)
{
    static const IniCodePage ansi = [] {
        IniCodePage table = {};
        for (int c = 0; c < 256; ++c)
            table.IsLead[c] = IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE;
        return table;
    }();
    static const IniCodePage utf8 = {};
    return file.Encoding == INI_ANSI ? ansi : utf8;
}

std::string ToFileForm(const IniFileText& file, const std::string& ansi)
{
    return file.Encoding == INI_ANSI ? ansi : Narrow(CP_UTF8, Widen(CP_ACP, ansi));
}

std::string FromFileForm(const IniFileText& file, const std::string& text)
{
    return file.Encoding == INI_ANSI ? text : Narrow(CP_ACP, Widen(CP_UTF8, text));
}

std::string EncodeIniFile(const IniFileText& file)
{
    switch (file.Encoding) {
    case INI_UTF8:
        return kUtf8Mark + file.Text;
    case INI_UTF16LE:
    case INI_UTF16BE:
        return ToUtf16(Widen(CP_UTF8, file.Text), file.Encoding == INI_UTF16BE);
    case INI_ANSI:
        break;
    }
    return file.Text;
}

void SetIniWriteFault(IniWriteFault fault)
{
    writeFault = fault;
}

int ReplaceIniFile(const char* file, const std::string& bytes)
{
    std::string target;
    TargetKind kind;
    if (!ResolveTarget(file, &target, &kind))
        return 0;
    if (kind == TARGET_DANGLING_LINK)
        return RewriteInPlace(file, bytes);  // creates the link's target
    DWORD attributes = 0;
    if (kind == TARGET_FILE) {
        attributes = GetFileAttributesA(target.c_str());
        // The profile functions refuse a read-only file too.
        if (attributes == INVALID_FILE_ATTRIBUTES
            || (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
            return 0;
    }

    if (kind == TARGET_FILE && (!CanBeReplaced(target) || HasOtherLinks(target)))
        return RewriteInPlace(target, bytes);
    std::string temporary;
    switch (WriteNewFile(target, bytes, attributes & kKeptAttributes, &temporary)) {
    case NEW_FILE_WRITTEN:
        break;
    case NEW_FILE_NOT_CREATED:
        return kind == TARGET_FILE ? RewriteInPlace(target, bytes) : 0;
    case NEW_FILE_NOT_WRITTEN:
        RemoveTemporary(temporary);
        return 0;
    }

    if (kind == TARGET_NEW) {
        if (MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
            return 1;
        RemoveTemporary(temporary);
        return 0;
    }
    // ReplaceFileA keeps the target's attributes, security, creation time
    // and streams (the temporary file has the attributes already, for
    // systems whose ReplaceFileA does not carry them over).
    if (ReplaceFileA(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr))
        return 1;
    if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
        // The target is gone and the temporary file, which holds the whole
        // new text, could not take its place yet.  Should the move fail too,
        // the target is written anew; the temporary file holds the only copy
        // of the text until that has succeeded.
        const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
        if (MoveFileExA(temporary.c_str(), target.c_str(), flags))
            return 1;
        if (!RewriteInPlace(target, bytes))
            return 0;
        RemoveTemporary(temporary);
        return 1;
    }
    // The target is as it was: taken by another program meanwhile, or in a
    // folder where files can be made but not removed.
    RemoveTemporary(temporary);
    return RewriteInPlace(target, bytes);
}

/*
 * Shortcut paths and link targets.
 */
#include "options/portable/shell_text.h"

#include <cstdio>
#include <cstring>

namespace {

// snprintf into a buffer, all or nothing.
template <typename... Args>
bool FormatWhole(char* out, std::size_t size, const char* format, Args... args)
{
    if (size == 0)
        return false;
    int length = std::snprintf(out, size, format, args...);
    if (length < 0 || static_cast<std::size_t>(length) >= size) {
        out[0] = '\0';
        return false;
    }
    return true;
}

}  // namespace

bool JoinFolderAndName(const char* folder, const char* name, char* path, std::size_t size)
{
    return FormatWhole(path, size, "%s\\%s", folder, name);
}

bool ProgramFolder(const char* program, char* folder, std::size_t size, LeadByteTest isLeadByte)
{
    if (!FormatWhole(folder, size, "%s", program))
        return false;
    // A trail byte may be 0x5C, so the scan walks forward over whole
    // characters and remembers the last backslash, instead of scanning
    // back from the end.
    char* last = nullptr;
    for (char* c = folder; *c != '\0'; ++c) {
        if (c != folder && *c == '\\')
            last = c;
        if (isLeadByte(static_cast<unsigned char>(*c)) && c[1] != '\0')
            ++c;
    }
    if (last == nullptr)
        return true;
    if (last == folder + 2 && folder[1] == ':')
        last[1] = '\0';
    else
        *last = '\0';
    return true;
}

bool LinkTarget(const char* text, char* target, std::size_t size)
{
    if (std::strstr(text, "://") == nullptr && std::strchr(text, '@') != nullptr)
        return FormatWhole(target, size, "mailto:%s", text);
    return FormatWhole(target, size, "%s", text);
}

/*
 * Title and file type of a dropped file.
 */
#include "setup/portable/dropped_file.h"

#include <cstring>
#include <string>

namespace {

// The next character: a lead byte and its trail byte go together, unless
// the text ends after the lead byte.
const char* NextChar(const char* p, LeadByteTest isLeadByte)
{
    if (isLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0')
        return p + 2;
    return p + 1;
}

// Where the extension starts: the last "." not followed by a space or a
// "\"; the end of the text when there is none.
const char* FindExtension(const char* path, LeadByteTest isLeadByte)
{
    const char* dot = nullptr;
    const char* p = path;
    for (; *p != '\0'; p = NextChar(p, isLeadByte)) {
        if (*p == '\\' || *p == ' ')
            dot = nullptr;
        else if (*p == '.')
            dot = p;
    }
    return dot != nullptr ? dot : p;
}

// Where the file name starts: after the last "\", "/" or ":" that is
// followed by something other than a separator (a trailing separator
// belongs to the name before it).
const char* FindFileName(const char* path, LeadByteTest isLeadByte)
{
    const char* name = path;
    for (const char* p = path; *p != '\0'; p = NextChar(p, isLeadByte)) {
        bool separator = *p == '\\' || *p == '/' || *p == ':';
        if (separator && p[1] != '\0' && p[1] != '\\' && p[1] != '/')
            name = p + 1;
    }
    return name;
}

}  // namespace

void TitleFromPath(const char* path, char* title, std::size_t size, LeadByteTest isLeadByte)
{
    std::string cut(path, static_cast<std::size_t>(FindExtension(path, isLeadByte) - path));
    const char* name = FindFileName(cut.c_str(), isLeadByte);
    std::size_t length = 0;
    for (const char* p = name; *p != '\0';) {
        const char* next = NextChar(p, isLeadByte);
        std::size_t end = static_cast<std::size_t>(next - name);
        if (end + 1 > size)
            break;
        length = end;
        p = next;
    }
    std::memcpy(title, name, length);
    title[length] = '\0';
}

void CutPartialCharacter(char* text, LeadByteTest isLeadByte)
{
    // Walked from the start: a trail byte may look like a lead byte.
    char* p = text;
    while (*p != '\0') {
        if (isLeadByte(static_cast<unsigned char>(*p)) && p[1] == '\0') {
            *p = '\0';
            return;
        }
        p += NextChar(p, isLeadByte) - p;
    }
}

int HasWaveExtension(const char* path)
{
    // ".wav" is plain ASCII, and "." is never the trail byte of a
    // double-byte character, so the last four bytes are the last four
    // characters whenever they spell it.
    static const char kWave[] = ".wav";
    std::size_t length = std::strlen(path);
    if (length < 4)
        return 0;
    const char* tail = path + length - 4;
    for (int i = 0; i < 4; ++i) {
        char c = tail[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != kWave[i])
            return 0;
    }
    return 1;
}

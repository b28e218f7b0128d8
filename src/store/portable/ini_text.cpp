/*
 * Reading a section out of a settings file's text and merging lines into it.
 * One scanner of lines serves both, so what the writer takes for a section
 * or a key is exactly what the reader takes for it.
 */
#include "store/portable/ini_text.h"

#include <cstring>
#include <unordered_map>

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// White space as the profile functions skip it; ^Z is the old DOS end-of-file mark.
bool IsBlank(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == 0x1A;
}

struct TextLine {
    std::size_t Start;   // first byte of the line
    std::size_t Begin;   // first byte after its leading blanks
    std::size_t End;     // end of its text, before "\n" or "\r\n"
    std::size_t Next;    // first byte of the next line (the text's size after the last)
};

TextLine LineAt(const char* text, std::size_t size, std::size_t start)
{
    TextLine line = {start, start, size, size};
    const void* newline = std::memchr(text + start, '\n', size - start);
    if (newline != nullptr) {
        line.End = static_cast<std::size_t>(static_cast<const char*>(newline) - text);
        line.Next = line.End + 1;
    }
    if (line.End > start && text[line.End - 1] == '\r')
        --line.End;
    while (line.Begin < line.End && IsBlank(static_cast<unsigned char>(text[line.Begin])))
        ++line.Begin;
    return line;
}

// For a section header sets the name's range [*nameBegin, *nameEnd) and
// returns true: "[" first, and the name runs to the last "]" that is not
// the second half of a double-byte character.
bool HeaderName(const char* text, const TextLine& line, const IniCodePage& codePage,
                std::size_t* nameBegin, std::size_t* nameEnd)
{
    if (line.Begin >= line.End || text[line.Begin] != '[')
        return false;
    std::size_t close = kNone;
    for (std::size_t i = line.Begin + 1; i < line.End; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (codePage.IsLead[c])
            ++i;
        else if (c == ']')
            close = i;
    }
    if (close == kNone)
        return false;
    *nameBegin = line.Begin + 1;
    *nameEnd = close;
    return true;
}

// The end of a key line's key: its first "=", zero byte or the line's end.
std::size_t KeyEnd(const char* text, const TextLine& line)
{
    std::size_t i = line.Begin;
    while (i < line.End && text[i] != '=' && text[i] != '\0')
        ++i;
    return i;
}

// Where the first section of a name lies in a text.
struct SectionSpan {
    bool Found;
    std::size_t BodyStart;  // first line after the header
    std::size_t BodyEnd;    // the next header line, or the text's end
    std::size_t InsertAt;   // after the body's last non-blank line (BodyStart when none)
};

SectionSpan FindSection(const char* text, std::size_t size, const char* section,
                        const IniCodePage& codePage)
{
    SectionSpan span = {false, size, size, size};
    const std::string wanted = FoldIniKey(section, std::strlen(section), codePage);
    for (std::size_t start = 0; start < size;) {
        TextLine line = LineAt(text, size, start);
        std::size_t nameBegin, nameEnd;
        if (HeaderName(text, line, codePage, &nameBegin, &nameEnd)) {
            if (span.Found) {
                span.BodyEnd = line.Start;
                break;
            }
            if (FoldIniKey(text + nameBegin, nameEnd - nameBegin, codePage) == wanted) {
                span.Found = true;
                span.BodyStart = span.InsertAt = line.Next;
            }
        } else if (span.Found && line.Begin < line.End) {
            span.InsertAt = line.Next;
        }
        start = line.Next;
    }
    return span;
}

// Ends the text's last line, if it is not ended, before more lines follow.
void EndLastLine(std::string* text)
{
    if (text->empty() || text->back() == '\n')
        return;
    text->append(text->back() == '\r' ? "\n" : "\r\n");
}

void AppendLine(std::string* text, const IniEntry& entry)
{
    text->append(entry.Key);
    text->push_back('=');
    text->append(entry.Value);
    text->append("\r\n");
}

}  // namespace

IniCodePage CodePage932()
{
    IniCodePage codePage = {};
    for (int c = 0x81; c <= 0x9F; ++c)
        codePage.IsLead[c] = true;
    for (int c = 0xE0; c <= 0xFC; ++c)
        codePage.IsLead[c] = true;
    return codePage;
}

std::string FoldIniKey(const char* text, std::size_t size, const IniCodePage& codePage)
{
    std::string folded(text, size);
    for (std::size_t i = 0; i < size; ++i) {
        unsigned char c = static_cast<unsigned char>(folded[i]);
        if (codePage.IsLead[c])
            ++i;
        else if (c >= 'A' && c <= 'Z')
            folded[i] = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

bool IsWritableIniEntry(const IniEntry& entry)
{
    static const char kNotInKey[] = {'=', '\n', '\0'};
    static const char kNotInValue[] = {'\n', '\0'};
    if (entry.Key.empty())
        return false;
    unsigned char first = static_cast<unsigned char>(entry.Key[0]);
    if (IsBlank(first) || first == ';' || first == '[')
        return false;
    return entry.Key.find_first_of(kNotInKey, 0, sizeof kNotInKey) == std::string::npos
           && entry.Value.find_first_of(kNotInValue, 0, sizeof kNotInValue) == std::string::npos;
}

std::string ReadIniSection(const char* text, std::size_t size, const char* section,
                           const IniCodePage& codePage)
{
    std::string lines;
    SectionSpan span = FindSection(text, size, section, codePage);
    for (std::size_t start = span.BodyStart; span.Found && start < span.BodyEnd;) {
        TextLine line = LineAt(text, size, start);
        start = line.Next;
        const char* begin = text + line.Begin;
        std::size_t length = line.End - line.Begin;
        if (const void* zero = std::memchr(begin, '\0', length))
            length = static_cast<std::size_t>(static_cast<const char*>(zero) - begin);
        // Blank lines, comments and lines without a key are not lines of the section.
        if (length == 0 || begin[0] == ';' || begin[0] == '=')
            continue;
        lines.append(begin, length);
        lines.push_back('\0');
    }
    lines.push_back('\0');
    return lines;
}

std::string MergeIniSection(const std::string& text, const char* section,
                            const std::vector<IniEntry>& entries, const IniCodePage& codePage)
{
    if (entries.empty())
        return text;

    // Each folded key stands for the last entry that has it.
    std::vector<std::string> folded(entries.size());
    std::unordered_map<std::string, std::size_t> byKey;
    std::size_t added = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        folded[i] = FoldIniKey(entries[i].Key.data(), entries[i].Key.size(), codePage);
        byKey[folded[i]] = i;
        added += entries[i].Key.size() + entries[i].Value.size() + 3;
    }
    std::vector<bool> written(entries.size(), false);

    const char* data = text.data();
    const std::size_t size = text.size();
    std::string merged;
    merged.reserve(size + added + std::strlen(section) + 6);

    auto appendRest = [&]() {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!written[i] && byKey[folded[i]] == i)
                AppendLine(&merged, entries[i]);
        }
    };

    SectionSpan span = FindSection(data, size, section, codePage);
    if (!span.Found) {
        merged.assign(text);
        EndLastLine(&merged);
        merged.append("[").append(section).append("]\r\n");
        appendRest();
        return merged;
    }

    merged.append(data, span.BodyStart);
    for (std::size_t start = span.BodyStart;; ) {
        if (start == span.InsertAt) {
            EndLastLine(&merged);
            appendRest();
        }
        if (start >= span.BodyEnd)
            break;
        TextLine line = LineAt(data, size, start);
        start = line.Next;
        std::size_t keyEnd = KeyEnd(data, line);
        auto match = keyEnd > line.Begin && data[line.Begin] != ';'
                         ? byKey.find(FoldIniKey(data + line.Begin, keyEnd - line.Begin, codePage))
                         : byKey.end();
        if (match == byKey.end()) {
            merged.append(data + line.Start, line.Next - line.Start);
            continue;
        }
        // The line's own blanks and spelling of the key, then the new value.
        const IniEntry& entry = entries[match->second];
        written[match->second] = true;
        merged.append(data + line.Start, keyEnd - line.Start);
        merged.push_back('=');
        merged.append(entry.Value);
        merged.append("\r\n");
    }
    merged.append(data + span.BodyEnd, size - span.BodyEnd);
    return merged;
}

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

// White space as the profile functions trim it; ^Z is the old DOS end-of-file mark.
bool IsBlank(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == 0x1A;
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

struct TextLine {
    std::size_t Start;  // first byte of the line
    std::size_t Begin;  // first byte after its leading blanks
    std::size_t End;    // end of its text, before trailing blanks
    std::size_t Stop;   // start of its line end (the text's size when it has none)
    std::size_t Next;   // first byte of the next line
};

TextLine LineAt(const char* text, std::size_t size, std::size_t start)
{
    TextLine line = {start, start, size, size, size};
    std::size_t stop = start;
    while (stop < size && !IsLineEnd(text[stop]))
        ++stop;
    line.Stop = stop;
    line.Next = stop;
    if (stop < size)
        line.Next += text[stop] == '\r' && stop + 1 < size && text[stop + 1] == '\n' ? 2 : 1;
    line.End = stop;
    while (line.Begin < line.End && IsBlank(static_cast<unsigned char>(text[line.Begin])))
        ++line.Begin;
    while (line.End > line.Begin && IsBlank(static_cast<unsigned char>(text[line.End - 1])))
        --line.End;
    return line;
}

// The last "]" in [begin, end), or kNone.  Second bytes of double-byte
// characters are never taken for it.
std::size_t LastCloseBracket(const char* text, std::size_t begin, std::size_t end,
                             const IniCodePage& codePage)
{
    std::size_t found = kNone;
    for (std::size_t i = begin; i < end; ++i) {
        if (codePage.IsLead[static_cast<unsigned char>(text[i])])
            ++i;
        else if (text[i] == ']')
            found = i;
    }
    return found;
}

// A range of the text cut at its first zero byte, with blanks at both ends
// removed: a name or value as the profile functions hand it on.
struct Span {
    std::size_t Begin, End;
    std::size_t Size() const { return End - Begin; }
};

Span TrimmedSpan(const char* text, std::size_t begin, std::size_t end)
{
    const void* zero = std::memchr(text + begin, '\0', end - begin);
    if (zero != nullptr)
        end = static_cast<std::size_t>(static_cast<const char*>(zero) - text);
    while (begin < end && IsBlank(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && IsBlank(static_cast<unsigned char>(text[end - 1])))
        --end;
    return Span{begin, end};
}

// For a section header sets its name and returns true: "[" first, and the
// name runs to the last "]".
bool HeaderName(const char* text, const TextLine& line, const IniCodePage& codePage, Span* name)
{
    if (line.Begin >= line.End || text[line.Begin] != '[')
        return false;
    std::size_t close = LastCloseBracket(text, line.Begin + 1, line.End, codePage);
    if (close == kNone)
        return false;
    *name = TrimmedSpan(text, line.Begin + 1, close);
    return true;
}

// A line of a section taken apart: the name before the first "=" and the
// value after it.
struct KeyLine {
    Span Name;
    bool HasValue;
    std::size_t AfterEquals;  // first byte after the "=" (HasValue only)
    Span Value;               // (HasValue only)

    bool IsBlankLine() const { return Name.Size() == 0 && !HasValue; }
};

// "=" is never the second byte of a double-byte character (those start at
// 0x40), so the first one is found without regard to them.
KeyLine ParseKeyLine(const char* text, const TextLine& line)
{
    KeyLine key = {};
    const char* found = static_cast<const char*>(std::memchr(text + line.Begin, '=', line.End - line.Begin));
    key.HasValue = found != nullptr;
    std::size_t equals = key.HasValue ? static_cast<std::size_t>(found - text) : line.End;
    key.Name = TrimmedSpan(text, line.Begin, equals);
    if (key.HasValue) {
        key.AfterEquals = equals + 1;
        key.Value = TrimmedSpan(text, equals + 1, line.End);
    }
    return key;
}

bool IsComment(const char* text, const KeyLine& key)
{
    return key.Name.Size() > 0 && text[key.Name.Begin] == ';';
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
        Span name;
        if (HeaderName(text, line, codePage, &name)) {
            if (span.Found) {
                span.BodyEnd = line.Start;
                break;
            }
            if (FoldIniKey(text + name.Begin, name.Size(), codePage) == wanted) {
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
    if (!text->empty() && !IsLineEnd(text->back()))
        text->append("\r\n");
}

void AppendLine(std::string* text, const IniEntry& entry)
{
    text->append(entry.Key);
    text->push_back('=');
    text->append(entry.Value);
    text->append("\r\n");
}

// The entries to write, found by their folded keys: each key stands for
// the last entry that has it.  Keeps which of them a line has taken.
class EntryIndex {
public:
    EntryIndex(const std::vector<IniEntry>& entries, const IniCodePage& codePage)
        : entries_(entries), codePage_(codePage), folded_(entries.size()),
          written_(entries.size(), false)
    {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            folded_[i] = FoldIniKey(entries[i].Key.data(), entries[i].Key.size(), codePage);
            byKey_[folded_[i]] = i;
            lineBytes_ += entries[i].Key.size() + entries[i].Value.size() + 3;
        }
    }

    // The entry for the key of a line of the text, now written; null when
    // none has that key.
    const IniEntry* Take(const char* key, std::size_t size)
    {
        auto match = byKey_.find(FoldIniKey(key, size, codePage_));
        if (match == byKey_.end())
            return nullptr;
        written_[match->second] = true;
        return &entries_[match->second];
    }

    // Appends, in their order, the entries that no line has taken.
    void AppendUnwritten(std::string* merged) const
    {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (!written_[i] && byKey_.at(folded_[i]) == i)
                AppendLine(merged, entries_[i]);
        }
    }

    // The bytes of every entry as a line of its own.
    std::size_t LineBytes() const { return lineBytes_; }

private:
    const std::vector<IniEntry>& entries_;
    const IniCodePage& codePage_;
    std::vector<std::string> folded_;
    std::unordered_map<std::string, std::size_t> byKey_;
    std::vector<bool> written_;
    std::size_t lineBytes_ = 0;
};

// A line of the entry's key with the entry's value.  Every line of the key
// takes the value, not only the first as with the profile functions: an
// import reads every line, and the last one would win.  The line keeps its
// own text up to the value (its indent, spelling of the key and blanks
// around "=") and its line end.
void AppendTakenLine(std::string* merged, const char* data, const TextLine& line,
                     const KeyLine& key, const IniEntry& entry)
{
    if (key.HasValue) {
        // The blanks between "=" and a value stay while there is a value
        // after them, and the new one brings none of its own.
        bool keepBlanks = key.Value.Size() > 0 && !entry.Value.empty()
                          && !IsBlank(static_cast<unsigned char>(entry.Value[0]));
        std::size_t valueStart = keepBlanks ? key.Value.Begin : key.AfterEquals;
        merged->append(data + line.Start, valueStart - line.Start);
    } else {
        merged->append(data + line.Start, key.Name.End - line.Start);
        merged->push_back('=');
    }
    merged->append(entry.Value);
    merged->append(data + line.Stop, line.Next - line.Stop);
}

// The body of the section: its lines, those of an entry's key with the
// entry's value, and the entries that no line took after its last
// non-blank line.
void MergeSectionBody(std::string* merged, const std::string& text, const SectionSpan& span,
                      EntryIndex* index)
{
    const char* data = text.data();
    for (std::size_t start = span.BodyStart;;) {
        if (start == span.InsertAt) {
            EndLastLine(merged);
            index->AppendUnwritten(merged);
        }
        if (start >= span.BodyEnd)
            break;
        TextLine line = LineAt(data, text.size(), start);
        start = line.Next;
        KeyLine key = ParseKeyLine(data, line);
        const IniEntry* entry = key.Name.Size() > 0 && !IsComment(data, key)
                                    ? index->Take(data + key.Name.Begin, key.Name.Size())
                                    : nullptr;
        if (entry != nullptr)
            AppendTakenLine(merged, data, line, key, *entry);
        else
            merged->append(data + line.Start, line.Next - line.Start);
    }
}

}  // namespace

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
    static const char kNotInKey[] = {'=', '\r', '\n', '\0'};
    static const char kNotInValue[] = {'\r', '\n', '\0'};
    if (entry.Key.empty())
        return false;
    unsigned char first = static_cast<unsigned char>(entry.Key.front());
    if (IsBlank(first) || first == ';' || first == '['
        || IsBlank(static_cast<unsigned char>(entry.Key.back())))
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
        KeyLine key = ParseKeyLine(text, line);
        if (key.IsBlankLine() || IsComment(text, key))
            continue;
        lines.append(text + key.Name.Begin, key.Name.Size());
        if (key.HasValue) {
            lines.push_back('=');
            lines.append(text + key.Value.Begin, key.Value.Size());
        }
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
    EntryIndex index(entries, codePage);
    std::string merged;
    merged.reserve(text.size() + index.LineBytes() + std::strlen(section) + 6);

    SectionSpan span = FindSection(text.data(), text.size(), section, codePage);
    if (!span.Found) {
        merged.assign(text);
        EndLastLine(&merged);
        merged.append("[").append(section).append("]\r\n");
        index.AppendUnwritten(&merged);
        return merged;
    }
    merged.append(text.data(), span.BodyStart);
    MergeSectionBody(&merged, text, span, &index);
    merged.append(text.data() + span.BodyEnd, text.size() - span.BodyEnd);
    return merged;
}

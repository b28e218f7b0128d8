/*
 * Fuzz target for the settings-file text: the input is a whole file.
 *
 * Import: each of the three sections is read out of the text and goes
 * through the parse-and-decode loop of the import; so do the raw bytes,
 * taken as a section buffer of their own, as GetPrivateProfileSectionA might
 * fill it.  Every name and value handed on must lie inside its buffer.
 *
 * Export: the lines of [Launch] (with changed values) and of [Window] are
 * merged into [Launch] as entries.  The merged text must give every entry
 * back with its value, read [Window] and [Key] as before, and stay the same
 * when merged again.
 *
 * Both run once with the lead bytes of code page 932 and once without any,
 * as for a file in UTF-8.
 *
 * Hex: the input's bytes, encoded and decoded again, are the same bytes.
 */
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "../tests/native/code_page_932.h"
#include "store/portable/ini_line.h"
#include "store/portable/ini_text.h"

namespace {

const IniCodePage kCodePage932 = CodePage932();
const IniCodePage kNoLeadBytes = {};

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Checks that every text handed on lies inside the section buffer.
class BoundsSink : public IniValueSink {
public:
    BoundsSink(const char* begin, const char* end) : begin_(begin), end_(end) {}

    bool WriteString(const char* name, const char* text) override
    {
        CheckText(name);
        CheckText(text);
        return true;
    }
    bool WriteBinary(const char* name, const unsigned char* bytes, std::size_t count) override
    {
        CheckText(name);
        const char* data = reinterpret_cast<const char*>(bytes);
        Check(data >= begin_ && data + count <= end_);
        return true;
    }
    bool WriteDword(const char* name, std::uint32_t) override
    {
        CheckText(name);
        return true;
    }

private:
    void CheckText(const char* text)
    {
        Check(text >= begin_ && text < end_);
        Check(std::memchr(text, '\0', static_cast<std::size_t>(end_ - text)) != nullptr);
    }

    const char* begin_;
    const char* end_;
};

void ImportBuffer(std::string buffer)
{
    BoundsSink sink(buffer.data(), buffer.data() + buffer.size());
    ImportSectionLines(&buffer[0], buffer.size(), &sink);
}

std::string Section(const std::string& text, const char* name, const IniCodePage& codePage)
{
    return ReadIniSection(text.data(), text.size(), name, codePage);
}

// The lines of a section buffer, each split at its first "=" (no "=": all key).
std::vector<IniEntry> LinesOf(const std::string& section)
{
    std::vector<IniEntry> lines;
    for (std::size_t start = 0; start < section.size() && section[start] != '\0';) {
        std::string line(section.c_str() + start);
        start += line.size() + 1;
        std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            lines.push_back({line, std::string()});
        else
            lines.push_back({line.substr(0, equals), line.substr(equals + 1)});
    }
    return lines;
}

void CheckMerge(const std::string& text, const IniCodePage& codePage)
{
    auto Fold = [&](const std::string& key) { return FoldIniKey(key.data(), key.size(), codePage); };
    std::vector<IniEntry> entries;
    for (IniEntry entry : LinesOf(Section(text, "Launch", codePage))) {
        entry.Value += "!";
        if (IsWritableIniEntry(entry))
            entries.push_back(entry);
    }
    for (const IniEntry& entry : LinesOf(Section(text, "Window", codePage))) {
        if (IsWritableIniEntry(entry))
            entries.push_back(entry);
    }
    std::unordered_map<std::string, std::string> expected;  // the last entry of a key counts
    for (const IniEntry& entry : entries)
        expected[Fold(entry.Key)] = entry.Value;

    const std::string merged = MergeIniSection(text, "Launch", entries, codePage);
    std::unordered_map<std::string, bool> seen;
    const std::string section = Section(merged, "Launch", codePage);
    for (std::size_t start = 0; start < section.size() && section[start] != '\0';) {
        std::string line(section.c_str() + start);
        start += line.size() + 1;
        std::size_t equals = line.find('=');
        auto match = expected.find(Fold(line.substr(0, equals)));
        if (match == expected.end())
            continue;
        Check(equals != std::string::npos && line.substr(equals + 1) == match->second);
        seen[match->first] = true;
    }
    Check(seen.size() == expected.size());
    Check(Section(merged, "Window", codePage) == Section(text, "Window", codePage));
    Check(Section(merged, "Key", codePage) == Section(text, "Key", codePage));
    Check(MergeIniSection(merged, "Launch", entries, codePage) == merged);
}

void CheckHex(const std::string& bytes)
{
    std::string text = HexEncode(bytes.data(), bytes.size());
    Check(text.size() == 2 * bytes.size());
    Check(HexDecode(&text[0]) == bytes.size());
    Check(text.compare(0, bytes.size(), bytes) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const IniCodePage* codePage : {&kCodePage932, &kNoLeadBytes}) {
        for (const char* name : {"Window", "Launch", "Key"})
            ImportBuffer(Section(text, name, *codePage));
        CheckMerge(text, *codePage);
    }
    ImportBuffer(text);
    CheckHex(text);
    return 0;
}

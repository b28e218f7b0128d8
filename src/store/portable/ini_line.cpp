/*
 * Settings-file lines: parsing and the value codings.
 */
#include "store/portable/ini_line.h"

#include <cstring>

static IniValueType TypeOfLetter(char letter)
{
    switch (letter) {
    case 'S': return INI_STRING;
    case 'B': return INI_BINARY;
    case 'D': return INI_DWORD;
    default: return INI_UNKNOWN;
    }
}

IniLine ParseIniLine(char* line, char* end)
{
    IniLine result = {INI_END, nullptr, nullptr, nullptr};
    if (line == nullptr || line >= end)
        return result;
    // The line must end inside the buffer: everything below stays before its terminator.
    char* stop = static_cast<char*>(std::memchr(line, '\0', static_cast<std::size_t>(end - line)));
    if (stop == nullptr)
        return result;
    std::size_t length = static_cast<std::size_t>(stop - line);
    // A line of fewer than two characters has no room for the type letter
    // and its separator; like any line without "=", it ends the section.
    if (length < 2)
        return result;
    char* equals = static_cast<char*>(std::memchr(line + 2, '=', length - 2));
    if (equals == nullptr)
        return result;
    *equals = '\0';
    result.Type = TypeOfLetter(line[0]);
    result.Name = line + 2;
    result.Value = equals + 1;
    result.Next = stop + 1;
    return result;
}

std::string HexEncode(const void* bytes, std::size_t count)
{
    static const char digits[] = "0123456789ABCDEF";
    const unsigned char* in = static_cast<const unsigned char*>(bytes);
    std::string text(count * 2, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        text[2 * i] = digits[in[i] >> 4];
        text[2 * i + 1] = digits[in[i] & 0x0F];
    }
    return text;
}

static unsigned DigitValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c;
}

std::size_t HexDecode(char* text)
{
    std::size_t length = std::strlen(text);
    unsigned char* bytes = reinterpret_cast<unsigned char*>(text);
    // Byte i / 2 is written only after character i has been read, and every
    // later character lies beyond it, so decoding in place reads only digits.
    for (std::size_t i = 0; i < length; ++i) {
        unsigned value = DigitValue(bytes[i]);
        if (i % 2 == 0)
            bytes[i / 2] = static_cast<unsigned char>(value << 4);
        else
            bytes[i / 2] = static_cast<unsigned char>(bytes[i / 2] | value);
    }
    return length / 2;
}

static bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::uint32_t ParseIniDword(const char* text)
{
    while (IsSpace(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    std::uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10u + static_cast<std::uint32_t>(*text - '0');
    return negative ? 0u - value : value;
}

int ImportSectionLines(char* section, std::size_t size, IniValueSink* sink)
{
    char* end = section + size;
    bool read = false, written = true;
    for (char* line = section;;) {
        IniLine parsed = ParseIniLine(line, end);
        switch (parsed.Type) {
        case INI_END:
            return read && written ? 1 : 0;
        case INI_STRING:
            written &= sink->WriteString(parsed.Name, parsed.Value);
            break;
        case INI_BINARY: {
            std::size_t count = HexDecode(parsed.Value);
            const unsigned char* bytes = reinterpret_cast<unsigned char*>(parsed.Value);
            written &= sink->WriteBinary(parsed.Name, bytes, count);
            break;
        }
        case INI_DWORD:
            written &= sink->WriteDword(parsed.Name, ParseIniDword(parsed.Value));
            break;
        case INI_UNKNOWN:
            break;
        }
        read = true;
        line = parsed.Next;
    }
}

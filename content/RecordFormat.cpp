#include "RecordFormat.h"

#include "Utf8.h"

#include <cstdint>
#include <cstring>

namespace content {

const char* describe(LineError error)
{
    switch (error) {
    case LineError::None:
        return "no error";
    case LineError::MissingTab:
        return "no TAB between the flag string and the sentence";
    case LineError::ExtraTab:
        return "a second TAB in the line (write a tab inside a sentence as \\t)";
    case LineError::BadEscape:
        return "a backslash that is not \\t, \\n or \\\\ (write a backslash as \\\\)";
    }
    return "unknown error";
}

namespace {

bool escapesAreValid(std::string_view field)
{
    for (std::size_t i = field.find('\\'); i != std::string_view::npos;
         i = field.find('\\', i + 2)) {
        if (i + 1 >= field.size())
            return false;
        const char next = field[i + 1];
        if (next != 't' && next != 'n' && next != '\\')
            return false;
    }
    return true;
}

} // namespace

LineError parseLine(std::string_view line, RawRecord& record)
{
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos)
        return LineError::MissingTab;
    record.flags = line.substr(0, tab);
    record.text = line.substr(tab + 1);
    if (record.text.find('\t') != std::string_view::npos)
        return LineError::ExtraTab;
    if (!escapesAreValid(record.flags) || !escapesAreValid(record.text))
        return LineError::BadEscape;
    return LineError::None;
}

namespace {

char16_t unescaped(char c)
{
    return c == 't' ? u'\t' : c == 'n' ? u'\n' : u'\\';
}

} // namespace

DecodeError decodeField(std::string_view field, char16_t* out, std::size_t capacity,
                        std::size_t& length)
{
    length = 0;
    const auto fail = [&](DecodeError error) {
        if (capacity > 0)
            out[0] = u'\0';
        length = 0;
        return error;
    };
    // Room for the NUL is kept back from the start, so every write below is in bounds.
    if (capacity == 0)
        return DecodeError::TooLarge;
    const std::size_t room = capacity - 1;
    std::size_t pos = 0;
    while (pos < field.size()) {
        if (field[pos] == '\\' && pos + 1 < field.size()) {
            if (length >= room)
                return fail(DecodeError::TooLarge);
            out[length++] = unescaped(field[pos + 1]);
            pos += 2;
            continue;
        }
        char32_t cp;
        if (!readCodePoint(field, pos, cp))
            return fail(DecodeError::InvalidUtf8);
        if (cp == 0)
            return fail(DecodeError::HoldsNul);
        if (cp < 0x10000) {
            if (length >= room)
                return fail(DecodeError::TooLarge);
            out[length++] = static_cast<char16_t>(cp);
        } else {
            if (room - length < 2)
                return fail(DecodeError::TooLarge);
            cp -= 0x10000;
            out[length++] = static_cast<char16_t>(0xD800 + (cp >> 10));
            out[length++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        }
    }
    out[length] = u'\0';
    return DecodeError::None;
}

} // namespace content

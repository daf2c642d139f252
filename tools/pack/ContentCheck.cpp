#include "ContentCheck.h"

#include "content/Cp932.h"
#include "content/RecordFormat.h"

namespace pack {

namespace {

// The program reads every item into a buffer of this many UTF-16 code units, NUL included.
constexpr std::size_t kItemCapacity = 102400 / sizeof(char16_t);

void countFlags(std::u16string_view flags, std::vector<std::size_t>& counts)
{
    if (counts.size() < flags.size())
        counts.resize(flags.size(), 0);
    for (std::size_t p = 0; p < flags.size(); ++p) {
        if (flags[p] == u'1')
            ++counts[p];
    }
}

std::string fieldProblem(content::DecodeError error, const char* field)
{
    const std::string which = field;
    return error == content::DecodeError::InvalidUtf8
               ? "the " + which + " is not valid UTF-8"
               : "the " + which + " is too long (the program reads at most 51199 code units)";
}

} // namespace

ContentSummary checkContent(std::string_view name, std::string_view data)
{
    ContentSummary summary;
    summary.name = name;
    if (!content::utf8ToCp932(name))
        summary.problems.push_back({0, "the name has no code page 932 form"});
    std::u16string buffer(kItemCapacity, u'\0');
    content::forEachLine(data, [&](std::size_t lineNumber, std::string_view line) {
        content::RawRecord record;
        const content::LineError lineError = content::parseLine(line, record);
        if (lineError != content::LineError::None) {
            summary.problems.push_back({lineNumber, content::describe(lineError)});
            return true;
        }
        std::size_t length;
        const content::DecodeError textError =
            content::decodeField(record.text, buffer.data(), buffer.size(), length);
        if (textError != content::DecodeError::None)
            summary.problems.push_back({lineNumber, fieldProblem(textError, "sentence")});
        const content::DecodeError flagError =
            content::decodeField(record.flags, buffer.data(), buffer.size(), length);
        if (flagError != content::DecodeError::None)
            summary.problems.push_back({lineNumber, fieldProblem(flagError, "flag string")});
        else
            countFlags(std::u16string_view(buffer.data(), length), summary.flagCounts);
        ++summary.records;
        return true;
    });
    return summary;
}

} // namespace pack

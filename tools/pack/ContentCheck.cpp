#include "ContentCheck.h"

#include "JobWords.h"
#include "NearDuplicates.h"
#include "content/ContentArchive.h"
#include "content/ContentNames.h"
#include "content/RecordFormat.h"

#include <algorithm>

namespace pack {

namespace {

// The program reads every item into a buffer of this many UTF-16 code units, NUL included.
constexpr std::size_t kItemCapacity = 102400 / sizeof(char16_t);
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

std::string forbiddenProblem(const ForbiddenWords::Hit& hit)
{
    return "forbidden word \"" + hit.word + "\": " + hit.reason;
}

// The program looks its contents up by these names only; an entry of any other name is never
// read, and the content it was meant to be is missing.
std::string unknownNameProblem()
{
    std::string what = "the program reads no content of this name; it reads";
    const char* separator = " \"";
    for (std::string_view name : content::kAllContents) {
        what += separator;
        what += name;
        what += '"';
        separator = ", \"";
    }
    return what;
}

// The library hands a field out as a NUL-terminated string, so a NUL inside it silently cuts
// it short; a byte order mark after the start of the file would become part of the field.
// Returns false when the field holds a NUL: that is then all there is to say about it.
bool checkBytes(std::string_view field, const char* which, std::size_t lineNumber,
                std::vector<Problem>& problems)
{
    const std::string name = which;
    if (field.find(kByteOrderMark) != std::string_view::npos)
        problems.push_back({lineNumber, "a byte order mark (U+FEFF) in the " + name +
                                            "; only the very start of the file may hold one"});
    if (field.find('\0') == std::string_view::npos)
        return true;
    problems.push_back({lineNumber, "a NUL byte (U+0000) in the " + name});
    return false;
}

// Decodes a field into buffer; false, with a problem, when it cannot be used.
bool decodeChecked(std::string_view field, const char* which, std::size_t lineNumber,
                   std::u16string& buffer, std::size_t& length, std::vector<Problem>& problems)
{
    if (!checkBytes(field, which, lineNumber, problems))
        return false;
    const content::DecodeError error =
        content::decodeField(field, buffer.data(), buffer.size(), length);
    if (error == content::DecodeError::None)
        return true;
    problems.push_back({lineNumber, fieldProblem(error, which)});
    return false;
}

std::uint32_t flagSet(std::u16string_view flags)
{
    std::uint32_t set = 0;
    for (std::size_t p = 0; p < flags.size() && p < 32; ++p) {
        if (flags[p] == u'1')
            set |= std::uint32_t{1} << p;
    }
    return set;
}

} // namespace

ContentSummary checkContent(std::string_view name, std::string_view data,
                            const ForbiddenWords* forbidden, const ContentRules& rules)
{
    ContentSummary summary;
    summary.name = name;
    if (std::find(std::begin(content::kAllContents), std::end(content::kAllContents), name) ==
        std::end(content::kAllContents))
        summary.problems.push_back({0, unknownNameProblem()});
    std::u16string sentenceBuffer(kItemCapacity, u'\0');
    std::u16string flagBuffer(kItemCapacity, u'\0');
    std::vector<duplicates::Sentence> sentences;
    content::forEachLine(data, [&](std::size_t lineNumber, std::string_view line) {
        content::RawRecord record;
        const content::LineError lineError = content::parseLine(line, record);
        if (lineError != content::LineError::None) {
            summary.problems.push_back({lineNumber, content::describe(lineError)});
            return true;
        }
        if (++summary.records == content::kMaxRecordsPerContent + 1)
            summary.problems.push_back(
                {lineNumber, "one record too many: a content holds at most " +
                                 std::to_string(content::kMaxRecordsPerContent) + " records"});
        std::size_t textLength = 0;
        std::size_t flagsLength = 0;
        const bool textOk = decodeChecked(record.text, "sentence", lineNumber, sentenceBuffer,
                                          textLength, summary.problems);
        const bool flagsOk = decodeChecked(record.flags, "flag string", lineNumber, flagBuffer,
                                           flagsLength, summary.problems);
        const std::u16string_view text(sentenceBuffer.data(), textLength);
        const std::u16string_view flags(flagBuffer.data(), flagsLength);
        if (flagsOk) {
            countFlags(flags, summary.flagCounts);
            summary.flagSets.push_back(flagSet(flags));
        } else {
            summary.flagSets.push_back(0);
        }
        if (!textOk)
            return true;
        const auto addAll = [&](const std::vector<std::string>& found) {
            for (const std::string& what : found)
                summary.problems.push_back({lineNumber, what});
        };
        if (forbidden) {
            for (const ForbiddenWords::Hit& hit : forbidden->find(text))
                summary.problems.push_back({lineNumber, forbiddenProblem(hit)});
        }
        if (rules.marks)
            addAll(markProblems(text));
        if (rules.tagging && flagsOk)
            addAll(taggingProblems(name, flags, text));
        if (rules.jobWords && flagsOk && name == content::kStrengthsContent)
            addAll(jobWordProblems(flags, text, *rules.jobWords));
        if (rules.officialNames)
            addAll(shortNameProblems(text, *rules.officialNames));
        if (rules.nearDuplicates)
            sentences.push_back({lineNumber, std::u16string(text)});
        return true;
    });
    if (rules.nearDuplicates) {
        for (Problem& problem : nearDuplicateProblems(sentences))
            summary.problems.push_back(std::move(problem));
        std::stable_sort(summary.problems.begin(), summary.problems.end(),
                         [](const Problem& a, const Problem& b) { return a.line < b.line; });
    }
    return summary;
}

} // namespace pack

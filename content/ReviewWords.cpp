#include "ReviewWords.h"

#include "RecordFormat.h"

#include <charconv>
#include <set>
#include <utility>

namespace content {

namespace {

struct Line {
    std::string_view kind, word, reason;
};

// Splits a line at its first two TABs; false when it has fewer.
bool split(std::string_view line, Line& fields)
{
    const std::size_t first = line.find('\t');
    if (first == std::string_view::npos)
        return false;
    const std::size_t second = line.find('\t', first + 1);
    if (second == std::string_view::npos)
        return false;
    fields = {line.substr(0, first), line.substr(first + 1, second - first - 1),
              line.substr(second + 1)};
    return true;
}

} // namespace

ReviewWords ReviewWords::parse(std::string_view list, std::vector<ListProblem>& problems)
{
    ReviewWords words;
    std::set<std::pair<Kind, std::u16string>> listed;
    std::u16string buffer(256, u'\0');
    forEachLine(list, [&](std::size_t lineNumber, std::string_view text) {
        if (text.empty() || text.starts_with('#'))
            return true;
        const auto problem = [&](std::string what) {
            problems.push_back({lineNumber, std::move(what)});
            return true;
        };
        Line line;
        if (!split(text, line))
            return problem("not three fields: kind TAB word TAB reason");
        Entry entry{Kind::Word, {}, 0, std::string(line.reason)};
        if (line.kind == "ending")
            entry.kind = Kind::Ending;
        else if (line.kind == "repeat")
            entry.kind = Kind::Repeat;
        else if (line.kind != "word")
            return problem("unknown kind \"" + std::string(line.kind) + "\"");
        if (line.reason.empty())
            return problem("no reason after the word");
        if (entry.kind == Kind::Repeat) {
            const char* end = line.word.data() + line.word.size();
            const auto [stop, error] = std::from_chars(line.word.data(), end, entry.count);
            if (error != std::errc() || stop != end || entry.count < 2)
                return problem("a repeat needs a count of 2 or more in place of the word");
        } else {
            std::size_t length = 0;
            if (line.word.empty())
                return problem("no word");
            if (line.word.find('\\') != std::string_view::npos ||
                decodeField(line.word, buffer.data(), buffer.size(), length) != DecodeError::None)
                return problem("the word is not valid UTF-8, is too long or holds a backslash");
            entry.word.assign(buffer.data(), length);
        }
        if (!listed.insert({entry.kind, entry.word}).second)
            return problem(entry.kind == Kind::Repeat
                               ? std::string("a second repeat line")
                               : "\"" + std::string(line.word) + "\" is listed twice");
        words.entries_.push_back(std::move(entry));
        return true;
    });
    return words;
}

} // namespace content

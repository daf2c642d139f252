#include "ForbiddenWords.h"

#include "RecordFormat.h"

#include <algorithm>
#include <unordered_set>

namespace content {

namespace {

bool byFirstUnitThenLongest(const std::u16string& a, const std::u16string& b)
{
    if (a.front() != b.front())
        return a.front() < b.front();
    return a.size() > b.size();
}

// What is wrong with one entry of the list, or nothing.
const char* entryProblem(std::string_view word, std::string_view reason, std::u16string& buffer,
                         std::size_t& length)
{
    if (word.empty())
        return "no word before the TAB";
    if (reason.empty())
        return "no reason after the TAB";
    if (word.find('\\') != std::string_view::npos)
        return "a backslash in the word";
    if (decodeField(word, buffer.data(), buffer.size(), length) != DecodeError::None)
        return "the word is not valid UTF-8 or is too long";
    return nullptr;
}

} // namespace

ForbiddenWords ForbiddenWords::parse(std::string_view list, std::vector<ListProblem>& problems)
{
    ForbiddenWords words;
    // Looked up in a set, not in the words so far: a long list read at start must not take time
    // that grows with the square of its length.
    std::unordered_set<std::u16string> listed;
    std::u16string buffer(256, u'\0');
    forEachLine(list, [&](std::size_t lineNumber, std::string_view line) {
        if (line.empty() || line.starts_with('#'))
            return true;
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            problems.push_back({lineNumber, "no TAB between the word and the reason"});
            return true;
        }
        std::string_view word = line.substr(0, tab);
        const std::string_view reason = line.substr(tab + 1);
        const bool allowed = word.starts_with('!');
        if (allowed)
            word.remove_prefix(1);
        std::size_t length = 0;
        if (const char* what = entryProblem(word, reason, buffer, length)) {
            problems.push_back({lineNumber, what});
            return true;
        }
        std::u16string decoded(buffer.data(), length);
        if (!listed.insert(decoded).second) {
            // Built in steps: GCC 12 at -O3 warns falsely (-Wrestrict) about the one-line sum.
            std::string message = "\"";
            message.append(word).append("\" is listed twice");
            problems.push_back({lineNumber, std::move(message)});
            return true;
        }
        words.entries_.push_back(
            {std::move(decoded), std::string(word), std::string(reason), allowed});
        return true;
    });
    std::sort(words.entries_.begin(), words.entries_.end(), [](const Entry& a, const Entry& b) {
        return byFirstUnitThenLongest(a.word, b.word);
    });
    return words;
}

const ForbiddenWords::Entry* ForbiddenWords::longestAt(std::u16string_view rest) const
{
    const auto first =
        std::lower_bound(entries_.begin(), entries_.end(), rest.front(),
                         [](const Entry& e, char16_t unit) { return e.word.front() < unit; });
    for (auto entry = first; entry != entries_.end() && entry->word.front() == rest.front();
         ++entry) {
        if (rest.starts_with(entry->word))
            return &*entry;
    }
    return nullptr;
}

std::vector<ForbiddenWords::Hit> ForbiddenWords::find(std::u16string_view text) const
{
    std::vector<Hit> hits;
    std::size_t at = 0;
    while (at < text.size()) {
        const Entry* entry = longestAt(text.substr(at));
        if (!entry) {
            ++at;
            continue;
        }
        if (!entry->allowed)
            hits.push_back({at, entry->word.size(), entry->utf8, entry->reason});
        at += entry->word.size();
    }
    return hits;
}

} // namespace content

#include "ForbiddenWords.h"

#include "Folding.h"
#include "RecordFormat.h"
#include "Utf8.h"

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
        std::string_view reason = line.substr(tab + 1);
        // The packer adds the word's reading as a third field when it stores the list.
        std::u16string reading;
        if (const std::size_t second = reason.find('\t'); second != std::string_view::npos) {
            if (!toUtf16(reason.substr(second + 1), reading) || !isKanaWord(reading)) {
                problems.push_back({lineNumber, "the reading is not hiragana"});
                return true;
            }
            reason = reason.substr(0, second);
        }
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
        std::u16string folded = foldUnits(decoded);
        // A reading is looked for too, written in kana or katakana, where it is long enough not
        // to turn up inside other words (あに of 兄 is in アニメ).
        if (reading.size() >= kShortestReading && reading != folded)
            words.entries_.push_back(
                {reading, std::string(word), std::string(reason), allowed, true});
        words.entries_.push_back(
            {std::move(folded), std::string(word), std::string(reason), allowed, false});
        return true;
    });
    std::sort(words.entries_.begin(), words.entries_.end(), [](const Entry& a, const Entry& b) {
        return byFirstUnitThenLongest(a.word, b.word);
    });
    return words;
}

namespace {

enum class Script { Other, Hiragana, Katakana, LongVowel };

Script scriptOf(char16_t c)
{
    if (c == u'\u30FC')
        return Script::LongVowel;
    if (c >= u'\u3041' && c <= u'\u309F')
        return Script::Hiragana;
    if (c >= u'\u30A0' && c <= u'\u30FF')
        return Script::Katakana;
    return Script::Other;
}

// Whether a reading found at text[at] stands as a word of its own: written in one kana script
// from the start of a run of it. Kana that only follow one another across a change of script
// or inside a run (ものづくりコンテスト holds りこん) are not the word.
bool readsAsAWord(std::u16string_view text, std::size_t at, std::size_t length)
{
    const Script script = scriptOf(text[at]);
    if (script == Script::Other || script == Script::LongVowel)
        return false;
    if (at > 0) {
        const Script before = scriptOf(text[at - 1]);
        if (before == script || before == Script::LongVowel)
            return false;
    }
    for (std::size_t k = at; k < at + length; ++k) {
        const Script each = scriptOf(text[k]);
        if (each != script && each != Script::LongVowel)
            return false;
    }
    return true;
}

} // namespace

const ForbiddenWords::Entry* ForbiddenWords::longestAt(std::u16string_view text,
                                                       std::size_t at) const
{
    const std::u16string_view rest = text.substr(at);
    const auto first =
        std::lower_bound(entries_.begin(), entries_.end(), foldUnit(rest.front()),
                         [](const Entry& e, char16_t unit) { return e.word.front() < unit; });
    for (auto entry = first;
         entry != entries_.end() && entry->word.front() == foldUnit(rest.front()); ++entry) {
        if (foldedAt(rest, 0, entry->word) &&
            (!entry->reading || readsAsAWord(text, at, entry->word.size())))
            return &*entry;
    }
    return nullptr;
}

std::vector<ForbiddenWords::Hit> ForbiddenWords::find(std::u16string_view text) const
{
    std::vector<Hit> hits;
    std::size_t at = 0;
    while (at < text.size()) {
        const Entry* entry = longestAt(text, at);
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

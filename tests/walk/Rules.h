#pragma once
// The filter rules as the teacher sees them, written out again for the walk's model: what a
// flag string marks, how a keyword splits into terms, which white space a keyword loses at its
// ends, and which sentences a keyword or a chain of categories lets through. Which sentence a
// term matches (folded, by its reading, by a word of its group) is the program's own query,
// tested on its own by a table of cases; the walk checks what the pages do with the matches.

#include "content/Synonyms.h"
#include "pages/KeywordQuery.h"

#include <QString>
#include <string>
#include <vector>

namespace walk {

using Text = std::u16string;

inline const Text kPlaceholder = u"キーワード検索";

// One sentence of a content with its flag string.
struct Record {
    Text text;
    Text flags;
    Text reading; // empty when the content file holds none
};
using Content = std::vector<Record>;

// Whether the flag string puts its sentence into the category at this position: only the
// character "1" there does; a shorter string does not.
inline bool marks(const Text& flags, int position)
{
    return position >= 0 && static_cast<std::size_t>(position) < flags.size() &&
           flags[static_cast<std::size_t>(position)] == u'1';
}

// The white space a keyword loses at both ends: the space class of wide characters.
inline bool isWhiteSpace(char16_t c)
{
    return (c >= 0x0009 && c <= 0x000D) || c == 0x0020 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x2006) || (c >= 0x2008 && c <= 0x200A) || c == 0x2028 ||
           c == 0x2029 || c == 0x205F || c == 0x3000;
}

inline Text trimmed(const Text& keyword)
{
    std::size_t begin = 0, end = keyword.size();
    while (begin < end && isWhiteSpace(keyword[begin]))
        ++begin;
    while (end > begin && isWhiteSpace(keyword[end - 1]))
        --end;
    return keyword.substr(begin, end - begin);
}

// A keyword the page turns down with a message instead of searching.
inline bool isRejected(const Text& keyword)
{
    const Text kept = trimmed(keyword);
    return kept.empty() || kept == kPlaceholder;
}

// The terms of a keyword: the pieces between half-width and ideographic spaces, empty ones
// dropped.
inline std::vector<Text> termsOf(const Text& keyword)
{
    std::vector<Text> terms;
    Text piece;
    for (const char16_t c : keyword) {
        if (c == u' ' || c == u'\u3000') {
            if (!piece.empty())
                terms.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty())
        terms.push_back(piece);
    return terms;
}

// The sentences of the contents, joined in the order given, that match every term.
inline Content keywordMatches(const std::vector<const Content*>& contents, const Text& keyword,
                              const content::Synonyms* synonyms)
{
    const std::vector<Text> terms = termsOf(keyword);
    std::vector<Text> normalised;
    for (const Text& term : terms) {
        normalised.push_back(QString::fromStdU16String(term)
                                 .normalized(QString::NormalizationForm_KC)
                                 .toStdU16String());
    }
    const pages::KeywordQuery query = pages::makeQuery(terms, normalised, synonyms);
    Content found;
    for (const Content* content : contents) {
        for (const Record& record : *content) {
            bool all = true;
            for (const pages::TermForms& term : query.terms)
                all = all && pages::matchesTerm(term, record.text, record.reading);
            if (all)
                found.push_back(record);
        }
    }
    return found;
}

// The sentences marked at every position of the list (all of them for an empty list), in
// content order.
inline Content markedAtAll(const Content& content, const std::vector<int>& positions)
{
    Content found;
    for (const Record& record : content) {
        bool all = true;
        for (const int position : positions)
            all = all && marks(record.flags, position);
        if (all)
            found.push_back(record);
    }
    return found;
}

} // namespace walk

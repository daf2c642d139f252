#pragma once
// What a keyword asks for, as the search compares it: each term folded (content/Folding.h), in
// the form the toolkit's compatibility normalisation gives it; a term in kana also as a reading
// (content/Readings.h), matched from a word's beginning on; and the words of the term's group
// of words that mean the same (content/Synonyms.h), each in the same ways. A sentence matches a
// term when it matches one of its forms, and the keyword when it matches every term.
//
// Every sentence the exact search finds is still found: a term also counts in the form that
// folding it unit by unit gives, which an exact occurrence always matches.

#include "content/ContentArray.h"
#include "content/StringArray.h"
#include "draft/RemarkText.h"

#include <string>
#include <string_view>
#include <vector>

namespace content {
class Synonyms;
}

namespace pages {

struct MatchList;

struct TermForms {
    std::vector<std::u16string> letters; // folded, looked for in the sentence
    std::vector<std::u16string> kana;    // folded kana, looked for in the sentence's reading too
};

struct KeywordQuery {
    std::vector<TermForms> terms;
    // The words groups added to the terms, as the list writes them, for the teacher to see.
    std::vector<std::u16string> addedWords;
};

// The query of the terms as typed and as normalised (the compatibility form of each, in the
// same order); synonyms may be null.
KeywordQuery makeQuery(const StringArray& typed, const StringArray& normalised,
                       const content::Synonyms* synonyms);

// Whether the sentence, with its reading (empty when there is none), matches one of the forms.
bool matchesTerm(const TermForms& term, std::u16string_view text, std::u16string_view reading);

// Where the query's forms occur in the sentence, by its letters or by its reading, in text
// order and without overlaps: what the result boxes mark.
std::vector<draft::Span> matchSpans(const KeywordQuery& query, std::u16string_view text,
                                    std::u16string_view reading);

// Whether the folded kana occur in a reading from the beginning of one of its words on, the
// separators between its words passed over.
bool readingHolds(std::u16string_view reading, std::u16string_view kana);

// Appends, in content order, the sentences of a loaded content that match every term; readings
// may be null, or hold one reading for each sentence.
void AppendQueryMatches(const ContentArray& texts, const ContentArray& flags,
                        const ContentArray* readings, const KeywordQuery& query, MatchList& out);

} // namespace pages

#pragma once
// What a sentence of a content keeps beyond being well-formed, checked one sentence at a time:
// the two marks of the facts a teacher fills in, numerals in kanji, and the categories that
// follow from words the sentence holds. Every rule here is exact: it never fires on a sentence
// that is written and tagged right, so a content can be held to all of them.

#include <string>
#include <string_view>
#include <vector>

namespace pack {

// The checks a content editor asks for beyond the format (the packer's options of the same name).
struct ContentRules {
    bool marks = false;          // --marks
    bool tagging = false;        // --tagging
    bool nearDuplicates = false; // --near-duplicates
    bool coverage = false;       // --coverage
};

// A teacher sees at once what to replace only when every slot uses one of two marks: 〇〇 for a
// name, △ for a number. Anything else that looks like a slot is refused, and so are Arabic
// numerals: the contents write numbers in kanji, and a number the teacher must supply is △.
std::vector<std::string> markProblems(std::u16string_view sentence);

// The tags that a sentence's words call for, in the contents that have such rules.
std::vector<std::string> taggingProblems(std::string_view content, std::u16string_view flags,
                                         std::u16string_view sentence);

} // namespace pack

#pragma once
// What a sentence of a content keeps beyond being well-formed, checked one sentence at a time:
// the two marks of the facts a teacher fills in, numerals in kanji, the categories that follow
// from words the sentence holds, and qualifications named as the qualification lists name them.
// Every rule here is exact: it never fires on a sentence that is written and tagged right, so a
// content can be held to all of them.

#include "content/ForbiddenWords.h"

#include <string>
#include <string_view>
#include <vector>

namespace pack {

class JobWords;

// The short names of qualifications with the official names the qualification lists write, in
// the format of the list of forbidden words: the short name, a TAB, the official name. An entry
// "!name" is an official name that holds a short one ("!英語検定試験" keeps 英語検定 out of it).
using OfficialNames = content::ForbiddenWords;

// The checks a content editor asks for beyond the format (the packer's options of the same name).
struct ContentRules {
    bool marks = false;                           // --marks
    bool tagging = false;                         // --tagging
    bool nearDuplicates = false;                  // --near-duplicates
    bool coverage = false;                        // --coverage
    const JobWords* jobWords = nullptr;           // --job-words LIST
    const OfficialNames* officialNames = nullptr; // --official-names LIST
};

// A teacher sees at once what to replace only when every slot uses one of two marks: 〇〇 for a
// name, △ for a number. Anything else that looks like a slot is refused, and so are Arabic
// numerals: the contents write numbers in kanji, and a number the teacher must supply is △.
std::vector<std::string> markProblems(std::u16string_view sentence);

// The tags that a sentence's words call for, in the contents that have such rules.
std::vector<std::string> taggingProblems(std::string_view content, std::u16string_view flags,
                                         std::u16string_view sentence);

// A qualification written by a short name: the teacher copies the sentence into a report, where
// only the official name, as the qualification lists the program shows write it, is right.
std::vector<std::string> shortNameProblems(std::u16string_view sentence,
                                           const OfficialNames& names);

} // namespace pack

#pragma once
// What a remark is read again for (見直し): what reads vague, second-hand or repetitive to the
// person who hires, unlike the words fair selection forbids. Read from a list with one entry per
// line: the kind, a TAB, the word, a TAB, the reason shown to the teacher. Blank lines and lines
// starting with "#" are notes. The kinds:
//   ending  a sentence ending, found where two sentences in a row end with it
//   word    a word or phrase, found wherever it stands
//   repeat  in place of the word, the number of times from which one word counts as repeated
// The packer checks the list and stores it in the content file; the program's draft reads it
// there. Finding these in a text is the draft's business (draft/ReviewChecks.h).

#include "ForbiddenWords.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace content {

// The entry of the content file that holds the list, beside the contents and the word list.
inline constexpr std::string_view kReviewWordsEntry = "review-words.tsv";

class ReviewWords {
public:
    enum class Kind { Ending, Word, Repeat };
    struct Entry {
        Kind kind;
        std::u16string word; // the ending or the word; empty for Repeat
        std::size_t count;   // Repeat: from how many times a word counts as repeated
        std::string reason;  // UTF-8, as the list writes it
    };

    // Reads a list; every line that cannot be used is added to problems and left out.
    static ReviewWords parse(std::string_view list, std::vector<ListProblem>& problems);

    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_; // in the order of the list
};

} // namespace content

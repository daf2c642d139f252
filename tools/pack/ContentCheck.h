#pragma once
// Checks one content source file line by line, as the packer does before it writes anything.

#include "SentenceRules.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pack {

struct Problem {
    std::size_t line; // from 1; 0 for the file as a whole
    std::string what;
};

struct ContentSummary {
    std::string name; // the content name (the source file's name)
    std::size_t records = 0;
    std::vector<std::size_t> flagCounts; // per flag position, how many records mark it "1"
    // Per record, bit p set when flag position p (below 32) is "1": what the coverage counts.
    std::vector<std::uint32_t> flagSets;
    std::vector<Problem> problems;
};

// The words that fair selection for employment keeps out of a school report (family, home
// circumstances, birthplace, beliefs, health, physique), read from a list with one entry per
// line: the word, a TAB, the reason. Blank lines and lines starting with "#" are notes.
//
// A word is found where it stands in a sentence, except inside a longer entry that starts at
// the same place or earlier: at each place the longest entry that starts there wins and the
// search goes on behind it. An entry written "!word" is such a longer word that is allowed
// although it holds a forbidden one ("!父母会" keeps the parents' association out of "父"),
// and its reason says why it is allowed.
class ForbiddenWords {
public:
    struct Hit {
        std::string word; // UTF-8, as the list writes it
        std::string reason;
    };

    // Reads a list; every line that cannot be used is added to problems and left out.
    static ForbiddenWords parse(std::string_view list, std::vector<Problem>& problems);

    // The forbidden words that the text holds, in the order they stand in it.
    std::vector<Hit> find(std::u16string_view text) const;

    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::u16string word;
        std::string utf8;
        std::string reason;
        bool allowed;
    };
    std::vector<Entry> entries_; // longest word first, so the first entry that fits wins
};

// Checks the content data of one source file: the name one of the seven the program reads,
// every line readable, both fields well-formed UTF-8 that fits the program's item buffer and
// holds no NUL and no byte order mark, at most content::kMaxRecordsPerContent records, and,
// when a list is given, no sentence holding a forbidden word. The rules asked for add their
// problems (marks, tagging, near-duplicates; the coverage is counted over all contents).
ContentSummary checkContent(std::string_view name, std::string_view data,
                            const ForbiddenWords* forbidden = nullptr,
                            const ContentRules& rules = {});

} // namespace pack

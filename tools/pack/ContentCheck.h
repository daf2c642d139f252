#pragma once
// Checks one content source file line by line, as the packer does before it writes anything.

#include "SentenceRules.h"
#include "content/ForbiddenWords.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pack {

// line is from 1; 0 for the file as a whole.
using Problem = content::ListProblem;

struct ContentSummary {
    std::string name; // the content name (the source file's name)
    std::size_t records = 0;
    std::vector<std::size_t> flagCounts; // per flag position, how many records mark it "1"
    // Per record, bit p set when flag position p (below 32) is "1": what the coverage counts.
    std::vector<std::uint32_t> flagSets;
    std::vector<Problem> problems;
};

using ForbiddenWords = content::ForbiddenWords;

// Checks the content data of one source file: the name one of the seven the program reads,
// every line readable, both fields well-formed UTF-8 that fits the program's item buffer and
// holds no NUL and no byte order mark, at most content::kMaxRecordsPerContent records, and,
// when a list is given, no sentence holding a forbidden word. The rules asked for add their
// problems (marks, tagging, job words, official names, near-duplicates; the coverage is counted
// over all contents).
ContentSummary checkContent(std::string_view name, std::string_view data,
                            const ForbiddenWords* forbidden = nullptr,
                            const ContentRules& rules = {});

} // namespace pack

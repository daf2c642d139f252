#pragma once
// Checks one content source file line by line, as the packer does before it writes anything.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pack {

struct Problem {
    std::size_t line; // from 1; 0 for the file as a whole
    std::string what;
};

struct ContentSummary {
    std::string name;                      // the content name (the source file's name)
    std::size_t records = 0;
    std::vector<std::size_t> flagCounts;   // per flag position, how many records mark it "1"
    std::vector<Problem> problems;
};

// Checks the content data of one source file: every line readable, both fields well-formed
// UTF-8 that fits the program's item buffer, the name expressible in code page 932.
ContentSummary checkContent(std::string_view name, std::string_view data);

} // namespace pack

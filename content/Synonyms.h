#pragma once
// Words that mean the same in a school report, in groups: a search for one word of a group also
// finds the others. Read from a list with one group a line, its words separated by TABs; blank
// lines and lines starting with "#" are notes. The packer checks the list and stores it in the
// content file; the program reads it from there.

#include "ForbiddenWords.h" // ListProblem

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace content {

// The entry of the content file that holds the list, beside the contents.
inline constexpr std::string_view kSynonymsEntry = "synonyms.tsv";

class Synonyms {
public:
    // Reads a list; a line with an empty word, with one word only, or with a word of an earlier
    // group is added to problems and left out.
    static Synonyms parse(std::string_view list, std::vector<ListProblem>& problems);

    // The other words of the group whose word, folded (Folding.h), is the folded word given:
    // each as the list writes it. None when the word is in no group.
    std::vector<std::u16string> othersOf(std::u16string_view folded) const;

    std::size_t groupCount() const { return groups_.size(); }

private:
    std::vector<std::vector<std::u16string>> groups_;
    std::unordered_map<std::u16string, std::size_t> groupOf_; // by folded word
};

} // namespace content

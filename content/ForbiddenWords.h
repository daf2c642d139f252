#pragma once
// The words that fair selection for employment keeps out of a school report (family, home
// circumstances, birthplace, beliefs, health, physique), read from a list with one entry per
// line: the word, a TAB, the reason. Blank lines and lines starting with "#" are notes. The
// packer refuses sentences that hold them, and the program's draft underlines them; both read
// the same list, which the packer also stores in the content file.
//
// The packer stores the list in the content file with each word's reading as a third field. A
// word is found folded (Folding.h: ホンセキ is 本籍's ほんせき), and also by its reading of three
// kana or more where the text writes it in kana (りょうしん), as a word of its own: in one script,
// from the start of a run of it. It is found where it stands in a
// text, except inside a longer entry that starts at the same place or earlier: at each place the
// longest entry that starts there wins and the search goes on behind it. An entry written "!word"
// is such a longer word that is allowed although it holds a forbidden one ("!父母会" keeps the
// parents' association out of "父"), and its reason says why it is allowed.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace content {

// The entry of the content file that holds the list, beside the contents.
inline constexpr std::string_view kForbiddenWordsEntry = "forbidden-words.tsv";

struct ListProblem {
    std::size_t line; // from 1; 0 for the list as a whole
    std::string what;
};

class ForbiddenWords {
public:
    struct Hit {
        std::size_t position; // in UTF-16 code units of the text searched
        std::size_t length;
        std::string word; // UTF-8, as the list writes it
        std::string reason;
    };

    // Reads a list; every line that cannot be used is added to problems and left out.
    static ForbiddenWords parse(std::string_view list, std::vector<ListProblem>& problems);

    // The forbidden words that the text holds, in the order they stand in it.
    std::vector<Hit> find(std::u16string_view text) const;

    std::size_t size() const { return entries_.size(); }

private:
    // Readings shorter than this are not looked for.
    static constexpr std::size_t kShortestReading = 3;

    struct Entry {
        std::u16string word; // folded, or the word's reading
        std::string utf8;
        std::string reason;
        bool allowed;
        bool reading; // word is the listed word's reading, found only as a word of its own
    };
    const Entry* longestAt(std::u16string_view text, std::size_t at) const;

    // By first code unit, and the longest word first among those that share it, so the first
    // entry that fits at a place is the longest.
    std::vector<Entry> entries_;
};

} // namespace content

#pragma once
// The seven contents a walk runs on, read by the walk itself from the content file (so the
// model never borrows the program's reading of it), and a generated content file with skewed
// flag strings: empty, short and all-"1" ones, contents without records, sentences with line
// breaks, tabs and backslashes.

#include "Rules.h"

#include <array>
#include <memory>
#include <random>
#include <string>

namespace testing_support {
class ContentFolder;
}

namespace walk {

// The contents in the order the pages load them.
enum ContentIndex {
    Strengths = 0,
    SchoolEvents,
    InSchool,
    Clubs,
    Outside,
    FutureWork,
    Volunteer,
    ContentCount
};

// The contents, and the groups of words that mean the same when the file holds them.
struct Contents : std::array<Content, ContentCount> {
    std::shared_ptr<const content::Synonyms> synonyms;
};

// The content names (UTF-8) in the order above.
const std::array<std::string, ContentCount>& contentNames();

// Reads every content from a content file: one zip entry per content, one record per line,
// "flags TAB sentence" with \t, \n and \\ escaped; and, where the file holds them, the readings
// of the sentences and the groups of words that mean the same, read as the program's own
// format code reads them. Throws std::runtime_error when it cannot.
Contents readContentFile(const std::string& path);

// Writes a content file of skewed contents made from the generator and returns its path.
std::string writeSkewedContentFile(const testing_support::ContentFolder& folder,
                                   std::mt19937_64& random);

} // namespace walk

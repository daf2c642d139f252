#pragma once
// How many sentences each combination of boxes finds, counted as the pages count: a sentence
// matches a set of boxes when it has "1" at every chosen position (so the general sentences of
// the strengths content, which carry every job type, count for each). A teacher who ticks a
// combination that finds one or two sentences has no choice; the floors here are what the
// sample content promises, and the table shows a content editor where a content is thin.

#include "ContentCheck.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace pack {

// Every combination of the content that finds fewer sentences than it promises, and a content
// with fewer sentences than promised, as messages for the content as a whole.
std::vector<std::string> coverageShortfalls(const ContentSummary& summary);

// The coverage table of one content, for a content editor to see where it is thin.
void printCoverage(std::ostream& out, const ContentSummary& summary);

// All contents together, against what the sample content promises: a message, or empty when
// they hold enough sentences.
std::string totalShortfall(std::size_t records);

} // namespace pack

#pragma once
// Content files far larger inflated than on disk: each entry is a piece of text repeated, made
// while libzip deflates it, so a test can build a file of hundreds of megabytes of records
// without holding them.

#include "support/ContentFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

struct RepeatedEntry {
    std::string name;  // UTF-8
    std::string piece; // repeated times times
    std::uint64_t times = 0;
    std::string tail = ""; // written once after the repeats
};

// Writes the entries as a content file (with its comment) into folder and gives its path.
std::string writeRepeatedArchive(const ContentFolder& folder, const std::string& fileName,
                                 const std::vector<RepeatedEntry>& entries);

} // namespace testing_support

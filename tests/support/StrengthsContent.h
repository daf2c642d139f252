#pragma once
// Content for tests of the strengths page: records built from the codes they belong to.

#include "PageTestHelpers.h"

namespace testing_support {

// A record of the strengths content, whose flag strings have 27 positions.
inline std::string strengthsRecord(std::initializer_list<int> codes, const std::string& text)
{
    return record(27, codes, text);
}

} // namespace testing_support

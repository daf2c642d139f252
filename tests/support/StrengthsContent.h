#pragma once
// Content for tests of the strengths page: records built from the codes they belong to.

#include <initializer_list>
#include <string>

namespace testing_support {

// "flags<TAB>text" with "1" at every code and "0" at the other of the 27 positions.
inline std::string strengthsRecord(std::initializer_list<int> codes, const std::string& text)
{
    std::string flags(27, '0');
    for (const int code : codes)
        flags[static_cast<std::size_t>(code)] = '1';
    return flags + "\t" + text + "\n";
}

} // namespace testing_support

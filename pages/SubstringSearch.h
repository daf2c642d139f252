#pragma once

#include <cstddef>
#include <string_view>

namespace pages {

// Whether needle occurs in haystack as a contiguous run of UTF-16 code units. An empty needle
// occurs everywhere.
bool containsRun(std::u16string_view haystack, std::u16string_view needle);

// Where needle first occurs in haystack at or after from, or npos. An empty needle occurs at
// from itself while from is within haystack.
std::size_t findRun(std::u16string_view haystack, std::u16string_view needle, std::size_t from = 0);

namespace detail {

// The position in the needle of the unit the search looks for first: the first one that is
// not kana nor ASCII, which in a Japanese sentence are the most frequent units, or else the
// first. The fewer places it occurs, the fewer the search looks at closer.
inline std::size_t anchorOf(std::u16string_view needle)
{
    for (std::size_t k = 0; k < needle.size(); ++k) {
        const char16_t c = needle[k];
        if (c >= 0x80 && !(c >= 0x3040 && c <= 0x30FF))
            return k;
    }
    return 0;
}

} // namespace detail

} // namespace pages

#pragma once

#include <string_view>

namespace pages {

// Whether needle occurs in haystack as a contiguous run of UTF-16 code units. An empty needle
// occurs everywhere.
bool contains(std::u16string_view haystack, std::u16string_view needle);

// Where needle first occurs in haystack at or after from, or npos. An empty needle occurs at
// from itself while from is within haystack.
std::size_t find(std::u16string_view haystack, std::u16string_view needle, std::size_t from = 0);

} // namespace pages

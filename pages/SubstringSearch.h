#pragma once

#include <string_view>

namespace pages {

// Whether needle occurs in haystack as a contiguous run of UTF-16 code units. An empty needle
// occurs everywhere.
bool contains(std::u16string_view haystack, std::u16string_view needle);

} // namespace pages

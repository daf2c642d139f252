#include "SubstringSearch.h"

namespace pages {

bool contains(std::u16string_view haystack, std::u16string_view needle)
{
    return find(haystack, needle) != std::u16string_view::npos;
}

std::size_t find(std::u16string_view haystack, std::u16string_view needle, std::size_t from)
{
    constexpr std::size_t npos = std::u16string_view::npos;
    if (from > haystack.size() || needle.size() > haystack.size() - from)
        return npos;
    if (needle.empty())
        return from;
    std::size_t found = npos;
    forEachOccurrence(haystack.substr(from), needle, [&](std::size_t at) {
        found = from + at;
        return npos;
    });
    return found;
}

} // namespace pages

#pragma once
// What a content will cost once its records are kept, counted while its entry inflates, so that
// an entry can be refused before it takes the memory.

#include <cstdint>
#include <string>
#include <string_view>

namespace content {

// What the keeper of a content holds for a record beside its text: two strings, each an object
// of its own and, once longer than fits inside it, a block on the heap with the allocator's
// bookkeeping.
inline constexpr std::uint64_t kHeldBytesPerRecord = 2 * (sizeof(std::u16string) + 16);

struct EntryTally {
    std::uint64_t lineEnds = 0;
    // Counted from above: one for every byte that starts a character and one more for every
    // character beyond U+FFFF, which needs two. An escape counts two though it decodes to one,
    // and the TAB and line end of each record stand in for its two strings' NULs.
    std::uint64_t utf16Units = 0;

    // Adds the next piece of the entry; pieces may split characters anywhere.
    void count(std::string_view piece);
    // The bytes records of this text take once kept as UTF-16 strings.
    std::uint64_t heldBytes(std::uint64_t records) const
    {
        return utf16Units * sizeof(char16_t) + records * kHeldBytesPerRecord;
    }
};

} // namespace content

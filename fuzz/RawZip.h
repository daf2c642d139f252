#pragma once
// Zip archives written byte by byte, for the seeds that libzip will not write: data descriptors,
// zip64 fields on small entries, an unknown method, the encryption flag over plain data, two
// entries of one name, a deflate stream cut short, sizes that lie. Everything else in the
// archive is as a careful writer makes it, so the one oddity is what the library meets.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rawzip {

// The bytes of an entry as they lie in the archive, with what its headers say of them.
struct Payload {
    std::string bytes;
    std::uint16_t method = 0; // 0 stored, 8 deflated
    std::uint32_t crc = 0;    // of the inflated text
    std::uint64_t size = 0;   // of the inflated text
};

Payload stored(std::string_view text);
// unit repeated times over, deflated as one stream without ever holding the whole text.
Payload deflated(std::string_view unit, std::uint64_t times = 1);

struct Entry {
    std::string name;
    Payload payload;
    std::uint16_t flags = 0x0800; // bit 11: the name is UTF-8
    bool dataDescriptor = false;  // CRC and sizes in a descriptor behind the data (flag bit 3)
    bool zip64 = false;           // sizes and offset in zip64 extra fields of both headers
    // The compressed size both headers claim, when it is not the size of the bytes.
    std::uint64_t claimedCompressed = UINT64_MAX;
};

struct Archive {
    std::string comment;
    std::vector<Entry> entries;
    bool zip64End = false; // a zip64 end of central directory record and its locator
    std::string before;    // bytes ahead of the archive, its offsets counted from the file start
};

std::string write(const Archive& archive);

} // namespace rawzip

#pragma once
// The content file as a zip archive: opening it soundly and reading one entry whole.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct zip;

namespace content {

inline constexpr std::string_view kArchiveComment = "Verdane content 1";
// A larger entry is refused rather than inflated: a damaged size field must not exhaust memory.
inline constexpr std::uint64_t kMaxEntryBytes = 512ull << 20;
// A content holds at most this many records: ten times the largest content the program is
// measured with. Empty records cost almost nothing to pack but over a hundred bytes each to
// hold, so a small file must not be able to ask for more.
inline constexpr std::size_t kMaxRecordsPerContent = 1'000'000;

enum class ArchiveError {
    None,
    NoFile,        // nothing at the path
    NotSound,      // not a zip archive, or its directory and local headers disagree
    NoSuchEntry,   // no entry of that name
    UnreadableEntry, // the entry does not inflate, fails its CRC or is too large
};

class ContentArchive {
public:
    static ContentArchive open(const std::string& path, ArchiveError& error);

    ContentArchive(ContentArchive&&) noexcept;
    ContentArchive& operator=(ContentArchive&&) noexcept;
    ~ContentArchive();

    bool isOpen() const { return archive_ != nullptr; }
    std::string_view comment() const;
    ArchiveError read(std::string_view entryName, std::string& data) const;
    // Calls onEntry(name) for every entry, in archive order.
    void forEachEntry(const std::function<void(std::string_view)>& onEntry) const;

private:
    explicit ContentArchive(zip* archive) : archive_(archive) {}
    ArchiveError readIndex(std::uint64_t index, std::string& data) const;
    zip* archive_;
};

} // namespace content

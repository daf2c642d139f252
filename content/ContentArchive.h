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
// All contents read since start-up together may hold at most this much, in UTF-16 with what
// each record costs beside its text (see the content library). The benchmark's seven contents of
// 100,000 sentences take about a quarter of it, and a machine that runs the program has it to
// spare; a content file that asks for more is refused instead of taking the whole machine.
inline constexpr std::uint64_t kMaxHeldBytes = 1ull << 30;

enum class ArchiveError {
    None,
    NoFile,          // nothing at the path
    NotSound,        // not a zip archive, or its directory and local headers disagree
    NoSuchEntry,     // no entry of that name
    UnreadableEntry, // the entry does not inflate, fails its CRC or is too large
    Refused,         // the reader stopped the entry while it inflated
};

// Sees each piece of an entry as it inflates, in order; returning false stops the read there.
using InflateWatcher = std::function<bool(std::string_view piece)>;

class ContentArchive {
public:
    static ContentArchive open(const std::string& path, ArchiveError& error);

    ContentArchive(ContentArchive&&) noexcept;
    ContentArchive& operator=(ContentArchive&&) noexcept;
    ~ContentArchive();

    std::string_view comment() const;
    // Reads an entry whole into data. watch, when given, sees every piece as it inflates and
    // can refuse the entry before the rest of it takes memory.
    ArchiveError read(std::string_view entryName, std::string& data,
                      const InflateWatcher& watch = {}) const;
    bool contains(std::string_view entryName) const;
    std::uint64_t entryCount() const;
    // Calls onEntry(name) for every entry, in archive order.
    void forEachEntry(const std::function<void(std::string_view)>& onEntry) const;

private:
    explicit ContentArchive(zip* archive) : archive_(archive) {}
    ArchiveError readIndex(std::uint64_t index, std::string& data,
                           const InflateWatcher& watch) const;
    zip* archive_;
};

} // namespace content

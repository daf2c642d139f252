#include "ContentArchive.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <zip.h>

namespace content {

namespace {

// How much more the data may grow with each read; a whole entry of the sample content fits.
constexpr std::size_t kReadChunkBytes = 64 * 1024;

// libzip gives ZIP_ER_NOENT not only for a missing file but also for an archive that is there and
// whose directory promises a zip64 extra field that the entry lacks. Only a path with nothing
// at it means there is no content file; anything else at it is a damaged one.
bool nothingAt(const std::string& path)
{
    std::error_code error;
    return !std::filesystem::exists(path, error) && !error;
}

} // namespace

ContentArchive ContentArchive::open(const std::string& path, ArchiveError& error)
{
    int zipError = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &zipError);
    if (archive)
        error = ArchiveError::None;
    else
        error = zipError == ZIP_ER_NOENT && nothingAt(path) ? ArchiveError::NoFile
                                                            : ArchiveError::NotSound;
    return ContentArchive(archive);
}

ContentArchive::ContentArchive(ContentArchive&& other) noexcept : archive_(other.archive_)
{
    other.archive_ = nullptr;
}

ContentArchive& ContentArchive::operator=(ContentArchive&& other) noexcept
{
    std::swap(archive_, other.archive_);
    return *this;
}

ContentArchive::~ContentArchive()
{
    if (archive_)
        zip_discard(archive_);
}

std::string_view ContentArchive::comment() const
{
    int length = 0;
    const char* text = zip_get_archive_comment(archive_, &length, ZIP_FL_ENC_RAW);
    return text ? std::string_view(text, static_cast<std::size_t>(length)) : std::string_view();
}

namespace {

zip_int64_t indexOf(zip_t* archive, std::string_view entryName)
{
    const std::string name(entryName);
    return zip_name_locate(archive, name.c_str(), 0);
}

} // namespace

ArchiveError ContentArchive::read(std::string_view entryName, std::string& data,
                                  const InflateWatcher& watch) const
{
    const zip_int64_t index = indexOf(archive_, entryName);
    if (index < 0)
        return ArchiveError::NoSuchEntry;
    return readIndex(static_cast<std::uint64_t>(index), data, watch);
}

bool ContentArchive::contains(std::string_view entryName) const
{
    return indexOf(archive_, entryName) >= 0;
}

std::uint64_t ContentArchive::entryCount() const
{
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    return count > 0 ? static_cast<std::uint64_t>(count) : 0;
}

ArchiveError ContentArchive::readIndex(std::uint64_t index, std::string& data,
                                       const InflateWatcher& watch) const
{
    data.clear();
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
        stat.size > kMaxEntryBytes)
        return ArchiveError::UnreadableEntry;
    zip_file_t* file = zip_fopen_index(archive_, index, 0);
    if (!file)
        return ArchiveError::UnreadableEntry;
    // The file is closed however the read ends, a failure to find memory included.
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> closer(file, &zip_fclose);
    // The size in the directory is only a claim: a damaged one must not make us set aside memory
    // the entry never fills. So the data grows a chunk at a time with the bytes that really
    // inflate, and stops one byte past the claim, which is enough to know the entry is damaged.
    // Reading on to the end makes libzip compare the CRC. A watcher may stop it sooner.
    const std::uint64_t limit = stat.size + 1;
    zip_int64_t n = 0;
    bool refused = false;
    while (data.size() < limit) {
        const std::size_t before = data.size();
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(kReadChunkBytes, limit - before));
        data.resize(before + wanted);
        n = zip_fread(file, data.data() + before, wanted);
        data.resize(before + static_cast<std::size_t>(std::max<zip_int64_t>(n, 0)));
        if (n <= 0)
            break;
        if (watch && !watch(std::string_view(data).substr(before))) {
            refused = true;
            break;
        }
    }
    if (refused) {
        data = std::string();
        return ArchiveError::Refused;
    }
    const bool closedCleanly = zip_fclose(closer.release()) == 0;
    if (n < 0 || !closedCleanly || data.size() != stat.size) {
        data = std::string();
        return ArchiveError::UnreadableEntry;
    }
    return ArchiveError::None;
}

void ContentArchive::forEachEntry(const std::function<void(std::string_view)>& onEntry) const
{
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        if (const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), 0))
            onEntry(name);
    }
}

} // namespace content

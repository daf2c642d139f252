#include "RepeatedArchive.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <zip.h>

namespace testing_support {

namespace {

// The state of one entry while libzip reads it: how many bytes have been handed out so far.
struct Stream {
    const RepeatedEntry* entry;
    std::uint64_t size = 0;
    std::uint64_t offset = 0;
    zip_error_t error;
};

// The byte at offset of the entry's text, the repeats followed by the tail.
char byteAt(const RepeatedEntry& entry, std::uint64_t offset)
{
    const std::uint64_t repeated = entry.piece.size() * entry.times;
    return offset < repeated ? entry.piece[offset % entry.piece.size()]
                             : entry.tail[offset - repeated];
}

zip_int64_t produce(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    Stream& stream = *static_cast<Stream*>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        stream.offset = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const std::uint64_t count = std::min<std::uint64_t>(length, stream.size - stream.offset);
        char* out = static_cast<char*>(data);
        const std::size_t piece = stream.entry->piece.size();
        const std::uint64_t repeated = piece * stream.entry->times;
        std::uint64_t done = 0;
        // Whole pieces are copied as they are; only the edges go a byte at a time.
        while (done < count) {
            const std::uint64_t at = stream.offset + done;
            if (piece > 0 && at % piece == 0 && at + piece <= repeated && count - done >= piece) {
                std::memcpy(out + done, stream.entry->piece.data(), piece);
                done += piece;
            } else {
                out[done++] = byteAt(*stream.entry, at);
            }
        }
        stream.offset += count;
        return static_cast<zip_int64_t>(count);
    }
    case ZIP_SOURCE_CLOSE:
        return 0;
    case ZIP_SOURCE_STAT: {
        zip_stat_t* stat = static_cast<zip_stat_t*>(data);
        zip_stat_init(stat);
        stat->size = stream.size;
        stat->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&stream.error, data, length);
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
                                              -1);
    default:
        zip_error_set(&stream.error, ZIP_ER_INVAL, 0);
        return -1;
    }
}

} // namespace

std::string writeRepeatedArchive(const ContentFolder& folder, const std::string& fileName,
                                 const std::vector<RepeatedEntry>& entries)
{
    const std::string target = folder.file(fileName);
    int error = 0;
    zip_t* archive = zip_open(target.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        throw std::runtime_error("cannot create " + target);
    const std::string comment = "Verdane content 1";
    zip_set_archive_comment(archive, comment.data(), static_cast<zip_uint16_t>(comment.size()));
    // libzip reads the sources only when it closes the archive, so they live until then.
    std::vector<Stream> streams(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const RepeatedEntry& entry = entries[i];
        if (entry.piece.empty() && entry.times > 0)
            throw std::invalid_argument("an empty piece cannot be repeated");
        streams[i].entry = &entry;
        streams[i].size = entry.piece.size() * entry.times + entry.tail.size();
        zip_error_init(&streams[i].error);
        zip_source_t* source = zip_source_function(archive, &produce, &streams[i]);
        if (!source || zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            throw std::runtime_error("cannot add " + entry.name);
        }
    }
    const bool written = zip_close(archive) == 0;
    if (!written)
        zip_discard(archive);
    for (Stream& stream : streams)
        zip_error_fini(&stream.error);
    if (!written)
        throw std::runtime_error("cannot write " + target);
    return target;
}

} // namespace testing_support

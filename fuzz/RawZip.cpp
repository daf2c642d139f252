#include "RawZip.h"

#include <algorithm>
#include <stdexcept>
#include <zlib.h>

namespace rawzip {

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kDescriptor = 0x08074b50;
constexpr std::uint32_t kEnd = 0x06054b50;
constexpr std::uint32_t kZip64End = 0x06064b50;
constexpr std::uint32_t kZip64Locator = 0x07064b50;
constexpr std::uint16_t kZip64Extra = 0x0001;
constexpr std::uint16_t kDescriptorFlag = 1u << 3;
// 12:00 on 1 April 2024 in DOS form, the same for every entry.
constexpr std::uint16_t kDosTime = 12u << 11;
constexpr std::uint16_t kDosDate = ((2024u - 1980u) << 9) | (4u << 5) | 1u;

void put16(std::string& out, std::uint64_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}

void put32(std::string& out, std::uint64_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16 & 0xFFFF);
}

void put64(std::string& out, std::uint64_t value)
{
    put32(out, value & 0xFFFFFFFF);
    put32(out, value >> 32);
}

std::uint32_t crcOf(std::uint32_t crc, std::string_view bytes)
{
    while (!bytes.empty()) {
        const auto chunk = static_cast<uInt>(std::min<std::size_t>(bytes.size(), 1u << 30));
        crc = static_cast<std::uint32_t>(
            crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), chunk));
        bytes.remove_prefix(chunk);
    }
    return crc;
}

// What the headers of one entry say; with zip64 the fields hold 0xFFFFFFFF and the extra field
// the values.
struct Header {
    std::uint32_t crc;
    std::uint64_t compressed;
    std::uint64_t size;
};

void putSizes(std::string& out, const Header& header, bool zip64)
{
    put32(out, header.crc);
    put32(out, zip64 ? 0xFFFFFFFF : header.compressed);
    put32(out, zip64 ? 0xFFFFFFFF : header.size);
}

} // namespace

Payload stored(std::string_view text)
{
    return {std::string(text), 0, crcOf(0, text), text.size()};
}

Payload deflated(std::string_view unit, std::uint64_t times)
{
    // Feeds the unit in blocks of about a megabyte, so a bomb of hundreds of megabytes costs
    // a megabyte of memory to make.
    std::string block;
    const std::uint64_t perBlock =
        std::max<std::uint64_t>(1, (1u << 20) / std::max<std::size_t>(unit.size(), 1));
    for (std::uint64_t i = 0; i < std::min(perBlock, times); ++i)
        block += unit;

    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        throw std::runtime_error("deflate cannot start");
    Payload payload;
    payload.method = 8;
    std::string out(64 * 1024, '\0');
    std::uint64_t left = times;
    int flush = Z_NO_FLUSH;
    int result = Z_OK;
    while (result != Z_STREAM_END) {
        std::string_view in;
        if (stream.avail_in == 0 && flush == Z_NO_FLUSH) {
            const std::uint64_t units = std::min(left, perBlock);
            in = std::string_view(block).substr(0, units * unit.size());
            left -= units;
            payload.crc = crcOf(payload.crc, in);
            payload.size += in.size();
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
            stream.avail_in = static_cast<uInt>(in.size());
            if (left == 0)
                flush = Z_FINISH;
        }
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = static_cast<uInt>(out.size());
        result = deflate(&stream, flush);
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) {
            deflateEnd(&stream);
            throw std::runtime_error("deflate failed");
        }
        payload.bytes.append(out.data(), out.size() - stream.avail_out);
    }
    deflateEnd(&stream);
    return payload;
}

std::string write(const Archive& archive)
{
    std::string out = archive.before;
    std::string central;
    for (const Entry& entry : archive.entries) {
        if (entry.name.size() > 0xFFFF)
            throw std::runtime_error("a zip entry name is at most 65,535 bytes");
        const Payload& payload = entry.payload;
        const Header header{payload.crc,
                            entry.claimedCompressed != UINT64_MAX ? entry.claimedCompressed
                                                                  : payload.bytes.size(),
                            payload.size};
        const std::uint16_t flags = entry.flags | (entry.dataDescriptor ? kDescriptorFlag : 0);
        const std::uint16_t version = entry.zip64 ? 45 : 20;
        const std::uint64_t offset = out.size();

        std::string localExtra;
        if (entry.zip64) {
            put16(localExtra, kZip64Extra);
            put16(localExtra, 16);
            put64(localExtra, entry.dataDescriptor ? 0 : header.size);
            put64(localExtra, entry.dataDescriptor ? 0 : header.compressed);
        }
        put32(out, kLocalHeader);
        put16(out, version);
        put16(out, flags);
        put16(out, payload.method);
        put16(out, kDosTime);
        put16(out, kDosDate);
        putSizes(out, entry.dataDescriptor ? Header{0, 0, 0} : header, entry.zip64);
        put16(out, entry.name.size());
        put16(out, localExtra.size());
        out += entry.name;
        out += localExtra;
        out += payload.bytes;
        if (entry.dataDescriptor) {
            put32(out, kDescriptor);
            put32(out, header.crc);
            if (entry.zip64) {
                put64(out, header.compressed);
                put64(out, header.size);
            } else {
                put32(out, header.compressed);
                put32(out, header.size);
            }
        }

        std::string centralExtra;
        if (entry.zip64) {
            put16(centralExtra, kZip64Extra);
            put16(centralExtra, 24);
            put64(centralExtra, header.size);
            put64(centralExtra, header.compressed);
            put64(centralExtra, offset);
        }
        put32(central, kCentralHeader);
        put16(central, 0x0300 | version); // made on Unix
        put16(central, version);
        put16(central, flags);
        put16(central, payload.method);
        put16(central, kDosTime);
        put16(central, kDosDate);
        putSizes(central, header, entry.zip64);
        put16(central, entry.name.size());
        put16(central, centralExtra.size());
        put16(central, 0); // no comment
        put16(central, 0); // disk
        put16(central, 0); // internal attributes
        put32(central, 0100644u << 16);
        put32(central, entry.zip64 ? 0xFFFFFFFF : offset);
        central += entry.name;
        central += centralExtra;
    }

    const std::uint64_t centralAt = out.size();
    const std::uint64_t count = archive.entries.size();
    out += central;
    if (archive.zip64End) {
        const std::uint64_t endAt = out.size();
        put32(out, kZip64End);
        put64(out, 44); // the size of the rest of the record
        put16(out, 0x0300 | 45);
        put16(out, 45);
        put32(out, 0);
        put32(out, 0);
        put64(out, count);
        put64(out, count);
        put64(out, central.size());
        put64(out, centralAt);
        put32(out, kZip64Locator);
        put32(out, 0);
        put64(out, endAt);
        put32(out, 1);
    }
    put32(out, kEnd);
    put16(out, 0);
    put16(out, 0);
    put16(out, archive.zip64End ? 0xFFFF : count);
    put16(out, archive.zip64End ? 0xFFFF : count);
    put32(out, archive.zip64End ? 0xFFFFFFFF : central.size());
    put32(out, archive.zip64End ? 0xFFFFFFFF : centralAt);
    put16(out, archive.comment.size());
    out += archive.comment;
    return out;
}

} // namespace rawzip

// make-seed-corpus PACKED.zip FOLDER: writes the seed corpus of tessera-fuzz into FOLDER.
//
// The seeds start the fuzzer where content files really go wrong: the sample content as the
// packer wrote it; an excerpt of it (the first records of every content) with every entry stored,
// so that mutations reach the text itself rather than the compressed stream; and copies damaged
// the way a file is damaged on its way to a school computer: cut short, a byte flipped, an entry
// with a line the library cannot read, an entry whose directory claims far more than it holds,
// another program's archive. One small archive holds the hard cases of the record format in
// every content. The excerpt keeps the stored seeds small: the time of one run grows with the
// records it holds, and the whole sample stored is several times the packed file.

#include <zip.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Entry {
    std::string name;
    std::string data;
};

struct Archive {
    std::string comment;
    std::vector<Entry> entries;
};

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path.string() + ": cannot be read");
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

void writeBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error(path.string() + ": cannot be written");
}

Archive readArchive(const fs::path& path)
{
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!zip)
        throw std::runtime_error(path.string() + ": not a sound zip archive");
    Archive archive;
    int length = 0;
    if (const char* comment = zip_get_archive_comment(zip, &length, ZIP_FL_ENC_RAW))
        archive.comment.assign(comment, static_cast<std::size_t>(length));
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        zip_file_t* file = zip_fopen_index(zip, index, 0);
        if (zip_stat_index(zip, index, 0, &stat) != 0 || !file)
            throw std::runtime_error(path.string() + ": an entry cannot be read");
        Entry entry{zip_get_name(zip, index, 0), std::string(stat.size, '\0')};
        const zip_int64_t got = zip_fread(file, entry.data.data(), entry.data.size());
        zip_fclose(file);
        if (got != static_cast<zip_int64_t>(stat.size))
            throw std::runtime_error(path.string() + ": an entry cannot be read");
        archive.entries.push_back(std::move(entry));
    }
    zip_discard(zip);
    return archive;
}

std::string writeArchive(const fs::path& path, const Archive& archive, bool stored)
{
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        throw std::runtime_error(path.string() + ": cannot be created");
    zip_set_archive_comment(zip, archive.comment.data(),
                            static_cast<zip_uint16_t>(archive.comment.size()));
    for (const Entry& entry : archive.entries) {
        zip_source_t* source = zip_source_buffer(zip, entry.data.data(), entry.data.size(), 0);
        const zip_int64_t index = zip_file_add(zip, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0)
            throw std::runtime_error(path.string() + ": an entry cannot be added");
        if (stored)
            zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(zip) != 0)
        throw std::runtime_error(path.string() + ": cannot be written");
    return readBytes(path);
}

void writeLittle32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// The first entry claims another inflated size, in its local header and in the central
// directory alike, so that the archive still passes the consistency check when it is opened.
std::string claimingSize(std::string bytes, std::uint32_t claimed)
{
    const std::size_t central = bytes.find("PK\1\2");
    if (bytes.compare(0, 4, "PK\3\4") != 0 || central == std::string::npos)
        throw std::runtime_error("unexpected archive layout");
    writeLittle32(bytes, 22, claimed);
    writeLittle32(bytes, central + 24, claimed);
    return bytes;
}

std::string flipped(std::string bytes, std::size_t at)
{
    bytes.at(at) = static_cast<char>(bytes.at(at) ^ 0x5A);
    return bytes;
}

// The first few records of every content.
Archive excerpt(const Archive& sample, int records)
{
    Archive archive{sample.comment, {}};
    for (const Entry& entry : sample.entries) {
        std::size_t end = 0; // behind the line end of the last record kept
        for (int i = 0; i < records && end < entry.data.size(); ++i) {
            const std::size_t lineEnd = entry.data.find('\n', end);
            end = lineEnd == std::string::npos ? entry.data.size() : lineEnd + 1;
        }
        archive.entries.push_back({entry.name, entry.data.substr(0, end)});
    }
    return archive;
}

// Every content holds the cases of the record format that are easy to get wrong; the first one
// also the items at the edge of the program's buffer (only one, as they are slow to check).
Archive hardCases(const Archive& sample)
{
    const std::string cases =
        "\xEF\xBB\xBF"                           // a byte order mark, skipped
        "10\tescapes \\t \\n \\\\ kept\r\n"       // CR LF line end
        "\t\n"                                   // both fields empty
        "1\t\xF0\xA0\xAE\xB7\xE9\x87\x8E\n"      // a character beyond the BMP
        "1\t\xC0\xAF overlong\n"                 // not well-formed UTF-8 in the sentence
        "\xED\xA0\x80\tsurrogate in the flags\n" // not well-formed UTF-8 in the flags
        "1\tno line end at the end";
    // With its NUL the first sentence fills the program's buffer exactly; the second is too large.
    const std::string edges =
        "0\t" + std::string(51199, 'a') + "\n" + "0\t" + std::string(51200, 'b') + "\n";
    Archive archive{sample.comment, {}};
    for (const Entry& entry : sample.entries)
        archive.entries.push_back({entry.name, archive.entries.empty() ? edges + cases : cases});
    return archive;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make-seed-corpus PACKED.zip FOLDER\n";
        return 2;
    }
    try {
        const fs::path folder = argv[2];
        fs::create_directories(folder);
        const fs::path scratch = folder / "scratch.zip";
        const Archive sample = readArchive(argv[1]);
        if (sample.entries.empty())
            throw std::runtime_error(std::string(argv[1]) + ": holds no content");

        const std::string packed = readBytes(argv[1]);
        const Archive shortSample = excerpt(sample, 4);
        const std::string stored = writeArchive(scratch, shortSample, true);
        writeBytes(folder / "sample.zip", packed);
        writeBytes(folder / "excerpt-stored.zip", stored);

        writeBytes(folder / "truncated-half.zip", packed.substr(0, packed.size() / 2));
        writeBytes(folder / "truncated-end.zip", packed.substr(0, packed.size() - 1));
        writeBytes(folder / "flipped-entry.zip", flipped(stored, stored.size() / 3));
        writeBytes(folder / "flipped-directory.zip",
                   flipped(packed, packed.rfind("PK\1\2") + 30));

        const auto withFirstEntry = [&](const std::string& extraLine) {
            Archive damaged = shortSample;
            std::string& data = damaged.entries.front().data;
            if (!data.empty() && data.back() != '\n')
                data += '\n';
            data += extraLine;
            return writeArchive(scratch, damaged, true);
        };
        writeBytes(folder / "bad-line-no-tab.zip", withFirstEntry("1 no tab in this line\n"));
        writeBytes(folder / "bad-line-second-tab.zip", withFirstEntry("1\ta second\ttab\n"));
        writeBytes(folder / "bad-line-escape.zip", withFirstEntry("1\ta bad \\q escape\n"));

        const Archive small{sample.comment, {{sample.entries.front().name, "1\tshort\n"}}};
        writeBytes(folder / "claims-more.zip",
                   claimingSize(writeArchive(scratch, small, true), 400u << 20));
        writeBytes(folder / "claims-less.zip",
                   claimingSize(writeArchive(scratch, small, true), 3));
        writeBytes(folder / "other-comment.zip",
                   writeArchive(scratch, Archive{"another program", small.entries}, false));
        writeBytes(folder / "hard-cases.zip", writeArchive(scratch, hardCases(sample), false));
        writeBytes(folder / "not-an-archive.zip", "PK\5\6 but nothing else");

        fs::remove(scratch);
    } catch (const std::exception& error) {
        std::cerr << "make-seed-corpus: " << error.what() << '\n';
        return 1;
    }
    return 0;
}

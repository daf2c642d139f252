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
//
// Then the hostile files, each the excerpt with one thing wrong, so that the fuzzer starts next
// to every way a foreign or crafted file can try the library: text the record format has to
// refuse or keep (NUL bytes, a second byte order mark, CR-only lines, every kind of malformed
// UTF-8, items at the edge of the program's buffer); archive features that a zip writer may use
// (zip64 fields, data descriptors, encryption, other methods, bytes before or after the archive)
// or that only a crafted file has (two entries of one name, names that climb out of the folder,
// a deflate stream cut short, a compressed size that lies); and sizes (a record bomb of a few
// hundred kilobytes that inflates to hundreds of millions of records, the most records a content
// may hold and one more, thousands of entries, names of 60,000 bytes). All of them stay below a
// megabyte, the longest input the fuzzer is given.

#include "RawZip.h"
#include "content/ContentArchive.h"

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
using namespace std::string_literals;

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

// Every entry with the given compression method, and encrypted when a password is given.
std::string writeArchive(const fs::path& path, const Archive& archive, std::int32_t method,
                         const char* password = nullptr)
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
        const auto at = static_cast<zip_uint64_t>(index);
        if (zip_set_file_compression(zip, at, method, 0) != 0 ||
            (password && zip_file_set_encryption(zip, at, ZIP_EM_TRAD_PKWARE, password) != 0))
            throw std::runtime_error(path.string() + ": an entry cannot be compressed");
    }
    if (zip_close(zip) != 0)
        throw std::runtime_error(path.string() + ": cannot be written");
    return readBytes(path);
}

std::string writeArchive(const fs::path& path, const Archive& archive, bool stored)
{
    return writeArchive(path, archive, stored ? ZIP_CM_STORE : ZIP_CM_DEFAULT);
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
        "10\tescapes \\t \\n \\\\ kept\r\n"      // CR LF line end
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

// The base archive with the texts of its first contents replaced, in order.
Archive withTexts(const Archive& base, const std::vector<std::string>& texts)
{
    Archive archive = base;
    for (std::size_t i = 0; i < texts.size() && i < archive.entries.size(); ++i)
        archive.entries[i].data = texts[i];
    return archive;
}

rawzip::Archive rawCopy(const Archive& base)
{
    rawzip::Archive archive{base.comment, {}, false, {}};
    for (const Entry& entry : base.entries)
        archive.entries.push_back({entry.name, rawzip::deflated(entry.data)});
    return archive;
}

// Text that the record format must refuse, or keep without losing a character.
void writeTextSeeds(const fs::path& folder, const fs::path& scratch, const Archive& base)
{
    const auto seed = [&](const char* file, const std::vector<std::string>& texts) {
        writeBytes(folder / file, writeArchive(scratch, withTexts(base, texts), true));
    };
    seed("nul-bytes.zip", {"1\tbefore\0after a NUL\n1\0\tthe flags hold a NUL\n\0\t\0\n"s,
                           "1\ta NUL at the very end\0"s});
    seed("double-bom.zip", {"\xEF\xBB\xBF\xEF\xBB\xBF"
                            "1100000\tfirst record behind two byte order marks\n",
                            "\xEF\xBB\xBF",
                            "1\tbefore\n\xEF\xBB\xBF"
                            "1\ta byte order mark at a line start\n"});
    seed("cr-only.zip", {"1\tfirst\r0\tsecond\r1\tthird\r", "1\ta lone CR\rinside\n",
                         "1\tCR CR LF\r\r\n0\tnext\n", "\r\n\r\n"});

    // Each malformed sequence once in a sentence and once in a flag string, beside the edges of
    // the well-formed ranges; every content ends in another sequence cut short by the entry's end.
    const std::vector<std::string> sequences = {
        "\xE0\x80\xAF",             // overlong '/' in three bytes
        "\xF0\x80\x80\xAF",         // overlong '/' in four bytes
        "\xC0\x80",                 // overlong NUL
        "\xC1\xBF",                 // overlong in two bytes
        "\xED\xA0\xBD\xED\xB8\x80", // a surrogate pair encoded one by one (CESU-8)
        "\xED\xA0\x80",             // a lone high surrogate
        "\xED\xB0\x80",             // a lone low surrogate
        "\xF4\x90\x80\x80",         // beyond U+10FFFF
        "\xF5\x80\x80\x80",         // a lead byte that never starts a sequence
        "\xFF",
        "\x80",                     // a continuation byte alone
        "\xE3\x81",                 // cut short inside a line
        "\xE3\x81\xE3\x81\x82",     // cut short, then a whole character
        "\xF4\x8F\xBF\xBF",         // U+10FFFF, the last character: well-formed
        "\xED\x9F\xBF\xEE\x80\x80", // U+D7FF and U+E000 around the surrogates: well-formed
        "\xEF\xBF\xBF",             // U+FFFF: well-formed
    };
    std::string lines;
    for (const std::string& sequence : sequences)
        lines += "1\t<" + sequence + ">\n" + sequence + "\tflags\n";
    const std::vector<std::string> cutAtTheEnd = {
        "\xE3", "\xE3\x81", "\xF0\x9F\x98", "\xC3", "\xF4\x8F\xBF", "\xED\xA0", "\xF0"};
    std::vector<std::string> texts;
    for (const std::string& cut : cutAtTheEnd)
        texts.push_back(lines + "1\tthe entry ends in " + cut);
    seed("utf8-variants.zip", texts);

    // Items at the edge of the program's buffer of 51,200 code units, NUL included, made of
    // characters of two units and of escapes.
    const std::string emoji = "\xF0\x9F\x98\x80";
    const std::string edges = "0\t" + std::string(51197, 'a') + emoji + "\n" + // 51,199: fits
                              "0\t" + std::string(51198, 'a') + emoji + "\n" + // 51,200
                              "0\t" + std::string(51199 * 2, '\\') + "\n" +    // 51,199 escapes
                              std::string(51200, 'f') + "\tflags of 51,200\n";
    writeBytes(folder / "edges.zip", writeArchive(scratch, withTexts(base, {edges}), false));
}

// Archive features of other zip writers, and what only a crafted file holds.
void writeArchiveSeeds(const fs::path& folder, const fs::path& scratch, const Archive& base,
                       const std::string& packed)
{
    const auto seed = [&](const char* file, const rawzip::Archive& archive) {
        writeBytes(folder / file, rawzip::write(archive));
    };
    rawzip::Archive zip64 = rawCopy(base);
    zip64.zip64End = true;
    for (rawzip::Entry& entry : zip64.entries)
        entry.zip64 = true;
    seed("zip64.zip", zip64);

    rawzip::Archive described = rawCopy(base);
    for (rawzip::Entry& entry : described.entries)
        entry.dataDescriptor = true;
    described.entries[1].payload = rawzip::stored(base.entries[1].data);
    described.entries[2].zip64 = true;
    seed("data-descriptors.zip", described);

    rawzip::Archive flagged = rawCopy(base);
    flagged.entries[0].payload = rawzip::stored(base.entries[0].data);
    flagged.entries[0].flags |= 1; // encrypted, though the data is plain
    seed("encryption-flag.zip", flagged);

    // A method no zip writer uses refuses the whole archive; one that exists but that libzip is
    // not built for (LZMA) refuses only its entry.
    const auto withMethod = [&](std::uint16_t method) {
        rawzip::Archive archive = rawCopy(base);
        archive.entries[0].payload = rawzip::stored(base.entries[0].data);
        archive.entries[0].payload.method = method;
        return archive;
    };
    seed("unknown-method.zip", withMethod(99));
    seed("lzma-method.zip", withMethod(14));

    // One name twice: the readable entry first, then the unreadable one first.
    rawzip::Archive twice = rawCopy(base);
    rawzip::Entry bad{base.entries[0].name, rawzip::deflated("1 no tab\n")};
    twice.entries.push_back(bad);
    seed("duplicate-names.zip", twice);
    twice.entries.pop_back();
    twice.entries.insert(twice.entries.begin(), bad);
    seed("duplicate-names-bad-first.zip", twice);

    rawzip::Archive climbing = rawCopy(base);
    for (const std::string& name :
         std::vector<std::string>{"../../../../tmp/verdane-escaped.txt",
                                  "/etc/verdane-absolute.txt", "..\\..\\verdane-backslash.txt",
                                  "./" + base.entries[0].name, base.entries[0].name + "/"})
        climbing.entries.push_back({name, rawzip::deflated("1\tclimbing\n")});
    seed("traversal-names.zip", climbing);

    rawzip::Archive cut = rawCopy(base);
    std::string& stream = cut.entries[0].payload.bytes;
    stream.resize(stream.size() - std::min<std::size_t>(stream.size() / 2, 5));
    seed("truncated-deflate.zip", cut);

    rawzip::Archive lying = rawCopy(base);
    lying.entries[0].claimedCompressed = lying.entries[0].payload.bytes.size() + 40;
    seed("claims-compressed-more.zip", lying);

    // Bytes ahead of the archive: a self-extracting program that counts its offsets from the
    // start of the file, and the same bytes put in front of an archive that does not.
    rawzip::Archive extracting = rawCopy(base);
    extracting.before = "MZ" + std::string(1022, '\x90');
    seed("self-extracting.zip", extracting);
    writeBytes(folder / "prepended.zip", extracting.before + packed);
    writeBytes(folder / "trailing-bytes.zip", packed + std::string(100, '\x5A'));

    // What libzip writes itself, when it is built for it.
    if (zip_encryption_method_supported(ZIP_EM_TRAD_PKWARE, 1))
        writeBytes(folder / "encrypted.zip", writeArchive(scratch, base, ZIP_CM_STORE, "secret"));
    if (zip_compression_method_supported(ZIP_CM_BZIP2, 1))
        writeBytes(folder / "bzip2.zip", writeArchive(scratch, base, ZIP_CM_BZIP2));
}

// Small files that ask for much: memory, records, entries, long names.
void writeSizeSeeds(const fs::path& folder, const fs::path& scratch, const Archive& base)
{
    // Empty records cost two bytes each and deflate a thousandfold: 200 MB of them, below the
    // largest entry the library inflates, fit in about 200 KB.
    const auto records = [&](const char* file, std::uint64_t count) {
        rawzip::Archive archive = rawCopy(base);
        archive.entries[0].payload = rawzip::deflated("\t\n", count);
        writeBytes(folder / file, rawzip::write(archive));
    };
    records("record-bomb.zip", 100'000'000);
    records("records-at-limit.zip", content::kMaxRecordsPerContent);
    records("records-over-limit.zip", content::kMaxRecordsPerContent + 1);

    Archive many = base;
    for (int i = 0; i < 3000; ++i)
        many.entries.push_back({"extra/" + std::to_string(10000 + i) + ".txt", "1\tx\n"});
    writeBytes(folder / "many-entries.zip", writeArchive(scratch, many, true));

    Archive named = base;
    std::string longName;
    for (int i = 0; i < 21000; ++i)
        longName += "\xE9\x95\xB7"; // 長
    named.entries.push_back({longName + ".txt", "1\ta long name\n"});
    std::string deepName;
    for (int i = 0; i < 30000; ++i)
        deepName += "d/";
    named.entries.push_back({deepName + "deep.txt", "1\ta deep name\n"});
    writeBytes(folder / "long-names.zip", writeArchive(scratch, named, true));
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
        writeBytes(folder / "flipped-directory.zip", flipped(packed, packed.rfind("PK\1\2") + 30));

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
        writeBytes(folder / "claims-less.zip", claimingSize(writeArchive(scratch, small, true), 3));
        writeBytes(folder / "other-comment.zip",
                   writeArchive(scratch, Archive{"another program", small.entries}, false));
        writeBytes(folder / "hard-cases.zip", writeArchive(scratch, hardCases(sample), false));
        writeBytes(folder / "not-an-archive.zip", "PK\5\6 but nothing else");

        writeTextSeeds(folder, scratch, shortSample);
        writeArchiveSeeds(folder, scratch, shortSample, packed);
        writeSizeSeeds(folder, scratch, shortSample);

        fs::remove(scratch);
    } catch (const std::exception& error) {
        std::cerr << "make-seed-corpus: " << error.what() << '\n';
        return 1;
    }
    return 0;
}

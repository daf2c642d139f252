#include "content/ContentArchive.h"
#include "Allocations.h"
#include "content/ContentNames.h"
#include "content/tessera.h"
#include "support/ContentFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using content::ArchiveError;
using content::ContentArchive;
using testing_support::ContentFolder;
using testing_support::LargestAllocation;
using testing_support::UseContentFile;

namespace {

constexpr std::uint64_t kMiB = 1 << 20;

std::uint32_t readLittle32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

void writeLittle32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// Makes the single entry of a one-entry archive claim another inflated size, in its local header
// and in the central directory alike, so that the archive as a whole still looks sound.
std::string withClaimedSize(std::string archive, std::uint32_t claimed)
{
    constexpr std::size_t kLocalSizeAt = 22;   // uncompressed size in a local file header
    constexpr std::size_t kCentralSizeAt = 24; // the same in a central directory record
    EXPECT_EQ(archive.compare(0, 4, "PK\3\4"), 0);
    const std::size_t central = archive.find("PK\1\2");
    EXPECT_NE(central, std::string::npos);
    EXPECT_EQ(archive.find("PK\1\2", central + 4), std::string::npos) << "one entry only";
    EXPECT_EQ(readLittle32(archive, kLocalSizeAt), readLittle32(archive, central + kCentralSizeAt))
        << "libzip is expected to write the sizes into the local header";
    writeLittle32(archive, kLocalSizeAt, claimed);
    writeLittle32(archive, central + kCentralSizeAt, claimed);
    return archive;
}

const std::string kName = "2 校内活動 部活動.txt";

std::string storedArchiveClaiming(const ContentFolder& folder, const std::string& data,
                                  std::uint32_t claimed)
{
    const std::string sound = folder.writeArchive("sound.zip", {{kName, data, true}});
    return folder.writeBytes("claims.zip",
                             withClaimedSize(testing_support::readBytes(sound), claimed));
}

// The central directory's sizes set to 0xFFFFFFFF, which promises a zip64 extra field that the
// entry does not have.
std::string withZip64SizesPromised(std::string archive)
{
    constexpr std::size_t kCentralCompressedAt = 20;
    constexpr std::size_t kCentralSizeAt = 24;
    const std::size_t central = archive.find("PK\1\2");
    EXPECT_NE(central, std::string::npos);
    writeLittle32(archive, central + kCentralCompressedAt, 0xFFFFFFFF);
    writeLittle32(archive, central + kCentralSizeAt, 0xFFFFFFFF);
    return archive;
}

ArchiveError readEntry(const std::string& path, std::string& data)
{
    ArchiveError error;
    const ContentArchive archive = ContentArchive::open(path, error);
    if (error != ArchiveError::None)
        return error;
    return archive.read(kName, data);
}

} // namespace

TEST(ContentArchive, AnEntryThatClaimsFarMoreThanItHoldsIsRefusedWithoutSettingTheClaimAside)
{
    ContentFolder folder;
    const std::uint32_t claimed = 400 * kMiB;
    ASSERT_LT(claimed, content::kMaxEntryBytes) << "the claim must pass the size limit";
    const std::string path = storedArchiveClaiming(folder, "1\tA short sentence.\n", claimed);

    {
        std::string data = "left over";
        const LargestAllocation allocation;
        EXPECT_EQ(readEntry(path, data), ArchiveError::UnreadableEntry);
        EXPECT_LT(allocation.bytes(), kMiB) << "memory must follow the bytes, not the claim";
        EXPECT_GT(allocation.bytes(), 0u)
            << "the sentence read takes memory: the recorder is blind";
        EXPECT_EQ(data, "");
    }
    {
        UseContentFile use(path);
        int count = 77;
        const LargestAllocation allocation;
        EXPECT_EQ(KOVA_getZipData(0, content::cp932ContentName(kName).c_str(), -1, -1, &count),
                  KOVA_UNREADABLE_ENTRY);
        EXPECT_LT(allocation.bytes(), kMiB);
        EXPECT_EQ(count, 0);
    }
}

TEST(ContentArchive, AnEntryThatInflatesToMoreThanItClaimsIsRefused)
{
    ContentFolder folder;
    const std::string sentence = "1\tA sentence longer than the size its entry claims.\n";
    std::string data;
    EXPECT_EQ(readEntry(storedArchiveClaiming(folder, sentence, 10), data),
              ArchiveError::UnreadableEntry);
    EXPECT_EQ(data, "");
    EXPECT_EQ(readEntry(storedArchiveClaiming(folder, sentence, sentence.size() - 1), data),
              ArchiveError::UnreadableEntry)
        << "one byte more than the claim is already damage";
}

TEST(ContentArchive, AClaimAboveTheLimitIsRefusedBeforeAnythingInflates)
{
    ContentFolder folder;
    std::string data;
    const auto aboveTheLimit = static_cast<std::uint32_t>(content::kMaxEntryBytes) + 1;
    EXPECT_EQ(readEntry(storedArchiveClaiming(folder, "1\tx\n", aboveTheLimit), data),
              ArchiveError::UnreadableEntry);
}

TEST(ContentArchive, ReadsEntriesOfEverySizeWhole)
{
    ContentFolder folder;
    // Sizes around the read chunk, far below it and far above it, compressed and stored.
    std::string large;
    std::uint32_t seed = 12345;
    while (large.size() < 3 * kMiB + 17) {
        seed = seed * 1103515245u + 12345u;
        large += "1\tsentence " + std::to_string(seed >> 8) + "\n";
    }
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{65535},
                                   std::size_t{65536}, std::size_t{65537}, large.size()}) {
        for (const bool stored : {false, true}) {
            const std::string expected = large.substr(0, size);
            const std::string path = folder.writeArchive("sizes.zip", {{kName, expected, stored}});
            std::string data = "left over";
            EXPECT_EQ(readEntry(path, data), ArchiveError::None) << size << " bytes";
            EXPECT_TRUE(data == expected) << size << " bytes, stored " << stored;
        }
    }
}

TEST(ContentArchive, AnArchiveThatIsThereButBrokenIsNotReportedAsMissing)
{
    ContentFolder folder;
    const std::string sound = folder.writeArchive("sound.zip", {{kName, "1\tx\n", true}});
    const std::string broken =
        folder.writeBytes("zip64.zip", withZip64SizesPromised(testing_support::readBytes(sound)));
    ArchiveError error;
    ContentArchive::open(broken, error);
    EXPECT_EQ(error, ArchiveError::NotSound);
    ContentArchive::open(folder.file("absent.zip"), error);
    EXPECT_EQ(error, ArchiveError::NoFile);

    UseContentFile use(broken);
    EXPECT_EQ(KOVA_startup(nullptr), KOVA_FILES_DAMAGED);
    int count = 77;
    EXPECT_EQ(KOVA_getZipData(0, content::cp932ContentName(kName).c_str(), -1, -1, &count),
              KOVA_BAD_ARCHIVE)
        << "the file is there: it is damaged, not missing";
}

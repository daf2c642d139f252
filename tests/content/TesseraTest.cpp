#include "content/tessera.h"
#include "Allocations.h"
#include "RepeatedArchive.h"
#include "content/ContentArchive.h"
#include "content/ContentNames.h"
#include "support/ContentFile.h"

#include <filesystem>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::ContentFolder;
using testing_support::Entry;
using testing_support::FailingAllocations;
using testing_support::LargestAllocation;
using testing_support::RepeatedEntry;
using testing_support::UseContentFile;
using namespace std::string_literals;

namespace {

constexpr int kBufferBytes = 102400;

struct Record {
    std::u16string text;
    std::u16string flags;
    bool operator==(const Record&) const = default;
};

std::string cp932(std::string_view name)
{
    return content::cp932ContentName(name);
}

int getZipData(std::string_view utf8Name, int& count)
{
    return KOVA_getZipData(0, cp932(utf8Name).c_str(), -1, -1, &count);
}

std::u16string item(int kind, int index)
{
    std::u16string buffer(kBufferBytes / 2, u'\0');
    EXPECT_EQ(KOVA_getItem(kind, index, buffer.data(), kBufferBytes), KOVA_OK);
    return buffer.c_str();
}

std::vector<Record> readAll(std::string_view utf8Name)
{
    int count = -1;
    EXPECT_EQ(getZipData(utf8Name, count), KOVA_OK);
    std::vector<Record> records;
    for (int i = 0; i < count; ++i)
        records.push_back({item(KOVA_ITEM_TEXT, i), item(KOVA_ITEM_FLAGS, i)});
    return records;
}

} // namespace

TEST(Tessera, ReadsEveryContentOfAPackedFileExactly)
{
    UseContentFile use(GOLDEN_CONTENT);
    ASSERT_EQ(KOVA_startup(nullptr), KOVA_OK);

    EXPECT_EQ(readAll(content::kStrengthsContent),
              (std::vector<Record>{{u"タブ\tと改行\nと\\記号", u"10\\"},
                                   {u"空のフラグ文字列", u""},
                                   {u"", u"01"},
                                   {u"\U00020BB7野家の\U00029E3Dを食べた", u"1"}}));
    EXPECT_EQ(readAll(content::kSchoolEventsContent), std::vector<Record>{});
    EXPECT_EQ(readAll(content::kInSchoolContent),
              (std::vector<Record>{{u"学級委員として", u"10"}, {u"生徒会で", u"01"}}))
        << "a byte order mark and CR LF line ends are not part of the records";
    EXPECT_EQ(readAll(content::kClubContent),
              (std::vector<Record>{{u"部長として大会で好成績", u"000000000000000011"}}));
    EXPECT_EQ(readAll(content::kOutsideContent), (std::vector<Record>{{u"職業的な活動", u"10"}}))
        << "the last line needs no line end";
    EXPECT_EQ(readAll(content::kFutureWorkContent),
              (std::vector<Record>{{u"ネイルの仕事", u"0000000000000001"}}));
    EXPECT_EQ(readAll(content::kVolunteerContent),
              (std::vector<Record>{{u"その他のボランティア", u"000001"}}));
}

TEST(Tessera, StartupChecksThatTheContentFileIsASoundArchiveOfThisVersion)
{
    ContentFolder folder;
    const auto startupWith = [](const std::string& path) {
        UseContentFile use(path);
        return KOVA_startup(nullptr);
    };
    EXPECT_EQ(startupWith(folder.file("absent.zip")), KOVA_FILES_DAMAGED);
    EXPECT_EQ(startupWith(folder.writeBytes("garbage.zip", "not a zip archive at all")),
              KOVA_FILES_DAMAGED);
    const std::string sound = folder.writeArchive("sound.zip", {{"a.txt", "1\tx\n"}});
    std::string truncated = testing_support::readBytes(sound);
    truncated.resize(truncated.size() - 10);
    EXPECT_EQ(startupWith(folder.writeBytes("truncated.zip", truncated)), KOVA_FILES_DAMAGED);
    EXPECT_EQ(startupWith(folder.writeArchive("other.zip", {{"a.txt", "1\tx\n"}}, "other")),
              KOVA_UNSUPPORTED_CONTENT);
    EXPECT_EQ(startupWith(sound), KOVA_OK);
}

TEST(Tessera, ContentsAreReadFromTheFileStartupCheckedUntilTheNextStartup)
{
    // The file stays open from the start on, so a file of many entries is not checked afresh
    // for every content or for the about box; one replaced meanwhile is seen at the next start.
    ContentFolder folder;
    const std::string name = "1 本人の長所・推薦事由等.txt";
    const std::string path = folder.writeArchive("content.zip", {{name, "1\tfirst\n"}});
    UseContentFile use(path);
    ASSERT_EQ(KOVA_startup(nullptr), KOVA_OK);
    std::filesystem::rename(folder.writeBytes("garbage.zip", "not a zip archive"), path);
    EXPECT_EQ(readAll(name), (std::vector<Record>{{u"first", u"1"}}));
    const char* const names[] = {name.c_str()};
    int described = -1;
    const auto noteCount = [](const char*, int count, void* into) {
        *static_cast<int*>(into) = count;
    };
    EXPECT_EQ(KOVA_describeContents(names, 1, noteCount, &described, nullptr), KOVA_OK);
    EXPECT_EQ(described, 1) << "the about box describes the file the contents came from";
    EXPECT_EQ(KOVA_startup(nullptr), KOVA_FILES_DAMAGED);
    int count = 0;
    EXPECT_EQ(getZipData(name, count), KOVA_BAD_ARCHIVE);
}

TEST(Tessera, FindsAContentByEveryNameCodePage932CanWrite)
{
    // Half-width katakana take one byte in code page 932 and three in UTF-8, the entry's name.
    const std::string names[] = {"a.txt", "本人の長所.txt", "ｶﾀｶﾅﾃﾞｶｶﾚﾀﾅﾏｴﾉｺﾝﾃﾝﾂ.txt",
                                 "ﾊﾝｶｸ 全角 mixed.txt"};
    ContentFolder folder;
    std::vector<testing_support::Entry> entries;
    for (const std::string& name : names)
        entries.push_back({name, "1\t" + name + "\n"});
    UseContentFile use(folder.writeArchive("content.zip", entries));
    for (const std::string& name : names) {
        int count = 0;
        EXPECT_EQ(getZipData(name, count), KOVA_OK) << name;
        EXPECT_EQ(count, 1) << name;
    }
}

TEST(Tessera, GetZipDataGivesEachFailureItsOwnCode)
{
    ContentFolder folder;
    const std::string name = "1 本人の長所・推薦事由等.txt";
    const auto resultFor = [&](const std::string& path, const std::string& asked = {}) {
        UseContentFile use(path);
        int count = 77;
        const int result = getZipData(asked.empty() ? name : asked, count);
        EXPECT_EQ(count, 0) << "a failed read reports no records";
        return result;
    };
    EXPECT_EQ(resultFor(folder.file("absent.zip")), KOVA_NO_CONTENT_FILE);
    EXPECT_EQ(resultFor(folder.writeBytes("garbage.zip", std::string(300, 'x'))), KOVA_BAD_ARCHIVE);
    EXPECT_EQ(resultFor(folder.writeArchive("missing.zip", {{"other.txt", "1\tx\n"}})),
              KOVA_NO_SUCH_CONTENT);
    EXPECT_EQ(resultFor(folder.writeArchive("noTab.zip", {{name, "1\tok\nno tab here\n"}})),
              KOVA_BAD_LINE);
    EXPECT_EQ(resultFor(folder.writeArchive("escape.zip", {{name, "1\tbad \\q\n"}})),
              KOVA_BAD_LINE);

    // Damage the bytes of a stored entry: its CRC no longer matches.
    const std::string noise = "the stored sentence whose bytes are damaged";
    std::string bytes = testing_support::readBytes(
        folder.writeArchive("crc.zip", {{name, "1\t" + noise + "\n", true}}));
    const std::size_t at = bytes.find(noise);
    ASSERT_NE(at, std::string::npos) << "the entry is expected to be stored as it is";
    bytes[at] = bytes[at] == 'A' ? 'B' : 'A';
    EXPECT_EQ(resultFor(folder.writeBytes("crc.zip", bytes)), KOVA_UNREADABLE_ENTRY);

    UseContentFile use(GOLDEN_CONTENT);
    int count = 0;
    EXPECT_EQ(KOVA_getZipData(0, "\x81", -1, -1, &count), KOVA_BAD_CONTENT_NAME);
    EXPECT_EQ(KOVA_getZipData(0, nullptr, -1, -1, &count), KOVA_BAD_CONTENT_NAME);
    EXPECT_EQ(KOVA_getZipData(0, cp932(name).c_str(), -1, -1, nullptr), KOVA_BAD_ARGUMENT);
}

TEST(Tessera, GetItemReportsDamagedItemsAndNeverWritesPastTheBuffer)
{
    ContentFolder folder;
    const std::string name = "2 校内活動 部活動.txt";
    const std::string longText(51199, 'a'); // with its NUL exactly 102400 bytes
    UseContentFile use(folder.writeArchive(
        "items.zip", {{name, "1\t" + longText + "\n1\t" + longText + "b\n\xFF\tbad flags\n" +
                                 "1\tcut\0short\n1\0\tflags cut short\n"s}}));
    int count = 0;
    ASSERT_EQ(getZipData(name, count), KOVA_OK);
    ASSERT_EQ(count, 5);

    std::u16string buffer(kBufferBytes / 2 + 8, u'#');
    EXPECT_EQ(KOVA_getItem(KOVA_ITEM_TEXT, 0, buffer.data(), kBufferBytes), KOVA_OK);
    EXPECT_EQ(buffer[51199], u'\0');
    EXPECT_EQ(KOVA_getItem(KOVA_ITEM_TEXT, 1, buffer.data(), kBufferBytes), KOVA_ITEM_TOO_LARGE);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(buffer.substr(kBufferBytes / 2), std::u16string(8, u'#'))
        << "nothing may be written past the buffer";
    EXPECT_EQ(KOVA_getItem(KOVA_ITEM_TEXT, 2, buffer.data(), kBufferBytes), KOVA_OK);
    EXPECT_EQ(KOVA_getItem(KOVA_ITEM_FLAGS, 2, buffer.data(), kBufferBytes),
              KOVA_ITEM_INVALID_UTF8);

    // A NUL would end the string where the reader stops: the rest would be lost without a word.
    EXPECT_EQ(KOVA_getItem(KOVA_ITEM_TEXT, 3, buffer.data(), kBufferBytes), KOVA_ITEM_HOLDS_NUL);
    EXPECT_EQ(KOVA_getItem(KOVA_ITEM_FLAGS, 3, buffer.data(), kBufferBytes), KOVA_OK);
    EXPECT_EQ(KOVA_getItem(KOVA_ITEM_FLAGS, 4, buffer.data(), kBufferBytes), KOVA_ITEM_HOLDS_NUL);
    EXPECT_EQ(buffer[0], u'\0');

    EXPECT_EQ(KOVA_getItem(KOVA_ITEM_TEXT, 5, buffer.data(), kBufferBytes), KOVA_ITEM_BAD_INDEX);
    EXPECT_EQ(KOVA_getItem(KOVA_ITEM_TEXT, -1, buffer.data(), kBufferBytes), KOVA_ITEM_BAD_INDEX);
    EXPECT_EQ(KOVA_getItem(0x20003, 0, buffer.data(), kBufferBytes), KOVA_ITEM_BAD_KIND);
    EXPECT_EQ(KOVA_getItem(KOVA_ITEM_FLAGS, 0, buffer.data(), 1), KOVA_ITEM_TOO_LARGE);
    EXPECT_EQ(KOVA_getItem(KOVA_ITEM_FLAGS, 0, nullptr, kBufferBytes), KOVA_ITEM_TOO_LARGE);

    KOVA_clearData();
    EXPECT_EQ(KOVA_getItem(KOVA_ITEM_TEXT, 0, buffer.data(), kBufferBytes), KOVA_ITEM_NO_CONTENT);
}

TEST(Tessera, TraceValueFormatsItsNumberAndTracesGoNowhereWithoutASink)
{
    std::vector<std::u16string> seen;
    KOVA_setTraceSink([](const char16_t* message,
                         void* into) { static_cast<decltype(seen)*>(into)->emplace_back(message); },
                      &seen);
    KOVA_traceValue(u"*count = %d\n", -42);
    KOVA_trace(u"plain");
    KOVA_setTraceSink(nullptr, nullptr);
    KOVA_trace(u"dropped");
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"*count = -42\n", u"plain"}));
}

TEST(Tessera, ListsTheContentsWithTheirRecordCounts)
{
    UseContentFile use(GOLDEN_CONTENT);
    std::vector<std::pair<std::string, int>> listed;
    ASSERT_EQ(KOVA_listContents(
                  [](const char* name, int count, void* into) {
                      static_cast<decltype(listed)*>(into)->emplace_back(name, count);
                  },
                  &listed),
              KOVA_OK);
    EXPECT_EQ(listed.size(), 7u);
    EXPECT_NE(std::find(listed.begin(), listed.end(),
                        std::pair<std::string, int>("1 本人の長所・推薦事由等.txt", 4)),
              listed.end());
}

namespace {

constexpr std::uint64_t kMaxRecords = content::kMaxRecordsPerContent;

// Asks for a content by a plain ASCII name, which code page 932 spells the same.
int readByName(const std::string& name, int& count)
{
    return KOVA_getZipData(0, name.c_str(), -1, -1, &count);
}

} // namespace

TEST(Tessera, AContentHoldsAtMostAMillionRecordsAndABombStopsInflatingAtOnce)
{
    struct Case {
        RepeatedEntry entry;
        int result;
        int count;
    };
    // Empty records: the cheapest to pack and, kept as strings, over a hundred bytes each.
    const Case cases[] = {
        {{"at-the-limit.txt", "\t\n", kMaxRecords}, KOVA_OK, static_cast<int>(kMaxRecords)},
        {{"last-line-unended.txt", "\t\n", kMaxRecords, "\tone more"}, KOVA_CONTENT_TOO_LARGE, 0},
        {{"one-line-more.txt", "\t\n", kMaxRecords + 1}, KOVA_CONTENT_TOO_LARGE, 0},
        // 300 MB inflated from about 300 KB: 150 million records, gigabytes once kept.
        {{"bomb.txt", "\t\n", 150'000'000}, KOVA_CONTENT_TOO_LARGE, 0},
    };
    std::vector<RepeatedEntry> entries;
    for (const Case& c : cases)
        entries.push_back(c.entry);
    ContentFolder folder;
    UseContentFile use(testing_support::writeRepeatedArchive(folder, "records.zip", entries));
    ASSERT_EQ(KOVA_startup(nullptr), KOVA_OK);
    for (const Case& c : cases) {
        int count = -1;
        int result;
        std::size_t largest;
        {
            const LargestAllocation allocation;
            result = readByName(c.entry.name, count);
            largest = allocation.bytes();
        }
        EXPECT_EQ(result, c.result) << c.entry.name;
        EXPECT_EQ(count, c.count) << c.entry.name;
        if (result == KOVA_CONTENT_TOO_LARGE) {
            EXPECT_LT(largest, 8u << 20) << c.entry.name << ": refused only after it inflated";
        }
        KOVA_clearData();
    }
}

TEST(Tessera, AllContentsReadSinceStartupShareOneBudgetOfMemory)
{
    // A million empty records count 100 MB (two UTF-16 units and 96 bytes a record): ten such
    // contents fit the 1 GiB that all contents may hold together, an eleventh does not.
    static_assert(10 * 100'000'000ull <= content::kMaxHeldBytes &&
                  11 * 100'000'000ull > content::kMaxHeldBytes);
    std::vector<RepeatedEntry> entries;
    for (int i = 0; i < 11; ++i)
        entries.push_back({"c" + std::to_string(i) + ".txt", "\t\n", kMaxRecords});
    ContentFolder folder;
    UseContentFile use(testing_support::writeRepeatedArchive(folder, "budget.zip", entries));
    const auto read = [](int i) {
        int count = -1;
        const int result = readByName("c" + std::to_string(i) + ".txt", count);
        KOVA_clearData();
        return result;
    };

    ASSERT_EQ(KOVA_startup(nullptr), KOVA_OK);
    for (int i = 0; i < 10; ++i)
        ASSERT_EQ(read(i), KOVA_OK) << "content " << i;
    EXPECT_EQ(read(10), KOVA_CONTENT_TOO_LARGE);
    EXPECT_EQ(read(3), KOVA_OK) << "a content read again replaces what it counted before";

    // The about box's listing is no content kept: it counts against nothing.
    const char* const name = "c10.txt";
    int listed = -2;
    ASSERT_EQ(KOVA_describeContents(
                  &name, 1,
                  [](const char*, int count, void* into) { *static_cast<int*>(into) = count; },
                  &listed, nullptr),
              KOVA_OK);
    EXPECT_EQ(listed, static_cast<int>(kMaxRecords));
    EXPECT_EQ(read(10), KOVA_CONTENT_TOO_LARGE);

    ASSERT_EQ(KOVA_startup(nullptr), KOVA_OK);
    EXPECT_EQ(read(10), KOVA_OK) << "a new start starts a new count";
}

TEST(Tessera, MemoryThatRunsOutIsAResultCodeNeverAnException)
{
    ContentFolder folder;
    const std::string name = "2 校内活動 部活動.txt";
    std::string sentences;
    while (sentences.size() < 200'000)
        sentences += "1\tA sentence of the content.\n";
    UseContentFile use(folder.writeArchive("c.zip", {{name, sentences}}));
    int count = -1, result, traced, failures;
    {
        // Every block from the first chunk of inflated data up fails.
        const FailingAllocations fail(64 * 1024, SIZE_MAX);
        result = getZipData(name, count);
        failures = fail.failures();
    }
    EXPECT_GT(failures, 0) << "nothing failed: the test proves nothing";
    EXPECT_EQ(result, KOVA_CONTENT_TOO_LARGE);
    EXPECT_EQ(count, 0);
    std::u16string buffer(16, u'#');
    EXPECT_EQ(KOVA_getItem(KOVA_ITEM_TEXT, 0, buffer.data(), 32), KOVA_ITEM_NO_CONTENT);

    KOVA_setTraceSink([](const char16_t*, void*) { throw std::bad_alloc(); }, nullptr);
    {
        const FailingAllocations fail(1, SIZE_MAX);
        traced = KOVA_traceValue(u"a format longer than fits in place: %d", 7);
    }
    const int sinkFailed = KOVA_trace(u"to a sink that throws");
    KOVA_setTraceSink(nullptr, nullptr);
    EXPECT_EQ(traced, KOVA_OUT_OF_MEMORY);
    EXPECT_EQ(sinkFailed, KOVA_OUT_OF_MEMORY);
}

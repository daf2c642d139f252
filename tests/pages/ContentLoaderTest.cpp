#include "pages/ContentLoader.h"
#include "Allocations.h"
#include "RepeatedArchive.h"
#include "content/ContentNames.h"
#include "content/ContentReader.h"
#include "content/tessera.h"
#include "support/ContentFile.h"
#include "support/RecordingEffects.h"
#include "support/TraceRecorder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using testing_support::ContentFolder;
using testing_support::ProcessEnded;
using testing_support::RecordingEffects;
using testing_support::TraceRecorder;
using testing_support::UseContentFile;
using namespace std::string_literals;

namespace {

const std::string kName = "1 本人の長所・推薦事由等.txt";

int load(std::string_view utf8Name, int& count, ContentArray* texts, ContentArray* flags)
{
    return ContentLoader(content::cp932ContentName(utf8Name).c_str(), count, texts, nullptr, flags);
}

// Loads kName from a content file holding data, for death tests: the message box of the
// console effects goes to standard error, where the test reads it.
void loadFrom(const std::string& data)
{
    ContentFolder folder;
    UseContentFile use(folder.writeArchive("c.zip", {{kName, data}}));
    int count = 0;
    ContentArray texts, flags;
    load(kName, count, &texts, &flags);
}

} // namespace

TEST(ContentLoader, AppendsTextsAndFlagsBehindWhatTheArraysHold)
{
    UseContentFile use(GOLDEN_CONTENT);
    TraceRecorder trace;
    ContentArray texts{u"already here"}, flags{u"1"};
    int count = 0;
    EXPECT_EQ(load(content::kInSchoolContent, count, &texts, &flags), 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(texts, (ContentArray{u"already here", u"学級委員として", u"生徒会で"}));
    EXPECT_EQ(flags, (ContentArray{u"1", u"10", u"01"}));
    EXPECT_EQ(trace.messages,
              (std::vector<std::u16string>{u"KOVA_getZipData() end", u"KOVA_getZipData() ok",
                                           u"*count = 2\n", u"KOVA_IF_getData() ok"}));
}

TEST(ContentLoader, KeepsEmptyItemsSoTheArraysStayParallel)
{
    UseContentFile use(GOLDEN_CONTENT);
    ContentArray texts, flags;
    int count = 0;
    load(content::kStrengthsContent, count, &texts, &flags);
    ASSERT_EQ(texts.size(), 4u);
    ASSERT_EQ(flags.size(), 4u);
    EXPECT_EQ(flags[1], u"");
    EXPECT_EQ(texts[2], u"");
}

TEST(ContentLoader, AnEmptyContentLeavesTheArraysAndStillTracesEverything)
{
    UseContentFile use(GOLDEN_CONTENT);
    TraceRecorder trace;
    ContentArray texts{u"kept"}, flags{u"0"};
    int count = 99;
    EXPECT_EQ(load(content::kSchoolEventsContent, count, &texts, &flags), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(texts, ContentArray{u"kept"});
    EXPECT_EQ(flags, ContentArray{u"0"});
    ASSERT_EQ(trace.messages.size(), 4u);
    EXPECT_EQ(trace.messages[2], u"*count = 0\n");
}

TEST(ContentLoader, AbsentArraysStoreNothingButEveryItemIsStillChecked)
{
    ContentFolder folder;
    UseContentFile use(folder.writeArchive("c.zip", {{kName, "1\tgood\n1\t\xFF\n"}}));
    RecordingEffects effects;
    int count = 0;
    EXPECT_THROW(load(kName, count, nullptr, nullptr), ProcessEnded);
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].text, u"コンテンツファイルのテキストが壊れています");
}

TEST(ContentLoader, ADamagedLastFlagStringEndsTheProcessAfterAllTextsWereStored)
{
    ContentFolder folder;
    UseContentFile use(folder.writeArchive("c.zip", {{kName, "10\tone\n01\ttwo\n\xC3\tthree\n"}}));
    RecordingEffects effects;
    ContentArray texts, flags;
    int count = 0;
    try {
        load(kName, count, &texts, &flags);
        FAIL() << "the loader returned after a damaged flag string";
    } catch (const ProcessEnded& ended) {
        EXPECT_EQ(ended.exitCode, 3);
    }
    EXPECT_EQ(texts, (ContentArray{u"one", u"two", u"three"}));
    EXPECT_EQ(flags, (ContentArray{u"10", u"01"}));
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].text, u"コンテンツファイルのフラグが壊れています。");
    EXPECT_EQ(effects.messages[0].caption, u"");
    EXPECT_EQ(effects.messages[0].icon, platform::MessageIcon::None);
}

TEST(ContentLoader, ADamagedFirstTextEndsTheProcessBeforeAnyFlagIsRead)
{
    ContentFolder folder;
    UseContentFile use(folder.writeArchive("c.zip", {{kName, "\xFF\t\xFF\n"}}));
    RecordingEffects effects;
    TraceRecorder trace;
    ContentArray texts, flags;
    int count = 0;
    EXPECT_THROW(load(kName, count, &texts, &flags), ProcessEnded);
    EXPECT_TRUE(texts.empty());
    EXPECT_EQ(trace.messages.size(), 2u) << "the count trace comes only after every text";
}

using ContentLoaderDeathTest = ::testing::Test;

TEST_F(ContentLoaderDeathTest, EveryContentErrorShowsItsMessageAndEndsWithItsCode)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ContentFolder folder;
            UseContentFile use(folder.file("absent.zip"));
            int count = 0;
            load(kName, count, nullptr, nullptr);
        },
        ::testing::ExitedWithCode(1), "\\[\\] コンテンツファイルがありません\n");
    EXPECT_EXIT(
        {
            ContentFolder folder;
            UseContentFile use(folder.writeBytes("bad.zip", "not an archive"));
            int count = 0;
            load(kName, count, nullptr, nullptr);
        },
        ::testing::ExitedWithCode(1), "\\[\\] 257, コンテンツファイルを読み込めません\n");
    EXPECT_EXIT(loadFrom("no tab\n"), ::testing::ExitedWithCode(1),
                "\\[\\] 261, コンテンツファイルを読み込めません\n");
    EXPECT_EXIT(loadFrom("1\t\xFF\n"), ::testing::ExitedWithCode(2),
                "\\[\\] コンテンツファイルのテキストが壊れています\n");
    EXPECT_EXIT(loadFrom("1\tok\n\xFF\tok\n"), ::testing::ExitedWithCode(3),
                "\\[\\] コンテンツファイルのフラグが壊れています。\n");
    // A NUL would cut the sentence or flag string short without a word: it is damage.
    EXPECT_EXIT(loadFrom("1\tkept\0lost\n"s), ::testing::ExitedWithCode(2),
                "\\[\\] コンテンツファイルのテキストが壊れています\n");
    EXPECT_EXIT(loadFrom("1\0\tok\n"s), ::testing::ExitedWithCode(3),
                "\\[\\] コンテンツファイルのフラグが壊れています。\n");
}

namespace {

struct ChildRun {
    int exitCode;       // -1 when the child did not exit by itself
    std::string output; // what it wrote to standard error
    long peakKiB;       // its largest resident set
};

// Runs body in a child process with standard error caught, as a death test does, and measures
// the child's own peak memory, which a death test cannot.
ChildRun runInChild(const std::function<void()>& body)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {-1, "no pipe", 0};
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        dup2(pipeEnds[1], STDERR_FILENO);
        body();
        _exit(0);
    }
    close(pipeEnds[1]);
    ChildRun run{-1, "", 0};
    char chunk[4096];
    for (ssize_t n; (n = read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        run.output.append(chunk, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    if (child > 0 && wait4(child, &status, 0, &usage) == child) {
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.peakKiB = usage.ru_maxrss;
    }
    return run;
}

// What the program does at start: the library started, then the seven contents read in the
// pages' order, each kept in its pair of arrays.
void startAsTheProgramDoes()
{
    if (KOVA_startup(nullptr) != KOVA_OK)
        return;
    ContentArray arrays[2 * std::size(content::kAllContents)];
    ContentArray* next = arrays;
    for (const std::string_view name : content::kAllContents) {
        int count = 0;
        load(name, count, next, next + 1);
        next += 2;
    }
}

} // namespace

TEST(ContentLoaderStart, ARecordBombEndsTheStartWithItsMessageAndTakesLittleMemory)
{
    // 200 million empty records in 400 KB: 400 MB inflated, and kept some 20 GB.
    std::vector<testing_support::RepeatedEntry> entries;
    for (const std::string_view name : content::kAllContents)
        entries.push_back({std::string(name), "1\tA sentence.\n", 3});
    entries[3] = {std::string(content::kClubContent), "\t\n", 200'000'000};
    ContentFolder folder;
    UseContentFile use(testing_support::writeRepeatedArchive(folder, "bomb.zip", entries));

    const ChildRun run = runInChild(startAsTheProgramDoes);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "[] 263, コンテンツファイルを読み込めません\n");
    RecordProperty("peakKiB", std::to_string(run.peakKiB));
    EXPECT_GT(run.peakKiB, 0) << "no peak was measured";
    EXPECT_LT(run.peakKiB, 300 * 1024) << "KiB at the peak";
}

TEST(ContentLoader, MemoryThatRunsOutWhileTheArraysGrowEndsWithTheMessageOfAContentTooLarge)
{
    // Only the arrays' buffers ask for as much as an item may take (102,400 bytes) or more.
    const std::string sentence(3000, 'b');
    ContentFolder folder;
    UseContentFile use(folder.writeArchive("c.zip", {{kName, "1\tshort\n0\t" + sentence + "\n"}}));
    RecordingEffects effects;
    ContentArray texts, flags;
    int count = 0, exitCode = -1, failures = 0;
    {
        const testing_support::FailingAllocations fail(102400, SIZE_MAX);
        try {
            load(kName, count, &texts, &flags);
        } catch (const ProcessEnded& ended) {
            exitCode = ended.exitCode;
        }
        failures = fail.failures();
    }
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].text, u"263, コンテンツファイルを読み込めません");
    EXPECT_TRUE(texts.empty() && texts.capacity() == 0) << "what the content took is given back";
}

TEST(ContentLoader, AnUnreadableContentShowsTheLibrarysResultWithItsSign)
{
    UseContentFile use(GOLDEN_CONTENT);
    RecordingEffects effects;
    int count = 0;
    EXPECT_THROW(ContentLoader("\x81", count, nullptr, nullptr, nullptr), ProcessEnded);
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].text, u"258, コンテンツファイルを読み込めません");
    EXPECT_EQ(unreadableContentMessage(-7), u"-7, コンテンツファイルを読み込めません");
}

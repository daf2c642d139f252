// The packer as a content editor runs it: a whole process, its output and its exit code.

#include "content/ContentArchive.h"
#include "content/tessera.h"
#include "support/ContentFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using testing_support::ContentFolder;
namespace fs = std::filesystem;

namespace {

struct PackerRun {
    int exitCode;
    std::string output; // standard output and standard error together
};

PackerRun run(const std::string& command)
{
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    std::string output;
    char chunk[512];
    std::size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0)
        output.append(chunk, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

PackerRun pack(const std::string& arguments)
{
    return run(std::string(PACKER) + " " + arguments);
}

std::string shellQuoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

} // namespace

TEST(Packer, WritesNothingWhenAnyLineIsBadAndSaysWhere)
{
    ContentFolder folder;
    folder.writeBytes("1 本人の長所・推薦事由等.txt", "1\tgood\n1\tgood\nbroken line\n");
    folder.writeBytes("2 校内活動 部活動.txt", "1\tfine\n");
    const PackerRun run =
        pack(shellQuoted(folder.file("out.zip")) + " " + shellQuoted(folder.path()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("1 本人の長所・推薦事由等.txt:3: no TAB"), std::string::npos)
        << run.output;
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.zip")));
}

TEST(Packer, PacksAFolderIntoAContentFileTheLibraryReads)
{
    ContentFolder folder;
    std::filesystem::create_directory(folder.path() / "src");
    std::ofstream(folder.path() / "src" / "2 校内活動 部活動.txt") << "101\ta\n011\tb\n";
    std::ofstream(folder.path() / "src" / "notes.md") << "not a content";
    const PackerRun run =
        pack(shellQuoted(folder.file("out.zip")) + " " + shellQuoted(folder.path() / "src"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("2 校内活動 部活動.txt: 2 records"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("0=1 1=1 2=2"), std::string::npos) << run.output;
    // A partial set packs, as tests and checks need, but each missing content is named.
    EXPECT_NE(run.output.find("warning: no source gives \"1 本人の長所・推薦事由等.txt\""),
              std::string::npos)
        << run.output;

    testing_support::UseContentFile use(folder.file("out.zip"));
    EXPECT_EQ(KOVA_startup(nullptr), KOVA_OK);
    std::vector<std::pair<std::string, int>> listed;
    KOVA_listContents(
        [](const char* name, int count, void* into) {
            static_cast<decltype(listed)*>(into)->emplace_back(name, count);
        },
        &listed);
    EXPECT_EQ(listed, (std::vector<std::pair<std::string, int>>{{"2 校内活動 部活動.txt", 2}}));
}

TEST(Packer, WithAForbiddenListRejectsEverySentenceThatHoldsAWordAndWritesNothing)
{
    ContentFolder folder;
    const std::string list =
        folder.writeBytes("words.tsv", "# note\n家族\tfamily\n身長\tphysique\n");
    const std::string source =
        folder.writeBytes("2 校内活動 学校行事.txt", "10\t級友と協力して準備を進めた。\n"
                                                     "01\t家族の応援を受けて走り抜いた。\n"
                                                     "01\t身長を生かしてリレーで活躍した。\n");
    const std::string output = shellQuoted(folder.file("out.zip"));
    const PackerRun run =
        pack("--forbidden " + shellQuoted(list) + " " + output + " " + shellQuoted(source));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find(source + ":2: forbidden word \"家族\": family"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find(source + ":3: forbidden word \"身長\": physique"), std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find(":1:"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.zip")));

    // Without the list the same sentences are well-formed content.
    EXPECT_EQ(pack(output + " " + shellQuoted(source)).exitCode, 0);
}

TEST(Packer, StoresTheWordListsBesideTheContentsForTheProgramToRead)
{
    ContentFolder folder;
    const std::string listText = "# note\n家族\tfamily\n!父母会\tthe school's association\n";
    const std::string list = folder.writeBytes("words.tsv", listText);
    const std::string reviewText = "word\t様々な\tvague\nrepeat\t3\trepeated\n";
    const std::string review = folder.writeBytes("review.tsv", reviewText);
    const std::string source = folder.writeBytes("2 校内活動 学校行事.txt", "10\tfine\n");
    const std::string output = folder.file("out.zip");
    ASSERT_EQ(pack("--forbidden " + shellQuoted(list) + " --review " + shellQuoted(review) + " " +
                   shellQuoted(output) + " " + shellQuoted(source))
                  .exitCode,
              0);
    ASSERT_EQ(pack(shellQuoted(folder.file("bare.zip")) + " " + shellQuoted(source)).exitCode, 0);

    testing_support::UseContentFile use(output);
    ASSERT_EQ(KOVA_startup(nullptr), KOVA_OK);
    std::string read;
    const auto into = [](const char* text, int bytes, void* string) {
        static_cast<std::string*>(string)->assign(text, static_cast<std::size_t>(bytes));
    };
    EXPECT_EQ(KOVA_readWordList(into, &read), KOVA_OK);
    EXPECT_EQ(read, listText);
    EXPECT_EQ(KOVA_readReviewList(into, &read), KOVA_OK);
    EXPECT_EQ(read, reviewText);
    // The lists are no contents: neither the listing nor the about box counts them.
    int contents = 0, others = -1;
    const auto count = [](const char*, int, void* n) { ++*static_cast<int*>(n); };
    KOVA_listContents(count, &contents);
    EXPECT_EQ(contents, 1);
    const char* const name = "2 校内活動 学校行事.txt";
    ASSERT_EQ(KOVA_describeContents(&name, 1, count, &contents, &others), KOVA_OK);
    EXPECT_EQ(others, 0);

    testing_support::UseContentFile useBare(folder.file("bare.zip"));
    ASSERT_EQ(KOVA_startup(nullptr), KOVA_OK);
    EXPECT_EQ(KOVA_readWordList(into, &read), KOVA_NO_SUCH_CONTENT);
    EXPECT_EQ(KOVA_readReviewList(into, &read), KOVA_NO_SUCH_CONTENT);

    // A review line that cannot be used stops the packing like a bad source line.
    const std::string bad = folder.writeBytes("bad.tsv", "word\t様々な\tvague\nrepeat\tmany\tx\n");
    const PackerRun run = pack("--review " + shellQuoted(bad) + " " +
                               shellQuoted(folder.file("none.zip")) + " " + shellQuoted(source));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find(bad + ":2: "), std::string::npos) << run.output;
}

TEST(Packer, AForbiddenListThatCannotBeUsedStopsThePacking)
{
    ContentFolder folder;
    const std::string source = folder.writeBytes("2 校内活動 学校行事.txt", "10\tfine\n");
    const std::string output = shellQuoted(folder.file("out.zip"));
    const std::string list = folder.writeBytes("words.tsv", "家族\tfamily\nno tab here\n");
    PackerRun run =
        pack("--forbidden " + shellQuoted(list) + " " + output + " " + shellQuoted(source));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find(list + ":2: no TAB"), std::string::npos) << run.output;

    run = pack("--forbidden " + shellQuoted(folder.file("missing.tsv")) + " " + output + " " +
               shellQuoted(source));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("missing.tsv: cannot be read"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.zip")));

    // The lists of the other rules are read the same way.
    run = pack("--job-words " + shellQuoted(folder.file("missing.tsv")) + " " + output + " " +
               shellQuoted(source));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("missing.tsv: cannot be read"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.zip")));

    EXPECT_EQ(pack(output + " " + shellQuoted(source) + " --forbidden").exitCode, 2);
}

namespace {

// A scratch folder that other users may enter, so that a case can run the packer as one of them.
class OpenFolder {
public:
    OpenFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "verdane-pack-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        path_ = pattern;
        chmod(path_.c_str(), 0755);
    }
    ~OpenFolder()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

const std::string kName = "1 本人の長所・推薦事由等.txt";
const std::string kBom = "\xEF\xBB\xBF";

fs::path write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// How one case lays out its files, what it asks of the packer and what the packer must say.
struct Layout {
    std::string arguments;
    fs::path output;               // left exactly as it was: no file, or the same bytes
    std::vector<std::string> said; // each must stand in the packer's output
    // A folder whose mode shuts the packer out, opened again after the run. Root ignores modes,
    // so a test run by root runs the packer as another user.
    std::optional<fs::path> locked{};
};

struct Refusal {
    const char* name;
    Layout (*layOut)(const fs::path& folder);
};

void PrintTo(const Refusal& refusal, std::ostream* out)
{
    *out << refusal.name;
}

std::string q(const fs::path& path)
{
    return shellQuoted(path);
}

// Writes a content file standing where the packer is to write, to be left untouched.
fs::path yesterdaysArchive(const fs::path& folder)
{
    return write(folder / "out.zip", "PK\x05\x06 the content file as it was yesterday");
}

// A source that is fine in itself, with the content name the program reads first.
fs::path goodSource(const fs::path& folder)
{
    return write(folder / kName, "1100\t友人と協力して取り組んだ。\n");
}

// A source with bad content; each of said follows the source's path in the packer's output.
Layout badSource(const fs::path& folder, const std::string& name, const std::string& bytes,
                 std::vector<std::string> said)
{
    const fs::path source = write(folder / name, bytes);
    for (std::string& line : said)
        line = source.string() + line;
    return {q(yesterdaysArchive(folder)) + " " + q(source), folder / "out.zip", said};
}

const Refusal kRefusals[] = {
    {"AnUnreadableSourceFolder",
     [](const fs::path& f) {
         goodSource(f / "locked");
         chmod((f / "locked").c_str(), 0);
         return Layout{q(yesterdaysArchive(f)) + " " + q(f / "locked"),
                       f / "out.zip",
                       {(f / "locked").string() + ": cannot be read: Permission denied"},
                       f / "locked"};
     }},
    {"ALinkLoopInASourceFolder",
     [](const fs::path& f) {
         goodSource(f / "src");
         fs::create_symlink("loop.txt", f / "src" / "loop.txt");
         return Layout{q(yesterdaysArchive(f)) + " " + q(f / "src"),
                       f / "out.zip",
                       {(f / "src" / "loop.txt").string() + ": cannot be read: Too many levels"}};
     }},
    {"AnOutputThatIsAFolder",
     [](const fs::path& f) {
         write(f / "out.zip" / "kept.txt", "");
         return Layout{q(f / "out.zip") + " " + q(goodSource(f / "src")),
                       f / "out.zip",
                       {(f / "out.zip").string() + ": is a folder"}};
     }},
    {"AnOutputInAFolderThatCannotBeWritten",
     [](const fs::path& f) {
         const fs::path output = yesterdaysArchive(f / "ro");
         chmod((f / "ro").c_str(), 0555);
         return Layout{q(output) + " " + q(goodSource(f / "src")),
                       output,
                       {output.string() + ": cannot be written"},
                       f / "ro"};
     }},
    {"TwoFoldersGivingOneContentName",
     [](const fs::path& f) {
         const fs::path a = goodSource(f / "a"), b = goodSource(f / "b");
         return Layout{q(yesterdaysArchive(f)) + " " + q(f / "a") + " " + q(f / "b"),
                       f / "out.zip",
                       {b.string() + ": gives the same content name as " + a.string()}};
     }},
    {"OneFileGivenTwice",
     [](const fs::path& f) {
         const fs::path source = goodSource(f / "src");
         return Layout{
             q(yesterdaysArchive(f)) + " " + q(source) + " " + q(f / "src"),
             f / "out.zip",
             {source.string() + ": is given twice as a source (first as " + source.string() + ")"}};
     }},
    {"AFifoAsASource",
     [](const fs::path& f) {
         const fs::path fifo = f / kName;
         mkfifo(fifo.c_str(), 0644);
         return Layout{q(yesterdaysArchive(f)) + " " + q(fifo),
                       f / "out.zip",
                       {fifo.string() + ": is a FIFO"}};
     }},
    {"AnOutputThatIsItsOwnSource",
     [](const fs::path& f) {
         const fs::path source = goodSource(f / "src");
         return Layout{
             q(source) + " " + q(source), source, {source.string() + ": is also a source"}};
     }},
    {"AnOutputInsideItsSourceFolder",
     [](const fs::path& f) {
         const fs::path source = goodSource(f / "src");
         return Layout{
             q(source) + " " + q(f / "src"), source, {source.string() + ": is also a source"}};
     }},
    {"AnEntryLargerThanTheProgramReads",
     [](const fs::path& f) {
         const fs::path source = goodSource(f);
         fs::resize_file(source, content::kMaxEntryBytes + 1); // sparse: takes no disk
         return Layout{q(yesterdaysArchive(f)) + " " + q(source),
                       f / "out.zip",
                       {source.string() + ": is " + std::to_string(content::kMaxEntryBytes + 1) +
                        " bytes; a content holds at most " +
                        std::to_string(content::kMaxEntryBytes)}};
     }},
    {"MoreRecordsThanAContentHolds",
     [](const fs::path& f) {
         std::string records;
         for (std::size_t i = 0; i <= content::kMaxRecordsPerContent; ++i)
             records += "\t\n";
         return badSource(
             f, kName, records,
             {":" + std::to_string(content::kMaxRecordsPerContent + 1) + ": one record too many"});
     }},
    {"AContentNameTheProgramNeverReads",
     [](const fs::path& f) {
         return badSource(f, "2 校内活動　部活動.txt", "1\ta\n",
                          {": the program reads no content of this name; it reads \"" + kName +
                           "\", \"2 校内活動 学校行事.txt\""});
     }},
    {"ANulInEitherField",
     [](const fs::path& f) {
         const std::string nul(1, '\0');
         return badSource(f, kName, "1" + nul + "1\tabc\n1\tabc" + nul + "def\n",
                          {":1: a NUL byte (U+0000) in the flag string",
                           ":2: a NUL byte (U+0000) in the sentence"});
     }},
    {"AByteOrderMarkAfterTheVeryStart",
     [](const fs::path& f) {
         return badSource(f, kName, kBom + kBom + "1\ta\n1\ta" + kBom + "b\n",
                          {":1: a byte order mark (U+FEFF) in the flag string",
                           ":2: a byte order mark (U+FEFF) in the sentence"});
     }},
};

std::optional<std::string> bytesOf(const fs::path& path)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return std::nullopt;
    return testing_support::readBytes(path.string());
}

// What a folder holds, by name; nothing for a folder that cannot be listed.
std::set<fs::path> namesIn(const fs::path& folder)
{
    std::set<fs::path> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        names.insert(entry.path().filename());
    return names;
}

class PackerRefuses : public testing::TestWithParam<Refusal> {};

} // namespace

// Whatever is wrong, the packer says what and where, ends with exit code 1 and leaves every file
// as it was: no new or damaged content file, no temporary file, no source overwritten.
TEST_P(PackerRefuses, SaysWhatIsWrongAndLeavesEveryFileAsItWas)
{
    OpenFolder folder;
    const Layout layout = GetParam().layOut(folder.path());
    const bool otherUser = layout.locked && geteuid() == 0;
    if (otherUser && std::system("command -v setpriv >/dev/null") != 0)
        GTEST_SKIP() << "running as root without setpriv: root reads and writes any folder";
    const std::optional<std::string> before = bytesOf(layout.output);
    const bool outputWasThere = fs::exists(layout.output);
    const std::set<fs::path> besideBefore = namesIn(layout.output.parent_path());

    // timeout: a packer that waits on a FIFO fails the case instead of stopping the suite.
    const PackerRun result =
        run(std::string(otherUser ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "") +
            "timeout 60 " + PACKER + " " + layout.arguments);
    if (layout.locked)
        chmod(layout.locked->c_str(), 0755);

    EXPECT_EQ(result.exitCode, 1) << result.output;
    for (const std::string& said : layout.said)
        EXPECT_NE(result.output.find(said), std::string::npos) << said << "\n" << result.output;
    EXPECT_NE(result.output.find("nothing written"), std::string::npos) << result.output;
    EXPECT_EQ(fs::exists(layout.output), outputWasThere);
    EXPECT_EQ(bytesOf(layout.output), before);
    EXPECT_EQ(namesIn(layout.output.parent_path()), besideBefore);
}

INSTANTIATE_TEST_SUITE_P(Packer, PackerRefuses, testing::ValuesIn(kRefusals),
                         [](const testing::TestParamInfo<Refusal>& info) {
                             return std::string(info.param.name);
                         });

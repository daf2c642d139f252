// The packer as a content editor runs it: a whole process, its output and its exit code.

#include "content/tessera.h"
#include "support/ContentFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

using testing_support::ContentFolder;

namespace {

struct PackerRun {
    int exitCode;
    std::string output; // standard output and standard error together
};

PackerRun pack(const std::string& arguments)
{
    const std::string command = std::string(PACKER) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char chunk[512];
    std::size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0)
        output.append(chunk, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
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
    const PackerRun run = pack(shellQuoted(folder.file("out.zip")) + " " + shellQuoted(folder.path()));
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
    const PackerRun run = pack(shellQuoted(folder.file("out.zip")) + " " + shellQuoted(folder.path() / "src"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("2 校内活動 部活動.txt: 2 records"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("0=1 1=1 2=2"), std::string::npos) << run.output;

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
    const std::string list = folder.writeBytes("words.tsv", "# note\n家族\tfamily\n身長\tphysique\n");
    const std::string source = folder.writeBytes("2 校内活動 学校行事.txt",
                                                 "10\t級友と協力して準備を進めた。\n"
                                                 "01\t家族の応援を受けて走り抜いた。\n"
                                                 "01\t身長を生かしてリレーで活躍した。\n");
    const std::string output = shellQuoted(folder.file("out.zip"));
    const PackerRun run = pack("--forbidden " + shellQuoted(list) + " " + output + " " +
                               shellQuoted(source));
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

TEST(Packer, AForbiddenListThatCannotBeUsedStopsThePacking)
{
    ContentFolder folder;
    const std::string source = folder.writeBytes("2 校内活動 学校行事.txt", "10\tfine\n");
    const std::string output = shellQuoted(folder.file("out.zip"));
    const std::string list = folder.writeBytes("words.tsv", "家族\tfamily\nno tab here\n");
    PackerRun run = pack("--forbidden " + shellQuoted(list) + " " + output + " " +
                         shellQuoted(source));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find(list + ":2: no TAB"), std::string::npos) << run.output;

    run = pack("--forbidden " + shellQuoted(folder.file("missing.tsv")) + " " + output + " " +
               shellQuoted(source));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("missing.tsv: cannot be read"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.zip")));

    EXPECT_EQ(pack(output + " " + shellQuoted(source) + " --forbidden").exitCode, 2);
}

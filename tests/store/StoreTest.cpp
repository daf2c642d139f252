// The store at its public seam: a writer killed while the teacher types loses at most the last
// second and leaves a sound file; a file the program cannot read is set aside unchanged and a new
// store begun; a full disk is told and loses nothing; a class written out as CSV in both
// encodings, with a character code page 932 lacks named and nothing written.

#include "content/Cp932.h"
#include "store/ClassCsv.h"
#include "store/RemarkKeeper.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace store;

namespace {

const std::u16string kField = u"本人のアピールポイント・推薦事由等";
const std::u16string kKeys = u"あいうえおかきくけこ";

// The child's part: types into one new remark a key every few milliseconds through the keeper,
// as the draft does, and writes how long the text is after each key.
int typeInto(const char* path)
{
    RemarkKeeper keeper(path);
    const Id remark = keeper.newRemark(std::nullopt, kField, u"");
    std::u16string text;
    QTimer keys;
    QObject::connect(&keys, &QTimer::timeout, [&] {
        text += kKeys[text.size() % kKeys.size()];
        keeper.change(remark, text);
        std::printf("%zu\n", text.size());
        std::fflush(stdout);
    });
    keys.start(3);
    return QCoreApplication::exec();
}

std::string readAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class StoreTest : public ::testing::Test {
protected:
    std::string path(const char* name = "remarks.sqlite") const
    {
        return (folder.path() + u'/' + QString::fromUtf8(name)).toStdString();
    }
    QTemporaryDir folder;
};

TEST_F(StoreTest, AWriterKilledWhileTypingLosesAtMostTheLastSecondAndLeavesASoundFile)
{
    // clang-format off
    const int killAfterMs[] = {250, 1100, 1900};
    // clang-format on
    for (const int after : killAfterMs) {
        SCOPED_TRACE(after);
        QElapsedTimer clock;
        clock.start();
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--type-into"), QString::fromStdString(path())});
        ASSERT_TRUE(child.waitForStarted());
        // When each length arrived: it was typed no later than that.
        std::vector<std::pair<qint64, std::size_t>> typed;
        QByteArray lines;
        const auto read = [&] {
            lines += child.readAllStandardOutput();
            for (qsizetype end; (end = lines.indexOf('\n')) >= 0; lines.remove(0, end + 1))
                typed.emplace_back(clock.elapsed(), lines.left(end).toULongLong());
        };
        while (typed.empty() && child.waitForReadyRead(5000))
            read();
        ASSERT_FALSE(typed.empty()) << child.readAllStandardError().toStdString();
        const qint64 killAt = typed.front().first + after;
        while (clock.elapsed() < killAt) {
            child.waitForReadyRead(20);
            read();
        }
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        const qint64 killedAt = clock.elapsed();
        child.waitForFinished();
        read();
        std::size_t byOneSecondBefore = 0;
        for (const auto& [at, length] : typed) {
            if (at <= killedAt - 1000)
                byOneSecondBefore = length;
        }

        RemarkStore::Opening opened = RemarkStore::open(path());
        ASSERT_TRUE(opened.store) << opened.problem;
        EXPECT_TRUE(opened.setAsideAs.empty());
        EXPECT_EQ(opened.store->integrityCheck(), "ok");
        const std::optional<Remark> last = opened.store->lastChanged();
        ASSERT_TRUE(last);
        EXPECT_GE(last->text.size(), byOneSecondBefore);
        EXPECT_LE(last->text.size(), typed.back().second);
        for (std::size_t i = 0; i < last->text.size(); ++i)
            ASSERT_EQ(last->text[i], kKeys[i % kKeys.size()]) << i;
    }
}

TEST_F(StoreTest, AFileTheProgramCannotReadIsSetAsideUnchangedAndANewStoreBegun)
{
    struct Case {
        const char* what;
        std::function<void(const std::string&)> make;
    };
    const auto storeWithARemark = [](const std::string& at) {
        RemarkStore::Opening made = RemarkStore::open(at);
        ASSERT_TRUE(made.store);
        const Id student = made.store->studentFor(made.store->classFor(3, u"1").id, 7).id;
        for (int i = 0; i < 50; ++i)
            made.store->addRemark(student, kField, std::u16string(200, u'字'));
    };
    const auto setVersion = [](const std::string& at, int version) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(at.c_str(), &db), SQLITE_OK);
        const std::string sql = "PRAGMA user_version = " + std::to_string(version);
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    };
    // clang-format off
    const Case cases[] = {
        {"not a database",    [](const std::string& at) { std::ofstream(at) << "学年,組,出席番号\r\n3,1,7\r\n"; }},
        {"a newer program's", [&](const std::string& at) { storeWithARemark(at); setVersion(at, 2); }},
        {"damaged",           [&](const std::string& at) {
                                  storeWithARemark(at);
                                  std::fstream file(at, std::ios::in | std::ios::out | std::ios::binary);
                                  file.seekp(100);
                                  file << std::string(3000, '\x5A');
                              }},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string at = path(c.what);
        c.make(at);
        const std::string before = readAll(at);

        RemarkStore::Opening opened = RemarkStore::open(at);
        ASSERT_TRUE(opened.store) << opened.problem;
        ASSERT_FALSE(opened.setAsideAs.empty());
        EXPECT_EQ(readAll(opened.setAsideAs), before);
        EXPECT_TRUE(opened.store->classes().empty());
        EXPECT_EQ(opened.store->integrityCheck(), "ok");
        struct stat mode {};
        ASSERT_EQ(stat(at.c_str(), &mode), 0);
        EXPECT_EQ(mode.st_mode & 0777, 0600u);
        // What the new store keeps is there when it is opened again, and nothing is set aside.
        opened.store->classFor(3, u"2");
        opened.store.reset();
        RemarkStore::Opening again = RemarkStore::open(at);
        ASSERT_TRUE(again.store);
        EXPECT_TRUE(again.setAsideAs.empty());
        EXPECT_EQ(again.store->classes().size(), 1u);
    }
}

// A file system of its own, small enough to fill; mounting needs the right to, which a test run
// by a user without it does not have.
TEST_F(StoreTest, AFullDiskIsToldTypingGoesOnAndAllIsStoredWhenThereIsRoomAgain)
{
    const std::string disk = path("disk");
    ASSERT_EQ(mkdir(disk.c_str(), 0700), 0);
    if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
    struct Unmount {
        std::string at;
        ~Unmount() { umount2(at.c_str(), MNT_DETACH); }
    } unmount{disk};
    {
        RemarkKeeper keeper(disk + "/remarks.sqlite");
        std::vector<std::u16string> problems;
        keeper.onProblem = [&](const std::u16string& problem) { problems.push_back(problem); };
        const Id first = keeper.newRemark(std::nullopt, kField, u"はじめの下書き");
        ASSERT_GT(first, 0);
        {
            std::ofstream filler(disk + "/filler", std::ios::binary);
            const std::string block(4096, 'x');
            while (filler.write(block.data(), block.size()))
                ;
        }
        const std::u16string longer(30000, u'長');
        keeper.change(first, longer);
        EXPECT_FALSE(keeper.save());
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_NE(problems[0].find(u"ディスクがいっぱい"), std::u16string::npos);
        EXPECT_EQ(keeper.unsavedText(first), longer);
        // A remark begun while the disk is full waits with it.
        const Id second = keeper.newRemark(std::nullopt, u"特記事項", u"満杯の間に書いた");
        EXPECT_FALSE(keeper.save());
        EXPECT_EQ(problems.size(), 1u); // told once

        std::remove((disk + "/filler").c_str());
        EXPECT_TRUE(keeper.save()) << QString::fromStdU16String(keeper.problem()).toStdString();
        ASSERT_EQ(problems.size(), 2u);
        EXPECT_TRUE(problems[1].empty());
        EXPECT_GT(keeper.resolved(second), 0);
    }
    RemarkStore::Opening opened = RemarkStore::open(disk + "/remarks.sqlite");
    ASSERT_TRUE(opened.store);
    EXPECT_EQ(opened.store->integrityCheck(), "ok");
    const std::vector<Remark> kept = opened.store->remarks(std::nullopt);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].text, std::u16string(30000, u'長'));
    EXPECT_EQ(kept[1].text, u"満杯の間に書いた");
}

TEST_F(StoreTest, AClassIsWrittenOutWholeInEitherEncodingOrNotAtAll)
{
    RemarkStore::Opening opened = RemarkStore::open(path());
    ASSERT_TRUE(opened.store);
    RemarkStore& kept = *opened.store;
    const Id classId = kept.classFor(3, u"1").id;
    const Id seven = kept.studentFor(classId, 7).id;
    kept.setMemo(seven, u"野球部, 主将");
    kept.addRemark(seven, kField, u"古い版");
    const Id newest = kept.addRemark(seven, kField, u"").id;
    kept.saveTexts({{newest, u"「\"努力\"の人」です。\n二行目。"}});
    kept.studentFor(classId, 2);
    const std::vector<std::u16string> fields = {kField, u"特記事項"};
    const std::string utf8 =
        "学年,組,出席番号,メモ,本人のアピールポイント・推薦事由等,特記事項\r\n"
        "3,1,2,,,\r\n"
        "3,1,7,\"野球部, 主将\",\"「\"\"努力\"\"の人」です。\r\n二行目。\",\r\n";

    // clang-format off
    struct Case { CsvEncoding encoding; std::string expected; };
    const Case cases[] = {
        {CsvEncoding::Utf8WithBom, "\xEF\xBB\xBF" + utf8},
        {CsvEncoding::Cp932,       content::utf8ToCp932(utf8).value()},
    };
    // clang-format on
    for (const Case& c : cases) {
        const auto made = classCsv(kept, classId, fields, c.encoding);
        ASSERT_TRUE(std::holds_alternative<std::string>(made));
        EXPECT_EQ(std::get<std::string>(made), c.expected);
        const std::string file = path("class.csv");
        EXPECT_EQ(exportClass(kept, classId, fields, c.encoding, file), u"");
        EXPECT_EQ(readAll(file), c.expected);
    }
    EXPECT_EQ(
        std::get<std::string>(classCsv(kept, classId, fields, CsvEncoding::Cp932)).substr(0, 4),
        "\x8A\x77\x94\x4E"); // 学年

    // A name written with a character code page 932 lacks: named, and the file left as it was.
    const Id two = kept.studentFor(classId, 2).id;
    kept.addRemark(two, u"特記事項", u"𠮷田さんと協力した。");
    const auto refused = classCsv(kept, classId, fields, CsvEncoding::Cp932);
    ASSERT_TRUE(std::holds_alternative<Unwritable>(refused));
    EXPECT_EQ(std::get<Unwritable>(refused).character, u"𠮷");
    EXPECT_EQ(std::get<Unwritable>(refused).number, 2);
    EXPECT_EQ(std::get<Unwritable>(refused).column, u"特記事項");
    const std::string before = readAll(path("class.csv"));
    const std::u16string said =
        exportClass(kept, classId, fields, CsvEncoding::Cp932, path("class.csv"));
    EXPECT_NE(said.find(u"「𠮷」(U+20BB7)"), std::u16string::npos);
    EXPECT_NE(said.find(u"出席番号 2"), std::u16string::npos);
    EXPECT_EQ(readAll(path("class.csv")), before);
    EXPECT_TRUE(std::holds_alternative<std::string>(
        classCsv(kept, classId, fields, CsvEncoding::Utf8WithBom)));
}

TEST_F(StoreTest, DeletedRemarksStudentsAndClassesAreGoneFromTheFile)
{
    const std::string at = path();
    {
        RemarkStore::Opening opened = RemarkStore::open(at);
        ASSERT_TRUE(opened.store);
        RemarkStore& kept = *opened.store;
        const Id classId = kept.classFor(3, u"1").id;
        const Id one = kept.studentFor(classId, 1).id;
        const Id two = kept.studentFor(classId, 2).id;
        const Id remark = kept.addRemark(one, kField, u"ひとつめ消去対象の下書き").id;
        kept.addRemark(one, kField, u"ふたつめ残る下書き");
        kept.addRemark(two, kField, u"二番の消去対象の下書き");
        kept.setMemo(two, u"消去対象のメモ");
        kept.addRemark(std::nullopt, kField, u"未割り当て残る下書き");
        kept.deleteRemark(remark);
        kept.deleteStudent(two);
        EXPECT_EQ(kept.remarks(one).size(), 1u);
        EXPECT_EQ(kept.students(classId).size(), 1u);
        const Id other = kept.classFor(2, u"4").id;
        kept.addRemark(kept.studentFor(other, 9).id, kField, u"別の組の消去対象");
        kept.deleteClass(other);
        EXPECT_EQ(kept.classes().size(), 1u);
    }
    std::string bytes;
    for (const char* part : {"", "-wal"})
        bytes += readAll(at + part);
    const auto holds = [&](const std::u16string& text) {
        const QByteArray utf16(reinterpret_cast<const char*>(text.data()),
                               static_cast<qsizetype>(text.size() * 2));
        return bytes.find(utf16.toStdString()) != std::string::npos ||
               bytes.find(QString::fromStdU16String(text).toStdString()) != std::string::npos;
    };
    EXPECT_TRUE(holds(u"残る下書き"));
    EXPECT_FALSE(holds(u"消去対象"));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--type-into")
        return typeInto(argv[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

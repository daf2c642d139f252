#include "app/CVerdaneDlg.h"
#include "content/ContentNames.h"
#include "pages/ContentPrefetch.h"
#include "support/ContentFile.h"
#include "support/RecordingEffects.h"
#include "support/WindowIds.h"

#include "platform/HandCursor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using testing_support::ProcessEnded;
using testing_support::RecordingEffects;
using testing_support::UseContentFile;

namespace {

using namespace testing_support::ids;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.Create());
        window.show();
        QApplication::setActiveWindow(&window);
    }

    QLineEdit* keywordBox() { return window.control<QLineEdit>(kKeywordBox); }
    std::u16string keywordText() { return keywordBox()->text().toStdU16String(); }
    std::u16string countOf(int page) { return window.page(page).GetDlgItemText(1035); }
    void selectTab(int index)
    {
        auto* bar = window.findChild<QTabBar*>();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    // Types text as the keyboard would, one character at a time.
    static void type(QWidget* widget, const QString& text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
        }
    }
    void focus(QWidget* widget)
    {
        widget->setFocus();
        QApplication::processEvents();
    }

    UseContentFile content{GOLDEN_CONTENT};
    RecordingEffects effects;
    CVerdaneDlg window;
};

} // namespace

TEST_F(MainWindowTest, TheKeywordBoxShowsThePlaceholderOnlyWhileEmptyAndUnfocused)
{
    EXPECT_EQ(keywordText(), u"キーワード検索");
    focus(keywordBox());
    EXPECT_EQ(keywordText(), u"");
    focus(window.control(kQuit));
    EXPECT_EQ(keywordText(), u"キーワード検索");

    focus(keywordBox());
    type(keywordBox(), QStringLiteral("活動"));
    focus(window.control(kQuit));
    EXPECT_EQ(keywordText(), u"活動") << "a typed keyword stays when the box loses the focus";
}

TEST_F(MainWindowTest, EnterInTheKeywordBoxSearchesTheSelectedPageAndPressesNothing)
{
    QSignalSpy quitClicks(window.control<QPushButton>(kQuit), &QPushButton::clicked);
    selectTab(1);
    focus(keywordBox());
    type(keywordBox(), QStringLiteral("生徒会"));
    QTest::keyClick(keywordBox(), Qt::Key_Return);
    EXPECT_EQ(countOf(1), u"1 件") << "the in-school page searched its contents";
    EXPECT_EQ(countOf(0), u"0 件") << "the hidden first page did not";
    EXPECT_EQ(quitClicks.count(), 0);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, EnterElsewhereEscapeAndBackspaceOutsideTheKeywordBoxDoNothing)
{
    QSignalSpy quitClicks(window.control<QPushButton>(kQuit), &QPushButton::clicked);
    QSignalSpy searchClicks(window.control<QPushButton>(kSearchButton), &QPushButton::clicked);
    for (const int id : {kQuit, kSearchButton}) {
        focus(window.control(id));
        QTest::keyClick(window.control(id), Qt::Key_Return);
        QTest::keyClick(window.control(id), Qt::Key_Enter);
        QTest::keyClick(window.control(id), Qt::Key_Escape);
        QTest::keyClick(window.control(id), Qt::Key_Backspace);
    }
    EXPECT_EQ(quitClicks.count(), 0);
    EXPECT_EQ(searchClicks.count(), 0);
    EXPECT_TRUE(effects.messages.empty()) << "no search ran";
    EXPECT_TRUE(window.isVisible());

    focus(window.control(kQuit));
    QTest::keyClick(window.control(kQuit), Qt::Key_Space);
    EXPECT_EQ(quitClicks.count(), 1) << "the space bar still presses a focused button";

    focus(keywordBox());
    QTest::keyClicks(keywordBox(), QStringLiteral("ab"));
    QTest::keyClick(keywordBox(), Qt::Key_Backspace);
    EXPECT_EQ(keywordText(), u"a") << "Backspace edits the keyword box";
}

TEST_F(MainWindowTest, SearchWithAnEmptyBoxPassesThePlaceholderWhichThePageRejects)
{
    focus(keywordBox());
    QTest::mouseClick(window.control(kSearchButton), Qt::LeftButton);
    EXPECT_EQ(keywordText(), u"キーワード検索");
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].text, u"キーワードを入力してください");
    EXPECT_EQ(effects.messages[0].caption, u"");
}

TEST_F(MainWindowTest, TabsShowExactlyOnePageAndEveryPageKeepsItsState)
{
    window.page(0).SearchKeyword(u"記号");
    ASSERT_EQ(countOf(0), u"1 件");
    for (int tab : {1, 2, 0, 2}) {
        selectTab(tab);
        for (int page = 0; page < 3; ++page)
            EXPECT_EQ(window.page(page).isVisible(), page == tab) << "tab " << tab;
    }
    EXPECT_EQ(countOf(0), u"1 件");
    EXPECT_EQ(window.page(0).GetDlgItemText(1037), u"タブ\tと改行\nと\\記号");
}

TEST_F(MainWindowTest, TheHandCursorShowsOverTheTwoFixedRectanglesEdgesIncluded)
{
    for (const QPoint inside :
         {QPoint(643, 4), QPoint(781, 26), QPoint(700, 15), QPoint(787, 4), QPoint(925, 26)})
        EXPECT_TRUE(CVerdaneDlg::isOverHeaderPicture(inside)) << inside.x() << "," << inside.y();
    for (const QPoint outside : {QPoint(642, 10), QPoint(782, 10), QPoint(786, 10), QPoint(926, 10),
                                 QPoint(700, 3), QPoint(700, 27)})
        EXPECT_FALSE(CVerdaneDlg::isOverHeaderPicture(outside))
            << outside.x() << "," << outside.y();

    QTest::mouseMove(&window, QPoint(700, 10));
    EXPECT_TRUE(platform::handCursorShown());
    QTest::mouseMove(window.control(kSearchButton), QPoint(2, 2));
    EXPECT_FALSE(platform::handCursorShown());
}

TEST_F(MainWindowTest, ThePicturesOpenTheGuideAndTheAboutBox)
{
    QTest::mouseClick(window.control(1037), Qt::LeftButton);
    ASSERT_EQ(effects.documents.size(), 1u);
    EXPECT_EQ(effects.documents[0],
              QCoreApplication::applicationDirPath().toStdString() + "/PDF/howto.pdf");

    QTest::mouseClick(window.control(1038), Qt::LeftButton);
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].caption, u"このソフトについて");
    const std::u16string& about = effects.messages[0].text;
    EXPECT_NE(about.find(u"Verdane"), std::u16string::npos);
    EXPECT_NE(about.find(u"1 本人の長所・推薦事由等.txt: 4 件"), std::u16string::npos);
    EXPECT_NE(about.find(u"2 校内活動 学校行事.txt: 0 件"), std::u16string::npos);
}

TEST_F(MainWindowTest, ClosingClearsEveryPageAndReleasesTheContents)
{
    window.page(0).SearchKeyword(u"記号");
    QTimer::singleShot(0, [this] { QTest::mouseClick(window.control(kQuit), Qt::LeftButton); });
    // A modal run of the window already made: the quit button ends it.
    EXPECT_EQ(window.RunModalLoop(), platform::IDOK);
    EXPECT_EQ(countOf(0), u"0 件");
    EXPECT_EQ(window.page(0).matchList().matchCount, 0);
}

TEST(MainWindowStart, AContentFileThatCannotBeUsedEndsTheStartWithItsMessage)
{
    testing_support::ContentFolder folder;
    const std::string garbage = folder.writeBytes("garbage.zip", "not an archive");
    const std::string otherKind =
        folder.writeArchive("other.zip", {{"a.txt", "1\ta\n"}}, "some other archive");
    const std::pair<std::string, std::u16string> cases[] = {
        {garbage, u"必要なファイルが無いか、壊れています。"},
        {folder.file("absent.zip"), u"必要なファイルが無いか、壊れています。"},
        {otherKind, u"起動できません。"},
    };
    for (const auto& [file, message] : cases) {
        UseContentFile use(file);
        RecordingEffects effects;
        CVerdaneDlg window;
        try {
            window.Create();
            ADD_FAILURE() << "the start went on with " << file;
        } catch (const ProcessEnded& ended) {
            EXPECT_EQ(ended.exitCode, 1);
        }
        ASSERT_EQ(effects.messages.size(), 1u);
        EXPECT_EQ(effects.messages[0].text, message);
        EXPECT_EQ(effects.messages[0].caption, u"エラー");
        EXPECT_EQ(effects.messages[0].owner, &window);
        EXPECT_FALSE(window.isVisible());
    }
}

TEST(MainWindowStart, ThePagesTakeTheContentsReadAheadAndFindWhatTheyWouldHaveRead)
{
    UseContentFile content(SAMPLE_CONTENT);
    RecordingEffects effects;
    CVerdaneDlg readingItself;
    ASSERT_TRUE(readingItself.Create());
    pages::ContentPrefetch prefetch(content::kAllContents);
    CVerdaneDlg readAhead;
    readAhead.SetContentPrefetch(&prefetch);
    ASSERT_TRUE(readAhead.Create());

    for (const std::string_view name : content::kAllContents)
        EXPECT_FALSE(prefetch.take(name)) << name << " was left for nobody";
    for (int i = 0; i < 3; ++i) {
        // Nearly every sentence ends with it, in all seven contents.
        readingItself.page(i).SearchKeyword(u"。");
        readAhead.page(i).SearchKeyword(u"。");
        const std::u16string count = readAhead.page(i).GetDlgItemText(1035);
        EXPECT_EQ(count, readingItself.page(i).GetDlgItemText(1035)) << "page " << i;
        EXPECT_NE(count, u"0 件") << "page " << i;
    }
    EXPECT_TRUE(effects.messages.empty());
}

using MainWindowDeathTest = ::testing::Test;

TEST_F(MainWindowDeathTest, ADamagedOrForeignContentFileEndsTheProcessWithCodeOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testing_support::ContentFolder folder;
    const std::string garbage = folder.writeBytes("garbage.zip", "not an archive");
    const std::string otherKind =
        folder.writeArchive("other.zip", {{"a.txt", "1\ta\n"}}, "some other archive");
    EXPECT_EXIT(
        {
            UseContentFile use(garbage);
            CVerdaneDlg window;
            window.Create();
        },
        ::testing::ExitedWithCode(1), "\\[エラー\\] 必要なファイルが無いか、壊れています。");
    EXPECT_EXIT(
        {
            UseContentFile use(otherKind);
            CVerdaneDlg window;
            window.Create();
        },
        ::testing::ExitedWithCode(1), "\\[エラー\\] 起動できません。");
    EXPECT_EXIT(
        {
            UseContentFile use(garbage);
            pages::ContentPrefetch prefetch(content::kAllContents);
            CVerdaneDlg window;
            window.SetContentPrefetch(&prefetch);
            window.Create();
        },
        ::testing::ExitedWithCode(1), "\\[エラー\\] 必要なファイルが無いか、壊れています。")
        << "reading ahead changes nothing of what a damaged file shows";
}

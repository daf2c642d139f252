// The strengths page on real widgets, driven the way the teacher drives it: clicks on its radio
// buttons, check boxes and clear button, keys, wheel turns and scroll-bar requests, and the
// main window's keyword search.

#include "pages/CDlgTab02.h"
#include "support/ContentFile.h"
#include "support/PageHost.h"
#include "support/RecordingEffects.h"
#include "support/StrengthsContent.h"
#include "support/WindowIds.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace testing_support;

namespace {

const std::string kContentName = "1 本人の長所・推薦事由等.txt";
const std::string kPlaceholder = "キーワード検索";

// The category check boxes in the page's table order, and the job types 製造 .. 全ての職種.
const std::vector<int> kCheckBoxIds = ids::idsOf(content::strengths::kCheckBoxes);
constexpr int kManufacturing = 1066, kEngineering = 1067, kOffice = 1068, kSales = 1069,
              kOtherJob = 1074, kAllJobs = 1075;
constexpr int kGrades = 1053, kClub = 1057, kResponsibility = 1060, kCooperation = 1061,
              kSincerity = 1079;
constexpr int kClearButton = 1001;

// Seven sentences over a few job types and categories; the codes stand in categoryContent().
const std::string S0 = "製造実習で責任感と優秀な成績を示した。";
const std::string S1 = "製造を志し、部活動でも責任感が強い。";
const std::string S2 = "製造の仕事に向く協調性がある。";
const std::string S3 = "技術職を志望し、責任感が強い。";
const std::string S4 = "技術を部活動で磨いた。";
const std::string S5 = "どの職種でも誠実さが光る。";
const std::string S6 = "部活動で協調性を身につけた。";

std::vector<std::string> categoryContent()
{
    return {strengthsRecord({0, 19, 10}, S0), strengthsRecord({0, 19, 14}, S1),
            strengthsRecord({0, 20}, S2),     strengthsRecord({1, 19}, S3),
            strengthsRecord({1, 14}, S4),     strengthsRecord({9, 26}, S5),
            strengthsRecord({14, 20}, S6)};
}

// Job type j (radio button 1066 + j) has the number of sentences given here: 製造 2, 技術 3,
// 事務 4, 販売・営業 7; the seven of 販売・営業 also carry code 10 (成績優秀).
const std::vector<std::pair<int, int>> kJobSizes = {{0, 2}, {1, 3}, {2, 4}, {3, 7}};

std::string pagingSentence(int job, int i)
{
    return "職種" + std::to_string(job) + "の例文" + std::to_string(i);
}

std::vector<std::string> pagingContent()
{
    std::vector<std::string> records;
    for (const auto& [job, count] : kJobSizes) {
        for (int i = 0; i < count; ++i) {
            if (job == 3)
                records.push_back(strengthsRecord({job, 10}, pagingSentence(job, i)));
            else
                records.push_back(strengthsRecord({job}, pagingSentence(job, i)));
        }
    }
    return records;
}

class StrengthsPage : public ::testing::Test {
protected:
    // The page over a content of these records, inside a shown and active main window.
    void open(const std::vector<std::string>& records)
    {
        std::string data;
        for (const std::string& record : records)
            data += record;
        use = std::make_unique<UseContentFile>(
            folder.writeArchive("content.zip", {{kContentName, data}}));
        page = std::make_unique<CDlgTab02>(&host);
        ASSERT_TRUE(page->Create());
        host.show();
        QApplication::setActiveWindow(&host);
    }

    QAbstractButton* button(int id) const { return page->control<QAbstractButton>(id); }
    void click(int id) { QTest::mouseClick(button(id), Qt::LeftButton); }
    QPlainTextEdit* box(int k) const { return page->control<QPlainTextEdit>(1037 + k); }
    QScrollBar* bar() const { return page->control<QScrollBar>(1033); }
    std::string countLabel() const { return utf8(page->control<QLabel>(1035)->text()); }
    std::string hostKeyword() const { return utf8(host.keywordBoxText()); }
    void setHostKeyword(const std::u16string& text) { host.SetDlgItemText(1121, text); }

    std::vector<std::string> boxTexts() const
    {
        return {utf8(box(0)->toPlainText()), utf8(box(1)->toPlainText()),
                utf8(box(2)->toPlainText())};
    }
    // The scroll position and the three sentences shown, and what they should be at p.
    std::pair<int, std::vector<std::string>> shown() const { return {bar()->value(), boxTexts()}; }
    static std::pair<int, std::vector<std::string>> at(int job, int p)
    {
        return {p,
                {pagingSentence(job, p), pagingSentence(job, p + 1), pagingSentence(job, p + 2)}};
    }

    std::vector<int> enabledBoxes() const
    {
        std::vector<int> ids;
        for (const int id : kCheckBoxIds) {
            if (button(id)->isEnabled())
                ids.push_back(id);
        }
        return ids;
    }
    std::vector<int> checkedBoxes() const
    {
        std::vector<int> ids;
        for (const int id : kCheckBoxIds) {
            if (button(id)->isChecked())
                ids.push_back(id);
        }
        return ids;
    }
    int checkedJobType() const
    {
        for (int id = kManufacturing; id <= kAllJobs; ++id) {
            if (button(id)->isChecked())
                return id;
        }
        return -1;
    }

    RecordingEffects effects;
    ContentFolder folder;
    std::unique_ptr<UseContentFile> use;
    PageHost host;
    std::unique_ptr<CDlgTab02> page;
};

const std::vector<std::string> kNoSentence = {"", "", ""};

} // namespace

TEST_F(StrengthsPage, StartsEmptyWithEveryCategoryUsableAndFittedToItsCaption)
{
    open(categoryContent());
    EXPECT_EQ(countLabel(), "0 件");
    EXPECT_EQ(boxTexts(), kNoSentence);
    EXPECT_FALSE(bar()->isEnabled());
    EXPECT_EQ(enabledBoxes(), kCheckBoxIds);
    EXPECT_TRUE(checkedBoxes().empty());
    EXPECT_EQ(checkedJobType(), -1);

    EXPECT_EQ(button(1054)->width(), 225); // 特定の教科・科目に関する記載
    EXPECT_EQ(button(1072)->width(), 45);  // 建設
    EXPECT_EQ(button(kResponsibility)->width(), 60);
    std::vector<int> buttons = kCheckBoxIds;
    for (int id = kManufacturing; id <= kAllJobs; ++id)
        buttons.push_back(id);
    for (const int id : buttons)
        EXPECT_EQ(button(id)->width(), 15 * (button(id)->text().size() + 1)) << id;
}

TEST_F(StrengthsPage, CombinesTheJobTypeAndTheCheckedCategoriesWithAnd)
{
    open(categoryContent());
    click(kManufacturing);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S0, S1, S2}));
    EXPECT_EQ(countLabel(), "3 件");
    EXPECT_EQ(enabledBoxes(), (std::vector<int>{kGrades, kClub, kResponsibility, kCooperation}));
    EXPECT_EQ(hostKeyword(), kPlaceholder);

    click(kResponsibility);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S0, S1, ""}));
    EXPECT_EQ(countLabel(), "2 件");
    EXPECT_EQ(enabledBoxes(), (std::vector<int>{kGrades, kClub, kResponsibility}))
        << "the checked box stays usable, 協調性 occurs in no match";
    EXPECT_EQ(checkedJobType(), kManufacturing);

    click(kGrades);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S0, "", ""}));
    EXPECT_EQ(countLabel(), "1 件");
    EXPECT_EQ(checkedBoxes(), (std::vector<int>{kGrades, kResponsibility}));

    click(kCooperation); // disabled: nothing happens
    EXPECT_EQ(countLabel(), "1 件");
    EXPECT_FALSE(button(kCooperation)->isChecked());
}

TEST_F(StrengthsPage, CombinesCheckedCategoriesWithoutAJobTypeAndEmptiesWhenNoneIsLeft)
{
    open(categoryContent());
    click(kClub);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S1, S4, S6}));
    EXPECT_EQ(countLabel(), "3 件");
    EXPECT_EQ(enabledBoxes(), (std::vector<int>{kClub, kResponsibility, kCooperation}));

    click(kCooperation);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S6, "", ""}));
    EXPECT_EQ(countLabel(), "1 件");

    click(kCooperation);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S1, S4, S6}));

    click(kClub); // nothing chosen: nothing shown, not the whole content
    EXPECT_EQ(boxTexts(), kNoSentence);
    EXPECT_EQ(countLabel(), "0 件");
    EXPECT_EQ(enabledBoxes(), kCheckBoxIds);
    EXPECT_EQ(checkedJobType(), -1);
    EXPECT_EQ(page->matchList().matchCount, 0);
}

TEST_F(StrengthsPage, AJobTypeClickStartsAgainFromTheJobTypeAlone)
{
    open(categoryContent());
    click(kManufacturing);
    click(kResponsibility);
    click(kEngineering); // another job type drops 責任感
    EXPECT_TRUE(checkedBoxes().empty());
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S3, S4, ""}));
    EXPECT_EQ(countLabel(), "2 件");
    EXPECT_EQ(enabledBoxes(), (std::vector<int>{kClub, kResponsibility}));

    click(kClub);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S4, "", ""}));
    click(kEngineering); // the selected job type again
    EXPECT_EQ(checkedJobType(), kEngineering);
    EXPECT_TRUE(checkedBoxes().empty());
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S3, S4, ""}));
    EXPECT_EQ(countLabel(), "2 件");
}

TEST_F(StrengthsPage, UncheckingTheLastBoxShowsTheJobTypeResultAgain)
{
    open(categoryContent());
    click(kManufacturing);
    click(kResponsibility);
    click(kResponsibility);
    EXPECT_EQ(checkedJobType(), kManufacturing);
    EXPECT_TRUE(checkedBoxes().empty());
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S0, S1, S2}));
    EXPECT_EQ(countLabel(), "3 件");
    EXPECT_EQ(enabledBoxes(), (std::vector<int>{kGrades, kClub, kResponsibility, kCooperation}));
    EXPECT_EQ(hostKeyword(), kPlaceholder);
}

TEST_F(StrengthsPage, AllJobTypesIsOneJobTypeAndAnEmptyOneLeavesOnlyTheWaysOut)
{
    open(categoryContent());
    click(kAllJobs); // code 9, not every sentence
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S5, "", ""}));
    EXPECT_EQ(countLabel(), "1 件");
    EXPECT_EQ(enabledBoxes(), std::vector<int>{kSincerity});

    click(kOtherJob); // no sentence at all
    EXPECT_EQ(countLabel(), "0 件");
    EXPECT_EQ(boxTexts(), kNoSentence);
    EXPECT_TRUE(enabledBoxes().empty());
    for (int id = kManufacturing; id <= kAllJobs; ++id)
        EXPECT_TRUE(button(id)->isEnabled()) << id;
    EXPECT_TRUE(button(kClearButton)->isEnabled());

    click(kManufacturing);
    EXPECT_EQ(countLabel(), "3 件");
    EXPECT_EQ(enabledBoxes(), (std::vector<int>{kGrades, kClub, kResponsibility, kCooperation}));
}

TEST_F(StrengthsPage, KeywordAndCategoryResultsReplaceEachOther)
{
    open(categoryContent());
    click(kManufacturing);
    click(kResponsibility);

    setHostKeyword(u"\u3000部活 ");
    page->SearchKeyword(host.keywordBoxText());
    EXPECT_EQ(hostKeyword(), "部活");
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S1, S4, S6}));
    EXPECT_EQ(countLabel(), "3 件");
    EXPECT_EQ(checkedJobType(), -1);
    EXPECT_TRUE(checkedBoxes().empty());
    EXPECT_EQ(enabledBoxes(), kCheckBoxIds);
    EXPECT_TRUE(effects.messages.empty());

    page->SearchKeyword(u"責任感\u3000製造"); // both words, in any order
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S0, S1, ""}));
    EXPECT_EQ(hostKeyword(), "責任感\u3000製造");

    click(kCooperation);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S2, S6, ""}));
    EXPECT_EQ(countLabel(), "2 件");
    EXPECT_EQ(hostKeyword(), kPlaceholder);
}

TEST_F(StrengthsPage, AsksForAKeywordAndChangesNothingWhenThereIsNone)
{
    open(categoryContent());
    click(kManufacturing);
    click(kResponsibility);
    const std::vector<std::u16string> rejected = {u"", u"  \t", u"\u3000 \u3000",
                                                  u" キーワード検索\u3000"};
    expectKeywordsRefused(*page, host, effects, rejected);
    EXPECT_EQ(checkedJobType(), kManufacturing);
    EXPECT_EQ(checkedBoxes(), std::vector<int>{kResponsibility});
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S0, S1, ""}));
    EXPECT_EQ(countLabel(), "2 件");
    EXPECT_EQ(enabledBoxes(), (std::vector<int>{kGrades, kClub, kResponsibility}));
}

TEST_F(StrengthsPage, ClearButtonReturnsToTheEmptyPage)
{
    open(categoryContent());
    click(kManufacturing);
    click(kResponsibility);
    click(kClearButton);
    EXPECT_EQ(checkedJobType(), -1);
    EXPECT_TRUE(checkedBoxes().empty());
    EXPECT_EQ(enabledBoxes(), kCheckBoxIds);
    EXPECT_EQ(boxTexts(), kNoSentence);
    EXPECT_EQ(countLabel(), "0 件");

    page->SearchKeyword(u"部活");
    EXPECT_EQ(hostKeyword(), "部活");
    click(kClearButton);
    EXPECT_EQ(hostKeyword(), kPlaceholder);
    EXPECT_EQ(boxTexts(), kNoSentence);
    EXPECT_EQ(countLabel(), "0 件");
}

TEST_F(StrengthsPage, ScrollBarIsUsableExactlyWhileMoreThanThreeSentencesMatch)
{
    open(pagingContent());
    click(kOtherJob);
    EXPECT_EQ(countLabel(), "0 件");
    EXPECT_FALSE(bar()->isEnabled());
    turnWheel(box(1)->viewport(), -120);
    EXPECT_EQ(bar()->value(), 0);

    click(kManufacturing);
    EXPECT_EQ(countLabel(), "2 件");
    EXPECT_EQ(boxTexts(),
              (std::vector<std::string>{pagingSentence(0, 0), pagingSentence(0, 1), ""}));
    EXPECT_FALSE(bar()->isEnabled());

    click(kEngineering);
    EXPECT_EQ(shown(), at(1, 0));
    EXPECT_FALSE(bar()->isEnabled());
    EXPECT_EQ(bar()->maximum(), 0);

    click(kOffice);
    EXPECT_EQ(countLabel(), "4 件");
    EXPECT_EQ(shown(), at(2, 0));
    EXPECT_TRUE(bar()->isEnabled());
    EXPECT_EQ(std::pair(bar()->minimum(), bar()->maximum()), std::pair(0, 1));

    click(kSales);
    EXPECT_EQ(countLabel(), "7 件");
    EXPECT_EQ(std::pair(bar()->minimum(), bar()->maximum()), std::pair(0, 4));
    EXPECT_EQ(page->maxScrollPos, 4);

    bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    click(kManufacturing); // back to two: unusable again, from the top
    EXPECT_FALSE(bar()->isEnabled());
    EXPECT_EQ(std::pair(bar()->value(), bar()->maximum()), std::pair(0, 0));

    click(kSales);
    bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    click(kClearButton);
    EXPECT_FALSE(bar()->isEnabled());
    EXPECT_EQ(std::pair(bar()->value(), bar()->maximum()), std::pair(0, 0));
    EXPECT_EQ(countLabel(), "0 件");

    page->SearchKeyword(u"職種3"); // a keyword result pages like any other
    EXPECT_EQ(countLabel(), "7 件");
    EXPECT_TRUE(bar()->isEnabled());
    EXPECT_EQ(bar()->maximum(), 4);
}

TEST_F(StrengthsPage, LineAndPageStepsStayWithinTheMatches)
{
    open(pagingContent());
    click(kSales); // seven matches, positions 0 .. 4
    for (const int p : {3, 4, 4}) {
        bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(shown(), at(3, p));
    }
    for (const int p : {1, 0, 0}) {
        bar()->triggerAction(QAbstractSlider::SliderPageStepSub);
        EXPECT_EQ(shown(), at(3, p));
    }
    for (const int p : {1, 2, 3, 4, 4}) {
        bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(shown(), at(3, p));
    }
    for (const int p : {3, 2, 1, 0, 0}) {
        bar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        EXPECT_EQ(shown(), at(3, p));
    }
}

TEST_F(StrengthsPage, HomeEndAndTheThumbMoveTheSentencesShown)
{
    open(pagingContent());
    click(kSales);
    bar()->setFocus();
    bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QTest::keyClick(bar(), Qt::Key_Home); // one sentence up, not to the first
    EXPECT_EQ(shown(), at(3, 1));
    QTest::keyClick(bar(), Qt::Key_End);
    QTest::keyClick(bar(), Qt::Key_End);
    EXPECT_EQ(shown(), at(3, 3));
    bar()->triggerAction(QAbstractSlider::SliderToMaximum);
    bar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(shown(), at(3, 4));
    bar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(shown(), at(3, 3));

    bar()->setSliderDown(true);
    bar()->setSliderPosition(0);
    EXPECT_EQ(shown(), at(3, 0)) << "the boxes follow the thumb while it is dragged";
    bar()->setSliderPosition(2);
    EXPECT_EQ(shown(), at(3, 2));
    bar()->setSliderDown(false);
    EXPECT_EQ(shown(), at(3, 2));
}

TEST_F(StrengthsPage, EachWheelTurnMovesOneSentence)
{
    open(pagingContent());
    click(kOffice); // four matches
    turnWheel(box(1)->viewport(), -120);
    EXPECT_EQ(shown(), at(2, 1));
    EXPECT_EQ(bar()->value(), bar()->maximum());
    turnWheel(box(1)->viewport(), -120);
    EXPECT_EQ(shown(), at(2, 1));
    turnWheel(page.get(), 120);
    EXPECT_EQ(shown(), at(2, 0));

    click(kSales);
    turnWheel(box(0)->viewport(), -360); // however far the turn
    EXPECT_EQ(shown(), at(3, 1));
    turnWheel(button(kResponsibility), -120);
    EXPECT_EQ(shown(), at(3, 2));
    turnWheel(bar(), 240);
    EXPECT_EQ(shown(), at(3, 1));
}

TEST_F(StrengthsPage, BackgroundClickFocusesTheScrollBarOnlyWithMoreThanThreeMatches)
{
    open(pagingContent());
    const QPoint background(440, 600);
    ASSERT_EQ(page->childAt(background), nullptr);

    click(kGrades); // seven matches: the check box hands the focus on to the scroll bar
    EXPECT_TRUE(bar()->hasFocus());

    click(kOffice); // four matches; the radio button keeps the focus
    ASSERT_FALSE(bar()->hasFocus());
    QTest::mouseClick(page.get(), Qt::LeftButton, {}, background);
    EXPECT_TRUE(bar()->hasFocus());

    click(kEngineering); // three
    QTest::mouseClick(page.get(), Qt::LeftButton, {}, background);
    EXPECT_FALSE(bar()->hasFocus());
    EXPECT_FALSE(bar()->isEnabled());
    EXPECT_EQ(shown(), at(1, 0));
}

TEST_F(StrengthsPage, EnterEscapeAndBackspaceDoNothingOnACheckBox)
{
    open(categoryContent());
    click(kManufacturing);
    QAbstractButton* responsibility = button(kResponsibility);
    responsibility->setFocus();
    ASSERT_TRUE(responsibility->hasFocus());
    KeyPressCounter reached(responsibility);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Backspace})
        QTest::keyClick(responsibility, key);
    EXPECT_EQ(reached.count, 0) << "the page discards these keys before the check box sees them";
    EXPECT_FALSE(responsibility->isChecked());
    EXPECT_EQ(countLabel(), "3 件");
    EXPECT_EQ(checkedJobType(), kManufacturing);

    QTest::keyClick(responsibility, Qt::Key_Space); // other keys keep their standard meaning
    EXPECT_EQ(reached.count, 1);
    EXPECT_TRUE(responsibility->isChecked());
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{S0, S1, ""}));
}

TEST_F(StrengthsPage, DoubleClickSelectsTheWholeSentence)
{
    std::string first, second;
    for (int i = 0; i < 20; ++i) {
        first += "責任感を持って最後まで取り組んだ。";
        second += "周囲と協力して行事を成功させた。";
    }
    open({strengthsRecord({0}, first + "\\n" + second)});
    click(kManufacturing);
    QPlainTextEdit* sentence = box(0);
    ASSERT_GT(sentence->verticalScrollBar()->maximum(), 0) << "part of the sentence is hidden";

    QTest::mouseClick(sentence->viewport(), Qt::LeftButton);
    EXPECT_TRUE(sentence->textCursor().selectedText().isEmpty())
        << "a single click only places the caret";

    button(kManufacturing)->setFocus();
    QTest::mouseDClick(sentence->viewport(), Qt::LeftButton);
    const QString selected = sentence->textCursor().selectedText().replace(QChar(0x2029), u'\n');
    EXPECT_EQ(utf8(selected), first + "\n" + second);
    EXPECT_TRUE(sentence->hasFocus());

    QTest::keyClicks(sentence, "abc");
    EXPECT_EQ(utf8(sentence->toPlainText()), first + "\n" + second) << "the box is read-only";

    QPlainTextEdit* empty = box(1);
    QTest::mouseDClick(empty->viewport(), Qt::LeftButton);
    EXPECT_TRUE(empty->textCursor().selectedText().isEmpty());
    EXPECT_TRUE(empty->hasFocus());

    // The strip between the upper border and the first line is the box's too, not the page's.
    const QPoint strip(sentence->width() / 2, sentence->contentsRect().top() + 2);
    ASSERT_LT(strip.y(), sentence->viewport()->geometry().top());
    button(kManufacturing)->setFocus();
    QTest::mouseClick(sentence, Qt::LeftButton, {}, strip);
    EXPECT_TRUE(sentence->hasFocus()) << "a click in the strip went past the box";
    EXPECT_TRUE(sentence->textCursor().selectedText().isEmpty());
    button(kManufacturing)->setFocus();
    QTest::mouseDClick(sentence, Qt::LeftButton, {}, strip);
    EXPECT_EQ(utf8(sentence->textCursor().selectedText().replace(QChar(0x2029), u'\n')),
              first + "\n" + second);
    EXPECT_TRUE(sentence->hasFocus());
}

TEST_F(StrengthsPage, AScreenReaderHearsTheCountAndTheSentencesTheScreenShows)
{
    open(categoryContent());
    const auto accessible = [](QWidget* widget) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        return face ? std::pair{utf8(face->text(QAccessible::Name)),
                                utf8(face->text(QAccessible::Value))}
                    : std::pair{std::string("no interface"), std::string()};
    };
    QWidget* count = page->control(1035);
    EXPECT_EQ(accessible(count).first, "0 件");

    click(kManufacturing);
    ASSERT_EQ(countLabel(), "3 件");
    EXPECT_EQ(accessible(count).first, "3 件") << "the count label's name follows its text";
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(accessible(box(k)),
                  std::pair("文例 " + std::to_string(k + 1), boxTexts()[static_cast<size_t>(k)]))
            << "box " << k;
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(box(0))->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(utf8(text->text(0, text->characterCount())), S0);

    click(kClearButton);
    EXPECT_EQ(accessible(count).first, "0 件");
    EXPECT_EQ(accessible(box(0)).second, "");
    EXPECT_EQ(accessible(button(kResponsibility)).first, "責任感");
    EXPECT_EQ(accessible(bar()).first, "文例のスクロール");
}

// The outside activities page on real widgets, driven the way the teacher drives it: clicks on
// the group headers, the field buttons of the panels below them, the clear button and the
// qualification buttons, wheel turns and scroll-bar requests, mouse moves over the headers and
// the main window's keyword search over all three contents.

#include "content/Categories.h"
#include "pages/CDlgTab05.h"
#include "platform/HandCursor.h"
#include "platform/Paths.h"
#include "support/ContentFile.h"
#include "support/PageHost.h"
#include "support/PageTestHelpers.h"
#include "support/RecordingEffects.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace testing_support;

namespace {

const std::string kPlaceholder = "キーワード検索";
constexpr int kClearButton = 1001;
constexpr int kOutsideHeader = 1109, kFutureWorkHeader = 1110, kVolunteerHeader = 1111;
constexpr int kHeaderHeight = 25;

std::string sentence(const std::string& kind, int i)
{
    return kind + "の例文" + std::to_string(i);
}

// Group 11: 職業的な活動 (code 0) and その他の活動 (code 1); A2's flag string ends before code 1.
const std::string A0 = "職業体験で地域の工場に通った。";
const std::string A1 = "地域の祭りの運営を手伝った。";
const std::string A2 = "職場見学に参加した。";
// Group 12: 経済 (code 0) 10 sentences, 旅行 (1) 6, デザイン (2) 7, 医療 (3) 3, one of code 15.
const std::string F15 = "地域の美容室で働きたい。";
// Group 13: 保育 (code 0), 介護・福祉 (code 1).
const std::string V0 = "保育園で地域の子どもと遊んだ。";
const std::string V1 = "介護施設で話し相手をした。";

std::vector<Entry> contents()
{
    std::string futureWork;
    for (const auto& [kind, code, count] : std::vector<std::tuple<std::string, int, int>>{
             {"経済", 0, 10}, {"旅行", 1, 6}, {"デザイン", 2, 7}, {"医療", 3, 3}}) {
        for (int i = 0; i < count; ++i)
            futureWork += record(16, {code}, sentence(kind, i));
    }
    futureWork += record(16, {15}, F15);
    // Stored in the archive out of group order: the page's order must come from the groups.
    return {{"3 校外活動・その他 ボランティア活動.txt", record(6, {0}, V0) + record(6, {1}, V1)},
            {"3 校外活動・その他 将来の仕事.txt", futureWork},
            {"3 校外活動・その他 校外活動.txt",
             record(2, {0}, A0) + record(2, {1}, A1) + record(1, {0}, A2)}};
}

using Texts = std::vector<std::string>;
using Shown = std::pair<int, Texts>;

// The scroll position and the six sentences of one kind shown from p on, of count in all.
Shown at(const std::string& kind, int p, int count)
{
    Texts texts;
    for (int k = 0; k < 6; ++k)
        texts.push_back(p + k < count ? sentence(kind, p + k) : "");
    return {p, texts};
}

class OutsidePage : public ::testing::Test {
protected:
    void SetUp() override
    {
        use = std::make_unique<UseContentFile>(folder.writeArchive("content.zip", contents()));
        page = std::make_unique<CDlgTab05>(&host);
        ASSERT_TRUE(page->Create());
        host.show();
        QApplication::setActiveWindow(&host);
        for (const int id : {kOutsideHeader, kFutureWorkHeader, kVolunteerHeader})
            home.push_back(header(id)->pos());
    }

    QWidget* header(int id) const { return page->control(id); }
    int top(int headerId) const { return header(headerId)->y(); }
    platform::Dialog& panel(int group) const
    {
        return page->panels[static_cast<std::size_t>(group - 11)];
    }
    QRadioButton* field(int group, int id) const { return panel(group).control<QRadioButton>(id); }

    void open(int group) { QTest::mouseClick(header(kOutsideHeader + group - 11), Qt::LeftButton); }
    void choose(int group, int id) { QTest::mouseClick(field(group, id), Qt::LeftButton); }
    void click(int id) { QTest::mouseClick(page->control<QAbstractButton>(id), Qt::LeftButton); }

    QScrollBar* bar() const { return page->control<QScrollBar>(1033); }
    std::string countLabel() const { return page->control<QLabel>(1035)->text().toStdString(); }
    std::string hostKeyword() const
    {
        return QString::fromStdU16String(host.keywordBoxText()).toStdString();
    }
    Texts boxTexts() const
    {
        Texts texts;
        for (const int id : {1037, 1038, 1039, 1040, 1041, 1043})
            texts.push_back(page->control<QPlainTextEdit>(id)->toPlainText().toStdString());
        return texts;
    }
    Shown shown() const { return {bar()->value(), boxTexts()}; }

    std::vector<int> visiblePanels() const
    {
        std::vector<int> groups;
        for (int group = 11; group <= 13; ++group)
            groups.insert(groups.end(), panel(group).isVisible(), group);
        return groups;
    }
    // Every selected field button, as group * 10000 + id.
    std::vector<int> chosenFields() const
    {
        std::vector<int> chosen;
        for (int group = 11; group <= 13; ++group) {
            for (const QRadioButton* button : panel(group).radioGroup(1003)) {
                if (button->isChecked())
                    chosen.push_back(group * 10000 + panel(group).controlId(button));
            }
        }
        return chosen;
    }
    bool headersAtHome() const
    {
        return header(kOutsideHeader)->pos() == home[0] &&
               header(kFutureWorkHeader)->pos() == home[1] &&
               header(kVolunteerHeader)->pos() == home[2];
    }

    RecordingEffects effects;
    ContentFolder folder;
    std::unique_ptr<UseContentFile> use;
    PageHost host;
    std::unique_ptr<CDlgTab05> page;
    std::vector<QPoint> home; // the headers' template places, 1109, 1110, 1111
};

const Texts kNoSentence(6, "");

} // namespace

TEST_F(OutsidePage, EachHeaderOpensItsPanelAndSlidesTheFollowingHeaders)
{
    EXPECT_TRUE(visiblePanels().empty());
    EXPECT_EQ(countLabel(), "0 件");
    EXPECT_EQ(page->panels[0].height(), 30);
    EXPECT_EQ(page->panels[1].height(), 246);
    EXPECT_EQ(page->panels[2].height(), 78);

    open(11);
    EXPECT_EQ(visiblePanels(), std::vector<int>{11});
    EXPECT_EQ(top(kFutureWorkHeader), home[1].y() + 30 + 5);
    EXPECT_EQ(top(kVolunteerHeader), home[2].y() + 30 + 5);
    EXPECT_EQ(page->panels[0].pos(), QPoint(5, home[0].y() + kHeaderHeight + 10));

    open(12);
    EXPECT_EQ(visiblePanels(), std::vector<int>{12});
    EXPECT_EQ(header(kFutureWorkHeader)->pos(), home[1]);
    EXPECT_EQ(top(kVolunteerHeader), home[2].y() + 246 + 5);
    EXPECT_EQ(page->panels[1].pos(), QPoint(5, home[1].y() + kHeaderHeight + 10));

    open(13);
    EXPECT_EQ(visiblePanels(), std::vector<int>{13});
    EXPECT_TRUE(headersAtHome());
    EXPECT_EQ(page->panels[2].pos(), QPoint(5, home[2].y() + kHeaderHeight + 10));

    for (const int id : {kOutsideHeader, kFutureWorkHeader, kVolunteerHeader})
        EXPECT_TRUE(header(id)->isVisible()) << id;
}

TEST_F(OutsidePage, FieldButtonsShowWithTheirPanelAndEndAfterTheirCaptions)
{
    for (const content::CategoryBox& box : content::kFutureWorkBoxes)
        EXPECT_FALSE(field(12, box.id)->isVisibleTo(&page->panels[1])) << box.id;
    open(12);
    for (const content::CategoryBox& box : content::kFutureWorkBoxes)
        EXPECT_TRUE(field(12, box.id)->isVisible()) << box.id;
    open(11); // hidden with their panel, still shown within it
    EXPECT_FALSE(field(12, 1003)->isVisible());
    EXPECT_TRUE(field(12, 1003)->isVisibleTo(&page->panels[1]));
    EXPECT_FALSE(field(13, 1003)->isVisibleTo(&page->panels[2]));

    EXPECT_EQ(field(12, 1017)->width(), 330); // ゲーム・マルチメディア・コンピュータ・電子
    EXPECT_EQ(field(13, 1003)->width(), 45); // 保育
    const std::span<const content::CategoryBox> fields[] = {
        content::kOutsideBoxes, content::kFutureWorkBoxes, content::kVolunteerBoxes};
    for (int group = 11; group <= 13; ++group) {
        for (const content::CategoryBox& box : fields[group - 11]) {
            QRadioButton* button = field(group, box.id);
            EXPECT_EQ(button->width(), 15 * (button->text().size() + 1)) << box.id;
        }
    }
}

TEST_F(OutsidePage, OpeningAGroupWithNothingChosenLeavesTheResultOnScreen)
{
    open(13); // nothing chosen anywhere yet
    EXPECT_EQ(countLabel(), "0 件");
    EXPECT_EQ(boxTexts(), kNoSentence);

    open(11);
    choose(11, 1003); // A2's short flag string still has code 0
    EXPECT_EQ(boxTexts(), (Texts{A0, A2, "", "", "", ""}));
    choose(11, 1004); // ...but not code 1
    EXPECT_EQ(boxTexts(), (Texts{A1, "", "", "", "", ""}));
    EXPECT_EQ(countLabel(), "1 件");

    open(12);
    choose(12, 1003);
    turnWheel(page.get(), -120);
    open(13);
    EXPECT_EQ(shown(), at("経済", 1, 10));
    EXPECT_EQ(countLabel(), "10 件");
    EXPECT_EQ(bar()->maximum(), 4);
    EXPECT_EQ(chosenFields(), (std::vector<int>{111004, 121003}));
}

TEST_F(OutsidePage, AGroupResultComesBackWhereItWasScrolledToUntilAFieldIsChosen)
{
    open(12);
    choose(12, 1003);
    turnWheel(page.get(), -120);
    bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(shown(), at("経済", 3, 10));
    open(11);
    choose(11, 1003);
    EXPECT_EQ(boxTexts(), (Texts{A0, A2, "", "", "", ""}));
    open(12);
    EXPECT_EQ(shown(), at("経済", 3, 10));
    EXPECT_EQ(countLabel(), "10 件");
    EXPECT_EQ(hostKeyword(), kPlaceholder);

    choose(12, 1003); // the field already chosen starts again from its first match
    EXPECT_EQ(shown(), at("経済", 0, 10));
    bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(shown(), at("経済", 4, 10));
    choose(12, 1005); // and so does another field
    EXPECT_EQ(shown(), at("デザイン", 0, 7));
    turnWheel(page.get(), -120);
    choose(12, 1003);
    open(13);
    open(12); // the place of the field chosen last, not of the one before
    EXPECT_EQ(shown(), at("経済", 0, 10));
}

TEST_F(OutsidePage, SixMatchesFitOnOnePageAndSevenScrollByOne)
{
    open(12);
    choose(12, 1004);
    EXPECT_EQ(countLabel(), "6 件");
    EXPECT_EQ(shown(), at("旅行", 0, 6));
    EXPECT_FALSE(bar()->isEnabled());
    turnWheel(page.get(), -120);
    EXPECT_EQ(shown(), at("旅行", 0, 6));

    choose(12, 1005);
    EXPECT_EQ(countLabel(), "7 件");
    EXPECT_TRUE(bar()->isEnabled());
    EXPECT_EQ(std::pair(bar()->minimum(), bar()->maximum()), std::pair(0, 1));
    EXPECT_EQ(page->maxScrollPos, 1);
    turnWheel(page.get(), -120);
    EXPECT_EQ(shown(), at("デザイン", 1, 7));
    bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(shown(), at("デザイン", 1, 7));
    bar()->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(shown(), at("デザイン", 0, 7));
}

TEST_F(OutsidePage, KeywordSearchClearsEveryChoiceAndListsTheGroupsInOrder)
{
    open(11);
    choose(11, 1004);
    open(13);
    choose(13, 1004);
    open(12);
    choose(12, 1003);
    bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);

    host.SetDlgItemText(1121, u" 地域\u3000");
    page->SearchKeyword(host.keywordBoxText());
    EXPECT_EQ(hostKeyword(), "地域");
    EXPECT_EQ(boxTexts(), (Texts{A0, A1, F15, V0, "", ""}));
    EXPECT_EQ(countLabel(), "4 件");
    EXPECT_TRUE(chosenFields().empty());
    EXPECT_TRUE(visiblePanels().empty());
    EXPECT_TRUE(headersAtHome());
    EXPECT_FALSE(bar()->isEnabled());
    EXPECT_TRUE(effects.messages.empty());

    open(12); // its panel with nothing chosen, the keyword result stays
    EXPECT_EQ(visiblePanels(), std::vector<int>{12});
    EXPECT_TRUE(chosenFields().empty());
    EXPECT_EQ(boxTexts(), (Texts{A0, A1, F15, V0, "", ""}));
    EXPECT_EQ(countLabel(), "4 件");

    choose(12, 1003);
    turnWheel(page.get(), -120);
    page->SearchKeyword(u"経済"); // starts at the first match, not at group 12's place
    EXPECT_EQ(shown(), at("経済", 0, 10));
}

TEST_F(OutsidePage, BackgroundClickHandsTheKeysToTheScrollBarWhateverTheMatches)
{
    const QPoint background(200, 380);
    open(12);
    ASSERT_EQ(page->childAt(background), nullptr);

    choose(12, 1003);
    ASSERT_FALSE(bar()->hasFocus());
    QTest::mouseClick(page.get(), Qt::LeftButton, {}, background);
    EXPECT_TRUE(bar()->hasFocus());
    EXPECT_TRUE(bar()->isEnabled());

    choose(12, 1006); // three matches
    ASSERT_TRUE(field(12, 1006)->hasFocus());
    QTest::mouseClick(page.get(), Qt::LeftButton, {}, background);
    EXPECT_FALSE(bar()->isEnabled());
    EXPECT_EQ(std::pair(bar()->minimum(), bar()->maximum()), std::pair(0, 0));
    EXPECT_EQ(shown(), at("医療", 0, 3));
    turnWheel(page.get(), -120);
    EXPECT_EQ(shown(), at("医療", 0, 3));
    // The focus goes to the scroll bar so that the keys act on it, and a disabled bar does
    // nothing with them. A disabled bar cannot hold the focus, so here the keys must at least
    // not reach the field button any more, or the arrow key would choose the next field.
    EXPECT_NE(QApplication::focusWidget(), field(12, 1006));
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : page.get(), Qt::Key_Down);
    EXPECT_EQ(shown(), at("医療", 0, 3));
    EXPECT_EQ(chosenFields(), std::vector<int>{121006});
}

TEST_F(OutsidePage, QualificationButtonsOpenTheirListsInReadingOrder)
{
    open(13);
    choose(13, 1003);
    const std::vector<int> readingOrder = {1097, 1099, 1100, 1101, 1102, 1103, 1106, 1104};
    for (const int id : readingOrder)
        click(id);
    std::vector<std::string> lists;
    for (int n = 1; n <= 8; ++n)
        lists.push_back(platform::executableFolder() + "/PDF/license" + std::to_string(n) + ".pdf");
    EXPECT_EQ(effects.documents, lists);
    EXPECT_EQ(boxTexts(), (Texts{V0, "", "", "", "", ""})) << "the page stays as it was";
    EXPECT_EQ(visiblePanels(), std::vector<int>{13});
}

TEST_F(OutsidePage, ClearButtonEmptiesThePageAndClosesEveryGroup)
{
    for (const auto& [group, id] :
         {std::pair(11, 1004), std::pair(13, 1004), std::pair(12, 1003)}) {
        open(group);
        choose(group, id);
    }
    ASSERT_EQ(chosenFields(), (std::vector<int>{111004, 121003, 131004}));
    bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    host.SetDlgItemText(1121, u"経済");

    click(kClearButton);
    EXPECT_TRUE(chosenFields().empty());
    EXPECT_TRUE(visiblePanels().empty());
    EXPECT_TRUE(headersAtHome());
    EXPECT_EQ(header(kVolunteerHeader)->size(), header(kOutsideHeader)->size());
    EXPECT_EQ(boxTexts(), kNoSentence);
    EXPECT_EQ(countLabel(), "0 件");
    EXPECT_FALSE(bar()->isEnabled());
    EXPECT_EQ(std::pair(bar()->value(), bar()->maximum()), std::pair(0, 0));
    EXPECT_EQ(hostKeyword(), kPlaceholder);

    open(12); // nothing chosen any more: nothing to show
    EXPECT_EQ(countLabel(), "0 件");
    EXPECT_EQ(boxTexts(), kNoSentence);
}

TEST_F(OutsidePage, EnterEscapeAndBackspaceDoNothingOnAFieldButton)
{
    open(12);
    choose(12, 1003);
    bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QRadioButton* travel = field(12, 1004);
    travel->setFocus();
    ASSERT_TRUE(travel->hasFocus());
    KeyPressCounter reached(travel);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Backspace})
        QTest::keyClick(travel, key);
    EXPECT_EQ(reached.count, 0) << "discarded before the button sees them";
    EXPECT_FALSE(travel->isChecked());
    EXPECT_EQ(shown(), at("経済", 1, 10));
    EXPECT_EQ(visiblePanels(), std::vector<int>{12});

    QTest::keyClick(travel, Qt::Key_Space); // other keys keep their meaning
    EXPECT_EQ(reached.count, 1);
    EXPECT_TRUE(travel->isChecked());
    EXPECT_EQ(shown(), at("旅行", 0, 6));
}

TEST_F(OutsidePage, HandCursorShowsOverEachHeaderWhereItIsNowEdgesIncluded)
{
    // A move that a header ignores travels on to the page and the window around it; the hand
    // asked for at the header must survive that. QTest::mouseMove moves the cursor, so Qt sends
    // the move to the widget under it, as the window system would.
    const auto handAt = [this](QPoint point) {
        QTest::mouseMove(page.get(), point);
        return platform::handCursorShown();
    };
    open(11); // 1110 and 1111 pushed down
    std::vector<std::string> noHand;
    for (const int id : {kOutsideHeader, kFutureWorkHeader, kVolunteerHeader}) {
        const QRect r = header(id)->geometry();
        const int right = r.left() + r.width(), bottom = r.top() + r.height();
        for (const QPoint edge : {r.topLeft(), QPoint(right, r.top()), QPoint(r.left(), bottom),
                                  QPoint(right, bottom), r.center()}) {
            if (!handAt(edge))
                noHand.push_back(std::to_string(id) + " at " + std::to_string(edge.x()) + "," +
                                 std::to_string(edge.y()));
        }
        EXPECT_FALSE(handAt({right + 1, r.center().y()})) << id;
    }
    EXPECT_EQ(noHand, std::vector<std::string>{});
    const QPoint belowVolunteer(100, top(kVolunteerHeader) + kHeaderHeight + 1);
    EXPECT_FALSE(handAt(belowVolunteer));

    open(12); // 1111 far below; its template place now lies on the open panel
    const QPoint oldVolunteerPlace(100, home[2].y() + 10);
    ASSERT_TRUE(page->panels[1].isAncestorOf(page->childAt(oldVolunteerPlace)));
    EXPECT_FALSE(handAt(oldVolunteerPlace));
    EXPECT_TRUE(handAt({100, top(kVolunteerHeader) + kHeaderHeight}));
    EXPECT_FALSE(handAt(belowVolunteer + QPoint(0, 300)));
}

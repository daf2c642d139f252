// The in-school activities page on real widgets, driven the way the teacher drives it: clicks
// on its club check boxes, their labels, the activity radio buttons and the clear button,
// scroll-bar requests, and the main window's keyword search over all three contents.

#include "pages/CDlgTab03.h"
#include "support/ContentFile.h"
#include "support/PageHost.h"
#include "support/PageTestHelpers.h"
#include "support/RecordingEffects.h"
#include "support/WindowIds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace testing_support;

namespace {

const std::string kPlaceholder = "キーワード検索";

// The 18 club check boxes by flag position, and the controls around them.
const std::vector<int> kClubBoxes = ids::idsOf(content::kClubBoxes);
constexpr int kBrassBand = 1075, kArt = 1076, kCultureOther = 1080, kBaseball = 1081,
              kMartialArts = 1089, kSportsOther = 1090, kGoodResults = 1046, kLeader = 1047;
constexpr int kResultsLabel = 1105, kLeaderLabel = 1098, kGreyResults = 1108, kGreyLeader = 1109;
constexpr int kCultureEvents = 1091, kSportsEvents = 1092, kClassActivities = 1093,
              kSchoolActivities = 1094;
constexpr int kClearButton = 1001;
const std::vector<int> kResultBoxIds = {1037, 1038, 1039, 1040, 1041, 1043};

std::string eventRecord(std::initializer_list<int> codes, const std::string& text)
{
    return record(2, codes, text);
}
std::string clubRecord(std::initializer_list<int> codes, const std::string& text)
{
    return record(18, codes, text);
}

// School events: 0 文化的行事, 1 体育的行事. In-school: 0 in the class, 1 in the school.
const std::string E0 = "文化祭で協力してクラス展示を作り上げた。";
const std::string E1 = "体育祭で応援団長を務めた。";
const std::string E2 = "文化祭と体育祭の両方で実行委員を務めた。";
const std::string I0 = "クラスで協力して学級目標を達成した。";
const std::string I1 = "生徒会役員として学校を支えた。";
// Clubs: 0 吹奏楽, 1 美術, 5 and 15 その他, 6 野球, 16 大会好成績, 17 部長・主将等.
const std::string C0 = "吹奏楽部で大会に出場し、野球部の応援も担った。";
const std::string C1 = "吹奏楽部で協力して演奏会を成功させた。";
const std::string C2 = "吹奏楽と野球を三年間両立した。";
const std::string C3 = "野球部の主将としてチームをまとめた。";
const std::string C4 = "美術部で作品を描き続けた。";
const std::string C5 = "文芸部の部長を務め、地域の運動クラブにも通った。";
const std::string C6 = "地域の運動クラブで汗を流した。";

std::vector<Entry> choiceContents()
{
    return {{"2 校内活動 学校行事.txt",
             eventRecord({0}, E0) + eventRecord({1}, E1) + eventRecord({0, 1}, E2)},
            {"2 校内活動 校内活動.txt", eventRecord({0}, I0) + eventRecord({1}, I1)},
            {"2 校内活動 部活動.txt", clubRecord({0, 6, 16}, C0) + clubRecord({0}, C1) +
                                          clubRecord({0, 6}, C2) + clubRecord({6, 17}, C3) +
                                          clubRecord({1}, C4) + clubRecord({5, 15, 17}, C5) +
                                          clubRecord({15}, C6)}};
}

// Six 文化的行事 sentences and seven サッカー sentences (flag position 7, box 1082).
std::string pagingSentence(const std::string& kind, int i)
{
    return kind + "の例文" + std::to_string(i);
}
std::vector<Entry> pagingContents()
{
    std::string events, clubs;
    for (int i = 0; i < 6; ++i)
        events += eventRecord({0}, pagingSentence("行事", i));
    for (int i = 0; i < 7; ++i)
        clubs += clubRecord({7}, pagingSentence("サッカー", i));
    return {{"2 校内活動 学校行事.txt", events},
            {"2 校内活動 校内活動.txt", ""},
            {"2 校内活動 部活動.txt", clubs}};
}

using Texts = std::vector<std::string>;
using Ids = std::vector<int>;

class InSchoolPage : public ::testing::Test {
protected:
    void open(const std::vector<Entry>& contents)
    {
        use = std::make_unique<UseContentFile>(folder.writeArchive("content.zip", contents));
        page = std::make_unique<CDlgTab03>(&host);
        ASSERT_TRUE(page->Create());
        host.show();
        QApplication::setActiveWindow(&host);
    }

    QAbstractButton* button(int id) const { return page->control<QAbstractButton>(id); }
    QLabel* label(int id) const { return page->control<QLabel>(id); }
    void click(int id) { QTest::mouseClick(page->control(id), Qt::LeftButton); }
    QScrollBar* bar() const { return page->control<QScrollBar>(1033); }
    std::string countLabel() const { return utf8(label(1035)->text()); }
    std::string hostKeyword() const { return utf8(host.keywordBoxText()); }
    void setHostKeyword(const std::u16string& text) { host.SetDlgItemText(1121, text); }

    // All six boxes, or only the filled ones at their head.
    Texts allBoxes() const
    {
        Texts texts;
        for (const int id : kResultBoxIds)
            texts.push_back(utf8(page->control<QPlainTextEdit>(id)->toPlainText()));
        return texts;
    }
    Texts shown() const
    {
        Texts texts = allBoxes();
        while (!texts.empty() && texts.back().empty())
            texts.pop_back();
        return texts;
    }

    Ids clubBoxesWhere(bool (QAbstractButton::*test)() const) const
    {
        Ids ids;
        for (const int id : kClubBoxes) {
            if ((button(id)->*test)())
                ids.push_back(id);
        }
        return ids;
    }
    Ids enabledBoxes() const { return clubBoxesWhere(&QAbstractButton::isEnabled); }
    Ids checkedBoxes() const { return clubBoxesWhere(&QAbstractButton::isChecked); }
    Ids shownLabels() const
    {
        Ids ids;
        for (const int id : {kResultsLabel, kLeaderLabel, kGreyResults, kGreyLeader}) {
            if (!label(id)->isHidden())
                ids.push_back(id);
        }
        return ids;
    }
    int checkedActivity() const
    {
        for (int id = kCultureEvents; id <= kSchoolActivities; ++id) {
            if (button(id)->isChecked())
                return id;
        }
        return -1;
    }

    // Everything a check-box or label click can change, to compare two ways of getting there.
    auto state() const
    {
        return std::tuple(checkedBoxes(), enabledBoxes(), shownLabels(), allBoxes(), countLabel(),
                          checkedActivity());
    }
    void expectEmpty() const
    {
        EXPECT_EQ(countLabel(), "0 件");
        EXPECT_EQ(shown(), Texts{});
        EXPECT_FALSE(bar()->isEnabled());
        EXPECT_EQ(checkedActivity(), -1);
        EXPECT_EQ(checkedBoxes(), Ids{});
        EXPECT_EQ(enabledBoxes(), kClubBoxes);
        EXPECT_EQ(shownLabels(), (Ids{kResultsLabel, kLeaderLabel}));
        EXPECT_EQ(page->matchList().matchCount, 0);
    }

    RecordingEffects effects;
    ContentFolder folder;
    std::unique_ptr<UseContentFile> use;
    PageHost host;
    std::unique_ptr<CDlgTab03> page;
};

} // namespace

TEST_F(InSchoolPage, StartsEmptyWithControlsFittedToTheirCaptions)
{
    open(choiceContents());
    expectEmpty();
    EXPECT_EQ(button(kBrassBand)->width(), 150); // 吹奏楽・合唱・音楽
    EXPECT_EQ(button(kGoodResults)->width(), 15);
    EXPECT_EQ(button(kLeader)->width(), 15);
    for (int id = kCultureEvents; id <= kSchoolActivities; ++id)
        EXPECT_EQ(button(id)->width(), 15 * (button(id)->text().size() + 1)) << id;
    for (const int id : kClubBoxes)
        EXPECT_EQ(button(id)->width(), 15 * (button(id)->text().size() + 1)) << id;
    // The labels need no room for a box.
    EXPECT_EQ(label(kResultsLabel)->width(), 75);
    EXPECT_EQ(label(kGreyResults)->width(), 75);
    EXPECT_EQ(label(kLeaderLabel)->width(), 90);
    EXPECT_EQ(label(kGreyLeader)->width(), 90);
    // The boxes without a caption are known by their labels' words.
    EXPECT_EQ(utf8(button(kGoodResults)->accessibleName()), "大会好成績");
    EXPECT_EQ(utf8(button(kLeader)->accessibleName()), "部長・主将等");
}

TEST_F(InSchoolPage, ChecksAreCombinedWithAndAndUncheckingTheLastEmptiesThePage)
{
    open(choiceContents());
    click(kBrassBand);
    EXPECT_EQ(shown(), (Texts{C0, C1, C2}));
    EXPECT_EQ(countLabel(), "3 件");
    EXPECT_EQ(enabledBoxes(), (Ids{kBrassBand, kBaseball, kGoodResults}));
    EXPECT_EQ(shownLabels(), (Ids{kResultsLabel, kGreyLeader}));

    click(kBaseball);
    EXPECT_EQ(shown(), (Texts{C0, C2}));
    EXPECT_EQ(checkedBoxes(), (Ids{kBrassBand, kBaseball}));

    click(kBrassBand); // 野球 alone, filtered from the whole club content again
    EXPECT_EQ(shown(), (Texts{C0, C2, C3}));
    EXPECT_EQ(enabledBoxes(), (Ids{kBrassBand, kBaseball, kGoodResults, kLeader}));
    EXPECT_EQ(shownLabels(), (Ids{kResultsLabel, kLeaderLabel}));

    setHostKeyword(u"野球");
    click(kBaseball); // nothing chosen: nothing shown, not the whole content
    expectEmpty();
    EXPECT_EQ(hostKeyword(), kPlaceholder);
}

TEST_F(InSchoolPage, OneCheckedOtherBoxKeepsTheOtherOneUnusable)
{
    open(choiceContents());
    click(kCultureOther);
    EXPECT_EQ(shown(), Texts{C5});
    EXPECT_EQ(enabledBoxes(), (Ids{kCultureOther, kLeader}))
        << "1090 stays disabled although the match has 1 at its position";
    click(kLeader);
    EXPECT_EQ(enabledBoxes(), (Ids{kCultureOther, kLeader}));

    click(kCultureOther); // 部長・主将等 alone: the sports その他 follows the matches again
    EXPECT_EQ(shown(), (Texts{C3, C5}));
    EXPECT_EQ(enabledBoxes(), (Ids{kCultureOther, kBaseball, kSportsOther, kLeader}));

    click(kSportsOther);
    EXPECT_EQ(shown(), Texts{C5});
    EXPECT_EQ(enabledBoxes(), (Ids{kSportsOther, kLeader}));
    EXPECT_EQ(checkedBoxes(), (Ids{kSportsOther, kLeader}));
}

TEST_F(InSchoolPage, ALabelClickActsLikeAClickOnItsBox)
{
    open(choiceContents());
    const auto empty = state();
    click(kResultsLabel);
    EXPECT_EQ(checkedBoxes(), Ids{kGoodResults});
    EXPECT_EQ(shown(), Texts{C0});
    EXPECT_EQ(enabledBoxes(), (Ids{kBrassBand, kBaseball, kGoodResults}));
    EXPECT_EQ(hostKeyword(), kPlaceholder);
    const auto byLabel = state();

    click(kResultsLabel); // a second click undoes the first
    EXPECT_EQ(state(), empty);
    click(kGoodResults);
    EXPECT_EQ(state(), byLabel);
    click(kResultsLabel);
    EXPECT_EQ(state(), empty);

    click(kLeaderLabel);
    EXPECT_EQ(checkedBoxes(), Ids{kLeader});
    EXPECT_EQ(shown(), (Texts{C3, C5}));
    const auto byLeaderLabel = state();
    click(kLeader);
    EXPECT_EQ(state(), empty);
    click(kLeader);
    EXPECT_EQ(state(), byLeaderLabel);
}

TEST_F(InSchoolPage, ADisabledBoxShowsItsGreyLabelWhichIgnoresClicks)
{
    open(choiceContents());
    click(kArt);
    EXPECT_EQ(shown(), Texts{C4});
    EXPECT_EQ(enabledBoxes(), Ids{kArt});
    EXPECT_EQ(shownLabels(), (Ids{kGreyResults, kGreyLeader}));
    EXPECT_EQ(utf8(label(kGreyResults)->text()), "大会好成績");
    EXPECT_EQ(utf8(label(kGreyLeader)->text()), "部長・主将等");

    const auto before = state();
    click(kGreyResults);
    click(kGreyLeader);
    EXPECT_EQ(state(), before);

    click(kArt);
    EXPECT_EQ(shownLabels(), (Ids{kResultsLabel, kLeaderLabel}));
}

TEST_F(InSchoolPage, ActivityButtonsListTheirOwnContentAndFreeEveryClubBox)
{
    open(choiceContents());
    click(kBrassBand);
    click(kBaseball);
    click(kSportsEvents);
    EXPECT_EQ(checkedActivity(), kSportsEvents);
    EXPECT_EQ(shown(), (Texts{E1, E2})) << "C4 has 1 at the same position but is a club sentence";
    EXPECT_EQ(countLabel(), "2 件");
    EXPECT_EQ(checkedBoxes(), Ids{});
    EXPECT_EQ(enabledBoxes(), kClubBoxes);
    EXPECT_EQ(shownLabels(), (Ids{kResultsLabel, kLeaderLabel}));
    EXPECT_EQ(hostKeyword(), kPlaceholder);

    click(kSchoolActivities);
    EXPECT_EQ(shown(), Texts{I1});
    click(kCultureEvents);
    EXPECT_EQ(shown(), (Texts{E0, E2}));
    click(kClassActivities);
    EXPECT_EQ(shown(), Texts{I0});
    EXPECT_EQ(enabledBoxes(), kClubBoxes);

    click(kBaseball); // back to the club content; the activity is dropped
    EXPECT_EQ(checkedActivity(), -1);
    EXPECT_EQ(shown(), (Texts{C0, C2, C3}));
    EXPECT_EQ(enabledBoxes(), (Ids{kBrassBand, kBaseball, kGoodResults, kLeader}));
}

TEST_F(InSchoolPage, AKeywordSearchesAllThreeContentsInTheirOrderAndDropsEveryChoice)
{
    open(choiceContents());
    click(kBrassBand);
    click(kBaseball);
    page->SearchKeyword(u"\u3000協力 ");
    EXPECT_EQ(shown(), (Texts{E0, I0, C1}));
    EXPECT_EQ(countLabel(), "3 件");
    EXPECT_EQ(hostKeyword(), "協力");
    EXPECT_EQ(checkedBoxes(), Ids{});
    EXPECT_EQ(enabledBoxes(), kClubBoxes);
    EXPECT_EQ(shownLabels(), (Ids{kResultsLabel, kLeaderLabel}));
    EXPECT_TRUE(effects.messages.empty());

    click(kSportsEvents);
    page->SearchKeyword(u"務め");
    EXPECT_EQ(checkedActivity(), -1);
    EXPECT_EQ(shown(), (Texts{E1, E2, C5}));

    click(kClearButton);
    expectEmpty();
    EXPECT_EQ(hostKeyword(), kPlaceholder);
}

TEST_F(InSchoolPage, AsksForAKeywordAndChangesNothingWhenThereIsNone)
{
    open(choiceContents());
    click(kBrassBand);
    click(kBaseball);
    const auto before = state();
    const std::vector<std::u16string> rejected = {u"\u3000キーワード検索 ", u"", u" \u3000\t"};
    expectKeywordsRefused(*page, host, effects, rejected);
    EXPECT_EQ(state(), before);
}

TEST_F(InSchoolPage, ClearButtonLeavesEveryStateForTheEmptyPage)
{
    open(choiceContents());
    click(kMartialArts); // no club sentence at all: every box unusable, the checked one too
    EXPECT_EQ(countLabel(), "0 件");
    EXPECT_EQ(enabledBoxes(), Ids{});
    EXPECT_EQ(checkedBoxes(), Ids{kMartialArts});
    EXPECT_TRUE(button(kClearButton)->isEnabled());
    click(kClearButton);
    expectEmpty();

    click(kArt);
    click(kClearButton);
    expectEmpty();

    click(kCultureEvents);
    setHostKeyword(u"文化祭");
    click(kClearButton);
    expectEmpty();
    EXPECT_EQ(hostKeyword(), kPlaceholder);
}

TEST_F(InSchoolPage, ScrollBarIsUsableExactlyWhileMoreThanSixSentencesMatch)
{
    open(pagingContents());
    const QPoint background(440, 600);
    ASSERT_EQ(page->childAt(background), nullptr);
    const auto sentences = [](const std::string& kind, int from, int to) {
        Texts texts;
        for (int i = from; i <= to; ++i)
            texts.push_back(pagingSentence(kind, i));
        return texts;
    };

    click(1082); // seven サッカー sentences
    EXPECT_EQ(countLabel(), "7 件");
    EXPECT_TRUE(bar()->isEnabled());
    EXPECT_EQ(std::pair(bar()->minimum(), bar()->maximum()), std::pair(0, 1));
    EXPECT_EQ(allBoxes(), sentences("サッカー", 0, 5));
    bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bar()->value(), 1);
    EXPECT_EQ(allBoxes(), sentences("サッカー", 1, 6));
    bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(allBoxes(), sentences("サッカー", 1, 6));
    bar()->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(allBoxes(), sentences("サッカー", 0, 5));
    button(kClearButton)->setFocus();
    ASSERT_FALSE(bar()->hasFocus());
    QTest::mouseClick(page.get(), Qt::LeftButton, {}, background);
    EXPECT_TRUE(bar()->hasFocus()) << "a background click hands the focus to the scroll bar";

    click(kCultureEvents); // exactly six: all boxes filled, nothing to page through
    EXPECT_EQ(countLabel(), "6 件");
    EXPECT_EQ(allBoxes(), sentences("行事", 0, 5));
    EXPECT_FALSE(bar()->isEnabled());
    EXPECT_EQ(std::pair(bar()->value(), bar()->maximum()), std::pair(0, 0));
    QTest::mouseClick(page.get(), Qt::LeftButton, {}, background);
    EXPECT_FALSE(bar()->isEnabled());
    EXPECT_EQ(allBoxes(), sentences("行事", 0, 5));
}

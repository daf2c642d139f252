// The rules a content editor may hold a content to beyond its format: one table of cases per
// rule, each a sentence that must pass beside the faults the rule is there to catch.

#include "pack/ContentCheck.h"
#include "pack/Coverage.h"
#include "pack/JobWords.h"
#include "pack/NearDuplicates.h"

#include "content/ContentNames.h"
#include "content/RecordFormat.h"
#include "content/Utf8.h"

#include <gtest/gtest.h>

namespace {

using content::kClubContent;
using content::kStrengthsContent;

// A flag string of the strengths content with the given positions set.
std::u16string strengths(std::initializer_list<std::size_t> positions)
{
    std::u16string flags(27, u'0');
    for (std::size_t p : positions)
        flags[p] = u'1';
    return flags;
}

const std::initializer_list<std::size_t> kEveryJob = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

std::string joined(const std::vector<std::string>& problems)
{
    std::string all;
    for (const std::string& problem : problems)
        all += problem + "\n";
    return all;
}

} // namespace

TEST(MarkRule, RefusesEverySlotButTheTwoMarksAndArabicNumerals)
{
    struct Case {
        std::u16string sentence;
        std::size_t problems;
        std::string says; // part of the first problem
    };
    const Case cases[] = {
        {u"〇〇大会でベスト△に進み、日商簿記検定△級と評定平均値△.△を得た。", 0, ""},
        {u"三年間、二十人の部員をまとめた。", 0, ""},
        {u"〇大会に出場した。", 1, "exactly two 〇"},
        {u"〇〇〇大会に出場した。", 1, "exactly two 〇"},
        {u"二〇二四年に出場した。", 1, "十, 二十"},
        {u"ベスト△△に進んだ。", 1, "a single △"},
        {u"○○大会に出場した。", 1, "U+25CB"},
        {u"◯◯大会に出場した。", 1, "U+25EF"},
        {u"××大会に出場した。", 1, "not a mark"},
        {u"□□検定に合格した。", 1, "a square"},
        {u"＿＿の資格を得た。", 1, "underscore"},
        {u"【大会名】で優勝した。", 2, "lenticular"},
        {u"ベスト8に進んだ。", 1, "Arabic numerals \"8\""},
        {u"県大会で１２位となり、3級に合格した。", 2, "Arabic numerals \"１２\""},
        {u"縦三×横四の表を作った。", 0, ""}, // a single × is a times sign
    };
    for (const Case& c : cases) {
        const std::vector<std::string> problems = pack::markProblems(c.sentence);
        EXPECT_EQ(problems.size(), c.problems) << content::toUtf8(c.sentence) << "\n"
                                               << joined(problems);
        if (!problems.empty()) {
            EXPECT_NE(problems[0].find(c.says), std::string::npos) << problems[0];
        }
    }
}

TEST(TaggingRule, AsksForTheTagsTheWordsCallForAndNothingElse)
{
    struct Case {
        std::string_view content;
        std::u16string flags;
        std::u16string sentence;
        std::string says; // empty when the sentence is right
    };
    const Case cases[] = {
        // Sports clubs.
        {kStrengthsContent, strengths({0, 14, 17, 21}), u"野球部で三年間練習を続けた。", ""},
        {kStrengthsContent, strengths({7, 14, 22}), u"ソフトテニス部の朝練習に通った。",
         "テニス部, a sports club"},
        {kStrengthsContent, strengths({7, 17, 22}), u"サッカー部の朝練習に通った。",
         "サッカー部, a sports club"},
        {kStrengthsContent, strengths({2, 14, 20}), u"吹奏楽部で野球部の応援演奏を担当した。", ""},
        // Words for any workplace, and 全ての職種 with every job type.
        {kStrengthsContent, strengths(kEveryJob), u"この誠実さは、どの職場でも信頼される。", ""},
        {kStrengthsContent, strengths({0, 4}), u"どのような職場でも信頼されるであろう。",
         "\"どのような職場\""},
        {kStrengthsContent, strengths({8}), u"職種を問わず評価される。", "\"職種を問わず\""},
        {kStrengthsContent, strengths({5}), u"介護施設などの職場で生かされるであろう。", ""},
        {kStrengthsContent, strengths({1, 9}), u"丁寧な仕事ぶりが評価されている。",
         "not the job types 0, 2, 3, 4, 5, 6, 7, 8"},
        // Class representatives and class duties.
        {kStrengthsContent, strengths({2, 16, 19}), u"学級委員として連絡を確実に伝えた。", ""},
        {kStrengthsContent, strengths(kEveryJob), u"学級委員長として話し合いを進めた。",
         "names 学級委員"},
        {kStrengthsContent, strengths({2, 19}), u"学級の会計係として集金を管理した。",
         "names a class duty"},
        {kStrengthsContent, strengths({3, 19}), u"クラスの〇〇係を三年間務めた。",
         "names a class duty"},
        {kStrengthsContent, strengths({3, 20}), u"クラスの人間関係を大切にしている。", ""},
        {kStrengthsContent, strengths({4, 18, 25}), u"文化祭ではクラスの接客係を務めた。", ""},
        // Captains in the club content, both ways.
        {kClubContent, u"000000100000000001", u"野球部の主将としてチームをまとめた。", ""},
        {kClubContent, u"000000000000010001", u"陸上競技部の副部長を務めた。", ""},
        {kClubContent, u"100000000000000000", u"吹奏楽部の部長として練習を計画した。",
         "flag 部長・主将等 (17)"},
        {kClubContent, u"100000000000000001", u"吹奏楽部で後輩の指導に当たった。",
         "names no 部長 or 主将"},
        // Other contents have no word rules.
        {content::kVolunteerContent, u"100000", u"野球部の仲間と清掃に参加した。", ""},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> problems =
            pack::taggingProblems(c.content, c.flags, c.sentence);
        const std::string sentence = content::toUtf8(c.sentence);
        if (c.says.empty()) {
            EXPECT_TRUE(problems.empty()) << sentence << "\n" << joined(problems);
        } else {
            ASSERT_EQ(problems.size(), 1u) << sentence << "\n" << joined(problems);
            EXPECT_NE(problems[0].find(c.says), std::string::npos) << sentence << "\n"
                                                                   << problems[0];
        }
    }
}

TEST(JobWordRule, RefusesASentenceForOneJobTypeThatNamesNothingOfIt)
{
    std::vector<content::ListProblem> listProblems;
    const pack::JobWords words =
        pack::JobWords::parse("# notes\n製造\t工場 旋盤\n技術\t電気\n事務\t帳簿\n販売・営業\t店\n"
                              "サービス\tホテル\n介護・福祉\t介護\n建設\t建築\n運送\t物流\n"
                              "その他\t農業\n",
                              listProblems);
    ASSERT_TRUE(listProblems.empty()) << listProblems.front().what;
    struct Case {
        std::u16string flags;
        std::u16string sentence;
        std::string says; // empty when the sentence may stand so
    };
    const Case cases[] = {
        {strengths({0, 19}), u"食品工場のアルバイトで出荷前の数量確認を任された。", ""},
        {strengths({8, 21}), u"農業科の実習で野菜の栽培に取り組んだ。", ""},
        {strengths({0, 19}), u"部活動で用具係を務め、点検を欠かさなかった。",
         "only the job type 製造 (0) but names nothing of it"},
        // A word of another job type names nothing of this one.
        {strengths({0, 19}), u"電気工事の実習で安全確認を徹底した。", "製造 (0)"},
        // Written for two job types, for any workplace, or for none: not this rule's to judge.
        {strengths({0, 1, 19}), u"部活動で用具係を務めた。", ""},
        {strengths(kEveryJob), u"部活動で用具係を務めた。", ""},
        {strengths({14, 19}), u"部活動で用具係を務めた。", ""},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> problems = pack::jobWordProblems(c.flags, c.sentence, words);
        const std::string sentence = content::toUtf8(c.sentence);
        if (c.says.empty()) {
            EXPECT_TRUE(problems.empty()) << sentence << "\n" << joined(problems);
        } else {
            ASSERT_EQ(problems.size(), 1u) << sentence;
            EXPECT_NE(problems[0].find(c.says), std::string::npos) << problems[0];
        }
    }

    // A list that would refuse every sentence of a job type, or cannot be read as meant.
    listProblems.clear();
    pack::JobWords::parse("製造\t工場\n営業\t店\n製造\t機械\n技術\n", listProblems);
    const std::string said = [&] {
        std::string all;
        for (const content::ListProblem& problem : listProblems)
            all += std::to_string(problem.line) + ": " + problem.what + "\n";
        return all;
    }();
    EXPECT_EQ(listProblems.size(), 3u + 8u) << said;
    EXPECT_NE(said.find("2: \"営業\" is no job type"), std::string::npos) << said;
    EXPECT_NE(said.find("3: \"製造\" is listed twice"), std::string::npos) << said;
    EXPECT_NE(said.find("4: no TAB"), std::string::npos) << said;
    EXPECT_NE(said.find("0: no line for the job type \"その他\""), std::string::npos) << said;
}

TEST(OfficialNameRule, RefusesShortNamesAndLetsOfficialNamesThatHoldThemPass)
{
    std::vector<content::ListProblem> listProblems;
    const pack::OfficialNames names = pack::OfficialNames::parse(
        "英検\t実用英語技能検定\n英語検定\t実用英語技能検定\n!英語検定試験\t全商の検定の正式名称\n"
        "日商簿記\t日本商工会議所簿記検定試験\n",
        listProblems);
    ASSERT_TRUE(listProblems.empty());
    struct Case {
        std::u16string sentence;
        std::size_t problems;
        std::string says; // part of the first problem
    };
    const Case cases[] = {
        {u"実用英語技能検定△級と日本商工会議所簿記検定試験△級に合格した。", 0, ""},
        {u"英語検定試験△級に合格した。", 0, ""},
        {u"英検△級に合格した。", 1,
         "\"英検\" is a short name: the qualification lists write 実用英語技能検定"},
        {u"日商簿記検定△級と英語検定△級に合格した。", 2, "\"日商簿記\""},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> problems = pack::shortNameProblems(c.sentence, names);
        EXPECT_EQ(problems.size(), c.problems) << content::toUtf8(c.sentence) << "\n"
                                               << joined(problems);
        if (!problems.empty()) {
            EXPECT_NE(problems[0].find(c.says), std::string::npos) << problems[0];
        }
    }
}

TEST(NearDuplicateRule, FindsARepeatedOrSwappedSentenceAtItsLaterLine)
{
    const std::u16string base =
        u"野球部で三年間、練習の準備と後片付けを誰よりも早く引き受け、仲間から厚い信頼を得た。";
    struct Case {
        std::u16string later;
        std::string says; // empty when the two are different sentences
    };
    const Case cases[] = {
        {base, "the same sentence as line 3"},
        {u"バスケットボール部で三年間、練習の準備と後片付けを誰よりも早く引き受け、仲間から厚い信頼"
         u"を得た。",
         "only \"バスケットボール\" stands where it has \"野球\""},
        {u"野球部で三年間、練習の準備と後片付けを誰よりも早く引き受け、部員から厚い信頼を得た。",
         "only \"部員\" stands where it has \"仲間\""},
        {u"野球部で三年間、練習の準備と後片付けを誰よりも早く引き受けた。", ""}, // a clause less
        {u"野球部で三年間、練習の準備を誰よりも早く引き受け、後輩の手本となってきた。", ""},
        {u"卓球部で三年間、練習の準備と後片付けを誰よりも早く引き受け、後輩からも慕われた。", ""},
    };
    for (const Case& c : cases) {
        const std::vector<pack::Problem> problems =
            pack::nearDuplicateProblems({{3, base}, {7, u"短い文。"}, {9, c.later}});
        if (c.says.empty()) {
            EXPECT_TRUE(problems.empty()) << content::toUtf8(c.later) << "\n"
                                          << problems.front().what;
        } else {
            ASSERT_EQ(problems.size(), 1u) << content::toUtf8(c.later);
            EXPECT_EQ(problems[0].line, 9u);
            EXPECT_NE(problems[0].what.find(c.says), std::string::npos) << problems[0].what;
        }
    }
}

TEST(NearDuplicateRule, NamesTheEarliestOfManyCopiesOnceForEachLaterLine)
{
    // The same sentence about five clubs: each later one is reported once, against the first.
    const std::u16string clubs[] = {u"野球", u"サッカー", u"卓球", u"剣道", u"柔道"};
    std::vector<pack::duplicates::Sentence> sentences;
    for (std::size_t i = 0; i < 5; ++i)
        sentences.push_back({i + 1, clubs[i] + u"部で三年間、練習の準備と後片付けを誰よりも早く"
                                               u"引き受け、仲間から厚い信頼を得た。"});
    const std::vector<pack::Problem> problems = pack::nearDuplicateProblems(sentences);
    ASSERT_EQ(problems.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(problems[i].line, i + 2);
        EXPECT_NE(problems[i].what.find("line 1:"), std::string::npos) << problems[i].what;
    }
}

TEST(ContentRules, AreCheckedOnlyWhenAskedAndReportedAtTheirLines)
{
    const std::string data = "000000100000000000\t野球部の主将として、ベスト8に進んだ。\n";
    EXPECT_TRUE(pack::checkContent(kClubContent, data).problems.empty());
    pack::ContentRules rules;
    rules.marks = true;
    rules.tagging = true;
    const pack::ContentSummary summary = pack::checkContent(kClubContent, data, nullptr, rules);
    ASSERT_EQ(summary.problems.size(), 2u);
    EXPECT_EQ(summary.problems[0].line, 1u);
    EXPECT_EQ(summary.problems[1].line, 1u);
}

namespace {

std::uint32_t positions(std::initializer_list<std::size_t> set)
{
    std::uint32_t bits = 0;
    for (std::size_t p : set)
        bits |= std::uint32_t{1} << p;
    return bits;
}

std::vector<std::uint32_t> repeated(std::size_t n, std::uint32_t set)
{
    return std::vector<std::uint32_t>(n, set);
}

std::vector<std::uint32_t> operator+(std::vector<std::uint32_t> a,
                                     const std::vector<std::uint32_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Eight sentences for each club: two with a good result, two by a captain, one with both.
std::vector<std::uint32_t> everyClubCovered(std::size_t thinClub)
{
    std::vector<std::uint32_t> sets;
    for (std::size_t c = 0; c < 16; ++c) {
        const bool thin = c == thinClub;
        sets = sets + repeated(4, positions({c})) + repeated(2, positions({c, 16})) +
               repeated(thin ? 2 : 1, positions({c, 17})) +
               repeated(thin ? 0 : 1, positions({c, 16, 17}));
    }
    return sets;
}

} // namespace

TEST(CoverageRule, NamesEveryCombinationThatFindsTooFewSentences)
{
    const std::uint32_t everything = (std::uint32_t{1} << 27) - 1;
    const std::uint32_t allButDrive = everything & ~positions({23}); // 向上心
    const std::uint32_t generalOnly = everything & ~positions({0, 1, 2, 3, 4, 5, 6, 7, 8});
    struct Case {
        std::string_view content;
        std::vector<std::uint32_t> flagSets;
        std::size_t shortfalls;
        std::string says; // part of one of them
    };
    const Case cases[] = {
        {content::kStrengthsContent, repeated(1000, everything), 0, ""},
        {content::kStrengthsContent, repeated(999, everything), 1, "999 sentences in all"},
        // 向上心 on two sentences only: its position, its pairs and its job types fall short;
        // two is enough for an activity.
        {content::kStrengthsContent, repeated(998, allButDrive) + repeated(2, everything), 17,
         "責任感 + 向上心 finds 2 sentences; at least 3 wanted"},
        // 全ての職種 alone finds nothing for a teacher who picks a job type.
        {content::kStrengthsContent, repeated(1000, generalOnly), 9 + 72, "製造 + 誠実さ finds 0"},
        {content::kClubContent, everyClubCovered(99), 0, ""},
        {content::kClubContent, everyClubCovered(11), 1,
         "卓球 + 大会好成績 + 部長・主将等 finds 0 sentences; at least 1 wanted"},
        {content::kVolunteerContent,
         repeated(8, positions({0, 1, 2, 3, 5})) + repeated(7, positions({4})), 1,
         "自然保護 finds 7 sentences; at least 8 wanted"},
        {content::kSchoolEventsContent, repeated(15, positions({0, 1})), 0, ""},
        {content::kOutsideContent, repeated(30, positions({0})), 1, "その他の活動 finds 0"},
    };
    for (const Case& c : cases) {
        pack::ContentSummary summary;
        summary.name = c.content;
        summary.flagSets = c.flagSets;
        summary.records = c.flagSets.size();
        const std::vector<std::string> shortfalls = pack::coverageShortfalls(summary);
        EXPECT_EQ(shortfalls.size(), c.shortfalls) << c.content << "\n" << joined(shortfalls);
        if (!c.says.empty()) {
            EXPECT_NE(joined(shortfalls).find(c.says), std::string::npos) << c.content << "\n"
                                                                          << joined(shortfalls);
        }
    }
    EXPECT_NE(pack::totalShortfall(1799), "");
    EXPECT_EQ(pack::totalShortfall(1800), "");
}

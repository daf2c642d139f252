// The list of words a school report must not carry: how it is read, how its words are found,
// and that the project's own list rejects what it should without rejecting ordinary remarks.

#include "content/Utf8.h"
#include "pack/ContentCheck.h"
#include "support/ContentFile.h"

#include <gtest/gtest.h>

using pack::ForbiddenWords;

namespace {

ForbiddenWords parsed(std::string_view list)
{
    std::vector<pack::Problem> problems;
    ForbiddenWords words = ForbiddenWords::parse(list, problems);
    EXPECT_TRUE(problems.empty()) << problems.front().line << ": " << problems.front().what;
    return words;
}

std::vector<std::string> wordsFound(const ForbiddenWords& words, std::u16string_view text)
{
    std::vector<std::string> found;
    for (const ForbiddenWords::Hit& hit : words.find(text))
        found.push_back(hit.word);
    return found;
}

const ForbiddenWords& projectList()
{
    static const ForbiddenWords words = parsed(testing_support::readBytes(FORBIDDEN_WORDS));
    return words;
}

} // namespace

TEST(ForbiddenWords, ReadsEntriesAndSkipsNotesBlankLinesAndLineEnds)
{
    const ForbiddenWords words =
        parsed("\xEF\xBB\xBF# a note\r\n\r\n家族\tfamily\r\n!父母会\tthe school's association\n");
    EXPECT_EQ(words.size(), 2u);
    const std::vector<ForbiddenWords::Hit> hits = words.find(u"家族の話");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].word, "家族");
    EXPECT_EQ(hits[0].reason, "family"); // the CR of the line end is not part of the reason
    // Where each word stands, in code units, is what the draft underlines.
    const std::vector<ForbiddenWords::Hit> placed = words.find(u"父母会と😀家族");
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].position, 6u); // the emoji takes two
    EXPECT_EQ(placed[0].length, 2u);
}

TEST(ForbiddenWords, ReportsEveryUnusableLineWithItsNumberAndKeepsTheRest)
{
    std::vector<pack::Problem> problems;
    const ForbiddenWords words = ForbiddenWords::parse(
        "家族\tok\nno tab\n\treason\n!\treason\n病気\t\na\\b\tbackslash\n\xFF\tbad\n家族\tagain\n"
        "身長\tok\n",
        problems);
    ASSERT_EQ(problems.size(), 7u);
    const std::size_t lines[] = {2, 3, 4, 5, 6, 7, 8};
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_EQ(problems[i].line, lines[i]) << problems[i].what;
    EXPECT_NE(problems[0].what.find("no TAB"), std::string::npos);
    EXPECT_NE(problems[3].what.find("no reason"), std::string::npos);
    EXPECT_NE(problems[6].what.find("\"家族\" is listed twice"), std::string::npos);
    EXPECT_EQ(words.size(), 2u);
}

TEST(ForbiddenWords, AnAllowedLongerWordHidesTheForbiddenWordInsideIt)
{
    const ForbiddenWords words =
        parsed("父\tparent\n母\tparent\n!父母会\tassociation\n!酵母\tyeast\n!母校\tschool\n");
    EXPECT_EQ(wordsFound(words, u"父母会の行事で母校を訪ね、酵母を使ったパンを焼いた。"),
              std::vector<std::string>{});
    // Outside the allowed words each occurrence counts, in text order.
    EXPECT_EQ(wordsFound(words, u"祖父母と父母会へ行き、母と酵母を買った。"),
              (std::vector<std::string>{"父", "母", "母"}));
}

TEST(ForbiddenWords, TheLongestForbiddenWordAtAPlaceIsReportedOnce)
{
    const ForbiddenWords words = parsed("母\tparent\n母子家庭\thome circumstances\n");
    const std::vector<ForbiddenWords::Hit> hits = words.find(u"母子家庭で育った");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].word, "母子家庭");
    EXPECT_EQ(hits[0].reason, "home circumstances");
}

TEST(ForbiddenWords, ChecksTheDecodedSentenceOfEachLine)
{
    const ForbiddenWords words = parsed("家族\tfamily\n");
    const pack::ContentSummary summary = pack::checkContent(
        "2 校内活動 学校行事.txt",
        "10\t級友と協力した。\n01\t家族で出かけた。\n10\t実行委員を務めた。\n", &words);
    ASSERT_EQ(summary.problems.size(), 1u);
    EXPECT_EQ(summary.problems[0].line, 2u);
    EXPECT_EQ(summary.problems[0].what, "forbidden word \"家族\": family");
    EXPECT_EQ(summary.records, 3u); // a hit is a problem of its line; the counts still hold
}

TEST(ForbiddenWords, FindsAWordFoldedAndByItsReadingWhereTheTextWritesItAsAWord)
{
    // As the packer stores the list: the reading a third field.
    const ForbiddenWords words =
        parsed("両親\tparents\tりょうしん\n本籍\tdomicile\tほんせき\n兄\tbrother\tあに\n"
               "離婚\tdivorce\tりこん\n");
    // clang-format off
    const struct {
        const char16_t* text;
        std::vector<std::string> found;
    } cases[] = {
        {u"両親と話した。",             {"両親"}},
        {u"りょうしんと話した。",       {"両親"}},   // the reading, in hiragana
        {u"ホンセキを書く欄",           {"本籍"}},   // in katakana
        {u"ＨＯＮ本籍",                 {"本籍"}},   // full-width letters before it change nothing
        {u"アニメ研究部",               {}},         // a reading of two kana is not looked for
        {u"ものづくりコンテスト",       {}},         // りこん across a change of script
        {u"さりこんだ",                 {}},         // りこん inside a run of hiragana
    };
    // clang-format on
    for (const auto& each : cases) {
        SCOPED_TRACE(content::toUtf8(each.text));
        EXPECT_EQ(wordsFound(words, each.text), each.found);
    }
}

// The project's list, as the build passes it to the packer.

TEST(ProjectForbiddenWords, RejectsWhatASchoolReportMustNotSay)
{
    // clang-format off
    const std::u16string remarks[] = {
        u"家族の支えを受けて努力した。", u"両親の期待に応えようとした。",
        u"祖母の介護を手伝ってきた。",   u"母子家庭で育ちながら努力した。",
        u"家業の手伝いを続けた。",       u"弟の面倒をよく見ている。",
        u"姉妹で同じ部に所属した。",     u"出身地の祭りに参加した。",
        u"本籍地は県外である。",         u"信仰を大切にしている。",
        u"支持政党について語った。",     u"持病を抱えながら登校した。",
        u"病気がちであったが努力した。", u"入院のため欠席が多かった。",
        u"障害を乗り越えて努力した。",   u"身長を生かして活躍した。",
        u"体格に恵まれている。",         u"家庭環境が厳しい中で努力した。",
        u"神社の祭礼に参加した。",       u"夏祭りでみこしを担いだ。",
        u"尊敬する人は恩師である。",     u"愛読している作家がいる。",
        u"おばあちゃんの世話をした。",   u"喘息のため欠席があった。",
        u"男らしく堂々と発表した。",     u"奨学金を受けて通学した。",
        u"女性ならではの細やかな気配りができる。", u"背が高くバレーボールで活躍した。",
        u"自宅で勉強を続けた。",
    };
    // clang-format on
    for (const std::u16string& remark : remarks)
        EXPECT_FALSE(projectList().find(remark).empty()) << content::toUtf8(remark) << " passes";
}

TEST(ProjectForbiddenWords, LetsOrdinaryRemarksPass)
{
    // Words that stand close to forbidden ones but belong to school, work and study; the
    // remarks about work in medicine speak of hospitals and patients.
    // clang-format off
    const std::u16string remarks[] = {
        u"家庭科の調理実習で手際よく作業した。",   u"家庭クラブの活動に参加した。",
        u"父母会主催のバザーを手伝った。",         u"母校の中学校で後輩に話をした。",
        u"姉妹校との交流会で司会を務めた。",       u"姉妹都市の生徒を案内した。",
        u"酵母の働きを調べてパンを焼いた。",       u"分母をそろえて計算する。",
        u"英語の母音を正しく発音する。",           u"職人に弟子入りしたいと考えている。",
        u"体育祭の障害物競走で一位になった。",     u"病院で働く看護師を目指している。",
        u"入院患者の食事を支える仕事に就きたい。", u"医療事務の検定に合格した。",
        u"健康・スポーツの分野に関心がある。",     u"体力と体調管理には自信がある。",
        u"政治・経済の授業で地方自治を学んだ。",   u"情報の発信者としての責任を学んだ。",
        u"多国籍料理の店で調理を学びたい。",       u"地域の清掃活動に参加した。",
        u"将来の人生計画を具体的に立てた。",       u"帰化植物の分布を調べて発表した。",
        u"製品のデモンストレーションをした。",     u"盛り付けの見た目にもこだわる。",
        u"海外での滞在日数を記録した。",           u"女子バレーボール部で練習に励んだ。",
        u"工業団地の工場で就業体験をした。",       u"食物アレルギーへの配慮を学んだ。",
        u"自宅学習を毎日続けた。",                 u"視聴覚室で発表の準備をした。",
    };
    // clang-format on
    for (const std::u16string& remark : remarks) {
        const std::vector<ForbiddenWords::Hit> hits = projectList().find(remark);
        EXPECT_TRUE(hits.empty()) << content::toUtf8(remark) << " is rejected for "
                                  << hits.front().word;
    }
}

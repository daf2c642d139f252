#pragma once
// How many sentences each combination of boxes finds, counted as the pages count: a sentence
// matches a set of boxes when it has "1" at every chosen position (so the general sentences of
// the strengths content, which carry every job type, count for each). A teacher who ticks a
// combination that finds one or two sentences has no choice; the floors here are what the
// sample content promises, and the table shows a content editor where a content is thin.

#include "ContentCheck.h"

#include "content/ContentNames.h"

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace pack {

namespace coverage {

inline constexpr std::size_t kSampleSentences = 1800; // all seven contents together

// The strengths content: job types 0-8 (9 is 全ての職種), activities 10-18, qualities 19-26.
inline constexpr std::string_view kJobs[] = {"製造",       "技術", "事務", "販売・営業", "サービス",
                                             "介護・福祉", "建設", "運送", "その他"};
inline constexpr std::size_t kFirstActivity = 10;
inline constexpr std::string_view kActivities[] = {
    "成績優秀",         "特定の教科・科目", "資格・免許",   "アルバイト", "部活動",
    "ボランティア活動", "委員会・特別活動", "スポーツ活動", "学校行事"};
inline constexpr std::size_t kFirstQuality = 19;
inline constexpr std::string_view kQualities[] = {
    "責任感", "協調性", "根気強さ", "基本的生活習慣", "向上心", "勤労意欲", "積極さ", "誠実さ"};
inline constexpr std::size_t kStrengthsPositions = 27;
inline constexpr std::size_t kQualityPairFloor = 3;
inline constexpr std::size_t kActivityQualityFloor = 2;
inline constexpr std::size_t kJobQualityFloor = 4;
inline constexpr std::size_t kStrengthsPositionFloor = 15;
inline constexpr std::size_t kStrengthsSentences = 1000;

// The club content: a box per club (0-15), then 大会好成績 (16) and 部長・主将等 (17).
inline constexpr std::string_view kClubs[] = {"吹奏楽・合唱・音楽",
                                              "美術・芸術",
                                              "演劇",
                                              "書道",
                                              "写真",
                                              "文化その他",
                                              "野球",
                                              "サッカー",
                                              "バスケットボール",
                                              "テニス",
                                              "バレーボール",
                                              "卓球",
                                              "バドミントン",
                                              "陸上",
                                              "武道",
                                              "運動その他"};
inline constexpr std::size_t kResult = 16;
inline constexpr std::size_t kCaptain = 17;
inline constexpr std::size_t kClubFloor = 8;
inline constexpr std::size_t kClubDistinctionFloor = 2;
inline constexpr std::size_t kClubBothFloor = 1;

// The contents whose page picks one position with a radio group, each position with its floor.
struct RadioContent {
    std::string_view name;
    std::vector<std::string_view> positions;
    std::size_t floor;
};

inline const std::vector<RadioContent>& radioContents()
{
    static const std::vector<RadioContent> contents = {
        {content::kSchoolEventsContent, {"文化的行事", "体育的行事"}, 15},
        {content::kInSchoolContent, {"クラス内での活動", "学校内での活動"}, 15},
        {content::kOutsideContent, {"職業的な活動", "その他の活動"}, 15},
        {content::kFutureWorkContent,
         {"経済・経営・ビジネス", "旅行・観光・ホテル", "デザイン・写真・芸術", "医療関係",
          "自動車・航空・宇宙", "建築・土木・インテリア", "美容・理容・ヘアメイク", "国際・語学",
          "栄養・調理・製菓", "健康・スポーツ", "公務員・法律・政治", "保育・教育・福祉",
          "自然・環境・生物", "音楽・イベント関係・マスコミ",
          "ゲーム・マルチメディア・コンピュータ・電子", "ファッション・ネイル・エステ"},
         8},
        {content::kVolunteerContent,
         {"保育", "介護・福祉", "地域ボランティア", "国際協力", "自然保護", "その他"},
         8},
    };
    return contents;
}

inline std::uint32_t bit(std::size_t position)
{
    return std::uint32_t{1} << position;
}

// The sentences whose flags hold every position of boxes.
inline std::size_t matches(const ContentSummary& summary, std::uint32_t boxes)
{
    std::size_t n = 0;
    for (const std::uint32_t set : summary.flagSets)
        n += (set & boxes) == boxes;
    return n;
}

inline std::string sentences(std::size_t n)
{
    return std::to_string(n) + (n == 1 ? " sentence" : " sentences");
}

// Calls report(boxes' names, count, floor) for every combination the content promises.
template <typename Report> void forEachCombination(const ContentSummary& summary, Report&& report)
{
    const auto count = [&](std::uint32_t boxes) { return matches(summary, boxes); };
    if (summary.name == content::kStrengthsContent) {
        for (std::size_t p = 0; p < kStrengthsPositions; ++p) {
            const std::string name = p < 9    ? std::string(kJobs[p])
                                     : p == 9 ? std::string("全ての職種")
                                     : p < kFirstQuality
                                         ? std::string(kActivities[p - kFirstActivity])
                                         : std::string(kQualities[p - kFirstQuality]);
            report(name, count(bit(p)), kStrengthsPositionFloor);
        }
        for (std::size_t a = 0; a < 8; ++a)
            for (std::size_t b = a + 1; b < 8; ++b)
                report(std::string(kQualities[a]) + " + " + std::string(kQualities[b]),
                       count(bit(kFirstQuality + a) | bit(kFirstQuality + b)), kQualityPairFloor);
        for (std::size_t a = 0; a < 9; ++a)
            for (std::size_t q = 0; q < 8; ++q)
                report(std::string(kActivities[a]) + " + " + std::string(kQualities[q]),
                       count(bit(kFirstActivity + a) | bit(kFirstQuality + q)),
                       kActivityQualityFloor);
        for (std::size_t j = 0; j < 9; ++j)
            for (std::size_t q = 0; q < 8; ++q)
                report(std::string(kJobs[j]) + " + " + std::string(kQualities[q]),
                       count(bit(j) | bit(kFirstQuality + q)), kJobQualityFloor);
    } else if (summary.name == content::kClubContent) {
        for (std::size_t c = 0; c < 16; ++c) {
            const std::string club(kClubs[c]);
            report(club, count(bit(c)), kClubFloor);
            report(club + " + 大会好成績", count(bit(c) | bit(kResult)), kClubDistinctionFloor);
            report(club + " + 部長・主将等", count(bit(c) | bit(kCaptain)), kClubDistinctionFloor);
            report(club + " + 大会好成績 + 部長・主将等",
                   count(bit(c) | bit(kResult) | bit(kCaptain)), kClubBothFloor);
        }
    } else {
        for (const RadioContent& radio : radioContents()) {
            if (summary.name != radio.name)
                continue;
            for (std::size_t p = 0; p < radio.positions.size(); ++p)
                report(std::string(radio.positions[p]), count(bit(p)), radio.floor);
        }
    }
}

// A matrix of counts, row labels at the right where their width cannot disturb the columns;
// a count below its floor is marked "*".
inline void printMatrix(std::ostream& out, const ContentSummary& summary, std::string_view title,
                        std::size_t floor, const std::vector<std::size_t>& rows,
                        const std::vector<std::string_view>& rowNames,
                        const std::vector<std::size_t>& columns, bool upperTriangle)
{
    out << "  " << title << " (at least " << floor << "; * below)\n      ";
    for (std::size_t column : columns)
        out << (column < 10 ? "   " : "  ") << column << ' ';
    out << '\n';
    for (std::size_t r = 0; r < rows.size(); ++r) {
        out << (rows[r] < 10 ? "     " : "    ") << rows[r];
        for (std::size_t column : columns) {
            if (upperTriangle && column <= rows[r]) {
                out << "   - ";
                continue;
            }
            const std::size_t n = matches(summary, bit(rows[r]) | bit(column));
            const std::string cell = std::to_string(n) + (n < floor ? "*" : " ");
            out << std::string(cell.size() < 5 ? 5 - cell.size() : 0, ' ') << cell;
        }
        out << "  " << rowNames[r] << '\n';
    }
}

} // namespace coverage

// Every combination of the content that finds fewer sentences than it promises, and a content
// with fewer sentences than promised, as messages for the content as a whole.
inline std::vector<std::string> coverageShortfalls(const ContentSummary& summary)
{
    using namespace coverage;
    std::vector<std::string> shortfalls;
    if (summary.name == content::kStrengthsContent && summary.records < kStrengthsSentences)
        shortfalls.push_back(sentences(summary.records) + " in all; at least " +
                             std::to_string(kStrengthsSentences) + " wanted");
    forEachCombination(summary, [&](const std::string& boxes, std::size_t n, std::size_t floor) {
        if (n < floor)
            shortfalls.push_back("coverage: " + boxes + " finds " + sentences(n) + "; at least " +
                                 std::to_string(floor) + " wanted");
    });
    return shortfalls;
}

// The coverage table of one content, for a content editor to see where it is thin.
inline void printCoverage(std::ostream& out, const ContentSummary& summary)
{
    using namespace coverage;
    out << summary.name << ": coverage, counted as the page finds sentences\n";
    std::vector<std::size_t> qualities, activities, jobs;
    std::vector<std::string_view> qualityNames(std::begin(kQualities), std::end(kQualities));
    for (std::size_t q = 0; q < 8; ++q)
        qualities.push_back(kFirstQuality + q);
    for (std::size_t a = 0; a < 9; ++a)
        activities.push_back(kFirstActivity + a);
    for (std::size_t j = 0; j < 9; ++j)
        jobs.push_back(j);
    if (summary.name == content::kStrengthsContent) {
        out << "  columns: 19 責任感, 20 協調性, 21 根気強さ, 22 基本的生活習慣, 23 向上心, "
               "24 勤労意欲, 25 積極さ, 26 誠実さ\n";
        printMatrix(out, summary, "pairs of qualities", kQualityPairFloor, qualities, qualityNames,
                    qualities, true);
        printMatrix(out, summary, "activity x quality", kActivityQualityFloor, activities,
                    {std::begin(kActivities), std::end(kActivities)}, qualities, false);
        printMatrix(out, summary, "job type x quality", kJobQualityFloor, jobs,
                    {std::begin(kJobs), std::end(kJobs)}, qualities, false);
        return;
    }
    if (summary.name == content::kClubContent) {
        out << "  club (at least " << kClubFloor << "; + 大会好成績, + 部長・主将等 at least "
            << kClubDistinctionFloor << "; + both at least " << kClubBothFloor << "; * below)\n"
            << "       all  +16  +17 both\n";
        for (std::size_t c = 0; c < 16; ++c) {
            const std::size_t counts[] = {matches(summary, bit(c)),
                                          matches(summary, bit(c) | bit(kResult)),
                                          matches(summary, bit(c) | bit(kCaptain)),
                                          matches(summary, bit(c) | bit(kResult) | bit(kCaptain))};
            const std::size_t floors[] = {kClubFloor, kClubDistinctionFloor, kClubDistinctionFloor,
                                          kClubBothFloor};
            out << (c < 10 ? "     " : "    ") << c;
            for (std::size_t k = 0; k < 4; ++k) {
                const std::string cell =
                    std::to_string(counts[k]) + (counts[k] < floors[k] ? "*" : " ");
                out << std::string(cell.size() < 5 ? 5 - cell.size() : 0, ' ') << cell;
            }
            out << "  " << kClubs[c] << '\n';
        }
        return;
    }
    forEachCombination(summary, [&](const std::string& boxes, std::size_t n, std::size_t floor) {
        out << "  " << n << (n < floor ? "* " : "  ") << boxes << " (at least " << floor << ")\n";
    });
}

// All contents together, against what the sample content promises.
inline std::string totalShortfall(std::size_t records)
{
    if (records >= coverage::kSampleSentences)
        return {};
    return coverage::sentences(records) + " in all contents together; at least " +
           std::to_string(coverage::kSampleSentences) + " wanted";
}

} // namespace pack

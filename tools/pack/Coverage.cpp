#include "Coverage.h"

#include "content/Categories.h"
#include "content/ContentNames.h"
#include "content/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <span>
#include <string_view>

namespace pack {

namespace {

using content::CategoryBox;
using content::toUtf8;

constexpr std::size_t kSampleSentences = 1800; // all seven contents together

// The strengths content's boxes, and the floors of its combinations. 全ての職種 counts as a
// position of its own, not as a job type.
constexpr auto kJobs = content::strengths::kJobTypes.first<content::strengths::kAllJobs>();
constexpr auto kActivities = content::strengths::kActivities;
constexpr auto kQualities = content::strengths::kQualities;
constexpr std::size_t kQualityPairFloor = 3;
constexpr std::size_t kActivityQualityFloor = 2;
constexpr std::size_t kJobQualityFloor = 4;
constexpr std::size_t kStrengthsPositionFloor = 15;
constexpr std::size_t kStrengthsSentences = 1000;

// The club content's clubs, each combined with the two boxes after them, and the floors of
// those combinations.
constexpr auto kClubs = std::span(content::kClubBoxes).first<content::clubs::kResults>();
constexpr std::size_t kResult = content::clubs::kResults;
constexpr std::size_t kCaptain = content::clubs::kLeader;
constexpr std::size_t kClubFloor = 8;
constexpr std::size_t kClubDistinctionFloor = 2;
constexpr std::size_t kClubBothFloor = 1;

// The contents whose page picks one position with a radio group, and the floor of each position.
struct RadioContent {
    std::string_view name;
    std::span<const CategoryBox> boxes;
    std::size_t floor;
};

// clang-format off
constexpr RadioContent kRadioContents[] = {
    {content::kSchoolEventsContent, content::kSchoolEventBoxes, 15},
    {content::kInSchoolContent,     content::kInSchoolBoxes,    15},
    {content::kOutsideContent,      content::kOutsideBoxes,     15},
    {content::kFutureWorkContent,   content::kFutureWorkBoxes,  8},
    {content::kVolunteerContent,    content::kVolunteerBoxes,   8},
};
// clang-format on

// A box by its caption; where its table holds the caption twice (the clubs' two その他), by its
// position as well.
std::string nameOf(const CategoryBox& box, std::span<const CategoryBox> table)
{
    std::string name = toUtf8(box.caption);
    if (std::ranges::count(table, box.caption, &CategoryBox::caption) > 1)
        name += " (" + std::to_string(box.position) + ")";
    return name;
}

std::vector<std::string> namesOf(std::span<const CategoryBox> boxes,
                                 std::span<const CategoryBox> table)
{
    std::vector<std::string> names;
    for (const CategoryBox& box : boxes)
        names.push_back(nameOf(box, table));
    return names;
}

std::vector<std::size_t> positionsOf(std::span<const CategoryBox> boxes)
{
    std::vector<std::size_t> positions;
    for (const CategoryBox& box : boxes)
        positions.push_back(static_cast<std::size_t>(box.position));
    return positions;
}

std::uint32_t bit(std::size_t position)
{
    return std::uint32_t{1} << position;
}

// The sentences whose flags hold every position of boxes.
std::size_t matches(const ContentSummary& summary, std::uint32_t boxes)
{
    std::size_t n = 0;
    for (const std::uint32_t set : summary.flagSets)
        n += (set & boxes) == boxes;
    return n;
}

std::string sentences(std::size_t n)
{
    return std::to_string(n) + (n == 1 ? " sentence" : " sentences");
}

// Calls report(boxes' names, count, floor) for every combination the content promises.
template <typename Report> void forEachCombination(const ContentSummary& summary, Report&& report)
{
    const auto count = [&](std::uint32_t boxes) { return matches(summary, boxes); };
    if (summary.name == content::kStrengthsContent) {
        const auto name = [](const CategoryBox& box) {
            return nameOf(box, content::kStrengthsBoxes);
        };
        for (const CategoryBox& box : content::kStrengthsBoxes)
            report(name(box), count(bit(box.position)), kStrengthsPositionFloor);
        for (std::size_t a = 0; a < kQualities.size(); ++a)
            for (std::size_t b = a + 1; b < kQualities.size(); ++b)
                report(name(kQualities[a]) + " + " + name(kQualities[b]),
                       count(bit(kQualities[a].position) | bit(kQualities[b].position)),
                       kQualityPairFloor);
        for (const CategoryBox& activity : kActivities)
            for (const CategoryBox& quality : kQualities)
                report(name(activity) + " + " + name(quality),
                       count(bit(activity.position) | bit(quality.position)),
                       kActivityQualityFloor);
        for (const CategoryBox& job : kJobs)
            for (const CategoryBox& quality : kQualities)
                report(name(job) + " + " + name(quality),
                       count(bit(job.position) | bit(quality.position)), kJobQualityFloor);
    } else if (summary.name == content::kClubContent) {
        const std::string result = nameOf(content::kClubBoxes[kResult], content::kClubBoxes);
        const std::string captain = nameOf(content::kClubBoxes[kCaptain], content::kClubBoxes);
        for (const CategoryBox& box : kClubs) {
            const std::string club = nameOf(box, content::kClubBoxes);
            const std::uint32_t c = bit(box.position);
            report(club, count(c), kClubFloor);
            report(club + " + " + result, count(c | bit(kResult)), kClubDistinctionFloor);
            report(club + " + " + captain, count(c | bit(kCaptain)), kClubDistinctionFloor);
            report(club + " + " + result + " + " + captain, count(c | bit(kResult) | bit(kCaptain)),
                   kClubBothFloor);
        }
    } else {
        for (const RadioContent& radio : kRadioContents) {
            if (summary.name != radio.name)
                continue;
            for (const CategoryBox& box : radio.boxes)
                report(nameOf(box, radio.boxes), count(bit(box.position)), radio.floor);
        }
    }
}

// One count of a table, five wide, marked "*" when it is below its floor.
void printCell(std::ostream& out, std::size_t n, std::size_t floor)
{
    const std::string cell = std::to_string(n) + (n < floor ? "*" : " ");
    out << std::string(cell.size() < 5 ? 5 - cell.size() : 0, ' ') << cell;
}

// A matrix of counts, row labels at the right where their width cannot disturb the columns;
// a count below its floor is marked "*".
void printMatrix(std::ostream& out, const ContentSummary& summary, std::string_view title,
                 std::size_t floor, const std::vector<std::size_t>& rows,
                 const std::vector<std::string>& rowNames, const std::vector<std::size_t>& columns,
                 bool upperTriangle)
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
            printCell(out, matches(summary, bit(rows[r]) | bit(column)), floor);
        }
        out << "  " << rowNames[r] << '\n';
    }
}

} // namespace

std::vector<std::string> coverageShortfalls(const ContentSummary& summary)
{
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

void printCoverage(std::ostream& out, const ContentSummary& summary)
{
    out << summary.name << ": coverage, counted as the page finds sentences\n";
    if (summary.name == content::kStrengthsContent) {
        const std::vector<std::size_t> qualities = positionsOf(kQualities);
        const std::vector<std::string> qualityNames = namesOf(kQualities, content::kStrengthsBoxes);
        out << "  columns:";
        for (std::size_t q = 0; q < qualities.size(); ++q)
            out << (q == 0 ? " " : ", ") << qualities[q] << ' ' << qualityNames[q];
        out << '\n';
        printMatrix(out, summary, "pairs of qualities", kQualityPairFloor, qualities, qualityNames,
                    qualities, true);
        printMatrix(out, summary, "activity x quality", kActivityQualityFloor,
                    positionsOf(kActivities), namesOf(kActivities, content::kStrengthsBoxes),
                    qualities, false);
        printMatrix(out, summary, "job type x quality", kJobQualityFloor, positionsOf(kJobs),
                    namesOf(kJobs, content::kStrengthsBoxes), qualities, false);
        return;
    }
    if (summary.name == content::kClubContent) {
        const std::string result = nameOf(content::kClubBoxes[kResult], content::kClubBoxes);
        const std::string captain = nameOf(content::kClubBoxes[kCaptain], content::kClubBoxes);
        out << "  club (at least " << kClubFloor << "; + " << result << ", + " << captain
            << " at least " << kClubDistinctionFloor << "; + both at least " << kClubBothFloor
            << "; * below)\n"
            << "       all  +" << kResult << "  +" << kCaptain << " both\n";
        for (const CategoryBox& box : kClubs) {
            const std::uint32_t c = bit(box.position);
            const std::size_t counts[] = {matches(summary, c), matches(summary, c | bit(kResult)),
                                          matches(summary, c | bit(kCaptain)),
                                          matches(summary, c | bit(kResult) | bit(kCaptain))};
            const std::size_t floors[] = {kClubFloor, kClubDistinctionFloor, kClubDistinctionFloor,
                                          kClubBothFloor};
            out << (box.position < 10 ? "     " : "    ") << box.position;
            for (std::size_t k = 0; k < 4; ++k)
                printCell(out, counts[k], floors[k]);
            out << "  " << toUtf8(box.caption) << '\n';
        }
        return;
    }
    forEachCombination(summary, [&](const std::string& boxes, std::size_t n, std::size_t floor) {
        out << "  " << n << (n < floor ? "* " : "  ") << boxes << " (at least " << floor << ")\n";
    });
}

std::string totalShortfall(std::size_t records)
{
    if (records >= kSampleSentences)
        return {};
    return sentences(records) + " in all contents together; at least " +
           std::to_string(kSampleSentences) + " wanted";
}

} // namespace pack

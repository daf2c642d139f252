// The sample content that the build packs beside the program, read through the loader as the
// pages read it. A teacher must find sentences under every category and every first choice, and
// no sentence may say what a school report sent with a job application must not say; these
// tests keep a later edit of data/ from quietly breaking that.

#include "content/ContentNames.h"
#include "content/ContentReader.h"
#include "content/Utf8.h"
#include "pack/ContentCheck.h"
#include "support/ContentFile.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using testing_support::UseContentFile;

namespace {

struct Content {
    ContentArray texts;
    ContentArray flags;
};

// How many flag positions each content has, and at least how many sentences each position
// must offer, position by position.
struct Expected {
    std::string_view name;
    std::vector<std::size_t> minimumPerPosition;
};

std::vector<std::size_t> repeated(std::size_t count, std::size_t minimum)
{
    return std::vector<std::size_t>(count, minimum);
}

std::vector<std::size_t> joined(std::vector<std::size_t> a, const std::vector<std::size_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// clang-format off
const Expected kExpected[] = {
    // 10 job types, 40 each; 17 categories of studies, activities and strengths, 15 each
    {content::kStrengthsContent, joined(repeated(10, 40), repeated(17, 15))},
    {content::kSchoolEventsContent, repeated(2, 20)},  // cultural, sports events
    {content::kInSchoolContent, repeated(2, 20)},      // in the class, in the school
    {content::kClubContent, joined(repeated(16, 8), repeated(2, 20))}, // 16 clubs; results, captain
    {content::kOutsideContent, repeated(2, 15)},       // vocational, other
    {content::kFutureWorkContent, repeated(16, 6)},    // 16 fields of work
    {content::kVolunteerContent, repeated(6, 6)},      // 6 fields of volunteering
};
// clang-format on

// clang-format off
constexpr std::size_t kStrengthsMinimum = 400;
constexpr std::size_t kJobTypes = 10;             // positions 0 to 9 of the strengths content
constexpr std::size_t kFirstStrength = 19;        // 責任感 ... 誠実さ: positions 19 to 26
constexpr std::size_t kLastStrength = 26;
constexpr std::size_t kClubs = 16;                // positions 0 to 15 of the club content
constexpr std::size_t kGoodResults = 16, kCaptain = 17;
// clang-format on

const Content& loaded(std::string_view name)
{
    static std::map<std::string_view, Content> contents;
    const auto found = contents.find(name);
    if (found != contents.end())
        return found->second;
    UseContentFile use(SAMPLE_CONTENT);
    Content content;
    int count = 0;
    if (const auto failure = loadContent(content::cp932ContentName(name).c_str(), count,
                                         &content.texts, &content.flags))
        ADD_FAILURE() << name << " cannot be loaded, result " << failure->result;
    return contents.emplace(name, std::move(content)).first->second;
}

bool marks(std::u16string_view flags, std::size_t position)
{
    return position < flags.size() && flags[position] == u'1';
}

std::size_t countMarking(const Content& content, std::initializer_list<std::size_t> positions)
{
    std::size_t count = 0;
    for (const std::u16string_view flags : content.flags) {
        bool all = true;
        for (const std::size_t p : positions)
            all = all && marks(flags, p);
        count += all ? 1 : 0;
    }
    return count;
}

std::size_t characters(std::u16string_view text)
{
    std::size_t count = 0;
    for (const char16_t c : text)
        count += (c >= 0xDC00 && c <= 0xDFFF) ? 0 : 1; // a surrogate pair is one character
    return count;
}

std::string utf8(std::u16string_view text)
{
    return content::toUtf8(text);
}

} // namespace

TEST(SampleContent, EveryRecordHasAFullFlagStringAndASentenceOfReportLength)
{
    for (const Expected& expected : kExpected) {
        const Content& content = loaded(expected.name);
        ASSERT_EQ(content.texts.size(), content.flags.size());
        for (std::size_t i = 0; i < content.flags.size(); ++i) {
            const std::u16string_view flags = content.flags[i];
            const std::string where = std::string(expected.name) + " record " + std::to_string(i);
            EXPECT_EQ(flags.size(), expected.minimumPerPosition.size()) << where;
            EXPECT_EQ(flags.find_first_not_of(u"01"), std::u16string::npos) << where;
            EXPECT_NE(flags.find(u'1'), std::u16string::npos) << where << " is in no category";
            const std::size_t length = characters(content.texts[i]);
            EXPECT_GE(length, 30u) << where << ": " << utf8(content.texts[i]);
            EXPECT_LE(length, 150u) << where << ": " << utf8(content.texts[i]);
        }
    }
}

TEST(SampleContent, EveryCategoryOffersEnoughSentences)
{
    for (const Expected& expected : kExpected) {
        const Content& content = loaded(expected.name);
        for (std::size_t p = 0; p < expected.minimumPerPosition.size(); ++p)
            EXPECT_GE(countMarking(content, {p}), expected.minimumPerPosition[p])
                << expected.name << " position " << p;
    }
    EXPECT_GE(loaded(content::kStrengthsContent).texts.size(), kStrengthsMinimum);
}

TEST(SampleContent, EveryStrengthSentenceIsReachedFromAJobTypeAndNoNarrowingEndsEmpty)
{
    // The teacher picks a job type first and then a strength of character: each pair must
    // still offer a choice of sentences.
    const Content& strengths = loaded(content::kStrengthsContent);
    for (std::size_t job = 0; job < kJobTypes; ++job) {
        for (std::size_t strength = kFirstStrength; strength <= kLastStrength; ++strength)
            EXPECT_GE(countMarking(strengths, {job, strength}), 2u)
                << "job type " << job << " with strength " << strength;
    }
    for (std::size_t i = 0; i < strengths.flags.size(); ++i) {
        const std::u16string_view jobTypes = strengths.flags[i].substr(0, kJobTypes);
        EXPECT_NE(jobTypes.find(u'1'), std::u16string_view::npos)
            << "record " << i << " has no job type";
    }
}

TEST(SampleContent, ResultsAndCaptainsAreMostlyToldWithTheirClub)
{
    // Checking a club and then 大会好成績 or 部長・主将等 should still find sentences.
    const Content& clubs = loaded(content::kClubContent);
    for (const std::size_t role : {kGoodResults, kCaptain}) {
        std::size_t withClub = 0;
        for (const std::u16string_view flags : clubs.flags) {
            if (!marks(flags, role))
                continue;
            for (std::size_t club = 0; club < kClubs; ++club) {
                if (marks(flags, club)) {
                    ++withClub;
                    break;
                }
            }
        }
        EXPECT_GE(withClub * 2, countMarking(clubs, {role})) << "position " << role;
    }
}

TEST(SampleContent, NoSentenceIsWrittenTwice)
{
    std::set<std::u16string> seen;
    for (const Expected& expected : kExpected) {
        for (const std::u16string_view text : loaded(expected.name).texts)
            EXPECT_TRUE(seen.emplace(text).second) << expected.name << ": " << utf8(text);
    }
}

TEST(SampleContent, NoSentenceHoldsAForbiddenWord)
{
    std::vector<pack::Problem> problems;
    const pack::ForbiddenWords words =
        pack::ForbiddenWords::parse(testing_support::readBytes(FORBIDDEN_WORDS), problems);
    ASSERT_TRUE(problems.empty());
    ASSERT_GT(words.size(), 0u);
    for (const Expected& expected : kExpected) {
        for (const std::u16string_view text : loaded(expected.name).texts) {
            for (const pack::ForbiddenWords::Hit& hit : words.find(text))
                ADD_FAILURE() << expected.name << ": \"" << hit.word << "\" in " << utf8(text);
        }
    }
}

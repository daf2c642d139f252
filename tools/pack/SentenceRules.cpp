#include "SentenceRules.h"

#include "content/Categories.h"
#include "content/ContentNames.h"
#include "content/RecordFormat.h"
#include "content/Utf8.h"

#include <cstddef>
#include <initializer_list>

namespace pack {

namespace {

// The parts one after the other. A message is built by appending: GCC 12 at -O3 warns falsely
// (-Wrestrict) about a literal added in front of a temporary string.
std::string concat(std::initializer_list<std::string_view> parts)
{
    std::string joined;
    for (const std::string_view part : parts)
        joined += part;
    return joined;
}

using content::toUtf8;
using content::clubs::kLeader;
using content::strengths::kAllJobs;
using content::strengths::kClubActivity;
using content::strengths::kSchoolEvent;
using content::strengths::kSpecialActivity;
using content::strengths::kSports;

constexpr char16_t kName = u'\u3007';   // 〇, two of them stand for a name
constexpr char16_t kNumber = u'\u25B3'; // △, one stands for a number

bool isDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'\uFF10' && c <= u'\uFF19');
}

// Characters that look like a slot but are not one of the two marks, and what they are.
const char* wrongMark(char16_t c)
{
    switch (c) {
    case u'\u25CB':
        return "a white circle (U+25CB)";
    case u'\u25EF':
        return "a large circle (U+25EF)";
    case u'\u25A1':
        return "a square (U+25A1)";
    case u'\uFF3F':
    case u'_':
        return "an underscore";
    case u'\u3010':
    case u'\u3011':
        return "a lenticular bracket";
    default:
        return nullptr;
    }
}

// The sports clubs of the club content's boxes 野球 to 運動その他.
constexpr std::u16string_view kSportsClubs[] = {
    u"野球部",
    u"サッカー部",
    u"バスケットボール部",
    u"テニス部",
    u"バレーボール部",
    u"卓球部",
    u"バドミントン部",
    u"陸上競技部",
    u"陸上部",
    u"柔道部",
    u"剣道部",
    u"弓道部",
    u"空手道部",
    u"相撲部",
    u"なぎなた部",
    u"水泳部",
    u"ハンドボール部",
    u"ソフトボール部",
    u"ラグビー部",
    u"体操部",
    u"山岳部",
    u"登山部",
    u"ボート部",
    u"レスリング部",
    u"自転車競技部",
    u"ホッケー部",
    u"フェンシング部",
    u"アーチェリー部",
    u"ウエイトリフティング部",
    u"ボクシング部",
    u"スキー部",
    u"駅伝部",
};

// Words a teacher writes only about a sentence that suits any workplace.
constexpr std::u16string_view kAnyWorkplace[] = {u"どのような職場", u"どの職場",
                                                 u"どのような仕事でも", u"職種を問わず"};

bool flagged(std::u16string_view flags, std::size_t position)
{
    return position < flags.size() && flags[position] == u'1';
}

bool isKanjiOrKatakana(char16_t c)
{
    return (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\u30A0' && c <= u'\u30FF') || c == kName;
}

// A sports club the sentence is about: a club cheered for by a band is not the student's sport.
std::u16string_view sportsClubNamed(std::u16string_view sentence)
{
    for (std::u16string_view club : kSportsClubs) {
        for (std::size_t at = sentence.find(club); at != std::u16string_view::npos;
             at = sentence.find(club, at + 1)) {
            if (sentence.substr(at + club.size(), 8).find(u"応援") == std::u16string_view::npos)
                return club;
        }
    }
    return {};
}

// "どの職場" also stands inside "介護施設などの職場" and "それほどの職場", which are not general.
std::u16string_view anyWorkplaceWords(std::u16string_view sentence)
{
    for (std::u16string_view words : kAnyWorkplace) {
        for (std::size_t at = sentence.find(words); at != std::u16string_view::npos;
             at = sentence.find(words, at + 1)) {
            if (at == 0 || (sentence[at - 1] != u'な' && sentence[at - 1] != u'ほ'))
                return words;
        }
    }
    return {};
}

// 学級の美化係, クラスの〇〇係: a class duty. The duty's name is written in kanji or katakana,
// which keeps out "クラスの人間関係" and "クラスの活動に係わる".
bool namesClassDuty(std::u16string_view sentence)
{
    for (std::u16string_view whose :
         {std::u16string_view(u"学級の"), std::u16string_view(u"クラスの")}) {
        for (std::size_t at = sentence.find(whose); at != std::u16string_view::npos;
             at = sentence.find(whose, at + 1)) {
            std::size_t i = at + whose.size();
            const std::size_t nameStart = i;
            while (i < sentence.size() && i - nameStart <= 6 && sentence[i] != u'係' &&
                   isKanjiOrKatakana(sentence[i]))
                ++i;
            if (i < sentence.size() && sentence[i] == u'係' &&
                (i == nameStart || sentence[i - 1] != u'関'))
                return true;
        }
    }
    return false;
}

void strengthsTagging(std::u16string_view flags, std::u16string_view sentence,
                      std::vector<std::string>& problems)
{
    const std::u16string_view club = sportsClubNamed(sentence);
    if (!club.empty() && !(flagged(flags, kClubActivity) && flagged(flags, kSports)))
        problems.push_back(concat(
            {"names ", toUtf8(club), ", a sports club: flag 部活動 (14) and スポーツ活動 (17)"}));
    const std::u16string_view general = anyWorkplaceWords(sentence);
    if (!general.empty() && !flagged(flags, kAllJobs))
        problems.push_back(concat({"\"", toUtf8(general),
                                   "\" belongs to a sentence for any workplace: flag 全ての職種 "
                                   "(9) and every job type 0-8"}));
    if (flagged(flags, kAllJobs)) {
        std::string missing;
        for (std::size_t p = 0; p < kAllJobs; ++p) {
            if (!flagged(flags, p))
                missing += (missing.empty() ? "" : ", ") + std::to_string(p);
        }
        if (!missing.empty())
            problems.push_back("flags 全ての職種 (9) but not the job types " + missing +
                               ": a sentence for any workplace carries every job type 0-8, so "
                               "that a teacher who picks one job type sees it");
    }
    const bool classRepresentative = sentence.find(u"学級委員") != std::u16string_view::npos;
    // A class's role at the culture festival is the event's, tagged 学校行事 instead.
    const bool classDuty = namesClassDuty(sentence) && !flagged(flags, kSchoolEvent);
    if ((classRepresentative || classDuty) && !flagged(flags, kSpecialActivity))
        problems.push_back(
            std::string(classRepresentative ? "names 学級委員" : "names a class duty") +
            ": flag 委員会・特別活動 (16)");
}

void clubTagging(std::u16string_view flags, std::u16string_view sentence,
                 std::vector<std::string>& problems)
{
    // 副部長 and 副主将 hold these words too, and 部長・主将等 covers the deputies.
    const bool namesCaptain = sentence.find(u"部長") != std::u16string_view::npos ||
                              sentence.find(u"主将") != std::u16string_view::npos;
    if (namesCaptain && !flagged(flags, kLeader))
        problems.push_back("names 部長 or 主将: flag 部長・主将等 (17)");
    else if (!namesCaptain && flagged(flags, kLeader))
        problems.push_back("flags 部長・主将等 (17) but names no 部長 or 主将 (副部長, 副主将)");
}

} // namespace

std::vector<std::string> markProblems(std::u16string_view sentence)
{
    std::vector<std::string> problems;
    const std::string howToMark = ": write 〇〇 (U+3007 twice) for a name and △ for a number";
    std::size_t i = 0;
    while (i < sentence.size()) {
        const char16_t c = sentence[i];
        std::size_t end = i + 1;
        while (end < sentence.size() && sentence[end] == c)
            ++end;
        const std::string run = toUtf8(sentence.substr(i, end - i));
        const std::size_t length = end - i;
        if (c == kName && length != 2) {
            problems.push_back(
                "\"" + run + "\": a name is marked with exactly two 〇 (U+3007)" +
                (length == 1 ? ", and no numeral is written with 〇 (十, 二十...)" : ""));
        } else if (c == kNumber && length > 1) {
            problems.push_back("\"" + run + "\": a number is marked with a single △");
        } else if (c == u'\u00D7' && length > 1) {
            problems.push_back("\"" + run + "\" is not a mark" + howToMark);
        } else if (const char* what = wrongMark(c)) {
            problems.push_back("\"" + run + "\" is " + what + ", not a mark" + howToMark);
        } else if (isDigit(c)) {
            while (end < sentence.size() && isDigit(sentence[end]))
                ++end;
            problems.push_back(concat({"Arabic numerals \"", toUtf8(sentence.substr(i, end - i)),
                                       "\": write numerals in kanji, and a number the teacher "
                                       "supplies as △"}));
        }
        i = end;
    }
    return problems;
}

std::vector<std::string> shortNameProblems(std::u16string_view sentence, const OfficialNames& names)
{
    std::vector<std::string> problems;
    for (const OfficialNames::Hit& hit : names.find(sentence))
        problems.push_back(concat(
            {"\"", hit.word, "\" is a short name: the qualification lists write ", hit.reason}));
    return problems;
}

std::vector<std::string> taggingProblems(std::string_view content, std::u16string_view flags,
                                         std::u16string_view sentence)
{
    std::vector<std::string> problems;
    if (content == content::kStrengthsContent)
        strengthsTagging(flags, sentence, problems);
    else if (content == content::kClubContent)
        clubTagging(flags, sentence, problems);
    return problems;
}

} // namespace pack

#pragma once
// The category boxes of the three pages, one table per content: the check box or radio button
// a teacher picks a category with, the position in the content's flag strings that it selects,
// and its caption. The dialog templates take their captions from here, the pages their boxes,
// the packer the positions its rules know by meaning and the names of its coverage table.
// Every table lists its boxes in position order, which is also the pages' tab order.

#include <cstddef>
#include <span>
#include <string_view>

namespace content {

struct CategoryBox {
    int id;       // the control on its page (the field panels each count from 1003)
    int position; // in the flag strings of the content
    std::u16string_view caption;
};

// clang-format off

// 1 本人の長所・推薦事由等, the strengths page: the job types, a radio group, of which
// 全ての職種 stands for the sentences that suit any job; then the activities and the qualities,
// check boxes.
inline constexpr CategoryBox kStrengthsBoxes[] = {
//   id    position  caption
    {1066,  0,       u"製造"},
    {1067,  1,       u"技術"},
    {1068,  2,       u"事務"},
    {1069,  3,       u"販売・営業"},
    {1070,  4,       u"サービス"},
    {1071,  5,       u"介護・福祉"},
    {1072,  6,       u"建設"},
    {1073,  7,       u"運送"},
    {1074,  8,       u"その他"},
    {1075,  9,       u"全ての職種"},

    {1053, 10,       u"成績優秀に関する記載"},
    {1054, 11,       u"特定の教科・科目に関する記載"},
    {1055, 12,       u"資格・免許に関する記載"},
    {1056, 13,       u"アルバイト"},
    {1057, 14,       u"部活動"},
    {1058, 15,       u"ボランティア活動"},
    {1059, 16,       u"委員会・特別活動"},
    {1076, 17,       u"スポーツ活動"},
    {1077, 18,       u"学校行事"},

    {1060, 19,       u"責任感"},
    {1061, 20,       u"協調性"},
    {1062, 21,       u"根気強さ"},
    {1063, 22,       u"基本的生活習慣"},
    {1064, 23,       u"向上心"},
    {1065, 24,       u"勤労意欲"},
    {1078, 25,       u"積極さ"},
    {1079, 26,       u"誠実さ"},
};

// 2 校内活動 学校行事 and 2 校内活動 校内活動: the in-school page's activity radio buttons, one
// radio group over both contents.
inline constexpr CategoryBox kSchoolEventBoxes[] = {
//   id    position  caption
    {1091,  0,       u"文化的行事"},
    {1092,  1,       u"体育的行事"},
};
inline constexpr CategoryBox kInSchoolBoxes[] = {
//   id    position  caption
    {1093,  0,       u"クラス内での活動"},
    {1094,  1,       u"学校内での活動"},
};

// 2 校内活動 部活動, the in-school page's check boxes: the culture clubs and the sports clubs,
// each group with its その他 last, then two boxes that go with any club. Those two show no
// caption of their own; a label beside each shows the caption given here.
inline constexpr CategoryBox kClubBoxes[] = {
//   id    position  caption
    {1075,  0,       u"吹奏楽・合唱・音楽"},
    {1076,  1,       u"美術・芸術"},
    {1077,  2,       u"演劇"},
    {1078,  3,       u"書道"},
    {1079,  4,       u"写真"},
    {1080,  5,       u"その他"},

    {1081,  6,       u"野球"},
    {1082,  7,       u"サッカー"},
    {1083,  8,       u"バスケットボール"},
    {1084,  9,       u"テニス"},
    {1085, 10,       u"バレーボール"},
    {1086, 11,       u"卓球"},
    {1087, 12,       u"バドミントン"},
    {1088, 13,       u"陸上"},
    {1089, 14,       u"武道"},
    {1090, 15,       u"その他"},

    {1046, 16,       u"大会好成績"},
    {1047, 17,       u"部長・主将等"},
};

// 3 校外活動・その他: the radio buttons of the outside page's three field panels.
inline constexpr CategoryBox kOutsideBoxes[] = {
//   id    position  caption
    {1003,  0,       u"職業的な活動"},
    {1004,  1,       u"その他の活動"},
};
inline constexpr CategoryBox kFutureWorkBoxes[] = {
//   id    position  caption
    {1003,  0,       u"経済・経営・ビジネス"},
    {1004,  1,       u"旅行・観光・ホテル"},
    {1005,  2,       u"デザイン・写真・芸術"},
    {1006,  3,       u"医療関係"},
    {1007,  4,       u"自動車・航空・宇宙"},
    {1008,  5,       u"建築・土木・インテリア"},
    {1009,  6,       u"美容・理容・ヘアメイク"},
    {1010,  7,       u"国際・語学"},
    {1011,  8,       u"栄養・調理・製菓"},
    {1012,  9,       u"健康・スポーツ"},
    {1013, 10,       u"公務員・法律・政治"},
    {1014, 11,       u"保育・教育・福祉"},
    {1015, 12,       u"自然・環境・生物"},
    {1016, 13,       u"音楽・イベント関係・マスコミ"},
    {1017, 14,       u"ゲーム・マルチメディア・コンピュータ・電子"},
    {1018, 15,       u"ファッション・ネイル・エステ"},
};
inline constexpr CategoryBox kVolunteerBoxes[] = {
//   id    position  caption
    {1003,  0,       u"保育"},
    {1004,  1,       u"介護・福祉"},
    {1005,  2,       u"地域ボランティア"},
    {1006,  3,       u"国際協力"},
    {1007,  4,       u"自然保護"},
    {1008,  5,       u"その他"},
};

// clang-format on

// The position of the one box with this caption; a caption the table holds twice or not at all
// does not compile.
consteval int positionOf(std::span<const CategoryBox> table, std::u16string_view caption)
{
    int found = -1;
    for (const CategoryBox& box : table) {
        if (box.caption == caption) {
            if (found != -1)
                throw "the caption stands twice in the table";
            found = box.position;
        }
    }
    if (found == -1)
        throw "no box has this caption";
    return found;
}

// Whether every box stands at the row of its position, so that a position indexes the table.
consteval bool inPositionOrder(std::span<const CategoryBox> table)
{
    for (std::size_t row = 0; row < table.size(); ++row) {
        if (table[row].position != static_cast<int>(row))
            return false;
    }
    return true;
}
static_assert(inPositionOrder(kStrengthsBoxes) && inPositionOrder(kSchoolEventBoxes) &&
              inPositionOrder(kInSchoolBoxes) && inPositionOrder(kClubBoxes) &&
              inPositionOrder(kOutsideBoxes) && inPositionOrder(kFutureWorkBoxes) &&
              inPositionOrder(kVolunteerBoxes));

// The positions of the strengths content that the pages and the packer's rules know by meaning,
// and its groups of boxes.
namespace strengths {

inline constexpr int kAllJobs = positionOf(kStrengthsBoxes, u"全ての職種");
inline constexpr int kFirstActivity = kAllJobs + 1; // the activities follow the job types
inline constexpr int kClubActivity = positionOf(kStrengthsBoxes, u"部活動");
inline constexpr int kSpecialActivity = positionOf(kStrengthsBoxes, u"委員会・特別活動");
inline constexpr int kSports = positionOf(kStrengthsBoxes, u"スポーツ活動");
inline constexpr int kSchoolEvent = positionOf(kStrengthsBoxes, u"学校行事");
inline constexpr int kFirstQuality = kSchoolEvent + 1; // the qualities follow the activities

// The job types, 全ての職種 last, a radio group whose index is the position.
inline constexpr auto kJobTypes = std::span(kStrengthsBoxes).first<kAllJobs + 1>();
// The activities and the qualities, the check boxes of the page.
inline constexpr auto kCheckBoxes = std::span(kStrengthsBoxes).subspan<kFirstActivity>();
inline constexpr auto kActivities =
    std::span(kStrengthsBoxes).subspan<kFirstActivity, kFirstQuality - kFirstActivity>();
inline constexpr auto kQualities = std::span(kStrengthsBoxes).subspan<kFirstQuality>();

} // namespace strengths

// The positions of the club content that the in-school page and the packer's rules know by
// meaning.
namespace clubs {

inline constexpr int kFirstSportsClub = positionOf(kClubBoxes, u"野球");
inline constexpr int kResults = positionOf(kClubBoxes, u"大会好成績");
inline constexpr int kLeader = positionOf(kClubBoxes, u"部長・主将等");
// The two その他 boxes, each the last of its group.
inline constexpr int kCultureOther = kFirstSportsClub - 1;
inline constexpr int kSportsOther = kResults - 1;
static_assert(kClubBoxes[kCultureOther].caption == u"その他" &&
              kClubBoxes[kSportsOther].caption == u"その他");

} // namespace clubs

} // namespace content

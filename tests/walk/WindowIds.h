#pragma once
// The controls the walk clicks and reads, by the ids of the window's dialog templates.

#include "content/Categories.h"
#include "pages/CDlgTab03.h"
#include "support/WindowIds.h"

#include <array>
#include <vector>

namespace walk::ids {

using namespace testing_support::ids;

constexpr std::array<int, 3> kStrengthsResultBoxes = {1037, 1038, 1039};
constexpr std::array<int, 6> kSixResultBoxes = {1037, 1038, 1039, 1040, 1041, 1043};

// Strengths: the check boxes in table order (codes 10 ..); the job types 製造 .. 全ての職種 follow
// kFirstJobType.
inline const std::vector<int> kStrengthsBoxes = idsOf(content::strengths::kCheckBoxes);

// In-school: the activities, the club boxes by flag position, the labels of 1046 and 1047.
constexpr int kFirstActivity = CDlgTab03::kFirstActivity;
inline const std::vector<int> kClubBoxes = idsOf(content::kClubBoxes);
using BoxLabels = CDlgTab03::BoxLabels;
constexpr auto kBoxLabels = CDlgTab03::kBoxLabels;

// Outside: the headers of groups 11, 12, 13, the first field of a panel, the qualification
// buttons with the number of the list each opens.
constexpr std::array<int, 3> kHeaders = {1109, 1110, 1111};
constexpr int kFirstField = 1003;
struct Qualification {
    int id;
    int list;
};
constexpr std::array<Qualification, 8> kQualifications = {
    {{1097, 1}, {1099, 2}, {1100, 3}, {1101, 4}, {1102, 5}, {1103, 6}, {1106, 7}, {1104, 8}}};

} // namespace walk::ids

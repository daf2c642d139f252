#pragma once
// The controls the walk clicks and reads, by the ids of the window's dialog templates.

#include "support/WindowIds.h"

#include <array>

namespace walk::ids
{

using namespace testing_support::ids;

constexpr std::array<int, 3> kStrengthsResultBoxes = {1037, 1038, 1039};
constexpr std::array<int, 6> kSixResultBoxes = {1037, 1038, 1039, 1040, 1041, 1043};

// Strengths: the check boxes in table order (codes 10 ..); the job types 製造 .. 全ての職種 follow
// kFirstJobType.
constexpr std::array<int, 17> kStrengthsBoxes = {1053, 1054, 1055, 1056, 1057, 1058,
                                                 1059, 1076, 1077, 1060, 1061, 1062,
                                                 1063, 1064, 1065, 1078, 1079};

// In-school: the activities, the club boxes by flag position, the labels of 1046 and 1047.
constexpr int kFirstActivity = 1091;
constexpr std::array<int, 18> kClubBoxes = {1075, 1076, 1077, 1078, 1079, 1080, 1081, 1082, 1083,
                                            1084, 1085, 1086, 1087, 1088, 1089, 1090, 1046, 1047};
struct BoxLabels {
    int position;
    int label;
    int greyLabel;
};
constexpr std::array<BoxLabels, 2> kBoxLabels = {{{16, 1105, 1108}, {17, 1098, 1109}}};

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

#pragma once
// The main window's controls that tests click and read, by the ids of its dialog templates.

namespace testing_support::ids {

constexpr int kQuit = 1;
constexpr int kKeywordBox = 1121;
constexpr int kSearchButton = 1122;
constexpr int kAboutPicture = 1038;
constexpr int kClearAll = 1001;
constexpr int kScrollBar = 1033;
constexpr int kCountLabel = 1035;
constexpr int kCountCaption = 1036;
constexpr int kFirstResultBox = 1037;
constexpr int kSecondResultBox = 1038;
// Strengths: the first job type, 製造.
constexpr int kFirstJobType = 1066;

} // namespace testing_support::ids

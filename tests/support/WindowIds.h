#pragma once
// The main window's controls that tests click and read, by the ids of its dialog templates, and
// by the program's own names where it has them.

#include "content/Categories.h"
#include "pages/SentencePage.h"

#include <span>
#include <vector>

namespace testing_support::ids {

constexpr int kQuit = 1;
constexpr int kKeywordBox = pages::kKeywordBoxId;
constexpr int kSearchButton = 1122;
constexpr int kAboutPicture = 1038;
constexpr int kClearAll = 1001;
constexpr int kScrollBar = pages::kScrollBarId;
constexpr int kCountLabel = pages::kCountLabelId;
constexpr int kCountCaption = pages::kCountCaptionId;
constexpr int kFirstResultBox = 1037;
constexpr int kSecondResultBox = 1038;
// Strengths: the first job type, 製造.
constexpr int kFirstJobType = content::strengths::kJobTypes[0].id;

// The ids of a category table's boxes, in its order.
inline std::vector<int> idsOf(std::span<const content::CategoryBox> boxes)
{
    std::vector<int> ids;
    for (const content::CategoryBox& box : boxes)
        ids.push_back(box.id);
    return ids;
}

} // namespace testing_support::ids

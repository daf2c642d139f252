#pragma once
// The positions that the tagging rules know by meaning, in the strengths and the club content,
// under the names the rules use. The category tables of content/Categories.h hold them.

#include "content/Categories.h"

#include <cstddef>

namespace pack {

namespace strengthsFlags {

inline constexpr std::size_t kAllJobs = content::strengths::kAllJobs;
inline constexpr std::size_t kClubActivity = content::strengths::kClubActivity;
inline constexpr std::size_t kSpecialActivity = content::strengths::kSpecialActivity;
inline constexpr std::size_t kSports = content::strengths::kSports;
inline constexpr std::size_t kSchoolEvent = content::strengths::kSchoolEvent;

} // namespace strengthsFlags

namespace clubFlags {

inline constexpr std::size_t kCaptain = content::clubs::kLeader;

} // namespace clubFlags

} // namespace pack

#pragma once
// Where the boxes that the packer's rules know by meaning stand in the flag strings of the
// strengths and the club content. The tagging rules and the coverage table name the same boxes,
// so they read their positions from here.

#include <cstddef>

namespace pack {

// The strengths content: job types 0-8, 全ての職種 (9), activities 10-18, qualities 19-26.
namespace strengthsFlags {

inline constexpr std::size_t kAllJobs = 9; // 全ての職種, after the job types 0-8
inline constexpr std::size_t kFirstActivity = 10;
inline constexpr std::size_t kClubActivity = 14;    // 部活動
inline constexpr std::size_t kSpecialActivity = 16; // 委員会・特別活動
inline constexpr std::size_t kSports = 17;          // スポーツ活動
inline constexpr std::size_t kSchoolEvent = 18;     // 学校行事
inline constexpr std::size_t kFirstQuality = 19;
inline constexpr std::size_t kPositions = 27;

} // namespace strengthsFlags

// The club content: a box per club (0-15), then 大会好成績 (16) and 部長・主将等 (17).
namespace clubFlags {

inline constexpr std::size_t kResult = 16;  // 大会好成績
inline constexpr std::size_t kCaptain = 17; // 部長・主将等

} // namespace clubFlags

} // namespace pack

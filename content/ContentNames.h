#pragma once
// The names of the seven contents of the content file, in the order the pages load them.
// The library takes names as code page 932 bytes; they are written here in UTF-8 for the reader.

#include <string>
#include <string_view>

namespace content {

inline constexpr std::string_view kStrengthsContent = "1 本人の長所・推薦事由等.txt";
inline constexpr std::string_view kSchoolEventsContent = "2 校内活動 学校行事.txt";
inline constexpr std::string_view kInSchoolContent = "2 校内活動 校内活動.txt";
inline constexpr std::string_view kClubContent = "2 校内活動 部活動.txt";
inline constexpr std::string_view kOutsideContent = "3 校外活動・その他 校外活動.txt";
inline constexpr std::string_view kFutureWorkContent = "3 校外活動・その他 将来の仕事.txt";
inline constexpr std::string_view kVolunteerContent = "3 校外活動・その他 ボランティア活動.txt";

inline constexpr std::string_view kAllContents[] = {
    kStrengthsContent, kSchoolEventsContent, kInSchoolContent,  kClubContent,
    kOutsideContent,   kFutureWorkContent,   kVolunteerContent,
};

// The code page 932 form of a content name, as the library wants it.
std::string cp932ContentName(std::string_view utf8Name);

} // namespace content

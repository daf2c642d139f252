#pragma once
// A large, made-up content for the benchmarks and the start-up measurement: sentences that read
// like report remarks (kanji and kana words with now and then ASCII or full-width letters and
// digits), each with a flag string. The same seed always gives the same records, on any machine.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace synth {

inline constexpr unsigned kSeed = 20240401;
inline constexpr std::size_t kFlagCount = 27;
inline constexpr double kFlagChance = 0.2;   // each flag position is '1' this often
inline constexpr std::size_t kMinChars = 40; // sentence length in characters, "。" included
inline constexpr std::size_t kMaxChars = 150;

// Words of the vocabulary that a keyword search uses: one found in few sentences, one in many.
inline constexpr std::string_view kRareTerm = "几帳面さ";
inline constexpr std::string_view kCommonTerm = "学校";

// count records of (flag string, sentence), both UTF-8. No field holds a tab, a line break or a
// backslash, so a record is written to a content file as it is.
std::vector<std::pair<std::string, std::string>> makeRecords(std::size_t count, unsigned seed);

// The rare and the common noun in kana: found by the readings of the content (几帳面さ, 学校),
// where the letters hold them nowhere.
inline constexpr std::u16string_view kRareReading = u"きちょうめん";
inline constexpr std::u16string_view kCommonReading = u"がっこう";

// Writes a content file at path with one content per name (UTF-8), each of recordsPerContent
// records made with seed kSeed + its position in contentNamesUtf8; withReadings, also each
// content's readings as the packer stores them, every word read with MeCab once. Throws
// std::runtime_error when the file cannot be written.
void writeContentFile(const std::string& path, const std::vector<std::string>& contentNamesUtf8,
                      std::size_t recordsPerContent, bool withReadings = false);

// The number of characters (code points) of well-formed UTF-8.
std::size_t charCount(std::string_view utf8);

// A field of a record (UTF-8, as written to a content file) as the UTF-16 the library hands out.
// Throws std::invalid_argument when it cannot be decoded.
std::u16string utf16(std::string_view field);

} // namespace synth

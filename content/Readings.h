#pragma once
// The readings of a content's sentences, which the packer makes and stores in the content file
// beside the content, so that a keyword typed in kana finds a sentence written in kanji.
//
// The entry is UTF-8 text with one line for each record of the content, in the same order. A
// line is the sentence's words, each "length:reading" and separated by one space: the length
// of the word as the sentence writes it, in UTF-16 code units, and its reading in hiragana,
// which is empty for a mark of a fact to fill in (〇〇, △) and for what has no reading. So
// "2:あいさつ 1:を" reads 挨拶を.
//
// In memory a reading is one run of UTF-16 units: each word a separator unit that carries the
// word's length in the sentence, then its reading. A search matches a word's beginning on, and
// the lengths lead from a match back to the letters of the sentence it covers.

#include "ContentArray.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace content {

// The entry of a content's readings: this folder and the content's name.
inline constexpr std::string_view kReadingsFolder = "readings/";

// The longest word a reading describes; a longer one is split.
inline constexpr std::size_t kMaxWordUnits = 0x1000;

constexpr char16_t wordSeparator(std::size_t wordUnits)
{
    return static_cast<char16_t>(0xE000 + wordUnits);
}
constexpr bool isWordSeparator(char16_t c)
{
    return c >= 0xE000 && c <= 0xE000 + kMaxWordUnits;
}
constexpr std::size_t wordUnitsOf(char16_t separator)
{
    return static_cast<std::size_t>(separator - 0xE000);
}

struct ReadingWord {
    std::size_t units;   // of the sentence
    std::u16string kana; // hiragana, or empty
};

// One line of the entry for a sentence's words.
std::string readingLine(const std::vector<ReadingWord>& words);

// Reads an entry for the sentences of texts into readings, one item for each; false, with what
// is wrong in problem and readings empty, when a line is malformed, a reading holds what no
// reading may, there are more or fewer lines than sentences, or a line's words are not exactly
// as long as its sentence.
bool parseReadings(std::string_view entry, const ContentArray& texts, ContentArray& readings,
                   std::string& problem);

} // namespace content

#include "Readings.h"

#include "Utf8.h"

#include <charconv>

namespace content {

std::string readingLine(const std::vector<ReadingWord>& words)
{
    std::string line;
    for (const ReadingWord& word : words) {
        if (!line.empty())
            line += ' ';
        line += std::to_string(word.units);
        line += ':';
        line += toUtf8(word.kana);
    }
    return line;
}

namespace {

// Appends one line's words to out; false when the line is malformed. units receives the length
// of the sentence the words describe.
bool parseLine(std::string_view line, std::u16string& out, std::size_t& units, std::string& problem)
{
    units = 0;
    while (!line.empty()) {
        const std::size_t space = line.find(' ');
        const std::string_view word = line.substr(0, space);
        line = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
        const std::size_t colon = word.find(':');
        std::size_t length = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + colon, length);
        if (colon == std::string_view::npos || error != std::errc() || end != word.data() + colon ||
            length == 0 || length > kMaxWordUnits) {
            problem = "a word is not \"length:reading\" with a length of 1 to " +
                      std::to_string(kMaxWordUnits);
            return false;
        }
        units += length;
        out += wordSeparator(length);
        const std::string_view kana = word.substr(colon + 1);
        for (std::size_t pos = 0; pos < kana.size();) {
            char32_t cp = 0;
            if (!readCodePoint(kana, pos, cp) || cp < 0x20 || cp > 0xFFFF ||
                isWordSeparator(static_cast<char16_t>(cp))) {
                problem = "a reading holds what no reading may";
                return false;
            }
            out += static_cast<char16_t>(cp);
        }
    }
    return true;
}

} // namespace

bool parseReadings(std::string_view entry, const ContentArray& texts, ContentArray& readings,
                   std::string& problem)
{
    readings.release();
    readings.reserve(texts.size());
    std::size_t record = 0;
    std::u16string words;
    while (!entry.empty()) {
        const std::size_t end = entry.find('\n');
        const std::string_view line = entry.substr(0, end);
        entry = end == std::string_view::npos ? std::string_view() : entry.substr(end + 1);
        if (record == texts.size()) {
            problem = "more readings than sentences";
            readings.release();
            return false;
        }
        words.clear();
        std::size_t units = 0;
        if (!parseLine(line, words, units, problem)) {
            problem = "line " + std::to_string(record + 1) + ": " + problem;
            readings.release();
            return false;
        }
        if (units != texts[record].size()) {
            problem = "line " + std::to_string(record + 1) + ": the words are " +
                      std::to_string(units) + " units long, the sentence " +
                      std::to_string(texts[record].size());
            readings.release();
            return false;
        }
        readings.append(words);
        ++record;
    }
    if (record != texts.size()) {
        problem = "fewer readings than sentences";
        readings.release();
        return false;
    }
    readings.shrinkToFit();
    return true;
}

} // namespace content

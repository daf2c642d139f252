#include "Reader.h"

#include "content/Folding.h"
#include "content/Utf8.h"

#include <mecab.h>

namespace pack {

namespace {

// The fields of a word in the IPA dictionary: part of speech first, the reading eighth.
constexpr std::size_t kPartOfSpeechField = 0;
constexpr std::size_t kReadingField = 7;

std::string_view field(std::string_view features, std::size_t index)
{
    for (std::size_t i = 0; i < index; ++i) {
        const std::size_t comma = features.find(',');
        if (comma == std::string_view::npos)
            return {};
        features.remove_prefix(comma + 1);
    }
    return features.substr(0, features.find(','));
}

// The reading of one word, folded to hiragana: empty for a sign, a mark of a fact to fill in,
// and a word the dictionary has no reading for unless it is written in kana itself.
std::u16string readingOf(std::u16string_view surface, std::string_view features)
{
    std::u16string reading;
    if (field(features, kPartOfSpeechField) == "記号" ||
        surface.find_first_of(u"〇○△") != std::u16string_view::npos)
        return reading;
    const std::string_view written = field(features, kReadingField);
    std::u16string decoded;
    if (!written.empty() && written != "*" && content::toUtf16(written, decoded))
        reading = content::foldUnits(decoded);
    else
        reading = content::foldUnits(surface);
    return content::isKanaWord(reading) ? reading : std::u16string();
}

std::size_t utf16Length(std::string_view utf8)
{
    std::u16string units;
    return content::toUtf16(utf8, units) ? units.size() : 0;
}

} // namespace

std::optional<Reader> Reader::open(const std::string& dictionaryFolder, std::string& problem)
{
    const std::string arguments = "-d " + dictionaryFolder;
    MeCab::Tagger* tagger = MeCab::createTagger(arguments.c_str());
    if (!tagger) {
        problem = "MeCab cannot read the dictionary in " + dictionaryFolder + ": " +
                  MeCab::getTaggerError();
        return std::nullopt;
    }
    return Reader(tagger);
}

Reader::Reader(MeCab::Tagger* tagger) : tagger_(tagger) {}
Reader::Reader(Reader&&) noexcept = default;
Reader& Reader::operator=(Reader&&) noexcept = default;
Reader::~Reader() = default;

std::vector<content::ReadingWord> Reader::words(std::u16string_view sentence) const
{
    std::vector<content::ReadingWord> words;
    // MeCab reads a line: a line break or a tab inside a sentence is a space to it, as long.
    std::string input = content::toUtf8(sentence);
    for (char& c : input) {
        if (c == '\n' || c == '\t' || c == '\r')
            c = ' ';
    }
    // Each word takes the white space before it; what the words leave at the end is a word of
    // its own without a reading.
    std::size_t taken = 0; // bytes of input
    const auto add = [&](std::size_t end, std::u16string reading) {
        std::size_t units = utf16Length(std::string_view(input).substr(taken, end - taken));
        taken = end;
        while (units > 0) {
            const std::size_t part = std::min(units, content::kMaxWordUnits);
            words.push_back({part, std::move(reading)});
            reading.clear();
            units -= part;
        }
    };
    for (const MeCab::Node* node = tagger_->parseToNode(input.c_str()); node; node = node->next) {
        if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE || node->length == 0)
            continue;
        const std::size_t start = static_cast<std::size_t>(node->surface - input.c_str());
        const std::string_view surface(node->surface, node->length);
        std::u16string decoded;
        content::toUtf16(surface, decoded);
        add(start + node->length, readingOf(decoded, node->feature ? node->feature : ""));
    }
    if (taken < input.size())
        add(input.size(), {});
    return words;
}

std::u16string Reader::reading(std::u16string_view phrase) const
{
    std::u16string whole;
    for (const content::ReadingWord& word : words(phrase)) {
        if (word.kana.empty())
            return {};
        whole += word.kana;
    }
    return whole;
}

} // namespace pack

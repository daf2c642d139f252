#pragma once
// Reads sentences with MeCab and its IPA dictionary: each word's length in the sentence and its
// reading in hiragana, as the content file stores them (content/Readings.h). The program itself
// needs no dictionary: it finds the readings in the content file.

#include "content/Readings.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace MeCab {
class Tagger;
}

namespace pack {

class Reader {
public:
    // A reader with the dictionary in dictionaryFolder; none, with what is wrong in problem,
    // when MeCab cannot start with it.
    static std::optional<Reader> open(const std::string& dictionaryFolder, std::string& problem);
    Reader(Reader&&) noexcept;
    Reader& operator=(Reader&&) noexcept;
    ~Reader();

    // The words of a sentence, together exactly as long as it. The marks of facts to fill in
    // (〇〇, △), signs and what the dictionary cannot read have an empty reading.
    std::vector<content::ReadingWord> words(std::u16string_view sentence) const;
    // The whole reading of a word or phrase, in hiragana; empty when a part of it has none.
    std::u16string reading(std::u16string_view phrase) const;

private:
    explicit Reader(MeCab::Tagger* tagger);
    std::unique_ptr<MeCab::Tagger> tagger_;
};

} // namespace pack

#include "Keywords.h"

namespace walk {

namespace {

// What a key can type into the keyword box: no control characters, no halves of a pair, and
// no spaces, which would split the word.
bool typeable(char16_t c)
{
    return c >= 0x20 && c != 0x7F && !(c >= 0xD800 && c <= 0xDFFF) && c != u' ' && c != u'\u3000';
}

} // namespace

KeywordMaker::KeywordMaker(const Contents& contents, std::mt19937_64& random) : random_(random)
{
    for (const Content& content : contents) {
        for (const Record& record : content) {
            if (!record.text.empty())
                sentences_.push_back(record.text);
        }
    }
}

// Each draw from the generator is a statement of its own, so one seed gives the same keywords
// in every build.
Text KeywordMaker::next()
{
    const std::size_t form = pick(20);
    if (form < 6)
        return word();
    if (form < 10) {
        Text keyword = word();
        keyword += pick(2) ? u" " : u"\u3000";
        if (pick(3) == 0)
            keyword += u" ";
        keyword += word();
        return keyword;
    }
    if (form < 13) {
        Text keyword = pad();
        keyword += word();
        if (pick(2)) {
            keyword += u"\u3000";
            keyword += word();
        }
        keyword += pad();
        return keyword;
    }
    if (form == 13)
        return kPlaceholder;
    if (form == 14) {
        Text keyword = pad();
        keyword += kPlaceholder;
        keyword += pad();
        return keyword;
    }
    if (form < 17)
        return Text();
    if (form == 17)
        return pad();
    return word() + u"ΩΩ"; // found nowhere
}

Text KeywordMaker::word()
{
    for (int attempt = 0; attempt < 20 && !sentences_.empty(); ++attempt) {
        const Text& sentence = sentences_[pick(sentences_.size())];
        const std::size_t start = pick(sentence.size());
        const std::size_t length = 1 + pick(4);
        Text piece;
        for (std::size_t i = start; i < sentence.size() && piece.size() < length; ++i) {
            if (!typeable(sentence[i]))
                break;
            piece += sentence[i];
        }
        if (!piece.empty())
            return piece;
    }
    return u"行事";
}

Text KeywordMaker::pad()
{
    static const std::vector<Text> kPads = {u" ", u"\u3000", u"  ", u"\u3000 ", u"\u2003"};
    return kPads[pick(kPads.size())];
}

} // namespace walk

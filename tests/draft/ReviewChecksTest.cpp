// The second look at a remark, over a list written here: endings two sentences in a row share,
// listed words (the longest at a place), and words that stand three times or more.

#include "draft/ReviewChecks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const content::ReviewWords& testList()
{
    static const content::ReviewWords words = [] {
        std::vector<content::ListProblem> problems;
        content::ReviewWords list =
            content::ReviewWords::parse("# endings\n"
                                        "ending\tている\tsame ending\n"
                                        "ending\tできた\tsame ending\n"
                                        "ending\tことができた\tsame ending\n"
                                        "word\t様々な\tvague\n"
                                        "word\tと言われ\thearsay\n"
                                        "word\tと言われている\thearsay, longer\n"
                                        "repeat\t3\trepeated\n",
                                        problems);
        EXPECT_TRUE(problems.empty());
        return list;
    }();
    return words;
}

// The findings one after the other: kind, length of the word, reason and each place.
std::string described(std::u16string_view text)
{
    std::string out;
    for (const draft::ReviewFinding& finding : draft::reviewRemark(text, testList())) {
        using Kind = content::ReviewWords::Kind;
        out += finding.kind == Kind::Ending ? "ending"
               : finding.kind == Kind::Word ? "word"
                                            : "repeat";
        out += ' ' + std::to_string(finding.word.size()) + ':' + finding.reason;
        for (const draft::Span& place : finding.places)
            out += " @" + std::to_string(place.position) + '+' + std::to_string(place.length);
        out += "; ";
    }
    return out;
}

} // namespace

TEST(ReviewChecks, FindsWhatTheListNamesAndNothingElse)
{
    const struct {
        std::u16string text;
        std::string found;
    } cases[] = {
        // clang-format off
        {u"", ""},
        {u"努力している。工夫している。",            "ending 3:same ending @3+3 @10+3; "},
        {u"努力している。参加した。工夫している。",  ""},  // not in a row
        {u"努力している。工夫してい",                ""},  // the second is not ended yet
        {u"支えている\n「励ましている」。",          "ending 3:same ending @2+3 @10+3; "}, // a line ends one
        {u"完走することができた。参加できた。",      "ending 3:same ending @7+3 @13+3; "}, // the ending both share
        {u"得ることができた。学ぶことができた。",    "ending 6:same ending @2+6 @11+6; "},
        {u"様々な場面と言われている。",              "word 3:vague @0+3; word 7:hearsay, longer @5+7; "},
        {u"と言われる",                              "word 4:hearsay @0+4; "},
        {u"積極的に、積極的で、積極的な",            "repeat 3:repeated @0+3 @5+3 @10+3; "},
        {u"積極的に、積極的で",                      ""},  // twice is no repeat
        {u"部活動と活動と活動",                      ""},  // a run is a word of its own
        {u"リーダーのリーダーとリーダー",            "repeat 4:repeated @0+4 @5+4 @10+4; "},
        {u"𠮷田と𠮷田と𠮷田",                        "repeat 3:repeated @0+3 @4+3 @8+3; "}, // outside the BMP
        {u"〇〇大会、〇〇大会、〇〇大会",            "repeat 2:repeated @2+2 @7+2 @12+2; "}, // marks are no word
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(described(c.text), c.found) << c.text.size() << " units";
}

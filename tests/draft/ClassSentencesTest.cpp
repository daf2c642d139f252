// Which sentences of a text another student's remark holds: whole sentences only, wherever they
// stand, with every student who has them; a sentence shorter than a phrase is never reported.

#include "draft/ClassSentences.h"

#include <gtest/gtest.h>

namespace {

TEST(ClassSentences, FindsWholeSentencesOfOtherRemarksWithWhoseTheyAre)
{
    draft::ClassSentences others;
    others.setRemarks({
        {12, u"部活動では主将を務めた。\n以上。"},
        {5, u"責任感が強い。部活動では主将を務めた。最後まで諦めずに取り組んだ"},
        {12, u"部活動では主将を務めた。"},
    });
    struct Case {
        const char16_t* text;
        std::vector<draft::SharedSentence> expected;
    };
    // clang-format off
    const Case cases[] = {
        {u"部活動では主将を務めた。",                 {{{0, 12}, {5, 12}}}},
        {u"　明るい。\n　部活動では主将を務めた。 ",   {{{7, 12}, {5, 12}}}},
        {u"最後まで諦めずに取り組んだ！以上。",       {}},
        {u"最後まで諦めずに取り組んだ",               {{{0, 13}, {5}}}},
        {u"責任感が強い。以上。",                     {}},
        {u"彼は部活動では主将を務めた。",             {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const std::vector<draft::SharedSentence> found = others.find(c.text);
        ASSERT_EQ(found.size(), c.expected.size()) << std::u16string_view(c.text).size();
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].place, c.expected[i].place);
            EXPECT_EQ(found[i].numbers, c.expected[i].numbers);
        }
    }
}

} // namespace

// What the draft measures in a remark: the length as the form counts it, the marks of facts
// still to fill in, and where the terms of a search stand.

#include "draft/RemarkText.h"

#include <gtest/gtest.h>

using draft::Span;

TEST(RemarkText, CountsCharactersAsTheFormDoes)
{
    const struct {
        std::u16string text;
        std::size_t count;
    } cases[] = {
        {u"", 0},
        {u"責任感がある。", 7},
        {u"😀と😀", 3},                              // a pair of surrogates is one character
        {u"一行目\n二行目\r\n三\u2029", 7},        // no line break counts, whatever its kind
        {{u'a', char16_t(0xD800), u'b'}, 3},       // a half pair on its own still takes a cell
        {{char16_t(0xDC00), char16_t(0xD800)}, 2}, // halves in the wrong order are two
    };
    for (const auto& c : cases)
        EXPECT_EQ(draft::countCharacters(c.text), c.count) << c.text.size() << " units";
}

TEST(RemarkText, FindsTheMarksOfFactsStillToFillIn)
{
    const struct {
        std::u16string text;
        std::vector<Span> marks;
    } cases[] = {
        {u"〇〇大会でベスト△", {{0, 2}, {8, 1}}},
        {u"評定平均値△.△", {{5, 1}, {7, 1}}},
        {u"〇一つは印ではない", {}},
        {u"〇〇〇", {{0, 2}}},
        {u"〇〇〇〇検定", {{0, 2}, {2, 2}}},
        {u"○○は別の丸", {}}, // U+25CB is not the mark
    };
    for (const auto& c : cases)
        EXPECT_EQ(draft::findPlaceholders(c.text), c.marks) << c.text.size() << " units";
}

TEST(RemarkText, FindsEveryTermOnceTheFirstOfTwoOverlappingWins)
{
    const std::u16string text = u"部活動と部活と活動";
    EXPECT_EQ(draft::findTerms(text, {u"部活"}), (std::vector<Span>{{0, 2}, {4, 2}}));
    EXPECT_EQ(draft::findTerms(text, {u"活動", u"部活動"}),
              (std::vector<Span>{{0, 3}, {7, 2}})); // 活動 inside 部活動 is covered
    EXPECT_EQ(draft::findTerms(text, {u"", u"野球"}), std::vector<Span>{});
}

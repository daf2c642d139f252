// How a remark falls into the form's box: the width of each character, line breaks, full lines
// and what falls past the last line.

#include "draft/BoxLayout.h"

#include <gtest/gtest.h>

#include <string>

TEST(BoxLayout, FallsIntoTheBoxAsTheFormPrintsIt)
{
    constexpr std::size_t kAll = std::u16string::npos; // everything fits
    const struct {
        std::u16string text;
        draft::BoxSize box;
        std::size_t lines;
        std::size_t overflowAt;
        std::size_t past;
    } cases[] = {
        // clang-format off
        {u"",                   {3, 2}, 0, kAll, 0},
        {u"あいう",             {3, 2}, 1, kAll, 0}, // a line exactly full
        {u"あいう\nえ",         {3, 2}, 2, kAll, 0}, // its break adds no blank line
        {u"あいうえ",           {3, 2}, 2, kAll, 0},
        {u"abcdef",             {3, 2}, 1, kAll, 0}, // half-width counts half
        {u"abcdefg",            {3, 2}, 2, kAll, 0},
        {u"ｱｲｳｴｵｶ",             {3, 2}, 1, kAll, 0}, // half-width katakana too
        {u"あいaう",            {3, 2}, 2, kAll, 0}, // a full-width character never splits
        {u"あいうえおか\n",     {3, 2}, 2, kAll, 0}, // a break at the end starts no line
        {u"あ\n\nい",           {3, 2}, 3, 3,    1}, // a blank line takes a line
        {u"あいうえおかき",     {3, 2}, 3, 6,    1},
        {u"あいうえおか\r\nき", {3, 2}, 3, 8,    1}, // CR LF is one break
        {u"あい😀う",           {3, 2}, 2, kAll, 0}, // outside the BMP: one full-width character
        {u"ああ😀い",           {1, 2}, 4, 2,    2}, // past from the pair's first half, counted once
        {u"ab\nc\nd",           {38, 10}, 3, kAll, 0},
        // clang-format on
    };
    for (const auto& c : cases) {
        const draft::BoxFit fit = draft::fitInBox(c.text, c.box);
        const std::size_t overflowAt = c.overflowAt == kAll ? c.text.size() : c.overflowAt;
        EXPECT_EQ(fit.lines, c.lines) << c.text.size() << " units";
        EXPECT_EQ(fit.overflowAt, overflowAt) << c.text.size() << " units";
        EXPECT_EQ(fit.charactersPast, c.past) << c.text.size() << " units";
    }
}

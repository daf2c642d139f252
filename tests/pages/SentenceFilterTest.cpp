#include "pages/SentenceFilter.h"
#include "pages/SubstringSearch.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace pages;

namespace {

std::vector<std::u16string_view> views(const StringArray& strings)
{
    return {strings.begin(), strings.end()};
}

StringArray texts(const MatchList& matches)
{
    return {matches.matchTexts.begin(), matches.matchTexts.end()};
}

StringArray keywordSearch(const StringArray& sentences, std::u16string_view keyword)
{
    const StringArray flags(sentences.size(), u"");
    MatchList matches;
    FilterSentences(sentences, flags, -1, keyword, matches);
    EXPECT_EQ(matches.matchCount, static_cast<int>(matches.matchTexts.size()));
    return texts(matches);
}

} // namespace

TEST(SplitAtChar, KeepsInnerAndLeadingEmptyPiecesButNoTrailingOne)
{
    EXPECT_EQ(SplitAtChar(u"a b", u" "), (StringArray{u"a", u"b"}));
    EXPECT_EQ(SplitAtChar(u" a", u" "), (StringArray{u"", u"a"}));
    EXPECT_EQ(SplitAtChar(u"a  b", u" "), (StringArray{u"a", u"", u"b"}));
    EXPECT_EQ(SplitAtChar(u"a ", u" "), (StringArray{u"a"}));
    EXPECT_EQ(SplitAtChar(u"", u" "), StringArray{});
    EXPECT_EQ(SplitAtChar(u"a,b c", u", "), (StringArray{u"a", u"b c"}))
        << "only the first character of the delimiter counts";
}

TEST(KeywordTerms, SplitsAtBothSpacesAndDropsEmptyPieces)
{
    EXPECT_EQ(KeywordTerms(u"  責任感\u3000\u3000協調性 a\u3000 "),
              (StringArray{u"責任感", u"協調性", u"a"}));
    EXPECT_EQ(KeywordTerms(u" \u3000 "), StringArray{});
}

TEST(KeywordTrim, RemovesUnicodeWhiteSpaceAtBothEndsOnly)
{
    EXPECT_EQ(TrimWhiteSpace(u" \u3000\t\n\r\v\f\u00A0\u2003責任 感\u3000\u205F "), u"責任 感");
    EXPECT_EQ(TrimWhiteSpace(u"\u200B責任\u200B"), u"\u200B責任\u200B")
        << "a zero width space is not white space";
    EXPECT_TRUE(IsRejectedKeyword(TrimWhiteSpace(u" \u3000 ")));
    EXPECT_TRUE(IsRejectedKeyword(TrimWhiteSpace(u"\u3000キーワード検索 ")));
    EXPECT_TRUE(IsRejectedKeyword(TrimWhiteSpace(u"キーワード検索")));
    EXPECT_FALSE(IsRejectedKeyword(TrimWhiteSpace(u"キーワード 検索")));
}

TEST(KeywordFilter, FindsSentencesHoldingEveryTermInAnyOrder)
{
    const StringArray sentences{u"責任感が強く協調性もある", u"協調性があり責任感も強い",
                                u"責任感が強い", u"協調性がある"};
    EXPECT_EQ(keywordSearch(sentences, u"協調性 責任感"),
              (StringArray{u"責任感が強く協調性もある", u"協調性があり責任感も強い"}));
    EXPECT_EQ(keywordSearch(sentences, u"責任感\u3000協調性"),
              (StringArray{u"責任感が強く協調性もある", u"協調性があり責任感も強い"}));
    EXPECT_EQ(
        keywordSearch(sentences, u"責任感"),
        (StringArray{u"責任感が強く協調性もある", u"協調性があり責任感も強い", u"責任感が強い"}));
    EXPECT_EQ(keywordSearch(sentences, u"誠実"), StringArray{});
}

TEST(KeywordFilter, ComparesCodeUnitsExactly)
{
    const StringArray sentences{u"PC検定", u"ＰＣ検定", u"pc", u"カタカナ", u"かたかな"};
    EXPECT_EQ(keywordSearch(sentences, u"pc"), StringArray{u"pc"});
    EXPECT_EQ(keywordSearch(sentences, u"PC"), StringArray{u"PC検定"});
    EXPECT_EQ(keywordSearch(sentences, u"ＰＣ"), StringArray{u"ＰＣ検定"});
    EXPECT_EQ(keywordSearch(sentences, u"かな"), StringArray{u"かたかな"});
}

TEST(KeywordFilter, KeepsTheFlagStringOfEachMatch)
{
    const StringArray sentences{u"a", u"ab", u"b"};
    const StringArray flags{u"1", u"01", u"001"};
    MatchList matches;
    FilterSentences(sentences, flags, 0, u"b", matches);
    EXPECT_EQ(texts(matches), (StringArray{u"ab", u"b"}));
    EXPECT_EQ(StringArray(matches.matchFlags.begin(), matches.matchFlags.end()),
              (StringArray{u"01", u"001"}))
        << "the code plays no part in keyword mode";
}

TEST(SubstringSearch, FindsRunsAtEveryPositionAndLength)
{
    // Long enough for the eight-wide steps, with matches at the start, the tail and the end.
    std::u16string text;
    for (int i = 0; i < 40; ++i)
        text += static_cast<char16_t>(u'あ' + i);
    for (std::size_t start = 0; start < text.size(); ++start) {
        for (std::size_t length = 1; start + length <= text.size(); length += 3) {
            ASSERT_TRUE(containsRun(text, text.substr(start, length)))
                << "start " << start << " length " << length;
        }
    }
    EXPECT_FALSE(containsRun(text, u"あう"));
    EXPECT_FALSE(containsRun(text, text + u"x"));
    EXPECT_FALSE(containsRun(u"ああああああああああああああああい", u"あい\u3042"));
    EXPECT_TRUE(containsRun(u"ababababababababababababc", u"abc"));
    EXPECT_TRUE(containsRun(u"x", u""));
}

TEST(CategoryFilter, AFlagIsExactlyTheCharacterOneAtItsPosition)
{
    EXPECT_TRUE(HasFlag(u"001", 2));
    EXPECT_FALSE(HasFlag(u"001", 3)) << "a flag string shorter than the position";
    EXPECT_FALSE(HasFlag(u"002", 2));
    EXPECT_FALSE(HasFlag(u"１", 0)) << "a full-width one is not a one";
    EXPECT_FALSE(HasFlag(u"1", -1));

    const StringArray sentences{u"s0", u"s1", u"s2", u"s3"};
    const StringArray flags{u"0000000001", u"000000000", u"1111111111", u"0000000002"};
    MatchList matches;
    FilterSentences(sentences, flags, 9, u"", matches);
    EXPECT_EQ(texts(matches), (StringArray{u"s0", u"s2"}));
    EXPECT_EQ(matches.matchCount, 2);
}

TEST(CategoryFilter, TheChainIsTheAndOfItsCodesInContentOrder)
{
    const StringArray sentences{u"a", u"b", u"c", u"d", u"e"};
    const StringArray flags{u"1100", u"1010", u"1110", u"0110", u"111"};
    MatchList matches;
    const std::uint8_t both[] = {0, 1};
    FilterByCodes(sentences, flags, both, matches);
    EXPECT_EQ(texts(matches), (StringArray{u"a", u"c", u"e"}));

    const std::uint8_t three[] = {2, 0, 1};
    FilterByCodes(sentences, flags, three, matches);
    EXPECT_EQ(texts(matches), (StringArray{u"c", u"e"})) << "the order of codes does not matter";
    EXPECT_EQ(matches.matchFlags.size(), 2u);
    EXPECT_EQ(matches.matchCount, 2);

    const std::uint8_t withShortFlag[] = {0, 3};
    FilterByCodes(sentences, flags, withShortFlag, matches);
    EXPECT_EQ(matches.matchCount, 0);

    FilterByCodes(sentences, flags, std::span<const std::uint8_t>(), matches);
    EXPECT_EQ(matches.matchCount, 0) << "no category chosen lists nothing, not everything";
}

TEST(CategoryFilter, OccurringCodesAreThoseMarkedInSomeMatch)
{
    const StringArray flags{u"0010", u"0001", u"01"};
    const int codes[] = {0, 1, 2, 3, 7};
    EXPECT_EQ(OccurringCodes(views(flags), codes),
              (std::vector<bool>{false, true, true, true, false}));
    EXPECT_EQ(OccurringCodes({}, codes), std::vector<bool>(5, false));
}

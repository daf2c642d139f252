// The filter over contents as the pages keep them (one buffer per content) against the same
// filter over one string per sentence, and the AND chain narrowed click by click against the
// chain scanned afresh: on hand-made records, the sample content and a large synthetic one.

#include "SyntheticContent.h"
#include "content/RecordFormat.h"
#include "pages/SentenceFilter.h"
#include "pages/SentenceSearch.h"
#include "pages/SubstringSearch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

using namespace pages;

namespace {

using synth::utf16;

struct Content {
    std::string name;
    StringArray texts; // one string per item: the reference
    StringArray flags;
    ContentArray packedTexts; // what the pages hold
    ContentArray packedFlags;
};

Content makeContent(std::string name, StringArray texts, StringArray flags)
{
    Content c{std::move(name), std::move(texts), std::move(flags), {}, {}};
    for (const std::u16string& text : c.texts)
        c.packedTexts.append(text);
    for (const std::u16string& flag : c.flags)
        c.packedFlags.append(flag);
    return c;
}

std::vector<Content> sampleContents()
{
    std::vector<Content> contents;
    for (const auto& entry : std::filesystem::directory_iterator(SAMPLE_DATA)) {
        if (entry.path().extension() != ".txt")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        StringArray texts, flags;
        content::forEachLine(bytes.str(), [&](std::size_t, std::string_view line) {
            content::RawRecord record;
            EXPECT_EQ(content::parseLine(line, record), content::LineError::None) << line;
            flags.push_back(utf16(record.flags));
            texts.push_back(utf16(record.text));
            return true;
        });
        contents.push_back(makeContent(entry.path().filename().string(), texts, flags));
    }
    EXPECT_EQ(contents.size(), 7u);
    return contents;
}

const std::vector<Content>& allContents()
{
    static const std::vector<Content> contents = [] {
        std::vector<Content> all = sampleContents();
        StringArray texts, flags;
        // More records than a keyword search takes on one thread, and not a whole number of
        // its blocks, so that the search in two halves is compared too.
        for (const auto& [flagString, text] : synth::makeRecords(40000, synth::kSeed)) {
            flags.push_back(utf16(flagString));
            texts.push_back(utf16(text));
        }
        all.push_back(makeContent("synthetic", texts, flags));
        return all;
    }();
    return contents;
}

// The list as the texts it names and where they lie: equal lists hold the very same views.
std::vector<std::pair<const char16_t*, std::size_t>>
where(const std::vector<std::u16string_view>& list)
{
    std::vector<std::pair<const char16_t*, std::size_t>> out;
    for (const std::u16string_view item : list)
        out.emplace_back(item.data(), item.size());
    return out;
}

StringArray strings(const std::vector<std::u16string_view>& list)
{
    return {list.begin(), list.end()};
}

} // namespace

TEST(SubstringSearch, FindsEveryPlaceANaiveSearchFindsInOrder)
{
    // A haystack of 100 units with the needle at every position in turn, alone and beside a
    // second copy: across the blocks of eight and of 32 units the search reads at a time.
    struct Case {
        std::u16string needle;
        std::size_t gap; // from one copy's start to the next one's; 0 for one copy
    };
    const Case cases[] = {{u"ab", 0},        {u"ab", 2},
                          {u"ab", 31},       {u"aa", 1},
                          {u"a", 0},         {u"漢字です", 0},
                          {u"です漢字", 33}, {u"xyzxyzxyzxyzxyzxyzxyzxyzxyzxyzxyzxyz", 0}};
    for (const Case& c : cases) {
        for (std::size_t p = 0; p + c.needle.size() <= 100; ++p) {
            std::u16string hay(100, u'.');
            hay.replace(p, c.needle.size(), c.needle);
            if (c.gap > 0 && p + c.gap + c.needle.size() <= 100)
                hay.replace(p + c.gap, c.needle.size(), c.needle);
            std::vector<std::size_t> naive, found;
            for (std::size_t at = hay.find(c.needle); at != std::u16string::npos;
                 at = hay.find(c.needle, at + 1))
                naive.push_back(at);
            for (std::size_t at = pages::findRun(hay, c.needle); at != std::u16string::npos;
                 at = pages::findRun(hay, c.needle, at + 1))
                found.push_back(at);
            ASSERT_EQ(found, naive) << "at " << p;
        }
    }
}

TEST(KeywordOverOneBuffer, FindsWhatASearchOfEachSentenceFinds)
{
    struct Case {
        StringArray texts;
        StringArray flags;
        std::u16string keyword;
        StringArray expected;
    };
    const Case cases[] = {
        // An occurrence across the end of one sentence and the start of the next is none.
        {{u"xxa", u"bxx"}, {u"", u""}, u"ab", {}},
        // The first occurrence runs on into the next sentence; a later sentence holds one.
        {{u"a", u"bab", u"c"}, {u"", u"", u""}, u"ab", {u"bab"}},
        // Empty sentences around it, and occurrences at the very start and end of the buffer.
        {{u"", u"abq", u"", u"", u"qab", u""},
         {u"", u"", u"", u"", u"", u""},
         u"ab",
         {u"abq", u"qab"}},
        // A sentence with the term twice is listed once; the other term decides.
        {{u"責任感と責任感", u"責任感と協調性", u"協調性"},
         {u"", u"", u""},
         u"責任感 協調性",
         {u"責任感と協調性"}},
        // The longest term is looked for first; the short one must still hold.
        {{u"長い言葉だけ", u"長い言葉と短", u"短"},
         {u"", u"", u""},
         u"短 長い言葉",
         {u"長い言葉と短"}},
        // A term longer than every sentence.
        {{u"ab", u"cd"}, {u"", u""}, u"abcd", {}},
        // Sentences without a flag string are not searched.
        {{u"ab", u"ab", u"ab"}, {u"1", u"1"}, u"ab", {u"ab", u"ab"}},
        // Eight units at a time: a match just past a block of eight, and a first unit everywhere.
        {{u"aaaaaaaaaaaaaaaab", u"aaaaaaaa", u"ab"},
         {u"", u"", u""},
         u"ab",
         {u"aaaaaaaaaaaaaaaab", u"ab"}},
    };
    for (const Case& c : cases) {
        const Content content = makeContent("case", c.texts, c.flags);
        MatchList reference, packed;
        FilterSentences(content.texts, content.flags, 0, c.keyword, reference);
        FilterSentences(content.packedTexts, content.packedFlags, 0, c.keyword, packed);
        EXPECT_EQ(strings(reference.matchTexts), c.expected) << "reference";
        EXPECT_EQ(strings(packed.matchTexts), c.expected);
        EXPECT_EQ(strings(packed.matchFlags), strings(reference.matchFlags));
        EXPECT_EQ(packed.matchCount, static_cast<int>(c.expected.size()));
    }
}

TEST(KeywordOverOneBuffer, MarksTheSentencesASearchOfEachSentenceFinds)
{
    // Sentences of three letters, so that occurrences and near misses abound, with lengths on
    // both sides of a word of 64 marks, of two and three words, and of the 4,096 units searched
    // at a time; the last ones end the buffer, where the search reads one position at a time.
    // clang-format off
    const std::size_t lengths[] = {0, 1, 2, 3, 5, 31, 63, 64, 65, 127, 128, 129, 130, 200, 4095,
                                   4096, 4097, 9000};
    // clang-format on
    const char16_t letters[] = {u'a', u'b', u'漢'};
    std::mt19937 random(20241207);
    std::u16string units;
    std::vector<std::uint32_t> starts = {0};
    for (int i = 0; i < 3000; ++i) {
        const std::size_t length =
            i % 5 == 0 ? lengths[random() % std::size(lengths)] : random() % 140;
        for (std::size_t k = 0; k < length; ++k)
            units += letters[random() % 3];
        if (i == 1500)
            units += std::u16string(300, u'b'); // for the longest needle, across many words
        if (i == 2500) // an occurrence only in the middle of a sentence several words long
            units += std::u16string(200, u'a') + u"xyz" + std::u16string(200, u'a');
        starts.push_back(static_cast<std::uint32_t>(units.size()));
    }
    // Needles of one unit, of two (both compared everywhere) and longer ones, which are
    // compared whole only where their anchor and last unit are in place.
    // clang-format off
    const std::u16string needles[] = {u"a",   u"漢", u"ab",       u"漢a",
                                      u"a漢b", u"aba", u"漢ba漢", u"abababab",
                                      u"y",    u"xyz", std::u16string(78, u'b')};
    // clang-format on
    // Every way of marking the processor running the tests has, whichever it would choose.
    for (const unsigned registerBits : {256u, 128u})
        for (const std::u16string& needle : needles) {
            SCOPED_TRACE(std::to_string(registerBits) + "-bit registers at most");
            std::vector<std::uint64_t> holds;
            markSentencesHolding(units, starts, needle, holds, registerBits);
            ASSERT_EQ(holds.size(), (starts.size() - 1 + 63) / 64);
            std::size_t held = 0;
            for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
                const std::u16string_view sentence =
                    std::u16string_view(units).substr(starts[i], starts[i + 1] - starts[i]);
                const bool expected = sentence.find(needle) != std::u16string_view::npos;
                ASSERT_EQ((holds[i / 64] >> (i % 64)) & 1, expected)
                    << "sentence " << i << " of " << sentence.size() << " units, needle of "
                    << needle.size();
                held += expected;
            }
            EXPECT_EQ(holds.back() >> ((starts.size() - 1) % 64), 0u) << "bits past the last";
            EXPECT_GT(held, 0u) << "a needle no sentence holds tests little";
        }
}

TEST(KeywordOverOneBuffer, AgreesWithTheSearchOfEachSentenceOnRealAndSyntheticContents)
{
    const std::u16string keywords[] = {utf16(synth::kRareTerm),
                                       utf16(synth::kCommonTerm),
                                       utf16(synth::kRareTerm) + u" " + utf16(synth::kCommonTerm),
                                       u"。",
                                       u"に取り組",
                                       u"PC",
                                       u"ＰＣ",
                                       u"部活動\u3000責任感",
                                       u"存在しない言葉"};
    for (const Content& content : allContents()) {
        for (const std::u16string& keyword : keywords) {
            MatchList reference, packed;
            FilterSentences(content.texts, content.flags, 0, keyword, reference);
            FilterSentences(content.packedTexts, content.packedFlags, 0, keyword, packed);
            ASSERT_EQ(strings(packed.matchTexts), strings(reference.matchTexts)) << content.name;
            ASSERT_EQ(strings(packed.matchFlags), strings(reference.matchFlags)) << content.name;
        }
    }
}

TEST(CategoryOverOneBuffer, ListsWhatTheFilterOfEachFlagStringLists)
{
    // 130 records: past two blocks of 64; every third flag string is shorter on mixed lengths.
    StringArray texts, uniform, mixed, empty;
    for (int i = 0; i < 130; ++i) {
        texts.push_back(u"s" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
        std::u16string flags = {i % 2 ? u'1' : u'0', i % 3 ? u'1' : u'0', i % 7 ? u'0' : u'1'};
        uniform.push_back(flags);
        mixed.push_back(i % 3 ? flags : flags.substr(0, 1));
        empty.push_back(u"");
    }
    struct Case {
        const char* what;
        const StringArray& flags;
        std::size_t records; // texts beyond the flag strings are never listed
        int code;
    };
    const Case cases[] = {
        {"uniform, first position", uniform, 130, 0},
        {"uniform, last position", uniform, 130, 2},
        {"uniform, past the end", uniform, 130, 3},
        {"uniform, negative", uniform, 130, -1},
        {"mixed, inside every string", mixed, 130, 0},
        {"mixed, past the short ones", mixed, 130, 2},
        {"all empty", empty, 130, 0},
        {"fewer flag strings than texts", uniform, 65, 1},
        {"one record", mixed, 1, 0},
    };
    for (const Case& c : cases) {
        const Content content =
            makeContent("case", texts, StringArray(c.flags.begin(), c.flags.begin() + c.records));
        MatchList reference, packed;
        FilterSentences(content.texts, content.flags, c.code, u"", reference);
        FilterSentences(content.packedTexts, content.packedFlags, c.code, u"", packed);
        EXPECT_EQ(strings(packed.matchTexts), strings(reference.matchTexts)) << c.what;
        EXPECT_EQ(strings(packed.matchFlags), strings(reference.matchFlags)) << c.what;
        EXPECT_EQ(packed.matchCount, reference.matchCount) << c.what;
    }
    MatchList reference;
    FilterSentences(texts, uniform, 1, u"", reference);
    EXPECT_EQ(reference.matchCount, 86) << "i % 3 != 0 for 86 of 130";
}

TEST(AndChain, NarrowingClickByClickGivesTheListOfAFreshScan)
{
    // Each step is the chain after one click: boxes checked and unchecked in turn, as a teacher
    // does. The first steps start from a single category's list (a job type, an activity).
    using Codes = std::vector<std::uint8_t>;
    const std::vector<std::vector<Codes>> walks = {
        {{0}, {0, 1}, {0, 1, 2}, {0, 2}, {0, 2, 3}, {0}},
        {{3, 1}, {3, 1, 0}, {1, 0, 3, 2}, {2}, {2, 0}},
        {{5}, {5, 5}, {5, 6}, {6, 5, 7}, {}, {7, 8}},
        {{1}, {1, 40}, {1}, {1, 2}},
        {{26}, {26, 25}, {25, 26, 24}, {24}},
    };
    for (const Content& content : allContents()) {
        for (const std::vector<Codes>& walk : walks) {
            MatchList clicked;
            FilterSentences(content.packedTexts, content.packedFlags, walk.front().front(), u"",
                            clicked);
            for (const Codes& codes : walk) {
                MatchList reference, fresh;
                FilterByCodes(content.texts, content.flags, codes, reference);
                FilterByCodes(content.packedTexts, content.packedFlags, codes, fresh);
                FilterByCodes(content.packedTexts, content.packedFlags, codes, clicked);
                ASSERT_EQ(strings(fresh.matchTexts), strings(reference.matchTexts)) << content.name;
                ASSERT_EQ(where(clicked.matchTexts), where(fresh.matchTexts)) << content.name;
                ASSERT_EQ(where(clicked.matchFlags), where(fresh.matchFlags)) << content.name;
                ASSERT_EQ(clicked.matchCount, fresh.matchCount) << content.name;
            }
        }
    }
}

TEST(AndChain, AListOfAnythingElseIsNeverNarrowed)
{
    const Content& first = allContents().front();
    const Content& synthetic = allContents().back();
    const std::uint8_t one[] = {1};
    const std::uint8_t oneAndTwo[] = {1, 2};
    MatchList fresh;
    FilterByCodes(synthetic.packedTexts, synthetic.packedFlags, oneAndTwo, fresh);
    ASSERT_GT(fresh.matchCount, 0);

    // The chain of another content's arrays.
    MatchList other;
    FilterByCodes(first.packedTexts, first.packedFlags, one, other);
    FilterByCodes(synthetic.packedTexts, synthetic.packedFlags, oneAndTwo, other);
    EXPECT_EQ(where(other.matchTexts), where(fresh.matchTexts));

    // A keyword's list over the same arrays.
    MatchList keyword;
    FilterSentences(synthetic.packedTexts, synthetic.packedFlags, 1, utf16(synth::kCommonTerm),
                    keyword);
    FilterByCodes(synthetic.packedTexts, synthetic.packedFlags, oneAndTwo, keyword);
    EXPECT_EQ(where(keyword.matchTexts), where(fresh.matchTexts));

    // A chain with a match appended behind it.
    MatchList appended;
    FilterByCodes(synthetic.packedTexts, synthetic.packedFlags, one, appended);
    appended.append(u"extra", u"111");
    FilterByCodes(synthetic.packedTexts, synthetic.packedFlags, oneAndTwo, appended);
    EXPECT_EQ(where(appended.matchTexts), where(fresh.matchTexts));
}

#include "content/RecordFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace content;

TEST(ParseLine, SplitsAtTheFirstTabAndKeepsEscapesForDecoding)
{
    RawRecord record;
    ASSERT_EQ(parseLine("0101\tA\\tB", record), LineError::None);
    EXPECT_EQ(record.flags, "0101");
    EXPECT_EQ(record.text, "A\\tB");

    ASSERT_EQ(parseLine("\t", record), LineError::None);
    EXPECT_EQ(record.flags, "");
    EXPECT_EQ(record.text, "");
}

TEST(ParseLine, RejectsUnreadableLines)
{
    RawRecord record;
    EXPECT_EQ(parseLine("", record), LineError::MissingTab);
    EXPECT_EQ(parseLine("0101 no tab", record), LineError::MissingTab);
    EXPECT_EQ(parseLine("01\tone\ttwo", record), LineError::ExtraTab);
    EXPECT_EQ(parseLine("01\tends in \\", record), LineError::BadEscape);
    EXPECT_EQ(parseLine("01\t\\x", record), LineError::BadEscape);
    EXPECT_EQ(parseLine("0\\1\ttext", record), LineError::BadEscape);
    EXPECT_EQ(parseLine("01\t\\\\\\\\", record), LineError::None); // two escaped backslashes
}

TEST(ForEachLine, HandlesLineEndsByteOrderMarkAndAMissingLastEnd)
{
    std::vector<std::string> lines;
    forEachLine("\xEF\xBB\xBF"
                "a\r\nb\n\nc",
                [&](std::size_t number, std::string_view line) {
                    lines.push_back(std::to_string(number) + ":" + std::string(line));
                    return true;
                });
    EXPECT_EQ(lines, (std::vector<std::string>{"1:a", "2:b", "3:", "4:c"}));

    lines.clear();
    forEachLine("", [&](std::size_t, std::string_view) {
        lines.emplace_back("called");
        return true;
    });
    EXPECT_TRUE(lines.empty()) << "an empty content has no record";
}

namespace {

struct Decoded {
    DecodeError error;
    std::u16string text;
};

Decoded decode(std::string_view field, std::size_t capacity = 64)
{
    std::u16string out(capacity, u'#');
    std::size_t length = 99;
    const DecodeError error = decodeField(field, out.data(), capacity, length);
    return {error, error == DecodeError::None ? out.substr(0, length) : out};
}

} // namespace

TEST(DecodeField, TurnsEscapesAndUtf8IntoUtf16)
{
    EXPECT_EQ(decode("a\\tb\\nc\\\\d").text, u"a\tb\nc\\d");
    EXPECT_EQ(decode("責任感").text, u"責任感");
    EXPECT_EQ(decode("𠮷").text, u"\U00020BB7"); // a surrogate pair
    EXPECT_EQ(decode("").text, u"");
}

TEST(DecodeField, RejectsMalformedUtf8)
{
    for (const char* bad : {"\x80", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xE3\x81", "\xFF", "ok\xC3"}) {
        const Decoded result = decode(bad);
        EXPECT_EQ(result.error, DecodeError::InvalidUtf8) << "bytes: " << bad;
        EXPECT_EQ(result.text[0], u'\0') << "a failed item leaves the empty string";
    }
}

TEST(DecodeField, NeverWritesPastTheCapacity)
{
    // Three code units need four with the NUL.
    std::u16string buffer(8, u'#');
    std::size_t length;
    EXPECT_EQ(decodeField("abc", buffer.data(), 3, length), DecodeError::TooLarge);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(buffer.substr(3), std::u16string(5, u'#'));
    EXPECT_EQ(decodeField("abc", buffer.data(), 4, length), DecodeError::None);
    EXPECT_EQ(buffer.substr(0, 5), std::u16string(u"abc\0#", 5));

    // A pair that would straddle the end is refused whole.
    std::u16string pair(8, u'#');
    EXPECT_EQ(decodeField("a𠮷", pair.data(), 3, length), DecodeError::TooLarge);
    EXPECT_EQ(pair.substr(3), u"#####");
    EXPECT_EQ(decodeField("x", pair.data(), 0, length), DecodeError::TooLarge);
}

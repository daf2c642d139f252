#include "content/EntryTally.h"
#include "content/RecordFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using content::EntryTally;

TEST(EntryTally, CountsLineEndsAndUtf16UnitsWhereverThePiecesAreCut)
{
    // ASCII, two-, three- and four-byte characters, the highest code point and line ends, over
    // more than 255 blocks of 16 bytes, so every way of counting is used and the counts carried
    // over. Without escapes the count is exact: it must equal the decoded length.
    std::string text;
    while (text.size() < 20'000)
        text += "01\t生徒会の𠮷 é\n\n\xF4\x8F\xBF\xBF x\n";
    std::u16string decoded(text.size() + 1, u'\0');
    std::size_t units = 0;
    ASSERT_EQ(content::decodeField(text, decoded.data(), decoded.size(), units),
              content::DecodeError::None);
    const auto lineEnds = static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n'));

    for (const std::size_t pieceSize :
         {std::size_t{1}, std::size_t{15}, std::size_t{16}, std::size_t{17}, std::size_t{4080},
          std::size_t{4097}, text.size()}) {
        EntryTally tally;
        for (std::size_t at = 0; at < text.size(); at += pieceSize)
            tally.count(std::string_view(text).substr(at, pieceSize));
        EXPECT_EQ(tally.lineEnds, lineEnds) << "pieces of " << pieceSize;
        EXPECT_EQ(tally.utf16Units, units) << "pieces of " << pieceSize;
    }
}

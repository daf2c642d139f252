#include "content/ContentArray.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::u16string> items(const ContentArray& array)
{
    return {array.begin(), array.end()};
}

} // namespace

TEST(ContentArray, HoldsItsItemsOneAfterAnotherWithTheirStarts)
{
    struct Case {
        std::vector<std::u16string> items;
        std::u16string units;
        std::vector<std::uint32_t> starts;
        std::optional<std::size_t> itemLength;
    };
    const Case cases[] = {
        {{}, u"", {}, std::nullopt},
        {{u""}, u"", {0, 0}, 0},
        {{u"10", u"01", u"11"}, u"100111", {0, 2, 4, 6}, 2},
        {{u"責任感", u"", u"ab"}, u"責任感ab", {0, 3, 3, 5}, std::nullopt},
        {{u"", u"x"}, u"x", {0, 0, 1}, std::nullopt},
    };
    for (const Case& c : cases) {
        ContentArray array;
        for (const std::u16string& item : c.items)
            array.append(item);
        EXPECT_EQ(items(array), c.items);
        EXPECT_EQ(array.size(), c.items.size());
        EXPECT_EQ(array.units(), c.units);
        EXPECT_EQ(std::vector<std::uint32_t>(array.starts().begin(), array.starts().end()),
                  c.starts);
        EXPECT_EQ(array.itemLength(), c.itemLength);
    }
}

TEST(ContentArray, KeepsEveryItemWhileItGrowsAndGivesBackTheRoomItDoesNotUse)
{
    ContentArray array;
    std::vector<std::u16string> expected;
    for (int i = 0; i < 300; ++i) { // some 300,000 units: the buffer moves several times
        expected.push_back(std::u16string(static_cast<std::size_t>(i) * 7 % 2000,
                                          static_cast<char16_t>(u'a' + i % 26)));
        array.append(expected.back());
    }
    EXPECT_EQ(items(array), expected);
    EXPECT_GT(array.capacity(), array.units().size());
    array.shrinkToFit();
    EXPECT_EQ(array.capacity(), array.units().size());
    EXPECT_EQ(items(array), expected);

    const ContentArray copy = array;
    EXPECT_EQ(copy, array);
    ContentArray moved = std::move(array);
    EXPECT_EQ(items(moved), expected);
    EXPECT_TRUE(array.empty()) << "a moved-from array is empty and usable";
    array.append(u"again");
    EXPECT_EQ(items(array), std::vector<std::u16string>{u"again"});
    moved.release();
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(moved.capacity(), 0u);
}

TEST(ContentArray, AnItemLongerThanItsRoomIsRefusedAndChangesNothing)
{
    ContentArray array{u"kept"};
    char16_t* room = array.roomForNext(3);
    room[0] = u'x';
    const std::size_t roomLeft = array.capacity() - array.units().size();
    EXPECT_THROW(array.appendWritten(roomLeft + 1), std::length_error);
    EXPECT_EQ(items(array), std::vector<std::u16string>{u"kept"});
    array.appendWritten(1);
    EXPECT_EQ(items(array), (std::vector<std::u16string>{u"kept", u"x"}));
}

#include "pages/BlockByBlock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using pages::searchBlockByBlock;

namespace {

// The search's answer for sentence i, different from one word to the next.
bool found(std::size_t i)
{
    return (i * 7 + i / 64) % 5 < 2;
}

} // namespace

// Whichever thread searched a block, the blocks are listed once each, in order, with the words
// the search left for them, and nothing past the last sentence.
TEST(BlockByBlock, ListsEveryBlockOnceInOrderWithItsWords)
{
    constexpr std::size_t kBlock = 128;
    for (const bool twoThreads : {false, true}) {
        for (const std::size_t count : {0u, 1u, 64u, 128u, 129u, 1000u, 40000u}) {
            std::vector<std::size_t> bases;
            std::vector<std::uint64_t> listed;
            searchBlockByBlock(
                count, kBlock, twoThreads,
                [](std::size_t base, std::size_t sentences, std::vector<std::uint64_t>& holding) {
                    holding.assign((sentences + 63) / 64, 0);
                    for (std::size_t k = 0; k < sentences; ++k)
                        holding[k / 64] |= std::uint64_t{found(base + k)} << (k % 64);
                },
                [&](std::size_t base, std::span<const std::uint64_t> holding) {
                    bases.push_back(base);
                    listed.insert(listed.end(), holding.begin(), holding.end());
                });
            ASSERT_EQ(bases.size(), (count + kBlock - 1) / kBlock) << count;
            for (std::size_t b = 0; b < bases.size(); ++b)
                ASSERT_EQ(bases[b], b * kBlock) << count << (twoThreads ? " on two" : " on one");
            ASSERT_EQ(listed.size(), (count + 63) / 64) << count;
            for (std::size_t i = 0; i < listed.size() * 64; ++i) {
                const bool bit = (listed[i / 64] >> (i % 64)) & 1;
                ASSERT_EQ(bit, i < count && found(i)) << "sentence " << i << " of " << count;
            }
        }
    }
}

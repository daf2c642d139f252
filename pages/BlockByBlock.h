#pragma once
// A search of many sentences done a block of them at a time, on this thread and, where the
// content is large enough to be worth it, on a second one too, while the blocks' results are
// still listed here and in order.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace pages {

// Fills holding with a word for each 64 sentences from base on, bit k of word w for sentence
// base + 64 w + k: whether it was found.
using SearchBlock = std::function<void(std::size_t base, std::size_t sentences,
                                       std::vector<std::uint64_t>& holding)>;
// Takes the words a SearchBlock filled for the block from base on.
using ListBlock = std::function<void(std::size_t base, std::span<const std::uint64_t> holding)>;

// Searches the sentences 0 .. count - 1 in blocks of blockSentences (a multiple of 64) and lists
// every block, in order, on the calling thread. With twoThreads, a second thread takes blocks
// too: whichever thread is free takes the next one, so the one that also lists takes fewer.
void searchBlockByBlock(std::size_t count, std::size_t blockSentences, bool twoThreads,
                        const SearchBlock& search, const ListBlock& list);

} // namespace pages

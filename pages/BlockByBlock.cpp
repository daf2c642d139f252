#include "BlockByBlock.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <system_error>
#include <thread>

namespace pages {

namespace {

// The blocks of one search: each thread takes the next block nobody has taken and leaves its
// words here; the listing thread lists the blocks searched so far, in order.
class Blocks {
public:
    Blocks(std::size_t count, std::size_t blockSentences)
        : count_(count), blockSentences_(blockSentences), wordsPerBlock_(blockSentences / 64),
          blocks_((count + blockSentences - 1) / blockSentences),
          searched_(std::make_unique<std::atomic<bool>[]>(blocks_)),
          words_(blocks_ * wordsPerBlock_)
    {
    }

    // Searches blocks until none is left to take; with list, lists after each the blocks
    // searched by then.
    void searchWhileLeft(const SearchBlock& search, const ListBlock* list)
    {
        std::vector<std::uint64_t> holding;
        for (std::size_t block = next_++; block < blocks_; block = next_++) {
            const std::size_t base = block * blockSentences_;
            search(base, std::min(blockSentences_, count_ - base), holding);
            std::copy_n(holding.begin(), std::min(holding.size(), wordsPerBlock_),
                        words_.begin() + static_cast<std::ptrdiff_t>(block * wordsPerBlock_));
            searched_[block].store(true, std::memory_order_release);
            if (list)
                listSearched(*list);
        }
    }

    // Lists, in order, the blocks not yet listed that have been searched.
    void listSearched(const ListBlock& list)
    {
        for (; listed_ < blocks_ && searched_[listed_].load(std::memory_order_acquire); ++listed_) {
            const std::size_t base = listed_ * blockSentences_;
            const std::size_t words = (std::min(blockSentences_, count_ - base) + 63) / 64;
            list(base, std::span(words_).subspan(listed_ * wordsPerBlock_, words));
        }
    }

private:
    const std::size_t count_;
    const std::size_t blockSentences_;
    const std::size_t wordsPerBlock_;
    const std::size_t blocks_;
    std::atomic<std::size_t> next_{0};
    std::unique_ptr<std::atomic<bool>[]> searched_;
    std::vector<std::uint64_t> words_;
    std::size_t listed_ = 0; // touched by the listing thread only
};

} // namespace

void searchBlockByBlock(std::size_t count, std::size_t blockSentences, bool twoThreads,
                        const SearchBlock& search, const ListBlock& list)
{
    Blocks blocks(count, blockSentences);
    std::jthread helper; // joined however this search ends
    if (twoThreads) {
        try {
            helper = std::jthread([&] { blocks.searchWhileLeft(search, nullptr); });
        } catch (const std::system_error&) {
            // Without a second thread to be had, this one takes every block.
        }
    }
    blocks.searchWhileLeft(search, &list);
    if (helper.joinable())
        helper.join(); // the helper's blocks are all searched once it has ended
    blocks.listSearched(list);
}

} // namespace pages

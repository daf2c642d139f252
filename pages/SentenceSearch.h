#pragma once
// Which sentences of a whole content hold a term, found without a branch per sentence or per
// occurrence. A term that half the sentences hold would otherwise cost a branch guessed wrong
// for nearly every sentence, several times the cost of reading the sentence.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace pages {

// For the sentences units[starts[i], starts[i + 1]), i < starts.size() - 1, whether needle occurs
// inside one of them: bit i % 64 of holds[i / 64], the other bits of the last word 0. An
// occurrence that runs on into the next sentence is none. An empty needle occurs in every
// sentence. holds is replaced. The units are compared in the widest registers the processor
// has (256 or 128 bits), or in no wider ones than mostRegisterBits, so that tests cover both
// ways on a processor that has both. Folded, the needle is a folded one (content/Folding.h) and
// each unit of the sentences is compared folded.
void markSentencesHolding(std::u16string_view units, std::span<const std::uint32_t> starts,
                          std::u16string_view needle, std::vector<std::uint64_t>& holds,
                          unsigned mostRegisterBits = 256, bool folded = false);

} // namespace pages

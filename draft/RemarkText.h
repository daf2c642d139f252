#pragma once
// What the draft and the result boxes measure in a remark, without any window system: its
// length as a teacher counts it and the marks left for facts still to fill in.

#include <cstddef>
#include <string_view>
#include <vector>

namespace draft {

// A run of a text, in UTF-16 code units.
struct Span {
    std::size_t position;
    std::size_t length;
    friend bool operator==(const Span&, const Span&) = default;
};

// The length as the form counts it: every character one, one outside the Basic Multilingual
// Plane too (a pair of surrogates), line breaks none.
std::size_t countCharacters(std::u16string_view text);

// The marks that stand for a fact the teacher must replace or confirm, in text order: 〇〇 for a
// name, △ for a number or grade. A longer run of 〇 holds as many marks as it has pairs.
std::vector<Span> findPlaceholders(std::u16string_view text);

// Every place where one of the terms occurs, in text order; where two overlap, the one that
// starts first wins. Empty terms are never found.
std::vector<Span> findTerms(std::u16string_view text, const std::vector<std::u16string>& terms);

} // namespace draft

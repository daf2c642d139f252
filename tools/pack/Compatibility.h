#pragma once
// The program folds a sentence one code unit at a time (content/Folding.h) where it compares it
// with a keyword brought to its compatibility form (NFKC). That holds only for characters whose
// compatibility form is what folding them gives: not for ｶﾞ (two half-width units that are one
// ガ), ① (1), ㈱ or a combining voiced mark. The packer refuses sentences that hold such a
// character, so the program's search finds what it should.

#include "content/ForbiddenWords.h" // ListProblem

#include <string>
#include <string_view>
#include <vector>

namespace pack {

// The characters of the sentence that folding does not bring to their compatibility form, in
// the problem's words; empty when there is none.
std::string compatibilityProblem(std::u16string_view sentence);

// The problem of each sentence of a content source that has one, by line. Lines that are no
// sound record are left to the content check.
std::vector<content::ListProblem> compatibilityProblems(std::string_view source);

} // namespace pack

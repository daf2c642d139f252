#pragma once
// The second look at a remark (見直し), without any window system: what the list of
// content/ReviewWords.h names, found in a text. Nothing found here is wrong to write; the draft
// shows it after the words a report must not carry and never stops the teacher.

#include "RemarkText.h"
#include "content/ReviewWords.h"

#include <string>
#include <string_view>
#include <vector>

namespace draft {

struct ReviewFinding {
    content::ReviewWords::Kind kind;
    std::u16string word;      // the ending two sentences in a row share, the word, or the word
                              // repeated
    std::string reason;       // UTF-8, from the list
    std::vector<Span> places; // in text order: each sentence's ending, each place of the word
};

// Everything the list finds in the text, in the order of each finding's first place. Sentences
// end at 。．！？!? or a line break; the text after the last of them is not yet a sentence.
std::vector<ReviewFinding> reviewRemark(std::u16string_view text,
                                        const content::ReviewWords& words);

} // namespace draft

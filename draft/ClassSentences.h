#pragma once
// Variety across a class, without any window system: the sentences of the other students'
// remarks, to find which sentences of a text one of them already has. Remarks of a class read
// alike when the same sentence from the book goes into several; the draft and the result boxes
// show where.

#include "RemarkText.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace draft {

struct SharedSentence {
    Span place;               // the sentence in the text searched
    std::vector<int> numbers; // 出席番号 of the students whose remarks hold it, in order
};

class ClassSentences {
public:
    // The remarks of the other students of the class, by 出席番号.
    void setRemarks(const std::vector<std::pair<int, std::u16string>>& remarks);
    bool empty() const { return numbersOf_.empty(); }
    // The sentences of text that another student's remark holds, in text order. A sentence ends
    // at 。．！？!? or a line break, spaces around it do not count, and one shorter than a
    // phrase (「以上。」) is never reported.
    std::vector<SharedSentence> find(std::u16string_view text) const;

private:
    std::unordered_map<std::u16string, std::vector<int>> numbersOf_;
};

} // namespace draft

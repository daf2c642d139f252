#pragma once
// Marks in a remark's text what the teacher must look at: the placeholders of facts still to
// fill in, the terms of the last keyword search, and the words a school report must not carry.

#include "RemarkText.h"

#include <QSyntaxHighlighter>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace content {
class ForbiddenWords;
}

namespace draft {

class MarkHighlighter : public QSyntaxHighlighter {
public:
    explicit MarkHighlighter(QTextDocument* document);

    // Where the last keyword search found its terms in a whole text; none after a search by
    // category.
    using TermFinder = std::function<std::vector<Span>(std::u16string_view text)>;
    void setTermFinder(TermFinder finder);
    // Where the sentences are that another student of the draft's class has in a remark.
    using SharedFinder = std::function<std::vector<Span>(std::u16string_view text)>;
    void setSharedFinder(SharedFinder finder);
    // The words to underline; null underlines none. The list must outlive the highlighter.
    void setForbiddenWords(const content::ForbiddenWords* words);

protected:
    void highlightBlock(const QString& text) override;

private:
    TermFinder findTerms_;
    SharedFinder findShared_;
    const content::ForbiddenWords* forbidden_ = nullptr;
};

// The colours the marks are drawn in, for the legend of the how-to guide and the tests. The draft
// adds two of its own: what the second look found, and the text past the form's box.
QColor placeholderBackground();
QColor termBackground();
QColor forbiddenUnderline();
QColor reviewUnderline();
QColor pastBoxBackground();
// Under a sentence another student of the class has in a remark, in the draft and the boxes.
QColor sharedUnderline();
// What a box's tool tip and the draft's list say of such a sentence: whose remarks hold it.
QString sharedWith(const std::vector<int>& numbers);

} // namespace draft

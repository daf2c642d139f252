#pragma once
// The list under the draft: first the words a school report must not carry, then what the second
// look found, each row with its reason, wrapped to the list's width so that it reads whole.
// Choosing a row, by a click or by Enter, hands on the places it stands for.

#include "ClassSentences.h"
#include "ReviewChecks.h"
#include "content/ForbiddenWords.h"

#include <QListWidget>
#include <functional>
#include <string_view>
#include <vector>

namespace draft {

class FindingList : public QListWidget {
public:
    explicit FindingList(QWidget* parent);

    // A row per forbidden word, with every place of it, then a row per finding of the second
    // look, then a row per sentence another student of the class has too, quoted from text.
    void showFindings(const std::vector<content::ForbiddenWords::Hit>& forbidden,
                      const std::vector<ReviewFinding>& review,
                      const std::vector<SharedSentence>& shared = {},
                      std::u16string_view text = {});
    int forbiddenRows() const { return forbiddenRows_; }
    int reviewRows() const { return count() - forbiddenRows_ - sharedRows_; }
    int sharedRows() const { return sharedRows_; }

    // Called with the places, in text order, of the row chosen.
    std::function<void(const std::vector<Span>&)> onChoose;

private:
    void choose(QListWidgetItem* item);

    std::vector<std::vector<Span>> places_; // by row
    int forbiddenRows_ = 0;
    int sharedRows_ = 0;
};

} // namespace draft

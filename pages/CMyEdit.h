#pragma once
// The sentence box: a read-only edit box in which a double-click selects the whole sentence,
// the part scrolled out of sight included, and takes the keyboard focus, ready to be copied.
// Its menu and Ctrl+D add the sentence, or the part of it selected, to the draft; it marks the
// terms of the last keyword search and the facts still to fill in, and dots a sentence another
// student of the draft's class has in a remark already; its tool tip gives the sentence's length
// as the form counts it, and whose remarks have the sentence.

#include "draft/RemarkText.h"

#include <QObject>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QPlainTextEdit;
class QPoint;
class QWidget;

namespace draft {
class MarkHighlighter;
class SentenceCollector;
} // namespace draft

class CMyEdit : public QObject {
public:
    bool isBound() const { return box_ != nullptr; }
    // Takes over the double-click and the menu of an existing edit box; the rest stays standard.
    void bind(QWidget* control);
    QPlainTextEdit* box() const { return box_; }

    // Where "下書きに追加" sends the sentence; without one the box offers no draft.
    void setCollector(draft::SentenceCollector* collector);
    // Where the terms of the last keyword search are in the sentence it shows next; none after
    // a search by category.
    void setTermFinder(std::function<std::vector<draft::Span>(std::u16string_view)> finder);
    // What "下書きに追加" takes: the selected part, or the whole sentence.
    QString chosenText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnLButtonDblClk();
    void OnContextMenu(const QPoint& globalPosition);
    void AddToDraft();
    void SentenceChanged();

    QPlainTextEdit* box_ = nullptr;
    bool inStandardHandling_ = false;
    draft::SentenceCollector* collector_ = nullptr;
    QAction* addToDraft_ = nullptr;
    draft::MarkHighlighter* highlighter_ = nullptr;
    bool watching_ = false;
};

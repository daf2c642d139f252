#pragma once
// The sentence box: a read-only edit box in which a double-click selects the whole sentence,
// the part scrolled out of sight included, and takes the keyboard focus, ready to be copied.

#include <QObject>

class QPlainTextEdit;
class QWidget;

class CMyEdit : public QObject {
public:
    bool isBound() const { return box_ != nullptr; }
    // Takes over the double-click of an existing edit box; everything else stays standard.
    void bind(QWidget* control);
    QPlainTextEdit* box() const { return box_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnLButtonDblClk();

    QPlainTextEdit* box_ = nullptr;
    bool inStandardHandling_ = false;
};

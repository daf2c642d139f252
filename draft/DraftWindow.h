#pragma once
// The draft: a window beside the main window in which a remark is put together from sentences
// and edited. Under the text it shows the length as the form counts it against a limit the
// teacher may set, the facts still to fill in, and the words a school report must not carry.
// It lives only in memory; "コピー" hands it to the clipboard.

#include "SentenceCollector.h"

#include <QDialog>
#include <memory>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace content {
class ForbiddenWords;
}

namespace draft {

class MarkHighlighter;

class DraftWindow : public QDialog, public SentenceCollector {
public:
    // A window of its own beside mainWindow, which it never covers where the screen has room;
    // Escape or the close box only hide it, the draft stays.
    explicit DraftWindow(QWidget* mainWindow);
    ~DraftWindow() override;

    void addSentence(const QString& text) override;
    bool hasDraft() const override { return started_; }
    void showDraft() override;

    // The words to underline and list, or null with a note that says why there are none.
    void setForbiddenWords(std::shared_ptr<const content::ForbiddenWords> words,
                           const QString& note = {});
    // Whether the program may end without asking: the draft is empty or was copied as it is.
    bool nothingToLose() const;

    QString text() const;
    QPlainTextEdit* textBox() const { return text_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void placeBesideMainWindow();
    void refresh();
    void showCount(qsizetype characters);
    void showWarnings();
    void selectNextPlaceholder();
    void copyDraft();
    void clearDraft();
    bool showReasonAt(const QPoint& viewportPosition, const QPoint& globalPosition);

    QWidget* mainWindow_;
    QPlainTextEdit* text_ = nullptr;
    QLabel* count_ = nullptr;
    QSpinBox* limit_ = nullptr;
    QPushButton* marks_ = nullptr;
    QLabel* warningsHeading_ = nullptr;
    QListWidget* warnings_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* clear_ = nullptr;
    MarkHighlighter* highlighter_ = nullptr;
    std::shared_ptr<const content::ForbiddenWords> forbidden_;
    QString listNote_;
    QString copiedText_;
    bool started_ = false;
};

} // namespace draft

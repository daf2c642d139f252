#pragma once
// The draft: a window beside the main window in which a remark is put together from sentences
// and edited. Under the text it shows the length as the form counts it against a limit the
// teacher may set, how the text falls into the box of a field of the form, the facts still to
// fill in, the words a school report must not carry and what to read again. Above the text the
// teacher chooses whose remark it is and which; every change is kept in the store as it is typed.
// "コピー" hands it to the clipboard and says what is still left to do.

#include "BoxLayout.h"
#include "ClassSentences.h"
#include "SentenceCollector.h"

#include <QDialog>
#include <memory>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace content {
class ForbiddenWords;
class ReviewWords;
} // namespace content

namespace store {
class RemarkKeeper;
} // namespace store

namespace draft {

class BoxPanel;
class RemarkPicker;
class FindingList;
class MarkHighlighter;
class NumberBox;
struct Span;

class DraftWindow : public QDialog, public SentenceCollector {
public:
    // A window of its own beside mainWindow, which it never covers where the screen has room;
    // Escape or the close box only hide it, the draft stays.
    explicit DraftWindow(QWidget* mainWindow);
    ~DraftWindow() override;

    void addSentence(const QString& text) override;
    void showDraft() override;
    std::vector<SharedSentence> sharedInClass(std::u16string_view text) const override
    {
        return classSentences_.find(text);
    }
    // Not kept: the window tells onClassSentencesChanged, which its owner hands on.
    void watchClass(QObject*, std::function<void()>) override {}
    std::function<void()> onClassSentencesChanged;

    // The words to underline and list, or null with a note that says why there are none.
    void setForbiddenWords(std::shared_ptr<const content::ForbiddenWords> words,
                           const QString& note = {});
    // What to read the remark again for; null looks for nothing.
    void setReviewWords(std::shared_ptr<const content::ReviewWords> words);
    // Whether the program may end without asking: everything typed is stored (it is now, when
    // it can be).
    bool nothingToLose();

    QString text() const;
    QPlainTextEdit* textBox() const { return text_; }
    RemarkPicker* picker() const { return picker_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the last refresh found, for the note at コピー.
    struct Measures {
        std::size_t characters = 0;
        std::size_t marks = 0;
        std::size_t shared = 0;
        int forbiddenWords = 0;
        BoxFit fit{};
    };

    void buildControls();
    void placeBesideMainWindow();
    void refresh();
    void showCount(qsizetype characters);
    void markText(const BoxFit& fit, const std::vector<Span>& review,
                  const std::vector<Span>& shared);
    void selectNextPlaceholder();
    void selectPlace(const std::vector<Span>& places);
    void copyDraft();
    void clearDraft();
    void showRemark(const QString& text, int field);
    void showNote(const QString& note, bool alarm);
    void readClassSentences();
    bool showReasonAt(const QPoint& viewportPosition, const QPoint& globalPosition);

    QWidget* mainWindow_;
    std::unique_ptr<store::RemarkKeeper> keeper_;
    RemarkPicker* picker_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QLabel* count_ = nullptr;
    NumberBox* limit_ = nullptr;
    BoxPanel* boxPanel_ = nullptr;
    QPushButton* marks_ = nullptr;
    QLabel* warningsHeading_ = nullptr;
    FindingList* findings_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* clear_ = nullptr;
    QLabel* note_ = nullptr;
    MarkHighlighter* highlighter_ = nullptr;
    std::shared_ptr<const content::ForbiddenWords> forbidden_;
    std::shared_ptr<const content::ReviewWords> review_;
    QString listNote_;
    Measures measures_;
    ClassSentences classSentences_;
};

} // namespace draft

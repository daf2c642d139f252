#pragma once
// Where a sentence taken from a result box goes: the draft a remark is put together in.

#include <QKeyCombination>

class QString;

namespace draft {

// The key that brings the draft up from anywhere in the main window.
inline constexpr QKeyCombination kShowDraftKey = Qt::CTRL | Qt::SHIFT | Qt::Key_D;

class SentenceCollector {
public:
    virtual ~SentenceCollector() = default;
    // Appends the text to the draft, behind what it holds, and shows the draft.
    virtual void addSentence(const QString& text) = 0;
    // Whether a draft has been started, so that there is something to show.
    virtual bool hasDraft() const = 0;
    // Brings the draft's window up and gives it the keyboard.
    virtual void showDraft() = 0;
};

} // namespace draft

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
    // Puts the text into the draft at its cursor (at its end until the teacher moves the cursor
    // into the text), as one step for undo, and shows the draft.
    virtual void addSentence(const QString& text) = 0;
    // Brings the draft's window up, an empty one before the first sentence, and gives it the
    // keyboard.
    virtual void showDraft() = 0;
};

} // namespace draft

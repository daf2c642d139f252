#pragma once
// Where a sentence taken from a result box goes: the draft a remark is put together in.

#include "ClassSentences.h"

#include <QKeyCombination>
#include <functional>
#include <string_view>
#include <vector>

class QObject;
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
    // The sentences of text that another student of the draft's class has in a remark already.
    virtual std::vector<SharedSentence> sharedInClass(std::u16string_view text) const = 0;
    // Calls changed whenever that answer may have changed (another class or student chosen in
    // the draft), for as long as context lives.
    virtual void watchClass(QObject* context, std::function<void()> changed) = 0;
};

} // namespace draft

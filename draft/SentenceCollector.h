#pragma once
// Where a sentence taken from a result box goes: the draft a remark is put together in.

class QString;

namespace draft {

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

#pragma once
// The draft as the main window holds it: its window is made the first time a sentence is added
// or the draft is asked for, not while the program starts, since many a session never uses it.

#include "DraftWindow.h"

#include <QPointer>
#include <memory>
#include <utility>
#include <vector>

namespace draft {

class DraftOnDemand : public SentenceCollector {
public:
    explicit DraftOnDemand(QWidget* mainWindow) : mainWindow_(mainWindow) {}

    void addSentence(const QString& text) override { window().addSentence(text); }
    void showDraft() override { window().showDraft(); }
    // Nothing is shared before the draft, and with it a class, was opened.
    std::vector<SharedSentence> sharedInClass(std::u16string_view text) const override
    {
        return window_ ? window_->sharedInClass(text) : std::vector<SharedSentence>();
    }
    void watchClass(QObject* context, std::function<void()> changed) override;

    // Kept until the window is made, then handed to it.
    void setForbiddenWords(std::shared_ptr<const content::ForbiddenWords> words,
                           const QString& note = {});
    void setReviewWords(std::shared_ptr<const content::ReviewWords> words);
    // Whether the program may end without asking: no draft was started, or all of it is stored.
    bool nothingToLose() { return !window_ || window_->nothingToLose(); }
    void hide();

    // The window, made now if it was not yet.
    DraftWindow& window();

private:
    QWidget* mainWindow_;
    std::unique_ptr<DraftWindow> window_;
    std::shared_ptr<const content::ForbiddenWords> forbidden_;
    std::shared_ptr<const content::ReviewWords> review_;
    QString listNote_;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> watchers_;
};

} // namespace draft

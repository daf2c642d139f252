#include "DraftOnDemand.h"

namespace draft {

void DraftOnDemand::setForbiddenWords(std::shared_ptr<const content::ForbiddenWords> words,
                                      const QString& note)
{
    forbidden_ = std::move(words);
    listNote_ = note;
    if (window_)
        window_->setForbiddenWords(forbidden_, listNote_);
}

void DraftOnDemand::setReviewWords(std::shared_ptr<const content::ReviewWords> words)
{
    review_ = std::move(words);
    if (window_)
        window_->setReviewWords(review_);
}

void DraftOnDemand::watchClass(QObject* context, std::function<void()> changed)
{
    watchers_.emplace_back(context, std::move(changed));
}

void DraftOnDemand::hide()
{
    if (window_)
        window_->hide();
}

DraftWindow& DraftOnDemand::window()
{
    if (!window_) {
        window_ = std::make_unique<DraftWindow>(mainWindow_);
        window_->setForbiddenWords(forbidden_, listNote_);
        window_->setReviewWords(review_);
        window_->onClassSentencesChanged = [this] {
            std::erase_if(watchers_, [](const auto& watcher) { return watcher.first.isNull(); });
            for (const auto& watcher : watchers_)
                watcher.second();
        };
        // What the window took up from the store may already be shared.
        window_->onClassSentencesChanged();
    }
    return *window_;
}

} // namespace draft

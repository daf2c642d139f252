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
    }
    return *window_;
}

} // namespace draft

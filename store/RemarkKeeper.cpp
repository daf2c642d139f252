#include "RemarkKeeper.h"

#include <QString>

namespace store {

namespace {

std::u16string saying(const std::string& why)
{
    return (QStringLiteral("下書きを保存できません（%1）。書き続けられます。保存できるようになり"
                           "しだい保存します。")
                .arg(QString::fromStdString(why)))
        .toStdU16String();
}

} // namespace

RemarkKeeper::RemarkKeeper(std::string path) : path_(std::move(path))
{
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { save(); });
    RemarkStore::Opening opening = RemarkStore::open(path_);
    store_ = std::move(opening.store);
    setAsideAs_ = opening.setAsideAs;
    if (!store_)
        problem_ = saying(opening.problem);
}

RemarkKeeper::~RemarkKeeper()
{
    save();
}

Id RemarkKeeper::newRemark(std::optional<Id> student, const std::u16string& field,
                           const std::u16string& text)
{
    if (store_) {
        try {
            return store_->addRemark(student, field, text).id;
        } catch (const StoreError& error) {
            reportProblem(saying(error.what()));
        }
    }
    const Id local = nextLocal_--;
    waiting_[local] = {student, field, text};
    schedule();
    return local;
}

Id RemarkKeeper::resolved(Id id) const
{
    const auto found = stored_.find(id);
    return found == stored_.end() ? id : found->second;
}

void RemarkKeeper::change(Id remark, const std::u16string& text)
{
    remark = resolved(remark);
    waiting_[remark].text = text;
    schedule();
}

std::optional<std::u16string> RemarkKeeper::unsavedText(Id remark) const
{
    const auto found = waiting_.find(resolved(remark));
    if (found == waiting_.end())
        return std::nullopt;
    return found->second.text;
}

void RemarkKeeper::drop(Id remark)
{
    waiting_.erase(resolved(remark));
}

// Not restarted by each keystroke: a teacher typing without a pause is stored all the same.
void RemarkKeeper::schedule()
{
    if (!timer_.isActive())
        timer_.start(problem_.empty() ? kGatherMs : kRetryMs);
}

bool RemarkKeeper::save()
{
    timer_.stop();
    if (waiting_.empty() && store_)
        return true;
    try {
        if (!store_) {
            RemarkStore::Opening opening = RemarkStore::open(path_);
            if (!opening.store)
                throw StoreError(0, opening.problem);
            store_ = std::move(opening.store);
            if (setAsideAs_.empty())
                setAsideAs_ = opening.setAsideAs;
        }
        for (auto it = waiting_.begin(); it != waiting_.end() && it->first < 0;) {
            stored_[it->first] =
                store_->addRemark(it->second.student, it->second.field, it->second.text).id;
            it = waiting_.erase(it);
        }
        std::vector<std::pair<Id, std::u16string>> texts;
        for (const auto& [id, waiting] : waiting_)
            texts.emplace_back(id, waiting.text);
        store_->saveTexts(texts);
        waiting_.clear();
        reportProblem({});
        return true;
    } catch (const StoreError& error) {
        reportProblem(saying(error.what()));
        schedule();
        return false;
    }
}

void RemarkKeeper::reportProblem(std::u16string problem)
{
    if (problem == problem_)
        return;
    problem_ = std::move(problem);
    if (onProblem)
        onProblem(problem_);
}

} // namespace store

#include "FindingList.h"

#include "MarkHighlighter.h"
#include "platform/QtStrings.h"

#include <algorithm>
#include <map>

namespace draft {

namespace {

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What a row of the second look says before its reason.
QString reviewCaption(const ReviewFinding& finding)
{
    const QString word = platform::toQString(finding.word);
    switch (finding.kind) {
    case content::ReviewWords::Kind::Ending:
        return QStringLiteral("文末「%1」が続く").arg(word);
    case content::ReviewWords::Kind::Word:
        return word;
    case content::ReviewWords::Kind::Repeat:
        return QStringLiteral("「%1」が %2 回").arg(word).arg(finding.places.size());
    }
    return word;
}

} // namespace

FindingList::FindingList(QWidget* parent) : QListWidget(parent)
{
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    setResizeMode(QListView::Adjust);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QListWidget::itemClicked, this, &FindingList::choose);
    connect(this, &QListWidget::itemActivated, this, &FindingList::choose);
}

void FindingList::showFindings(const std::vector<content::ForbiddenWords::Hit>& forbidden,
                               const std::vector<ReviewFinding>& review,
                               const std::vector<SharedSentence>& shared, std::u16string_view text)
{
    clear();
    places_.clear();
    // A word once, in the order it first stands, with all its places.
    std::map<std::string, std::size_t> rowOf;
    for (const content::ForbiddenWords::Hit& hit : forbidden) {
        const auto [at, added] = rowOf.try_emplace(hit.word, places_.size());
        if (added) {
            places_.emplace_back();
            auto* item = new QListWidgetItem(
                QStringLiteral("%1　%2").arg(fromUtf8(hit.word), fromUtf8(hit.reason)), this);
            item->setToolTip(fromUtf8(hit.reason));
        }
        places_[at->second].push_back({hit.position, hit.length});
    }
    forbiddenRows_ = static_cast<int>(places_.size());
    for (const ReviewFinding& finding : review) {
        auto* item = new QListWidgetItem(
            QStringLiteral("見直し　%1　%2").arg(reviewCaption(finding), fromUtf8(finding.reason)),
            this);
        item->setToolTip(fromUtf8(finding.reason));
        item->setForeground(reviewUnderline());
        places_.push_back(finding.places);
    }
    for (const SharedSentence& sentence : shared) {
        const QString who = sharedWith(sentence.numbers);
        QString start =
            sentence.place.position < text.size()
                ? platform::toQString(text.substr(sentence.place.position,
                                                  std::min<std::size_t>(sentence.place.length, 10)))
                : QString();
        if (start.size() > 0 && start.back().isHighSurrogate())
            start.chop(1);
        if (sentence.place.length > 10)
            start += QStringLiteral("…");
        auto* item = new QListWidgetItem(QStringLiteral("同じ文「%1」　%2").arg(start, who), this);
        item->setToolTip(who);
        item->setForeground(sharedUnderline());
        places_.push_back({sentence.place});
    }
    sharedRows_ = static_cast<int>(shared.size());
}

void FindingList::choose(QListWidgetItem* item)
{
    const int row = this->row(item);
    if (row >= 0 && static_cast<std::size_t>(row) < places_.size() && onChoose)
        onChoose(places_[static_cast<std::size_t>(row)]);
}

} // namespace draft

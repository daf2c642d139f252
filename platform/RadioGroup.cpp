#include "RadioGroup.h"

#include <QEvent>
#include <QKeyEvent>
#include <QRadioButton>

namespace platform {

int checkedIndex(const std::vector<QRadioButton*>& group)
{
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (group[i]->isChecked())
            return static_cast<int>(i);
    }
    return -1;
}

void setCheckedIndex(const std::vector<QRadioButton*>& group, int index)
{
    for (std::size_t i = 0; i < group.size(); ++i) {
        QRadioButton* button = group[i];
        // An exclusive button cannot be unchecked directly; lift the rule for the moment.
        button->setAutoExclusive(false);
        button->setChecked(static_cast<int>(i) == index);
        button->setAutoExclusive(true);
    }
}

namespace {

bool usable(const QRadioButton* button)
{
    return button->isEnabled() && !button->isHidden();
}

// Lives as long as the group's first button and watches every button of the group.
class GroupKeys : public QObject {
public:
    explicit GroupKeys(std::vector<QRadioButton*> group)
        : QObject(group.front()), group_(std::move(group))
    {
        for (QRadioButton* button : group_) {
            button->installEventFilter(this);
            connect(button, &QAbstractButton::toggled, this, [this] { placeTabStop(); });
        }
        placeTabStop();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::EnabledChange || event->type() == QEvent::ShowToParent ||
            event->type() == QEvent::HideToParent)
            placeTabStop();
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        switch (key->key()) {
        case Qt::Key_Down:
        case Qt::Key_Right:
            return choose(static_cast<QRadioButton*>(watched), 1);
        case Qt::Key_Up:
        case Qt::Key_Left:
            return choose(static_cast<QRadioButton*>(watched), -1);
        default:
            return false;
        }
    }

private:
    // Only the button Tab enters the group at takes the Tab key; the others take the focus by
    // a click or an arrow.
    void placeTabStop()
    {
        QRadioButton* entry = nullptr;
        for (QRadioButton* button : group_) {
            if (button->isChecked() && usable(button))
                entry = button;
        }
        for (std::size_t i = 0; !entry && i < group_.size(); ++i) {
            if (usable(group_[i]))
                entry = group_[i];
        }
        for (QRadioButton* button : group_)
            button->setFocusPolicy(button == entry ? Qt::StrongFocus : Qt::ClickFocus);
    }

    bool choose(QRadioButton* from, int step)
    {
        const auto count = static_cast<int>(group_.size());
        int at = 0;
        while (at < count && group_[static_cast<std::size_t>(at)] != from)
            ++at;
        for (int moved = 1; moved <= count; ++moved) {
            QRadioButton* next =
                group_[static_cast<std::size_t>((at + step * moved + count * count) % count)];
            if (!usable(next))
                continue;
            if (next != from)
                next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            if (next != from || !next->isChecked())
                next->click();
            return true;
        }
        return true;
    }

    std::vector<QRadioButton*> group_;
};

} // namespace

void giveGroupKeys(const std::vector<QRadioButton*>& group)
{
    if (!group.empty())
        new GroupKeys(group);
}

} // namespace platform

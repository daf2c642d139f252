#include "TabControl.h"

#include <QPainter>
#include <QShortcut>
#include <QStyleOptionTabWidgetFrame>
#include <algorithm>

namespace platform {

namespace {

class OwnerDrawnTabBar : public QTabBar {
public:
    OwnerDrawnTabBar(TabControl* owner) : QTabBar(owner), owner_(owner) {}
    QSize itemSize{100, 20};

protected:
    // An item is as wide as its caption needs, with the caption's margin of 8 pixels on both
    // sides; the item size gives every item its height. Items as wide as the item size would
    // lie under the header controls beside the tabs and could not all be reached.
    QSize tabSizeHint(int index) const override
    {
        const int captionWidth = fontMetrics().horizontalAdvance(tabText(index));
        return {std::min(itemSize.width(), captionWidth + 16), itemSize.height()};
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setFont(font());
        for (int i = 0; i < count(); ++i) {
            if (owner_->drawItem)
                owner_->drawItem(painter, i, tabRect(i));
        }
    }

private:
    TabControl* owner_;
};

} // namespace

TabControl::TabControl(QWidget* parent) : QWidget(parent), bar_(new OwnerDrawnTabBar(this))
{
    bar_->setUsesScrollButtons(true);
    bar_->setExpanding(false);
    bar_->setDrawBase(false);
    bar_->setFocusPolicy(Qt::NoFocus);
    connect(bar_, &QTabBar::currentChanged, this, [this](int) {
        if (onSelectionChange)
            onSelectionChange();
    });
    // The keys that turn the tabs of a tab dialog, wherever the focus is in the window; the tabs
    // are no stop of the Tab key themselves.
    // clang-format off
    const std::pair<QKeySequence, int> turns[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab),                1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown),           1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),    -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp),             -1},
    };
    // clang-format on
    for (const auto& [keys, step] : turns) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { turn(step); });
    }
}

void TabControl::turn(int step)
{
    const int count = bar_->count();
    if (count > 1)
        bar_->setCurrentIndex((bar_->currentIndex() + step + count) % count);
}

bool TabControl::insertItem(int index, const QString& caption)
{
    return bar_->insertTab(index, caption) == index;
}

void TabControl::setItemSize(QSize size)
{
    static_cast<OwnerDrawnTabBar*>(bar_)->itemSize = size;
    bar_->setMinimumHeight(size.height());
    resizeEvent(nullptr);
}

int TabControl::currentSelection() const
{
    return bar_->currentIndex();
}

QString TabControl::itemText(int index) const
{
    return bar_->tabText(index);
}

int TabControl::count() const
{
    return bar_->count();
}

void TabControl::setItemFont(const QFont& font)
{
    bar_->setFont(font);
    bar_->update();
}

void TabControl::paintEvent(QPaintEvent*)
{
    // The pane below the items keeps the system look.
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, bar_->height() - 1, 0, 0);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

void TabControl::resizeEvent(QResizeEvent*)
{
    bar_->setGeometry(0, 0, width(), static_cast<OwnerDrawnTabBar*>(bar_)->itemSize.height());
}

} // namespace platform

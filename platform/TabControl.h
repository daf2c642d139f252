#pragma once
// A tab control whose items its dialog draws itself, all of one fixed size.

#include <QTabBar>
#include <QWidget>
#include <functional>

namespace platform {

class TabControl : public QWidget {
public:
    explicit TabControl(QWidget* parent);

    bool insertItem(int index, const QString& caption);
    void setItemSize(QSize size);
    int currentSelection() const; // -1 with no items
    QString itemText(int index) const;
    int count() const;
    void setItemFont(const QFont& font);
    // Selects the item step places on, round at the ends, as Ctrl+Tab and Ctrl+PageDown (1) or
    // Ctrl+Shift+Tab and Ctrl+PageUp (-1) do.
    void turn(int step);

    // Draws one item; called for every item, selected or not.
    std::function<void(QPainter&, int index, const QRect& rect)> drawItem;
    std::function<void()> onSelectionChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* bar_;
};

} // namespace platform

#include "PictureControl.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace platform {

namespace {

class PictureButtonAccessible : public QAccessibleWidget {
public:
    explicit PictureButtonAccessible(PictureControl* picture)
        : QAccessibleWidget(picture, QAccessible::Button)
    {
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        auto* picture = static_cast<PictureControl*>(widget());
        if (name == pressAction() && picture->onPress && picture->isEnabled())
            picture->onPress();
    }
};

// The class has no meta-object of its own, so it is asked for under its base's name.
QAccessibleInterface* pictureButtonInterface(const QString&, QObject* object)
{
    auto* picture = dynamic_cast<PictureControl*>(object);
    return picture && picture->onPress ? new PictureButtonAccessible(picture) : nullptr;
}

} // namespace

PictureControl::PictureControl(QWidget* parent, int bitmap, QPixmap (*loadPicture)(int), QSize size)
    : QWidget(parent), bitmap_(bitmap), loadPicture_(loadPicture)
{
    static const bool factoryInstalled =
        (QAccessible::installFactory(pictureButtonInterface), true);
    (void)factoryInstalled;
    setFixedSize(size);
}

const QPixmap& PictureControl::picture()
{
    if (picture_.isNull() && loadPicture_)
        picture_ = loadPicture_(bitmap_);
    return picture_;
}

void PictureControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture());
}

} // namespace platform

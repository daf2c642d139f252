#include "PictureControl.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace platform {

namespace {

// A picture is a graphic to assistive technology, or a button once it has something to do when
// pressed. The interface is made as soon as the picture gets its name, before that is known.
class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(PictureControl* picture) : QAccessibleWidget(picture) {}
    QAccessible::Role role() const override
    {
        return picture()->onPress ? QAccessible::Button : QAccessible::Graphic;
    }
    QStringList actionNames() const override
    {
        return picture()->onPress ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && picture()->onPress && picture()->isEnabled())
            picture()->onPress();
    }

private:
    PictureControl* picture() const { return static_cast<PictureControl*>(widget()); }
};

// The class has no meta-object of its own, so it is asked for under its base's name.
QAccessibleInterface* pictureInterface(const QString&, QObject* object)
{
    auto* picture = dynamic_cast<PictureControl*>(object);
    return picture ? new PictureAccessible(picture) : nullptr;
}

} // namespace

PictureControl::PictureControl(QWidget* parent, int bitmap, QPixmap (*loadPicture)(int), QSize size)
    : QWidget(parent), bitmap_(bitmap), loadPicture_(loadPicture)
{
    static const bool factoryInstalled = (QAccessible::installFactory(pictureInterface), true);
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

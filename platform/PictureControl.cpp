#include "PictureControl.h"

#include <QPainter>

namespace platform {

PictureControl::PictureControl(QWidget* parent, int bitmap, QPixmap (*loadPicture)(int), QSize size)
    : QWidget(parent), bitmap_(bitmap), loadPicture_(loadPicture)
{
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

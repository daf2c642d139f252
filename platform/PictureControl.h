#pragma once
// A picture control: shows one picture at its own size. The picture is drawn the first time the
// control is painted, so pictures on pages that are never opened cost nothing at start.

#include <QPixmap>
#include <QWidget>

namespace platform {

class PictureControl : public QWidget {
public:
    PictureControl(QWidget* parent, int bitmap, QPixmap (*loadPicture)(int), QSize size);

    const QPixmap& picture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int bitmap_;
    QPixmap (*loadPicture_)(int);
    QPixmap picture_;
};

} // namespace platform

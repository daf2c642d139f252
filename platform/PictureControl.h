#pragma once
// A picture control: shows one picture at its own size. The picture is drawn the first time the
// control is painted, so pictures on pages that are never opened cost nothing at start.

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace platform {

class PictureControl : public QWidget {
public:
    PictureControl(QWidget* parent, int bitmap, QPixmap (*loadPicture)(int), QSize size);

    const QPixmap& picture();

    // Set for a picture that acts as a button: what pressing it does. Such a picture is a
    // button to assistive technology too, which may press it.
    std::function<void()> onPress;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int bitmap_;
    QPixmap (*loadPicture_)(int);
    QPixmap picture_;
};

} // namespace platform

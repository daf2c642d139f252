#pragma once
// A dialog template as data: the table of controls a dialog is built from, with places in
// dialog units of the dialog font ("MS UI Gothic" 9 pt).

#include <QPixmap>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

namespace platform {

enum class ControlClass {
    PushButton,
    CheckBox,
    RadioButton,
    Edit,
    Static,       // a text label
    StaticBitmap, // a picture, at its own size
    ScrollBar,    // vertical
    TabControl,
};

// Style bits of a control; combine with |.
// clang-format off
enum Style : unsigned {
    None = 0,
    TabStop = 1u << 0,
    Group = 1u << 1,       // starts a group (a radio group runs to the next control with it)
    Disabled = 1u << 2,
    Hidden = 1u << 3,
    ReadOnly = 1u << 4,
    Multiline = 1u << 5,
    VScroll = 1u << 6,     // an edit box with a vertical scroll bar of its own
    Border = 1u << 7,
    RightAligned = 1u << 8,
    Notify = 1u << 9,      // a static control that reports clicks
    DefaultButton = 1u << 10,
    NoWrap = 1u << 11,
    WhiteRect = 1u << 12,  // a static control that is a white rectangle
};
// clang-format on

struct ControlTemplate {
    int id; // -1 for controls nobody addresses
    ControlClass controlClass;
    unsigned style;
    QRect rect; // dialog units: left, top, width, height
    std::u16string caption;
    int bitmap = 0; // picture resource of a StaticBitmap
};

struct DialogTemplate {
    int id;
    QSize size;                            // dialog units
    std::vector<ControlTemplate> controls; // template order = tab order
    // Where the pictures of StaticBitmap controls come from, and the caption each one shows.
    QPixmap (*loadPicture)(int bitmap) = nullptr;
    QSize (*pictureSize)(int bitmap) = nullptr;
    QString (*pictureCaption)(int bitmap) = nullptr;
};

// Dialog units to pixels with the base units of the dialog font at 96 DPI, rounded as the
// window system rounds them.
inline int dluToPixelsX(int dlu)
{
    return (dlu * 7 + (dlu >= 0 ? 2 : -2)) / 4;
}
inline int dluToPixelsY(int dlu)
{
    return (dlu * 12 + (dlu >= 0 ? 4 : -4)) / 8;
}
inline QRect dluToPixels(const QRect& dlu)
{
    return {dluToPixelsX(dlu.x()), dluToPixelsY(dlu.y()), dluToPixelsX(dlu.width()),
            dluToPixelsY(dlu.height())};
}

} // namespace platform

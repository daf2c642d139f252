// captions-window: a window as large as Verdane's main window that shows the same Japanese
// captions as the program's first screen and nothing else: every caption of the main window's
// template and of the strengths page's, and the captions drawn in its pictures, each a plain
// label at its place in the font the program gives it. The start-up benchmark measures it beside
// the program: what finding the Japanese fonts and shaping the text costs by itself is not
// counted against the program. Ends with 0 when the window is closed.

#include "platform/DialogTemplate.h"
#include "platform/Fonts.h"
#include "res/Templates.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace {

constexpr int kMainWindow = 102;
constexpr int kStrengthsPage = 152;
const QPoint kPageOrigin(4, 36); // where the main window places its pages

// The captions of one template as labels on window, moved by origin.
void addCaptions(QWidget& window, const platform::DialogTemplate& dialog, QPoint origin,
                 const QFont& buttonFont)
{
    for (const platform::ControlTemplate& control : dialog.controls) {
        QString caption = QString::fromStdU16String(control.caption);
        if (control.controlClass == platform::ControlClass::StaticBitmap && dialog.pictureCaption)
            caption = dialog.pictureCaption(control.bitmap);
        if (caption.isEmpty())
            continue;
        auto* label = new QLabel(caption, &window);
        const bool categoryButton = control.controlClass == platform::ControlClass::CheckBox ||
                                    control.controlClass == platform::ControlClass::RadioButton;
        label->setFont(categoryButton ? buttonFont : platform::dialogFont());
        label->setGeometry(platform::dluToPixels(control.rect).translated(origin));
        // The program widens a category button to its caption; so does the label.
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(989, 660); // the main window's size, so that the server's work matches
    const QFont categoryFont = platform::pointFont(platform::FontFace::Gothic, 10.5);
    addCaptions(window, res::dialogTemplate(kMainWindow), QPoint(0, 0), categoryFont);
    addCaptions(window, res::dialogTemplate(kStrengthsPage), kPageOrigin, categoryFont);
    // The keyword box's placeholder, in the font of the sentence boxes.
    auto* placeholder = new QLabel(QStringLiteral("キーワード検索"), &window);
    placeholder->setFont(platform::pointFont(platform::FontFace::Gothic, 14));
    placeholder->setGeometry(platform::dluToPixels({222, 3, 116, 18}));
    window.show();
    return application.exec(); // closing the last window ends the loop with 0
}

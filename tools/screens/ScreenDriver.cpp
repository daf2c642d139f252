#include "ScreenDriver.h"

#include "platform/Effects.h"
#include "platform/QtStrings.h"

#include "app/CVerdaneDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>
#include <array>

namespace screens {

namespace {

constexpr int kKeywordBox = 1121;
constexpr int kSearchButton = 1122;
// The result boxes of every page, top to bottom; a page with three uses the first three.
constexpr std::array<int, 6> kResultBoxes = {1037, 1038, 1039, 1040, 1041, 1043};

std::string utf8(std::u16string_view text)
{
    return platform::toQString(text).toStdString();
}

bool shows(const QWidget* widget, const QString& caption)
{
    if (widget->accessibleName() == caption)
        return true;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text() == caption;
    const auto* button = qobject_cast<const QAbstractButton*>(widget);
    return button && button->text() == caption;
}

void settle()
{
    QApplication::processEvents();
}

} // namespace

void Driver::tab(int index)
{
    auto* bar = window.findChild<QTabBar*>();
    if (!bar || index < 0 || index >= bar->count())
        throw DriveError("no tab " + std::to_string(index));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    settle();
}

void Driver::click(std::u16string_view caption)
{
    const QString wanted = platform::toQString(caption);
    QWidget* found = nullptr;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || !shows(widget, wanted))
            continue;
        if (found)
            throw DriveError("more than one control 「" + utf8(caption) + "」 is showing");
        found = widget;
    }
    if (!found)
        throw DriveError("no control 「" + utf8(caption) + "」 is showing");
    if (!found->isEnabled())
        throw DriveError("「" + utf8(caption) + "」 cannot be clicked: it is disabled");
    // A check box or radio button is clicked on its box, as the teacher would.
    const bool box = qobject_cast<QCheckBox*>(found) || qobject_cast<QRadioButton*>(found);
    const QPoint where = box ? QPoint(7, found->height() / 2) : found->rect().center();
    QTest::mouseClick(found, Qt::LeftButton, {}, where);
    settle();
}

void Driver::search(std::u16string_view keyword)
{
    auto* box = window.control<QLineEdit>(kKeywordBox);
    if (!box)
        throw DriveError("no keyword box");
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    settle();
    // Typed one character at a time, as the keyboard (and the input method) delivers them.
    for (const QChar c : platform::toQString(keyword)) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
    QTest::mouseClick(window.control(kSearchButton), Qt::LeftButton);
    settle();
}

QWidget* Driver::visiblePage() const
{
    for (int i = 0; i < 3; ++i) {
        if (window.page(i).isVisible())
            return &window.page(i);
    }
    throw DriveError("no page is showing");
}

QPlainTextEdit* Driver::sentenceBox(int box) const
{
    auto& page = static_cast<pages::SentencePage&>(*visiblePage());
    if (box < 0 || box >= page.boxesPerPage())
        throw DriveError("no result box " + std::to_string(box));
    auto* edit = page.control<QPlainTextEdit>(kResultBoxes[static_cast<std::size_t>(box)]);
    if (!edit || edit->toPlainText().isEmpty())
        throw DriveError("result box " + std::to_string(box) + " shows no sentence");
    return edit;
}

void Driver::doubleClickSentence(int box)
{
    QPlainTextEdit* edit = sentenceBox(box);
    QWidget* viewport = edit->viewport();
    const QPoint where(viewport->width() / 3, 12);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, where);
    settle();
}

void Driver::addToDraft(int box)
{
    QPlainTextEdit* edit = sentenceBox(box);
    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(edit, Qt::Key_D, Qt::ControlModifier);
    settle();
    if (!window.draftWindow().isVisible())
        throw DriveError("the draft did not open");
}

void Driver::typeInDraft(std::u16string_view words)
{
    QPlainTextEdit* text = window.draftWindow().textBox();
    text->moveCursor(QTextCursor::End);
    for (const QChar c : platform::toQString(words)) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(text, &press);
    }
    settle();
}

void Driver::limitDraft(int characters)
{
    auto* limit = window.draftWindow().findChild<QSpinBox*>();
    if (!limit)
        throw DriveError("the draft has no limit to set");
    limit->setValue(characters);
    settle();
}

void Driver::wheel(int turns)
{
    QWidget* page = visiblePage();
    const QPointF pos = page->rect().center();
    for (int i = 0; i < turns; ++i) {
        QWheelEvent event(pos, page->mapToGlobal(pos), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(page, &event);
    }
    settle();
}

QImage Driver::picture(std::optional<QRect> part) const
{
    settle();
    const QImage whole = window.grab().toImage();
    return part ? whole.copy(part->intersected(whole.rect())) : whole;
}

QImage Driver::pictureWithDraft() const
{
    settle();
    const QImage main = window.grab().toImage();
    const QImage draft = window.draftWindow().grab().toImage();
    constexpr int kGap = 8;
    QImage both(main.width() + kGap + draft.width(), std::max(main.height(), draft.height()),
                QImage::Format_RGB32);
    both.fill(QColor(0x80, 0x80, 0x80));
    QPainter painter(&both);
    painter.drawImage(0, 0, main);
    painter.drawImage(main.width() + kGap, 0, draft);
    return both;
}

} // namespace screens

#include "WindowDriver.h"

#include "WindowIds.h"
#include "app/CVerdaneDlg.h"
#include "support/RecordingEffects.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>

namespace walk {

namespace {

const std::array<std::string, 3> kPageNames = {"strengths", "in-school", "outside"};

std::string text(const QString& value)
{
    return value.toStdString();
}

QAbstractSlider::SliderAction actionOf(Request request)
{
    switch (request) {
    case Request::LineUp:
        return QAbstractSlider::SliderSingleStepSub;
    case Request::LineDown:
        return QAbstractSlider::SliderSingleStepAdd;
    case Request::PageUp:
        return QAbstractSlider::SliderPageStepSub;
    case Request::PageDown:
        return QAbstractSlider::SliderPageStepAdd;
    case Request::Top:
        return QAbstractSlider::SliderToMinimum;
    case Request::Bottom:
        return QAbstractSlider::SliderToMaximum;
    case Request::ThumbTrack:
        return QAbstractSlider::SliderMove;
    default:
        return QAbstractSlider::SliderNoAction;
    }
}

} // namespace

WindowDriver::WindowDriver(CVerdaneDlg& window, testing_support::RecordingEffects& effects)
    : window_(window), effects_(effects)
{
}

platform::Dialog& WindowDriver::page(int index) const
{
    return window_.page(index);
}

platform::Dialog& WindowDriver::panel(int group) const
{
    auto& outside = dynamic_cast<CDlgTab05&>(window_.page(2));
    return outside.panels[static_cast<std::size_t>(group - 11)];
}

QWidget* WindowDriver::control(int pageIndex, int id) const
{
    return page(pageIndex).control(id);
}

QAbstractButton* WindowDriver::button(int pageIndex, int id) const
{
    return page(pageIndex).control<QAbstractButton>(id);
}

QAbstractButton* WindowDriver::field(int group, int index) const
{
    return panel(group).control<QAbstractButton>(ids::kFirstField + index);
}

QScrollBar* WindowDriver::scrollBar(int pageIndex) const
{
    return page(pageIndex).control<QScrollBar>(ids::kScrollBar);
}

QLineEdit* WindowDriver::keywordBox() const
{
    return window_.control<QLineEdit>(ids::kKeywordBox);
}

QWidget* WindowDriver::searchButton() const
{
    return window_.control(ids::kSearchButton);
}

void WindowDriver::click(QWidget* widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}

void WindowDriver::clickTab(int index)
{
    auto* bar = window_.findChild<QTabBar*>();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

void WindowDriver::typeKeyword(const Text& keyword, bool replace)
{
    QLineEdit* box = keywordBox();
    click(box);
    if (replace) {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        if (keyword.empty())
            QTest::keyClick(box, Qt::Key_Backspace);
    } else {
        QTest::keyClick(box, Qt::Key_End);
    }
    for (const char16_t c : keyword) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(QChar(c)));
        QApplication::sendEvent(box, &release);
    }
}

void WindowDriver::key(QWidget* widget, Qt::Key key)
{
    QTest::keyClick(widget, key);
}

void WindowDriver::wheel(QWidget* widget, int delta)
{
    const QPointF at = widget->rect().center();
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

void WindowDriver::scroll(int pageIndex, Request request)
{
    QScrollBar* bar = scrollBar(pageIndex);
    if (request == Request::ThumbPosition) {
        // Letting go of the thumb where it is.
        bar->setSliderDown(true);
        bar->setSliderDown(false);
        return;
    }
    bar->triggerAction(actionOf(request));
}

void WindowDriver::dragThumb(int pageIndex, int to)
{
    QScrollBar* bar = scrollBar(pageIndex);
    bar->setSliderDown(true);
    bar->setSliderPosition(to);
    bar->setSliderDown(false);
}

void WindowDriver::letEventsRun()
{
    QCoreApplication::processEvents();
    // Outside an event loop processEvents leaves deferred deletions for a loop that never comes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QPoint WindowDriver::backgroundPoint(int pageIndex, unsigned pick) const
{
    const platform::Dialog& shown = page(pageIndex);
    const int columns = shown.width() / 13, rows = shown.height() / 11;
    const int cells = columns * rows;
    for (int tried = 0; tried < cells; ++tried) {
        const int cell = static_cast<int>((pick + static_cast<unsigned>(tried) * 7919u) %
                                          static_cast<unsigned>(cells));
        const QPoint at(3 + (cell % columns) * 13, 3 + (cell / columns) * 11);
        if (shown.rect().contains(at) && !shown.childAt(at))
            return at;
    }
    return QPoint();
}

OutsideLayout WindowDriver::measureOutsideLayout() const
{
    OutsideLayout layout;
    for (std::size_t i = 0; i < 3; ++i)
        layout.headerHome[i] = control(2, ids::kHeaders[i])->pos();
    layout.headerHeight = control(2, ids::kHeaders[0])->height();
    for (int group = 11; group <= 13; ++group)
        layout.panelHeight[static_cast<std::size_t>(group - 11)] = panel(group).height();
    return layout;
}

bool WindowDriver::keywordBoxHasFocus() const
{
    return QApplication::focusWidget() == keywordBox();
}

std::string WindowDriver::focusHolder() const
{
    const QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return "nothing";
    std::string where = focus->objectName().isEmpty() ? focus->metaObject()->className()
                                                      : focus->objectName().toStdString();
    for (int p = 0; p < 3; ++p) {
        if (focus == &page(p))
            return "the " + kPageNames[static_cast<std::size_t>(p)] + " page itself";
    }
    for (int group = 11; group <= 13; ++group) {
        if (focus == &panel(group))
            return "the panel of group " + std::to_string(group) + " itself";
    }
    for (int p = 0; p < 3; ++p) {
        if (page(p).isAncestorOf(focus))
            where += " on the " + kPageNames[static_cast<std::size_t>(p)] + " page";
    }
    return where;
}

Snapshot WindowDriver::observe() const
{
    Snapshot snapshot;
    auto* tabs = window_.findChild<QTabBar*>();
    snapshot.emplace_back("tab", std::to_string(tabs->currentIndex()));
    snapshot.emplace_back("keyword box", text(keywordBox()->text()));
    snapshot.emplace_back("keyword box has the focus", keywordBoxHasFocus() ? "yes" : "no");
    snapshot.emplace_back("messages", std::to_string(effects_.messages.size()));
    std::string lastMessage;
    if (!effects_.messages.empty()) {
        const auto& message = effects_.messages.back();
        int owner = -1;
        for (int i = 0; i < 3; ++i) {
            if (message.owner == &page(i))
                owner = i;
        }
        lastMessage = messageText(owner, message.text, message.caption);
    }
    snapshot.emplace_back("last message", lastMessage);
    snapshot.emplace_back("documents", std::to_string(effects_.documents.size()));
    snapshot.emplace_back("last document",
                          effects_.documents.empty() ? std::string() : effects_.documents.back());

    for (int p = 0; p < 3; ++p) {
        const std::string name = kPageNames[static_cast<std::size_t>(p)];
        snapshot.emplace_back(name + " count",
                              text(page(p).control<QLabel>(ids::kCountLabel)->text()));
        const int boxes = p == 0 ? 3 : 6;
        for (int k = 0; k < boxes; ++k) {
            const int id = p == 0 ? ids::kStrengthsResultBoxes[static_cast<std::size_t>(k)]
                                  : ids::kSixResultBoxes[static_cast<std::size_t>(k)];
            snapshot.emplace_back(name + " box " + std::to_string(k),
                                  text(page(p).control<QPlainTextEdit>(id)->toPlainText()));
        }
        const QScrollBar* bar = scrollBar(p);
        snapshot.emplace_back(name + " scroll bar", scrollText(bar->minimum(), bar->maximum(),
                                                               bar->value(), bar->isEnabled()));
    }

    int jobType = -1;
    for (int j = 0; j < 10; ++j) {
        if (button(0, ids::kFirstJobType + j)->isChecked())
            jobType = jobType == -1 ? j : -2; // -2: more than one
    }
    snapshot.emplace_back("strengths job type", std::to_string(jobType));
    for (const int id : ids::kStrengthsBoxes)
        snapshot.emplace_back("strengths box " + std::to_string(id),
                              buttonText(button(0, id)->isChecked(), button(0, id)->isEnabled()));

    int activity = -1;
    for (int a = 0; a < 4; ++a) {
        if (button(1, ids::kFirstActivity + a)->isChecked())
            activity = activity == -1 ? a : -2;
    }
    snapshot.emplace_back("in-school activity", std::to_string(activity));
    for (const int id : ids::kClubBoxes)
        snapshot.emplace_back("in-school club box " + std::to_string(id),
                              buttonText(button(1, id)->isChecked(), button(1, id)->isEnabled()));
    for (const ids::BoxLabels& labels : ids::kBoxLabels) {
        snapshot.emplace_back("in-school label " + std::to_string(labels.label),
                              shownText(!control(1, labels.label)->isHidden()));
        snapshot.emplace_back("in-school grey label " + std::to_string(labels.greyLabel),
                              shownText(!control(1, labels.greyLabel)->isHidden()));
    }

    for (int group = 11; group <= 13; ++group) {
        int chosen = -1;
        const int fields = OutsideModel::kFieldCounts[static_cast<std::size_t>(group - 11)];
        for (int i = 0; i < fields; ++i) {
            if (field(group, i)->isChecked())
                chosen = chosen == -1 ? i : -2;
        }
        snapshot.emplace_back("outside panel " + std::to_string(group),
                              shownText(!panel(group).isHidden()) + ", field " +
                                  std::to_string(chosen));
        snapshot.emplace_back("outside panel " + std::to_string(group) + " at",
                              pointText(panel(group).pos()));
    }
    for (const int id : ids::kHeaders)
        snapshot.emplace_back("outside header " + std::to_string(id) + " at",
                              pointText(control(2, id)->pos()));
    return snapshot;
}

} // namespace walk

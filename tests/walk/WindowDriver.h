#pragma once
// Hands on the running main window: finds its controls by id, drives them as the teacher does
// (mouse clicks, typed keys, wheel turns, scroll-bar requests) and reads back what they show.

#include "DisplayModel.h"
#include "Snapshot.h"

#include <QPoint>
#include <Qt>

class CVerdaneDlg;
class QAbstractButton;
class QLineEdit;
class QScrollBar;
class QTabBar;
class QWidget;

namespace platform {
class Dialog;
}
namespace testing_support {
class RecordingEffects;
}

namespace walk {

class WindowDriver {
public:
    WindowDriver(CVerdaneDlg& window, testing_support::RecordingEffects& effects);

    platform::Dialog& page(int index) const;
    platform::Dialog& panel(int group) const;
    QWidget* control(int page, int id) const;
    QAbstractButton* button(int page, int id) const;
    QAbstractButton* field(int group, int index) const;
    QScrollBar* scrollBar(int page) const;
    QLineEdit* keywordBox() const;
    QWidget* searchButton() const;

    void click(QWidget* widget, QPoint at = QPoint());
    void clickTab(int index);
    // Into the keyword box with the mouse, then either select all of it or go to its end, and
    // type the keyword key by key.
    void typeKeyword(const Text& keyword, bool replace);
    void key(QWidget* widget, Qt::Key key);
    void wheel(QWidget* widget, int delta);
    // A request of the scroll bar of the page, made as the bar itself makes it.
    void scroll(int page, Request request);
    // Dragging the thumb to a position and letting it go.
    void dragThumb(int page, int to);
    // A point of the page where no control lies, or a null point when none of the tried ones is.
    QPoint backgroundPoint(int page, unsigned pick) const;
    // What the desktop does between two inputs: queued signals, layout, show and paint requests,
    // and objects whose deletion was put off. Without it they pile up step after step.
    void letEventsRun();

    OutsideLayout measureOutsideLayout() const;
    Snapshot observe() const;
    bool keywordBoxHasFocus() const;
    // Which control has the keyboard focus, for a failure message.
    std::string focusHolder() const;

private:
    CVerdaneDlg& window_;
    testing_support::RecordingEffects& effects_;
};

} // namespace walk

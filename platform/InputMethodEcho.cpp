#include "InputMethodEcho.h"

#include <QCoreApplication>
#include <QInputMethodEvent>

namespace platform {

namespace {

constexpr qint64 kEchoMilliseconds = 1000;

} // namespace

void InputMethodEcho::install()
{
    static InputMethodEcho* guard = nullptr;
    if (!guard && QCoreApplication::instance()) {
        guard = new InputMethodEcho;
        guard->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(guard);
    }
}

bool InputMethodEcho::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::InputMethod)
        return false;
    const auto* input = static_cast<QInputMethodEvent*>(event);
    const QString commit = input->commitString();
    if (!input->preeditString().isEmpty()) {
        composingIn_ = watched;
        composing_ = input->preeditString();
        return false;
    }
    if (commit.isEmpty())
        return false;
    const bool echo = committedIn_ && watched != committedIn_ && composingIn_ != watched &&
                      commit == committed_ && sinceCommit_.isValid() &&
                      sinceCommit_.elapsed() < kEchoMilliseconds;
    if (echo) {
        committedIn_ = nullptr; // one echo at the most
        return true;
    }
    // A composition committed where it was shown: remembered, for its echo elsewhere.
    if (watched == composingIn_ && commit == composing_) {
        committedIn_ = watched;
        committed_ = commit;
        sinceCommit_.start();
    } else {
        committedIn_ = nullptr;
    }
    composingIn_ = nullptr;
    composing_.clear();
    return false;
}

} // namespace platform

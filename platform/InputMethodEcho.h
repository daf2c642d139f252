#pragma once
// Keeps a composition from being committed twice. When the focus moves during a composition,
// the toolkit's input-method plugin commits it into the box where it was typed, and the input
// method itself may commit it once more, a moment later, into the box that took the focus: the
// word then stands in both. That second commit, the same text, arriving before anything has
// been composed in the new box and within a second of the first, is dropped. A commit the old
// box did not receive is never dropped, so no text can be lost.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

namespace platform {

class InputMethodEcho : public QObject {
public:
    // Installs the one guard of the application, once.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QObject> composingIn_; // where the composition being typed is shown
    QString composing_;
    QPointer<QObject> committedIn_; // where the last composition was committed
    QString committed_;
    QElapsedTimer sinceCommit_;
};

} // namespace platform

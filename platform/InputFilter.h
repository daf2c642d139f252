#pragma once
// Passes every key and mouse input meant for a dialog or its controls through the dialogs'
// pre-filters before it is delivered, and gives every wheel turn over a dialog to that dialog.

#include <QObject>

namespace platform {

class InputFilter : public QObject {
public:
    // Installs the one filter of the application, once.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace platform

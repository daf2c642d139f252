#include "QtEffects.h"

#include "Dialog.h"
#include "QtStrings.h"
#include "WindowTitle.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtEffects::showMessage(const Dialog* owner, std::u16string_view text,
                            std::u16string_view caption, MessageIcon icon)
{
    QMessageBox box(qtIcon(icon), toQString(caption), toQString(text), QMessageBox::Ok,
                    const_cast<Dialog*>(owner));
    showNoTitleWhenEmpty(&box);
    box.exec();
}

bool QtEffects::askQuestion(const Dialog* owner, std::u16string_view text,
                            std::u16string_view caption)
{
    QMessageBox box(QMessageBox::Question, toQString(caption), toQString(text),
                    QMessageBox::Yes | QMessageBox::No, const_cast<Dialog*>(owner));
    box.setDefaultButton(QMessageBox::No);
    showNoTitleWhenEmpty(&box);
    return box.exec() == QMessageBox::Yes;
}

void QtEffects::endProcess(int exitCode)
{
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

void QtEffects::openDocument(const std::string& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

} // namespace platform

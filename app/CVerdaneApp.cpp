#include "CVerdaneApp.h"

#include "CVerdaneDlg.h"
#include "StartupTuning.h"
#include "platform/Effects.h"
#include "platform/Paths.h"
#include "platform/SingleInstanceGuard.h"
#include "platform/Translations.h"

#include <QString>
#include <optional>

using platform::SingleInstanceGuard;

namespace {
// Held from start to exit; the kernel drops it with the process however the process ends.
std::optional<SingleInstanceGuard> guard;
} // namespace

CVerdaneApp::CVerdaneApp()
{
    guard.emplace("Verdane.exe");
    if (guard->state() != SingleInstanceGuard::State::AlreadyRunning)
        app::readContentsAhead(prefetch);
}

void CVerdaneApp::Run()
{
    InitInstance();
    guard.reset();
    platform::endProcess(0);
}

void CVerdaneApp::InitInstance()
{
    if (guard->state() == SingleInstanceGuard::State::AlreadyRunning) {
        const std::string title = platform::applicationTitle();
        platform::effects().showMessage(nullptr, u"既に起動されています。",
                                        QString::fromStdString(title).toStdU16String(),
                                        platform::MessageIcon::Exclamation);
        return;
    }
    // The toolkit's own menus and buttons speak the program's language.
    platform::installToolkitTranslations();
    CVerdaneDlg mainWindow;
    mainWindow.SetContentPrefetch(&*prefetch);
    mainWindow.DoModal();
}

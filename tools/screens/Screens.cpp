// verdane-screens: photographs the real main window for the how-to guide, at every build, so
// the guide's pictures always show the program as it is.
//
//   verdane-screens OUTPUT_FOLDER [CONTENT_FILE]
//
// Each picture starts from a freshly opened window (offscreen, with the given content file or
// the one beside the executable), is driven by clicks and key strokes, and is saved as a PNG.
// OUTPUT_FOLDER/screens.txt then lists the pictures; the build waits for it. A step that
// cannot be carried out, or a message box on the way, ends the run with exit code 1.

#include "ScreenDriver.h"

#include "app/CVerdaneDlg.h"
#include "content/tessera.h"
#include "platform/Effects.h"
#include "platform/QtStrings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using screens::Driver;

namespace {

struct Shot {
    const char* file;
    std::function<void(Driver&)> steps;
    std::optional<QRect> part = std::nullopt; // window pixels; the whole window when none
    bool withDraft = false;                   // the draft's window beside the main window
};

// Parts of the window, in window pixels: the left column of a page (its category controls),
// and the first page's count with its three result boxes.
const QRect kLeftColumn(4, 36, 440, 624);
const QRect kStrengthsResults(448, 36, 541, 420);

// The pictures of the how-to guide (docs/howto.txt shows them by these names): one line each.
// clang-format off
const std::vector<Shot> kShots = {
    {"start.png",     [](Driver&) {}},
    {"category.png",  [](Driver& d) { d.click(u"製造"); d.click(u"責任感"); }},
    {"keyword.png",   [](Driver& d) { d.search(u"責任　最後"); }},
    {"copy.png",      [](Driver& d) { d.click(u"技術"); d.doubleClickSentence(0); },
                      kStrengthsResults},
    {"in-school.png", [](Driver& d) { d.tab(1); }, kLeftColumn},
    {"outside.png",   [](Driver& d) { d.tab(2); }, kLeftColumn},
    // The draft beside the main window: two sentences, a word typed that a report must not
    // carry, and a limit the draft is past.
    {"draft.png",     [](Driver& d) { d.click(u"製造"); d.click(u"協調性"); d.addToDraft(0);
                                      d.addToDraft(1); d.typeInDraft(u"〇〇大会では家族の応援を受けた。");
                                      d.limitDraft(100); },
                      std::nullopt, true},
};
// clang-format on

// Message boxes are collected, not shown: any of them means a step went wrong.
class CollectingEffects : public platform::Effects {
public:
    void showMessage(const platform::Dialog*, std::u16string_view text, std::u16string_view,
                     platform::MessageIcon) override
    {
        messages.push_back(platform::toQString(text).toStdString());
    }
    bool askQuestion(const platform::Dialog*, std::u16string_view text,
                     std::u16string_view) override
    {
        messages.push_back(platform::toQString(text).toStdString());
        return true;
    }
    [[noreturn]] void endProcess(int exitCode) override
    {
        for (const std::string& message : messages)
            std::fprintf(stderr, "verdane-screens: the program said: %s\n", message.c_str());
        std::fprintf(stderr, "verdane-screens: the program ended with exit code %d\n", exitCode);
        std::_Exit(1);
    }
    void openDocument(const std::string&) override {}

    std::vector<std::string> messages;
};

void take(const Shot& shot, const QDir& folder)
{
    CollectingEffects effects;
    platform::ScopedEffects installed(effects);
    CVerdaneDlg window;
    if (!window.Create())
        throw screens::DriveError("the main window could not be made");
    window.show();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();

    Driver driver(window);
    shot.steps(driver);
    if (!effects.messages.empty())
        throw screens::DriveError("the program said: " + effects.messages.front());
    const QString path = folder.filePath(QString::fromUtf8(shot.file));
    const QImage picture = shot.withDraft ? driver.pictureWithDraft() : driver.picture(shot.part);
    if (!picture.save(path))
        throw screens::DriveError("cannot write " + path.toStdString());
}

} // namespace

int main(int argc, char** argv)
{
    // Never a window on the desktop of whoever builds, nor a remark among theirs: the draft
    // keeps what it is given in a data folder of this run's own.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const QTemporaryDir data;
    setenv("XDG_DATA_HOME", data.path().toLocal8Bit().constData(), 1);
    QApplication application(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: verdane-screens OUTPUT_FOLDER [CONTENT_FILE]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "verdane-screens: cannot make %s\n", argv[1]);
        return 1;
    }
    if (argc == 3)
        KOVA_useContentFile(argv[2]);

    QStringList written;
    for (const Shot& shot : kShots) {
        try {
            take(shot, folder);
        } catch (const screens::DriveError& error) {
            std::fprintf(stderr, "verdane-screens: %s: %s\n", shot.file, error.what());
            return 1;
        }
        written.append(QString::fromUtf8(shot.file));
    }
    QFile list(folder.filePath(QStringLiteral("screens.txt")));
    if (!list.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        list.write((written.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0) {
        std::fprintf(stderr, "verdane-screens: cannot write %s\n", qPrintable(list.fileName()));
        return 1;
    }
    std::printf("verdane-screens: %lld pictures in %s\n", static_cast<long long>(written.size()),
                argv[1]);
    return 0;
}

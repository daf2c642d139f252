// The program as a whole process: one instance at a time, and exit code 0 after every
// normal close. Each start runs in a child process (a death test), as a real start would.

#include "app/CVerdaneApp.h"
#include "app/CVerdaneDlg.h"
#include "pages/ContentLoader.h"
#include "platform/Dialog.h"
#include "platform/SingleInstanceGuard.h"
#include "support/ContentFile.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using platform::SingleInstanceGuard;
using testing_support::UseContentFile;

namespace {

class AppDeathTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }

    // Does to the main window, once it is shown, what a teacher does to close it.
    static void whenShown(const std::function<void(CVerdaneDlg&)>& close)
    {
        QTimer::singleShot(0, [close] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* window = dynamic_cast<CVerdaneDlg*>(widget);
                    window && window->isVisible())
                    close(*window);
            }
        });
    }

    UseContentFile content{GOLDEN_CONTENT};
};

bool guardIsFree()
{
    SingleInstanceGuard probe("Verdane.exe");
    return probe.state() == SingleInstanceGuard::State::Owned;
}

} // namespace

TEST_F(AppDeathTest, EveryNormalCloseEndsTheProcessWithCodeZero)
{
    EXPECT_EXIT(
        {
            whenShown([](CVerdaneDlg& window) { window.control<QPushButton>(1)->click(); });
            CVerdaneApp().Run();
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            // The close box and Alt+F4 both ask the window to close.
            whenShown([](CVerdaneDlg& window) { window.close(); });
            CVerdaneApp().Run();
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(AppDeathTest, ASecondInstanceIsRefusedAndTheFirstKeepsItsGuard)
{
    // The child is a fork of this process at the start below, so only this process takes the
    // guard first.
    GTEST_FLAG_SET(death_test_style, "fast");
    SingleInstanceGuard first("Verdane.exe");
    ASSERT_EQ(first.state(), SingleInstanceGuard::State::Owned);
    const std::string title =
        QCoreApplication::applicationFilePath().section('/', -1).toStdString();
    EXPECT_EXIT(CVerdaneApp().Run(), ::testing::ExitedWithCode(0),
                "\\[" + title + "\\] 既に起動されています。");
    EXPECT_EQ(first.state(), SingleInstanceGuard::State::Owned);
    EXPECT_FALSE(guardIsFree()) << "the refused start must not take or drop the guard";
}

TEST_F(AppDeathTest, AStartAfterTheFirstInstanceEndedIsAccepted)
{
    // Ended normally, with the guard released on the way out.
    EXPECT_EXIT(
        {
            whenShown([](CVerdaneDlg& window) { window.close(); });
            CVerdaneApp().Run();
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(guardIsFree());

    // Ended by a content error, which skips every clean-up: the kernel drops the guard.
    EXPECT_EXIT(
        {
            SingleInstanceGuard held("Verdane.exe");
            int count = 0;
            ContentLoader("\x81", count, nullptr, nullptr, nullptr);
        },
        ::testing::ExitedWithCode(1), "コンテンツファイルを読み込めません");
    EXPECT_TRUE(guardIsFree());
}

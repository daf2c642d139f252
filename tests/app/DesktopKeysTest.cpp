// The program's own message boxes and the toolkit's menus keep the keys and the wheel a desktop
// gives them, although the window and its pages filter keys: Enter presses a box's button,
// Escape closes a box or a menu, arrows move in a menu, and nothing turned over them scrolls
// the sentences behind.

#include "app/CVerdaneDlg.h"
#include "platform/QtEffects.h"
#include "platform/Translations.h"
#include "support/ContentFile.h"
#include "support/PageTestHelpers.h"
#include "support/WindowIds.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using testing_support::turnWheel;
using testing_support::UseContentFile;

namespace {

using namespace testing_support::ids;

class DesktopKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.Create());
        window.show();
        QApplication::setActiveWindow(&window);
        // Enough sentences of one job type for the list to scroll.
        QTest::mouseClick(page().control(kFirstJobType), Qt::LeftButton);
        ASSERT_TRUE(scrollBar()->isEnabled());
        turnWheel(resultBox(), -120);
        ASSERT_EQ(scrollBar()->value(), 1);
    }
    void TearDown() override
    {
        // A box or menu the keys failed to close must not block the next test.
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    pages::SentencePage& page() { return window.page(0); }
    QScrollBar* scrollBar() { return page().control<QScrollBar>(1033); }
    QPlainTextEdit* resultBox() { return page().control<QPlainTextEdit>(kFirstResultBox); }

    // Runs opening, which shows a modal box; answer then acts on the box while it is open. A
    // box the answer leaves open is closed, so the test ends either way, and reported.
    void whileBoxIsOpen(const std::function<void()>& opening,
                        const std::function<void(QMessageBox*)>& answer)
    {
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr) << "no message box is open";
            answered = true;
            answer(box);
            if (box->isVisible()) {
                ADD_FAILURE() << "the box is still open";
                box->done(0);
            }
        });
        opening();
        EXPECT_TRUE(answered);
    }

    // The standard menu of a box, opened as a right click opens it.
    static QMenu* openContextMenu(QWidget* box)
    {
        QWidget* target = box;
        if (auto* area = qobject_cast<QAbstractScrollArea*>(box))
            target = area->viewport();
        const QPoint at = target->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }

    static void press(QWidget* window, Qt::Key key)
    {
        QWidget* focus = window->focusWidget();
        QTest::keyClick(focus ? focus : window, key);
    }

    UseContentFile content{SAMPLE_CONTENT};
    platform::QtEffects realBoxes;
    platform::ScopedEffects installed{realBoxes};
    CVerdaneDlg window;
};

} // namespace

TEST_F(DesktopKeysTest, EnterAndEscapeCloseTheProgramsMessageBoxesAndTheWheelOverThemScrollsNothing)
{
    const std::u16string firstSentence = page().GetDlgItemText(kFirstResultBox);
    const auto refuseEmptyKeyword = [&] {
        window.control(kKeywordBox)->setFocus();
        QTest::mouseClick(window.control(kSearchButton), Qt::LeftButton);
    };
    const auto openAbout = [&] {
        QTest::mouseClick(window.control(kAboutPicture), Qt::LeftButton);
    };
    const struct {
        const char* box;
        std::function<void()> opening;
        Qt::Key key;
    } cases[] = {
        {"the refusal of an empty keyword", refuseEmptyKeyword, Qt::Key_Return},
        {"the refusal of an empty keyword", refuseEmptyKeyword, Qt::Key_Escape},
        {"the about box", openAbout, Qt::Key_Escape},
        {"the about box", openAbout, Qt::Key_Enter},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(std::string(each.box) + ", key " + std::to_string(each.key));
        whileBoxIsOpen(each.opening, [&](QMessageBox* box) {
            for (const int delta : {-120, -120, 120})
                turnWheel(box, delta);
            press(box, each.key);
        });
        EXPECT_EQ(scrollBar()->value(), 1) << "the list behind the box stayed where it was";
        EXPECT_EQ(page().GetDlgItemText(kFirstResultBox), firstSentence);
        EXPECT_TRUE(window.page(0).control<QRadioButton>(kFirstJobType)->isChecked());
        EXPECT_TRUE(window.isVisible());
    }
}

TEST_F(DesktopKeysTest,
       EscapeClosesAResultBoxMenuArrowsAndEnterChooseItsItemsTheWheelScrollsNothing)
{
    const QString sentence = resultBox()->toPlainText();
    QMenu* menu = openContextMenu(resultBox());
    ASSERT_NE(menu, nullptr);
    for (const int delta : {-120, -120, -120})
        turnWheel(menu, delta);
    EXPECT_EQ(scrollBar()->value(), 1) << "the wheel over an open menu scrolled the list";
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "Escape left the menu open";

    // Nothing is selected, so the first item that can be chosen is selecting all of it.
    menu = openContextMenu(resultBox());
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_Down);
    ASSERT_NE(menu->activeAction(), nullptr) << "the arrow key moved to no item";
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "Enter left the menu open";
    EXPECT_EQ(resultBox()->textCursor().selectedText(), sentence)
        << "Enter chose the item, which selected the whole sentence";
    EXPECT_EQ(resultBox()->toPlainText(), sentence);
    EXPECT_EQ(scrollBar()->value(), 1);
}

TEST_F(DesktopKeysTest, TheToolkitsOwnMenusReadInJapanese)
{
    ASSERT_TRUE(platform::installToolkitTranslations())
        << "the toolkit's Japanese translations are not installed";
    for (QWidget* box : {static_cast<QWidget*>(resultBox()), window.control(kKeywordBox)}) {
        QMenu* menu = openContextMenu(box);
        ASSERT_NE(menu, nullptr);
        int items = 0;
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            ++items;
            // The key after the tab, such as Ctrl+C, is written the same in every language.
            const QString words = action->text().section(u'\t', 0, 0);
            EXPECT_FALSE(words.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2}"))))
                << words.toStdString();
        }
        EXPECT_GT(items, 1);
        menu->close();
    }
}

TEST_F(DesktopKeysTest, TheKeywordBoxMenuClosesWithEscapeAndLeavesTheKeywordAlone)
{
    auto* keywordBox = window.control<QLineEdit>(kKeywordBox);
    keywordBox->setFocus();
    QKeyEvent typing(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("責任"));
    QApplication::sendEvent(keywordBox, &typing);
    QMenu* menu = openContextMenu(keywordBox);
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(keywordBox->text(), QStringLiteral("責任"));
    EXPECT_EQ(scrollBar()->value(), 1);
}

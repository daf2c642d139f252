// The window from the keyboard alone: every radio group, field header and tab is reached, and
// what a key chooses is what a click on the same button gives. Input-method text never lands in
// a read-only box.

#include "app/CVerdaneDlg.h"
#include "platform/QtEffects.h"
#include "support/ContentFile.h"
#include "support/WindowIds.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using testing_support::UseContentFile;

namespace {

using namespace testing_support::ids;

constexpr int kWindow = -1; // a control of the main window itself, not of a page

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override { open(); }

    void open()
    {
        window = std::make_unique<CVerdaneDlg>();
        ASSERT_TRUE(window->Create());
        window->show();
        QApplication::setActiveWindow(window.get());
    }

    int shownPage() const
    {
        for (int i = 0; i < 3; ++i) {
            if (window->page(i).isVisible())
                return i;
        }
        return -2;
    }

    // The visible control of that id on a page, its open field panel included, or of the
    // window's own controls.
    QWidget* control(int page, int id) const
    {
        QWidget* within =
            page == kWindow ? static_cast<QWidget*>(window.get()) : &window->page(page);
        for (QWidget* found : within->findChildren<QWidget*>(QStringLiteral("control%1").arg(id))) {
            if (found->isVisible() && (page != kWindow || found->parentWidget() == within))
                return found;
        }
        return nullptr;
    }

    static void press(QKeyCombination keys)
    {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr) << "nothing has the keyboard focus";
        QTest::keyClick(focus, keys.key(), keys.keyboardModifiers());
    }

    // What a choice shows: the count and the first sentence.
    std::pair<QString, QString> result(int page) const
    {
        return {control(page, kCountLabel)->property("text").toString(),
                static_cast<QPlainTextEdit*>(control(page, kFirstResultBox))->toPlainText()};
    }

    UseContentFile content{SAMPLE_CONTENT};
    platform::QtEffects realBoxes;
    platform::ScopedEffects installed{realBoxes};
    std::unique_ptr<CVerdaneDlg> window;
};

} // namespace

TEST_F(KeyboardTest, JourneysReachEveryGroupAndTabAndChooseAsAClickDoes)
{
    using Q = QKeyCombination;
    const Q tab(Qt::Key_Tab), backTab(Qt::SHIFT, Qt::Key_Backtab), down(Qt::Key_Down),
        up(Qt::Key_Up), right(Qt::Key_Right), space(Qt::Key_Space), enter(Qt::Key_Return);
    const int clubTwoBox = content::kClubBoxes[std::size(content::kClubBoxes) - 1].id;
    const int firstJob = content::strengths::kJobTypes[0].id;
    const int lastJob = content::strengths::kJobTypes.back().id;
    // clang-format off
    const struct {
        const char* what;
        int page, from;            // the page shown at the start, and the control with the focus
        std::vector<Q> keys;
        int shownPage, focusPage, focused; // afterwards
        bool chosen;               // the focused control is a checked radio button
    } journeys[] = {
        {"Tab enters the job types at the first, choosing nothing",
         0, kClearAll, {tab},                      0, 0, firstJob, false},
        {"Down chooses the next job type",
         0, kClearAll, {tab, down},                0, 0, firstJob + 1, true},
        {"Up goes round to the last job type",
         0, kClearAll, {tab, up},                  0, 0, lastJob, true},
        {"Space chooses the job type with the focus",
         0, kClearAll, {tab, space},               0, 0, firstJob, true},
        {"the group is one stop: Tab leaves it for the first check box",
         0, kClearAll, {tab, tab},                 0, 0, content::strengths::kCheckBoxes[0].id, false},
        {"Shift+Tab comes back to the checked job type",
         0, kClearAll, {tab, down, down, tab, backTab}, 0, 0, firstJob + 2, true},
        {"Tab reaches the activities after the club boxes; Right chooses",
         1, clubTwoBox, {tab, right},              1, 1, content::kSchoolEventBoxes[1].id, true},
        {"a field header takes the focus; Space opens its group",
         2, kClearAll, {tab, space, tab},          2, 2, content::kOutsideBoxes[0].id, false},
        {"Enter opens a group; Down chooses a field",
         2, kClearAll, {tab, enter, tab, down},    2, 2, content::kOutsideBoxes[1].id, true},
        {"the next header follows the open group's fields",
         2, kClearAll, {tab, space, tab, tab, enter, tab, down}, 2, 2, content::kFutureWorkBoxes[1].id, true},
        {"Ctrl+Tab turns to the next tab, the focus to its first box",
         0, kFirstResultBox, {Q(Qt::CTRL, Qt::Key_Tab)}, 1, 1, kFirstResultBox, false},
        {"Ctrl+Shift+Tab goes round to the last tab",
         0, kFirstResultBox, {Q(Qt::CTRL | Qt::SHIFT, Qt::Key_Backtab)}, 2, 2, kFirstResultBox, false},
        {"Ctrl+PageDown twice, Ctrl+PageUp once",
         0, kClearAll, {Q(Qt::CTRL, Qt::Key_PageDown), Q(Qt::CTRL, Qt::Key_PageDown),
                        Q(Qt::CTRL, Qt::Key_PageUp)}, 1, 1, kFirstResultBox, false},
        {"Shift+Tab from a page's first box goes back to the window's search button",
         1, kFirstResultBox, {backTab},             1, kWindow, kSearchButton, false},
        {"the keyword box keeps the focus while the tabs turn",
         0, kKeywordBox, {Q(Qt::CTRL, Qt::Key_Tab)}, 1, kWindow, kKeywordBox, false},
    };
    // clang-format on
    for (const auto& journey : journeys) {
        SCOPED_TRACE(journey.what);
        const auto start = [&] {
            open();
            window->findChild<QTabBar*>()->setCurrentIndex(journey.page);
            ASSERT_EQ(shownPage(), journey.page);
            QWidget* from =
                control(journey.from == kKeywordBox ? kWindow : journey.page, journey.from);
            ASSERT_NE(from, nullptr);
            from->setFocus(Qt::OtherFocusReason);
        };
        start();
        for (const Q keys : journey.keys)
            press(keys);
        EXPECT_EQ(shownPage(), journey.shownPage);
        QWidget* expected = control(journey.focusPage, journey.focused);
        ASSERT_NE(expected, nullptr);
        EXPECT_EQ(QApplication::focusWidget(), expected)
            << "the focus is on " << QApplication::focusWidget()->objectName().toStdString();
        auto* button = qobject_cast<QAbstractButton*>(expected);
        EXPECT_EQ(button && button->isCheckable() && button->isChecked(), journey.chosen);
        if (!journey.chosen)
            continue;
        // The same choice by a click, from the same state, shows the same.
        const auto chosenByKey = result(journey.shownPage);
        start();
        for (std::size_t i = 0; i + 1 < journey.keys.size(); ++i)
            press(journey.keys[i]);
        QTest::mouseClick(control(journey.focusPage, journey.focused), Qt::LeftButton);
        EXPECT_EQ(result(journey.shownPage), chosenByKey);
        EXPECT_NE(chosenByKey.first, QStringLiteral("0 件"));
    }
}

TEST_F(KeyboardTest, AReadOnlyBoxTakesNoInputMethodTextWhereAnEditableBoxDoes)
{
    QTest::mouseClick(window->page(0).control(kFirstJobType), Qt::LeftButton);
    auto* resultBox = window->page(0).control<QPlainTextEdit>(kFirstResultBox);
    auto* keywordBox = window->control<QLineEdit>(kKeywordBox);
    const QString sentence = resultBox->toPlainText();
    ASSERT_FALSE(sentence.isEmpty());
    for (QWidget* box : {static_cast<QWidget*>(resultBox), static_cast<QWidget*>(keywordBox)}) {
        box->setFocus(Qt::MouseFocusReason);
        QInputMethodEvent composing(QStringLiteral("せきにん"), {});
        QApplication::sendEvent(box, &composing);
        QInputMethodEvent committing;
        committing.setCommitString(QStringLiteral("責任"));
        QApplication::sendEvent(box, &committing);
    }
    EXPECT_EQ(resultBox->toPlainText().toStdString(), sentence.toStdString());
    EXPECT_TRUE(resultBox->textCursor().block().layout()->preeditAreaText().isEmpty());
    EXPECT_FALSE(resultBox->inputMethodQuery(Qt::ImEnabled).toBool());
    EXPECT_TRUE(keywordBox->text().endsWith(QStringLiteral("責任")))
        << "the same events reach an editable box: " << keywordBox->text().toStdString();
}

TEST_F(KeyboardTest, PictureButtonsAreButtonsThatAssistiveTechnologyCanPress)
{
    window->findChild<QTabBar*>()->setCurrentIndex(2);
    QWidget* header = control(2, 1110); // 将来の仕事
    ASSERT_NE(header, nullptr);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(header);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Button);
    EXPECT_EQ(face->text(QAccessible::Name).toStdString(), "将来の仕事");
    EXPECT_TRUE(face->state().focusable);
    ASSERT_NE(face->actionInterface(), nullptr);
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_NE(control(2, content::kFutureWorkBoxes[0].id), nullptr) << "the group did not open";
}

TEST_F(KeyboardTest, ACompositionCommittedWhereItWasTypedIsNotCommittedAgainWhereTheFocusWent)
{
    auto* keywordBox = window->control<QLineEdit>(kKeywordBox);
    QLineEdit other; // stands in for the draft, another window's editable box
    const auto composeIn = [](QWidget* box, const QString& text, bool commit) {
        QInputMethodEvent composing(text, {});
        QApplication::sendEvent(box, &composing);
        if (!commit)
            return;
        QInputMethodEvent committing;
        committing.setCommitString(text);
        QApplication::sendEvent(box, &committing);
    };
    const auto commitIn = [](QWidget* box, const QString& text) {
        QInputMethodEvent committing;
        committing.setCommitString(text);
        QApplication::sendEvent(box, &committing);
    };
    // clang-format off
    const struct {
        const char* what;
        bool typedAndCommitted; // in the keyword box, before the focus moved
        const char16_t* arriving; // then committed into the other box
        const char16_t* otherHolds;
    } cases[] = {
        {"the same text again is an echo",           true,  u"責任",   u""},
        {"other text is the teacher's",              true,  u"協調",   u"協調"},
        {"without a first commit nothing is echoed", false, u"責任",   u"責任"},
    };
    // clang-format on
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        keywordBox->clear();
        other.clear();
        keywordBox->setFocus(Qt::MouseFocusReason);
        composeIn(keywordBox, QStringLiteral("責任"), each.typedAndCommitted);
        commitIn(&other, QString::fromStdU16String(each.arriving));
        EXPECT_EQ(other.text().toStdU16String(), each.otherHolds);
        composeIn(&other, QStringLiteral("次"), true); // a composition of its own ends the watch
    }
}

// The draft on real widgets, over the packed sample content and its word lists: sentences and
// parts of them added from a result box's menu and by its shortcut at the draft's cursor, the
// key that shows it, the length against a limit, the form's box, the marks of facts to fill in,
// the words a report must not carry and what to read again, copying with its note, clearing and
// undoing, the remarks kept by student and taken up in the next run, the question before the
// program ends when something could not be stored, and the marks in the result boxes.

#include "app/CVerdaneDlg.h"
#include "draft/MarkHighlighter.h"
#include "draft/SentenceCollector.h"
#include "support/ContentFile.h"
#include "support/RecordingEffects.h"
#include "support/WindowIds.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QDirIterator>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <gtest/gtest.h>

using testing_support::RecordingEffects;
using testing_support::UseContentFile;

namespace {

using namespace testing_support::ids;

// A data folder of the test's own, in which the draft keeps its remarks, for as long as it lives.
class DataFolder {
public:
    DataFolder() : saved_(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("XDG_DATA_HOME", folder.path().toUtf8());
    }
    ~DataFolder() { qputenv("XDG_DATA_HOME", saved_); }
    QString store() const { return folder.path() + QStringLiteral("/verdane/remarks.sqlite"); }
    QTemporaryDir folder;

private:
    QByteArray saved_;
};

class DraftTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.Create());
        window.show();
        QApplication::setActiveWindow(&window);
        QTest::mouseClick(window.page(0).control(kFirstJobType), Qt::LeftButton);
        ASSERT_FALSE(sentence(kFirstResultBox).isEmpty());
    }
    void TearDown() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    QPlainTextEdit* resultBox(int id) { return window.page(0).control<QPlainTextEdit>(id); }
    QString sentence(int id) { return resultBox(id)->toPlainText(); }
    draft::DraftWindow& draft() { return window.draftWindow(); }
    QPlainTextEdit* draftText() { return draft().textBox(); }
    template <typename T> T* draftControl(const QString& text)
    {
        for (T* control : draft().findChildren<T*>()) {
            if (control->text().startsWith(text))
                return control;
        }
        return nullptr;
    }
    QString shownCount()
    {
        for (QLabel* label : draft().findChildren<QLabel*>()) {
            if (label->text().contains(QStringLiteral(" 字")))
                return label->text();
        }
        return {};
    }
    // Whether the draft's text has the keyboard once the window system has given the window it.
    bool draftHasKeyboard()
    {
        QApplication::processEvents();
        return draftText()->hasFocus();
    }
    QPushButton* marksButton() { return draftControl<QPushButton>(QStringLiteral("未記入")); }
    QListWidget* warnings() { return draft().findChild<QListWidget*>(); }
    QLabel* labelWith(const QString& text)
    {
        for (QLabel* label : draft().findChildren<QLabel*>()) {
            if (label->text().contains(text))
                return label;
        }
        return nullptr;
    }
    QSpinBox* numberBox(const QString& name) { return named<QSpinBox>(name); }
    template <typename T> T* named(const QString& name) { return namedIn<T>(draft(), name); }
    template <typename T> static T* namedIn(QWidget& within, const QString& name)
    {
        for (T* control : within.findChildren<T*>()) {
            if (control->accessibleName() == name)
                return control;
        }
        return nullptr;
    }
    // The draft's marks laid over its text whose format has says yes, as [start, end) pairs.
    std::vector<std::pair<int, int>> marked(const std::function<bool(const QTextCharFormat&)>& has)
    {
        std::vector<std::pair<int, int>> found;
        for (const QTextEdit::ExtraSelection& mark : draftText()->extraSelections()) {
            if (has(mark.format))
                found.emplace_back(mark.cursor.selectionStart(), mark.cursor.selectionEnd());
        }
        return found;
    }
    // What an input method commits, as it hands it over when a conversion ends.
    static void commit(QWidget* widget, const QString& text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(widget, &event);
    }

    // The box's menu, opened as a right click opens it.
    static QMenu* openMenu(QPlainTextEdit* box)
    {
        const QPoint at = box->viewport()->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, box->viewport()->mapToGlobal(at));
        QApplication::sendEvent(box->viewport(), &event);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    static QAction* item(QMenu* menu, const QString& words)
    {
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(words))
                return action;
        }
        return nullptr;
    }
    // Whether the text from position on carries a format of which has says yes.
    static bool formatted(QPlainTextEdit* box, int position,
                          const std::function<bool(const QTextCharFormat&)>& has)
    {
        const QTextBlock block = box->document()->findBlock(position);
        const int inBlock = position - block.position();
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (inBlock >= range.start && inBlock < range.start + range.length && has(range.format))
                return true;
        }
        return false;
    }
    // Types text as the keyboard would, one character at a time.
    static void type(QWidget* widget, const QString& text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
        }
    }
    void setDraft(const QString& text)
    {
        draftText()->setPlainText(text);
        QApplication::processEvents();
    }

    UseContentFile content{SAMPLE_CONTENT};
    DataFolder data;
    RecordingEffects effects;
    CVerdaneDlg window;
};

} // namespace

TEST_F(DraftTest, SentencesAndPartsAreAddedFromTheMenuAndByTheShortcutAsProse)
{
    QMenu* menu = openMenu(resultBox(kFirstResultBox));
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> items = menu->actions();
    EXPECT_TRUE(std::any_of(items.begin(), items.end(), [](const QAction* action) {
        return action->text().endsWith(QStringLiteral("\tCtrl+A")); // select all
    })) << "the standard items stay";
    QAction* add = item(menu, QStringLiteral("下書きに追加"));
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    QAction* show = item(menu, QStringLiteral("下書きを表示"));
    ASSERT_NE(show, nullptr) << "offered before the first sentence too";
    EXPECT_EQ(show->shortcut(), QKeySequence(draft::kShowDraftKey));
    add->trigger();
    menu->close();
    EXPECT_TRUE(draft().isVisible()) << "the first addition opens the draft";
    EXPECT_EQ(draft().text(), sentence(kFirstResultBox));

    // Part of the second sentence, chosen by selecting it, added with the shortcut.
    QPlainTextEdit* second = resultBox(kSecondResultBox);
    QTextCursor cursor(second->document());
    cursor.setPosition(2);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    second->setTextCursor(cursor);
    second->setFocus();
    QTest::keyClick(second, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(draft().text(), sentence(kFirstResultBox) + sentence(kSecondResultBox).mid(2, 7));
}

TEST_F(DraftTest, ASentenceGoesAtTheDraftsCursorAndEachIsOneStepForUndo)
{
    const QString first = sentence(kFirstResultBox), second = sentence(kSecondResultBox);
    const auto add = [this](int box) {
        resultBox(box)->setFocus();
        QTest::keyClick(resultBox(box), Qt::Key_D, Qt::ControlModifier);
    };
    add(kFirstResultBox);
    type(draftText(), QStringLiteral("続けて"));
    add(kSecondResultBox);
    EXPECT_EQ(draft().text(), first + QStringLiteral("続けて") + second) << "at the end";

    // The teacher puts the cursor inside, a word selected: the sentence goes behind it.
    QTextCursor inside(draftText()->document());
    inside.setPosition(static_cast<int>(first.size()));
    inside.setPosition(static_cast<int>(first.size()) + 3, QTextCursor::KeepAnchor);
    draftText()->setTextCursor(inside);
    add(kSecondResultBox);
    EXPECT_EQ(draft().text(), first + QStringLiteral("続けて") + second + second);
    add(kFirstResultBox); // behind the one just put there
    EXPECT_EQ(draft().text(), first + QStringLiteral("続けて") + second + first + second);

    QTest::keyClick(draftText(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(draft().text(), first + QStringLiteral("続けて") + second + second);
    QTest::keyClick(draftText(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(draftText(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(draft().text(), first + QStringLiteral("続けて")) << "the typing is a step apart";
}

TEST_F(DraftTest, TheKeyShowsTheDraftFromAnywhereInTheMainWindowBeforeTheFirstSentenceToo)
{
    const QList<QWidget*> anywhere = {window.control(kKeywordBox), resultBox(kFirstResultBox),
                                      window.page(0).control(kFirstJobType), window.control(kQuit)};
    for (QWidget* from : anywhere) {
        QApplication::setActiveWindow(&window);
        from->setFocus();
        QTest::keyClick(from, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_TRUE(draft().isVisible()) << from->accessibleName().toStdString();
        EXPECT_TRUE(draftHasKeyboard()) << from->accessibleName().toStdString();
        draft().hide();
    }
    EXPECT_EQ(draft().text(), QString());
}

TEST_F(DraftTest, TheLengthCountsOneForEveryCharacterNoneForLineBreaksAndTurnsRedPastTheLimit)
{
    setDraft(QStringLiteral("誠実😀\n三\r\n"));
    EXPECT_EQ(shownCount(), QStringLiteral("4 字"));
    auto* limit = numberBox(QStringLiteral("字数の上限"));
    ASSERT_NE(limit, nullptr);
    limit->setValue(3);
    EXPECT_TRUE(shownCount().startsWith(QStringLiteral("4 字"))) << shownCount().toStdString();
    EXPECT_TRUE(shownCount().contains(QStringLiteral("1 字超えています")));
    QLabel* count = nullptr;
    for (QLabel* label : draft().findChildren<QLabel*>())
        if (label->text() == shownCount())
            count = label;
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->palette().color(QPalette::WindowText), QColor(0xC0, 0x00, 0x00));
    limit->setValue(4);
    EXPECT_FALSE(shownCount().contains(QStringLiteral("超え")));
    EXPECT_NE(count->palette().color(QPalette::WindowText), QColor(0xC0, 0x00, 0x00));
}

TEST_F(DraftTest, AForbiddenWordTypedIsUnderlinedAndListedWithItsReasonUntilDeleted)
{
    setDraft(QStringLiteral("部活動では"));
    draftText()->moveCursor(QTextCursor::End);
    type(draftText(), QStringLiteral("家族"));
    ASSERT_EQ(warnings()->count(), 1);
    EXPECT_TRUE(warnings()->item(0)->text().startsWith(QStringLiteral("家族")));
    EXPECT_FALSE(warnings()->item(0)->toolTip().isEmpty()) << "the reason is given";
    EXPECT_FALSE(warnings()->isHidden());
    EXPECT_TRUE(formatted(draftText(), 5, [](const QTextCharFormat& f) {
        return f.underlineStyle() == QTextCharFormat::WaveUnderline;
    }));
    EXPECT_FALSE(formatted(draftText(), 0, [](const QTextCharFormat& f) {
        return f.underlineStyle() == QTextCharFormat::WaveUnderline;
    }));
    QTest::keyClick(draftText(), Qt::Key_Backspace);
    QTest::keyClick(draftText(), Qt::Key_Backspace);
    EXPECT_EQ(warnings()->count(), 0);
    EXPECT_FALSE(formatted(draftText(), 4, [](const QTextCharFormat& f) {
        return f.underlineStyle() == QTextCharFormat::WaveUnderline;
    }));
}

TEST_F(DraftTest, TheFieldsBoxShowsTheLinesAndMarksAndNamesWhatFallsPastIt)
{
    const auto pastBox = [](const QTextCharFormat& f) {
        return f.background().color() == draft::pastBoxBackground();
    };
    // Eleven lines of 38 in a box of ten: the last line and the break before it fall outside.
    const QString line(38, QChar(u'あ'));
    setDraft(QString(line).repeated(10) + QStringLiteral("\n卒業後も資格の勉強"));
    QLabel* fit = labelWith(QStringLiteral(" 行 / "));
    ASSERT_NE(fit, nullptr);
    EXPECT_EQ(fit->text(), QStringLiteral("11 行 / 10 行（「卒業後も資格…」から 9 字が枠の外）"));
    EXPECT_EQ(fit->palette().color(QPalette::WindowText), QColor(0xC0, 0x00, 0x00));
    EXPECT_EQ(marked(pastBox), (std::vector<std::pair<int, int>>{{381, 390}}));
    EXPECT_TRUE(shownCount().startsWith(QStringLiteral("389 字"))) << "the count stays as it was";

    // Another field, and a box set by the teacher, with digits as the input method gives them;
    // the limit takes them too.
    auto* field = named<QComboBox>(QStringLiteral("様式の欄"));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->currentText(), QStringLiteral("本人のアピールポイント・推薦事由等"));
    field->setCurrentIndex(1);
    EXPECT_TRUE(fit->text().startsWith(QStringLiteral("11 行 / 4 行（")));
    QSpinBox* lines = numberBox(QStringLiteral("枠の行数"));
    lines->findChild<QLineEdit*>()->selectAll();
    commit(lines->findChild<QLineEdit*>(), QStringLiteral("１２"));
    EXPECT_EQ(lines->value(), 12);
    EXPECT_EQ(fit->text(), QStringLiteral("11 行 / 12 行"));
    EXPECT_TRUE(marked(pastBox).empty());
    field->setCurrentIndex(0);
    EXPECT_EQ(lines->value(), 10) << "each field keeps its own box";
    field->setCurrentIndex(1);
    EXPECT_EQ(lines->value(), 12);
    QSpinBox* limit = numberBox(QStringLiteral("字数の上限"));
    limit->findChild<QLineEdit*>()->selectAll();
    commit(limit->findChild<QLineEdit*>(), QStringLiteral("２００"));
    EXPECT_EQ(limit->value(), 200);
}

TEST_F(DraftTest, TheSecondLookIsUnderlinedApartAndListedAfterTheForbiddenWordsWithItsReasonWhole)
{
    setDraft(QStringLiteral("家族の支えを受け、様々な場面で努力している。"
                            "部活動でも工夫している。"));
    ASSERT_EQ(warnings()->count(), 3);
    EXPECT_TRUE(warnings()->item(0)->text().startsWith(QStringLiteral("家族")));
    EXPECT_TRUE(warnings()->item(1)->text().startsWith(QStringLiteral("見直し　様々な　")));
    EXPECT_TRUE(warnings()->item(2)->text().startsWith(QStringLiteral("見直し　文末「ている」")));
    const auto review = [](const QTextCharFormat& f) {
        return f.underlineStyle() == QTextCharFormat::DashUnderline &&
               f.underlineColor() == draft::reviewUnderline();
    };
    EXPECT_EQ(marked(review), (std::vector<std::pair<int, int>>{{9, 12}, {18, 21}, {30, 33}}));

    // Narrow as on a small screen, a row's reason wraps instead of running off to the right.
    draft().resize(draft().minimumSizeHint().width(), draft().height());
    QApplication::processEvents();
    const QRect row = warnings()->visualItemRect(warnings()->item(1));
    EXPECT_LE(row.right(), warnings()->viewport()->width());
    EXPECT_GE(row.height(), 2 * warnings()->fontMetrics().height());

    // A click selects the place, and again the next place of the same row.
    const auto click = [this](int row) {
        QListWidgetItem* item = warnings()->item(row);
        QTest::mouseClick(warnings()->viewport(), Qt::LeftButton, {},
                          warnings()->visualItemRect(item).center());
        return draftText()->textCursor().selectedText();
    };
    EXPECT_EQ(click(1), QStringLiteral("様々な"));
    EXPECT_EQ(click(0), QStringLiteral("家族"));
    EXPECT_EQ(click(2), QStringLiteral("ている"));
    EXPECT_EQ(draftText()->textCursor().selectionStart(), 18);
    click(2);
    EXPECT_EQ(draftText()->textCursor().selectionStart(), 30);
    EXPECT_EQ(draft().focusWidget(), draftText()) << "ready to be written over";
}

TEST_F(DraftTest, TheDraftKeepsItsWidthWhateverItsLinesSay)
{
    draft().show();
    draft().resize(draft().minimumSizeHint().width(), draft().height());
    QApplication::processEvents();
    const int width = draft().width();
    numberBox(QStringLiteral("字数の上限"))->setValue(1);
    setDraft(QString(179, QChar(u'あ')) + QStringLiteral("様々な家族と言われている〇〇△"));
    QTest::mouseClick(draftControl<QPushButton>(QStringLiteral("コピー")), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(draft().width(), width);
    EXPECT_LE(draft().minimumSizeHint().width(), width);
    // Nothing around the text makes the narrowest draft much wider than its text at its
    // narrowest, a line of about 14 characters: that is all the room a 1280-pixel screen leaves
    // beside the main window.
    const int sides = draft().width() - draftText()->width();
    const int character = QFontMetrics(draftText()->font()).horizontalAdvance(QChar(0x3000));
    EXPECT_LE(draft().minimumSizeHint().width(), draftText()->minimumWidth() + sides + character);
}

TEST_F(DraftTest, TheMarksLeftAreCountedAndAClickSelectsEachInTurn)
{
    setDraft(QStringLiteral("〇〇大会でベスト△に入った。"));
    QPushButton* marks = marksButton();
    ASSERT_NE(marks, nullptr);
    EXPECT_EQ(marks->text(), QStringLiteral("未記入 2 箇所"));
    for (const QString& expected :
         {QStringLiteral("〇〇"), QStringLiteral("△"), QStringLiteral("〇〇")}) {
        QTest::mouseClick(marks, Qt::LeftButton);
        EXPECT_EQ(draftText()->textCursor().selectedText(), expected);
    }
    EXPECT_EQ(draftText()->textCursor().selectionStart(), 0) << "round again from the start";
    setDraft(QStringLiteral("記入済み"));
    EXPECT_EQ(marks->text(), QStringLiteral("未記入 0 箇所"));
    EXPECT_FALSE(marks->isEnabled());
}

TEST_F(DraftTest, CopyPutsExactlyTheDraftOnTheClipboardSaysWhatIsLeftAndClearCanBeUndone)
{
    // Whatever is left to do, the draft is copied; the note under it says what is left.
    QLabel* note = nullptr;
    const auto copy = [&] {
        QApplication::clipboard()->setText(QStringLiteral("something else"));
        QTest::mouseClick(draftControl<QPushButton>(QStringLiteral("コピー")), Qt::LeftButton);
        note = labelWith(QStringLiteral("コピーしました"));
        return note ? note->text() : QString();
    };
    numberBox(QStringLiteral("字数の上限"))->setValue(3);
    setDraft(QStringLiteral("家族と〇〇に出た。"));
    EXPECT_EQ(copy(), QStringLiteral("コピーしました。残っています: 未記入 1 箇所、"
                                     "調査書に書かない語 1 語、上限を 6 字超過"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("家族と〇〇に出た。"));
    ASSERT_NE(note, nullptr);
    EXPECT_FALSE(note->isHidden());
    numberBox(QStringLiteral("字数の上限"))->setValue(0);
    EXPECT_TRUE(note->isHidden()) << "what it said is of the draft as it was copied";

    const QString text = QStringLiteral("一文目。\n二文目😀。");
    setDraft(text);
    EXPECT_EQ(copy(), QStringLiteral("コピーしました。"));
    EXPECT_EQ(QApplication::clipboard()->text(), text);
    QTest::mouseClick(draftControl<QPushButton>(QStringLiteral("クリア")), Qt::LeftButton);
    EXPECT_EQ(draft().text(), QString());
    QTest::keyClick(draftText(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(draft().text(), text);
}

TEST_F(DraftTest, EndingAsksOnlyWhenWhatWasTypedCouldNotBeStored)
{
    // Stored as it was typed: the program ends at once, whatever the draft holds.
    setDraft(QStringLiteral("保存される下書き"));
    QTimer::singleShot(0, [this] { QTest::mouseClick(window.control(kQuit), Qt::LeftButton); });
    EXPECT_EQ(window.RunModalLoop(), platform::IDOK);
    EXPECT_TRUE(effects.questions.empty());
}

TEST_F(DraftTest, WhenNothingCanBeStoredTheDraftSaysSoTypingGoesOnAndEndingAsks)
{
    // A data folder under a file: no folder can be made there, not even by the superuser.
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    qputenv("XDG_DATA_HOME", (file.fileName() + QStringLiteral("/data")).toUtf8());
    EXPECT_TRUE(draft().nothingToLose()) << "nothing typed yet";
    type(draftText(), QStringLiteral("保存できない下書き"));
    EXPECT_EQ(draft().text(), QStringLiteral("保存できない下書き"));
    QLabel* problem = labelWith(QStringLiteral("下書きを保存できません"));
    ASSERT_NE(problem, nullptr);
    EXPECT_TRUE(problem->isVisibleTo(&draft()));

    // Asked; いいえ keeps the program and brings up the draft, though the teacher had closed it,
    // ready to be copied; the close box asks too.
    draft().hide();
    effects.answer = false;
    QTimer::singleShot(0, [this] {
        QTest::mouseClick(window.control(kQuit), Qt::LeftButton);
        EXPECT_EQ(effects.questions.size(), 1u);
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(draft().isVisible());
        EXPECT_TRUE(draftHasKeyboard());
        effects.answer = true;
        window.close();
    });
    EXPECT_EQ(window.RunModalLoop(), platform::IDCANCEL);
    EXPECT_EQ(effects.questions.size(), 2u);
}

TEST_F(DraftTest, RemarksOfThreeStudentsAreKeptAsTypedAndBackInTheNextRun)
{
    draft().showDraft();
    auto* classBox = named<QComboBox>(QStringLiteral("組"));
    QSpinBox* number = numberBox(QStringLiteral("出席番号"));
    auto* memo = named<QLineEdit>(QStringLiteral("メモ"));
    ASSERT_TRUE(classBox && number && memo);
    // Typed before anyone was chosen, then given to the student chosen.
    type(draftText(), QStringLiteral("一人目の所見"));
    classBox->lineEdit()->setText(QStringLiteral("３年１組"));
    QTest::keyClick(classBox->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(classBox->currentText(), QStringLiteral("3年1組"));
    number->setValue(1);
    type(memo, QStringLiteral("野球部"));
    number->setValue(2);
    EXPECT_EQ(draft().text(), QString()) << "a student of no remark yet";
    type(draftText(), QStringLiteral("二人目の所見"));
    number->setValue(3);
    type(draftText(), QStringLiteral("三人目の所見"));
    QTest::mouseClick(draftControl<QPushButton>(QStringLiteral("新しい版")), Qt::LeftButton);
    type(draftText(), QStringLiteral("、第二版"));
    // The versions in turn from the keyboard.
    QApplication::setActiveWindow(&draft());
    QTest::keyClick(draftText(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(draft().text(), QStringLiteral("三人目の所見"));
    QTest::keyClick(draftText(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(draft().text(), QStringLiteral("三人目の所見、第二版"));
    EXPECT_TRUE(draft().nothingToLose());

    // The next run takes up the remark changed last, and every student's is there.
    CVerdaneDlg next;
    ASSERT_TRUE(next.Create());
    draft::DraftWindow& again = next.draftWindow();
    EXPECT_EQ(again.text(), QStringLiteral("三人目の所見、第二版"));
    EXPECT_EQ(namedIn<QComboBox>(again, QStringLiteral("組"))->currentText(),
              QStringLiteral("3年1組"));
    auto* nextNumber = namedIn<QSpinBox>(again, QStringLiteral("出席番号"));
    EXPECT_EQ(nextNumber->value(), 3);
    // clang-format off
    const struct { int number; const char16_t* text; const char16_t* memo; } kept[] = {
        {1, u"一人目の所見", u"野球部"},
        {2, u"二人目の所見", u""},
    };
    // clang-format on
    for (const auto& student : kept) {
        nextNumber->setValue(student.number);
        EXPECT_EQ(again.text(), QString::fromUtf16(student.text));
        EXPECT_EQ(namedIn<QLineEdit>(again, QStringLiteral("メモ"))->text(),
                  QString::fromUtf16(student.memo));
    }
}

TEST_F(DraftTest, ASentenceAnotherStudentOfTheClassHasIsMarkedInTheBoxesAndListedInTheDraft)
{
    const auto dotted = [](const QTextCharFormat& f) {
        return f.underlineStyle() == QTextCharFormat::DotLine &&
               f.underlineColor() == draft::sharedUnderline();
    };
    draft().showDraft();
    auto* classBox = named<QComboBox>(QStringLiteral("組"));
    classBox->lineEdit()->setText(QStringLiteral("3年1組"));
    QTest::keyClick(classBox->lineEdit(), Qt::Key_Return);
    numberBox(QStringLiteral("出席番号"))->setValue(7);
    resultBox(kFirstResultBox)->setFocus();
    QTest::keyClick(resultBox(kFirstResultBox), Qt::Key_D, Qt::ControlModifier);
    EXPECT_FALSE(formatted(resultBox(kFirstResultBox), 0, dotted)) << "the student's own remark";

    // Another student: the box shows that the sentence is 7番's already.
    numberBox(QStringLiteral("出席番号"))->setValue(8);
    EXPECT_TRUE(formatted(resultBox(kFirstResultBox), 0, dotted));
    EXPECT_TRUE(resultBox(kFirstResultBox)->toolTip().contains(QStringLiteral("7番")));
    EXPECT_FALSE(formatted(resultBox(kFirstResultBox + 1), 0, dotted));
    // Taken all the same, it is listed in the draft with whose it is, and dotted there too.
    QTest::keyClick(resultBox(kFirstResultBox), Qt::Key_D, Qt::ControlModifier);
    ASSERT_GT(warnings()->count(), 0);
    EXPECT_TRUE(warnings()->item(warnings()->count() - 1)->text().contains(QStringLiteral("7番")));
    EXPECT_FALSE(marked(dotted).empty());
    // No class, no one to share with.
    numberBox(QStringLiteral("出席番号"))->setValue(7);
    classBox->lineEdit()->clear();
    QTest::keyClick(classBox->lineEdit(), Qt::Key_Return);
    EXPECT_FALSE(formatted(resultBox(kFirstResultBox), 0, dotted));
}

TEST_F(DraftTest, DeletingAsksFirstAndThenTakesTheRemarksOutOfTheStore)
{
    draft().showDraft();
    auto* classBox = named<QComboBox>(QStringLiteral("組"));
    classBox->lineEdit()->setText(QStringLiteral("3年1組"));
    QTest::keyClick(classBox->lineEdit(), Qt::Key_Return);
    numberBox(QStringLiteral("出席番号"))->setValue(4);
    type(draftText(), QStringLiteral("四番の所見です。"));
    QPushButton* deleting = draftControl<QPushButton>(QStringLiteral("削除"));
    ASSERT_TRUE(deleting && deleting->menu());
    const auto action = [deleting](const QString& words) {
        for (QAction* each : deleting->menu()->actions()) {
            if (each->text().startsWith(words))
                return each;
        }
        return static_cast<QAction*>(nullptr);
    };
    // In the file or its log, as the disk holds it.
    const auto kept = [this] {
        draft().nothingToLose();
        QByteArray bytes;
        for (const QString& part : {data.store(), data.store() + QStringLiteral("-wal")}) {
            QFile file(part);
            if (file.open(QIODevice::ReadOnly))
                bytes += file.readAll();
        }
        return bytes.contains("四番の所見");
    };
    // clang-format off
    const struct { const char* item; bool answer; bool keptAfter; } steps[] = {
        {"この生徒の", false, true},
        {"この生徒の", true,  false},
    };
    // clang-format on
    for (const auto& step : steps) {
        effects.answer = step.answer;
        action(QString::fromUtf8(step.item))->trigger();
        ASSERT_FALSE(effects.questions.empty());
        EXPECT_TRUE(effects.questions.back().text.find(u"3年1組 4番") != std::u16string::npos);
        EXPECT_EQ(kept(), step.keptAfter) << step.answer;
    }
    EXPECT_EQ(effects.questions.size(), 2u);
    EXPECT_EQ(draft().text(), QString());
}

TEST_F(DraftTest, AStoreThatCannotBeReadIsSetAsideAndTheTeacherToldWhere)
{
    QDir().mkpath(QFileInfo(data.store()).path());
    QFile damaged(data.store());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not remarks at all");
    damaged.close();

    setDraft(QStringLiteral("新しい保存先の下書き"));
    QApplication::processEvents();
    ASSERT_EQ(effects.messages.size(), 1u);
    const QString said = QString::fromStdU16String(effects.messages[0].text);
    const qsizetype at = said.indexOf(data.store() + QStringLiteral(".unreadable-"));
    ASSERT_GE(at, 0) << said.toStdString();
    QFile aside(said.mid(at));
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), QByteArray("not remarks at all"));
    EXPECT_TRUE(draft().nothingToLose());
}

TEST_F(DraftTest, TheResultBoxesMarkTheSearchTermsAndThePlaceholders)
{
    const auto background = [](const QColor& colour) {
        return [colour](const QTextCharFormat& f) { return f.background().color() == colour; };
    };
    window.control<QLineEdit>(kKeywordBox)->setText(QStringLiteral("協調"));
    QTest::mouseClick(window.control(kSearchButton), Qt::LeftButton);
    QPlainTextEdit* box = resultBox(kFirstResultBox);
    const int at = static_cast<int>(sentence(kFirstResultBox).indexOf(QStringLiteral("協調")));
    ASSERT_GE(at, 0);
    EXPECT_TRUE(formatted(box, at, background(draft::termBackground())));
    EXPECT_TRUE(box->toolTip().endsWith(QStringLiteral(" 字")));

    // After a search by category the terms are no longer marked; a mark of a fact still is.
    QTest::mouseClick(window.page(0).control(kFirstJobType), Qt::LeftButton);
    const QString shown = sentence(kFirstResultBox);
    const int term = static_cast<int>(shown.indexOf(QStringLiteral("協調")));
    if (term >= 0) {
        EXPECT_FALSE(formatted(box, term, background(draft::termBackground())));
    }
    box->setPlainText(QStringLiteral("〇〇大会に出場した。"));
    EXPECT_TRUE(formatted(box, 0, background(draft::placeholderBackground())));
}

TEST_F(DraftTest, ARunThatUsesTheDraftWritesOnlyItsStorePrivateToTheUser)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray saved = qgetenv("HOME");
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(name, home.path().toUtf8());
    const auto listing = [](const QString& folder) {
        QStringList files;
        for (QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            const QFileInfo file(it.next());
            files << file.filePath() + QString::number(file.size()) +
                         file.lastModified().toString(Qt::ISODateWithMs);
        }
        return files;
    };
    // The folder of the program and its content file.
    const QString programFolder = QFileInfo(QStringLiteral(SAMPLE_CONTENT)).absolutePath();
    const QStringList before = listing(programFolder);

    resultBox(kFirstResultBox)->setFocus();
    QTest::keyClick(resultBox(kFirstResultBox), Qt::Key_D, Qt::ControlModifier);
    type(draftText(), QStringLiteral("家族△"));
    numberBox(QStringLiteral("字数の上限"))->setValue(100);
    QTest::mouseClick(marksButton(), Qt::LeftButton);
    QTest::mouseClick(draftControl<QPushButton>(QStringLiteral("コピー")), Qt::LeftButton);
    QTest::mouseClick(draftControl<QPushButton>(QStringLiteral("クリア")), Qt::LeftButton);

    EXPECT_TRUE(draft().nothingToLose());
    const QString store = home.path() + QStringLiteral("/verdane/remarks.sqlite");
    for (const QString& file : listing(home.path()))
        EXPECT_TRUE(file.startsWith(home.path() + QStringLiteral("/verdane")))
            << file.toStdString();
    for (const QString& file :
         QDir(home.path() + QStringLiteral("/verdane")).entryList(QDir::Files))
        EXPECT_TRUE(file.startsWith(QStringLiteral("remarks.sqlite"))) << file.toStdString();
    EXPECT_EQ(QFileInfo(home.path() + QStringLiteral("/verdane")).permissions(),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                  QFile::WriteUser | QFile::ExeUser);
    EXPECT_EQ(QFileInfo(store).permissions(),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    EXPECT_EQ(listing(programFolder), before);
    qputenv("HOME", saved);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qunsetenv(name);
}

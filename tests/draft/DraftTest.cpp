// The draft on real widgets, over the packed sample content and its word list: sentences and
// parts of them added from a result box's menu and by its shortcut, the length against a
// limit, the marks of facts to fill in, the words a report must not carry, copying, clearing
// and undoing, the question before the program ends, and the marks in the result boxes.

#include "app/CVerdaneDlg.h"
#include "draft/MarkHighlighter.h"
#include "draft/SentenceCollector.h"
#include "support/ContentFile.h"
#include "support/RecordingEffects.h"
#include "support/WindowIds.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QDirIterator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <gtest/gtest.h>

using testing_support::RecordingEffects;
using testing_support::UseContentFile;

namespace {

using namespace testing_support::ids;

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
    QPushButton* marksButton() { return draftControl<QPushButton>(QStringLiteral("未記入")); }
    QListWidget* warnings() { return draft().findChild<QListWidget*>(); }

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

TEST_F(DraftTest, TheLengthCountsOneForEveryCharacterNoneForLineBreaksAndTurnsRedPastTheLimit)
{
    setDraft(QStringLiteral("誠実😀\n三\r\n"));
    EXPECT_EQ(shownCount(), QStringLiteral("4 字"));
    auto* limit = draft().findChild<QSpinBox*>();
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

TEST_F(DraftTest, CopyPutsExactlyTheDraftOnTheClipboardAndClearCanBeUndone)
{
    const QString text = QStringLiteral("一文目。\n二文目😀。");
    setDraft(text);
    QApplication::clipboard()->setText(QStringLiteral("something else"));
    QTest::mouseClick(draftControl<QPushButton>(QStringLiteral("コピー")), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), text);
    QTest::mouseClick(draftControl<QPushButton>(QStringLiteral("クリア")), Qt::LeftButton);
    EXPECT_EQ(draft().text(), QString());
    QTest::keyClick(draftText(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(draft().text(), text);
}

TEST_F(DraftTest, EndingAsksOnlyWhenAChangeWasNotCopied)
{
    // Nothing in the draft: the program ends at once.
    QTimer::singleShot(0, [this] { QTest::mouseClick(window.control(kQuit), Qt::LeftButton); });
    EXPECT_EQ(window.RunModalLoop(), platform::IDOK);
    EXPECT_TRUE(effects.questions.empty());

    // A change not copied: asked, and いいえ keeps the program; the close box asks too.
    window.show();
    setDraft(QStringLiteral("まだコピーしていない下書き"));
    effects.answer = false;
    QTimer::singleShot(0, [this] {
        QTest::mouseClick(window.control(kQuit), Qt::LeftButton);
        EXPECT_EQ(effects.questions.size(), 1u);
        EXPECT_TRUE(window.isVisible());
        effects.answer = true;
        window.close();
    });
    EXPECT_EQ(window.RunModalLoop(), platform::IDCANCEL);
    EXPECT_EQ(effects.questions.size(), 2u);

    // Copied as it is: nothing to lose, no question.
    window.show();
    QTest::mouseClick(draftControl<QPushButton>(QStringLiteral("コピー")), Qt::LeftButton);
    QTimer::singleShot(0, [this] { QTest::mouseClick(window.control(kQuit), Qt::LeftButton); });
    EXPECT_EQ(window.RunModalLoop(), platform::IDOK);
    EXPECT_EQ(effects.questions.size(), 2u);
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

TEST_F(DraftTest, ARunThatUsesTheDraftWritesNothing)
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
    draft().findChild<QSpinBox*>()->setValue(100);
    QTest::mouseClick(marksButton(), Qt::LeftButton);
    QTest::mouseClick(draftControl<QPushButton>(QStringLiteral("コピー")), Qt::LeftButton);
    QTest::mouseClick(draftControl<QPushButton>(QStringLiteral("クリア")), Qt::LeftButton);

    EXPECT_TRUE(listing(home.path()).isEmpty()) << listing(home.path()).join(u'\n').toStdString();
    EXPECT_EQ(listing(programFolder), before);
    qputenv("HOME", saved);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qunsetenv(name);
}

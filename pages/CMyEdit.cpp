#include "CMyEdit.h"

#include "draft/MarkHighlighter.h"
#include "draft/RemarkText.h"
#include "draft/SentenceCollector.h"
#include "platform/QtStrings.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStringList>

void CMyEdit::bind(QWidget* control)
{
    box_ = dynamic_cast<QPlainTextEdit*>(control);
    if (!box_)
        return;
    // The text area and the strip between it and the frame: a double-click anywhere inside.
    box_->installEventFilter(this);
    box_->viewport()->installEventFilter(this);
    highlighter_ = new draft::MarkHighlighter(box_->document());
    addToDraft_ = new QAction(QStringLiteral("下書きに追加(&D)"), box_);
    addToDraft_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    addToDraft_->setShortcutContext(Qt::WidgetShortcut);
    connect(addToDraft_, &QAction::triggered, this, &CMyEdit::AddToDraft);
    connect(box_, &QPlainTextEdit::textChanged, this, &CMyEdit::SentenceChanged);
    SentenceChanged();
    setCollector(collector_);
}

void CMyEdit::setCollector(draft::SentenceCollector* collector)
{
    collector_ = collector;
    if (!box_)
        return;
    if (!collector_) {
        box_->removeAction(addToDraft_);
        highlighter_->setSharedFinder(nullptr);
        return;
    }
    box_->addAction(addToDraft_);
    // The sentences another student of the draft's class has already, dotted, and named in the
    // tool tip with whose remarks hold them.
    highlighter_->setSharedFinder([collector](std::u16string_view text) {
        std::vector<draft::Span> places;
        for (const draft::SharedSentence& sentence : collector->sharedInClass(text))
            places.push_back(sentence.place);
        return places;
    });
    if (!watching_) {
        watching_ = true;
        collector_->watchClass(this, [this] {
            highlighter_->rehighlight();
            SentenceChanged();
        });
    }
}

void CMyEdit::setTermFinder(std::function<std::vector<draft::Span>(std::u16string_view)> finder)
{
    if (highlighter_)
        highlighter_->setTermFinder(std::move(finder));
}

QString CMyEdit::chosenText() const
{
    const QTextCursor cursor = box_->textCursor();
    if (!cursor.hasSelection())
        return box_->toPlainText();
    // A selection across lines separates them with U+2029; the draft is plain text.
    QString part = cursor.selectedText();
    part.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return part;
}

bool CMyEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu && collector_) {
        OnContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (event->type() != QEvent::MouseButtonDblClick || inStandardHandling_)
        return false;
    // The box handles the double-click first, as it always does (it selects a word); the
    // whole sentence is selected after that.
    inStandardHandling_ = true;
    QCoreApplication::sendEvent(watched, event);
    inStandardHandling_ = false;
    OnLButtonDblClk();
    return true;
}

void CMyEdit::OnLButtonDblClk()
{
    box_->selectAll();
    box_->setFocus(Qt::MouseFocusReason);
}

// The box's own menu (copy, select all) with the draft's items under it. Like the box's own, it
// pops up and returns at once, and goes away when it closes.
void CMyEdit::OnContextMenu(const QPoint& globalPosition)
{
    QMenu* menu = box_->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setAccessibleName(QStringLiteral("文例のメニュー"));
    menu->addSeparator();
    menu->addAction(addToDraft_);
    draft::SentenceCollector* collector = collector_;
    QAction* show = menu->addAction(QStringLiteral("下書きを表示(&S)"), menu,
                                    [collector] { collector->showDraft(); });
    show->setShortcut(draft::kShowDraftKey); // named here; the main window answers it
    menu->popup(globalPosition);
}

void CMyEdit::AddToDraft()
{
    const QString text = chosenText();
    if (collector_ && !text.isEmpty())
        collector_->addSentence(text);
}

void CMyEdit::SentenceChanged()
{
    const QString text = box_->toPlainText();
    addToDraft_->setEnabled(!text.isEmpty());
    QString tip =
        text.isEmpty()
            ? QString()
            : QStringLiteral("%1 字").arg(draft::countCharacters(platform::unitsOf(text)));
    if (collector_) {
        // Once for each set of students, however many of the box's sentences they share.
        QStringList shared;
        for (const draft::SharedSentence& sentence :
             collector_->sharedInClass(platform::unitsOf(text)))
            shared << draft::sharedWith(sentence.numbers);
        shared.removeDuplicates();
        for (const QString& line : shared)
            tip += u'\n' + line;
    }
    box_->setToolTip(tip);
}

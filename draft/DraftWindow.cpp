#include "DraftWindow.h"

#include "MarkHighlighter.h"
#include "RemarkText.h"
#include "content/ForbiddenWords.h"
#include "platform/Fonts.h"
#include "platform/QtStrings.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTextBlock>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

namespace draft {

using platform::unitsOf;

namespace {

constexpr int kGap = 8; // between the main window and the draft
const QColor kOverLimit(0xC0, 0x00, 0x00);

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

DraftWindow::DraftWindow(QWidget* mainWindow) : QDialog(mainWindow), mainWindow_(mainWindow)
{
    setWindowTitle(QStringLiteral("下書き"));
    setAccessibleName(QStringLiteral("下書き"));
    buildControls();
    refresh();
    resize(440, 560);
}

DraftWindow::~DraftWindow() = default;

void DraftWindow::buildControls()
{
    setFont(platform::dialogFont());
    text_ = new QPlainTextEdit(this);
    // As large as the sentences it is made from, so that the teacher reads it as easily.
    text_->setFont(platform::pointFont(platform::FontFace::Gothic, 12));
    text_->setAccessibleName(QStringLiteral("下書きの文"));
    text_->viewport()->installEventFilter(this);
    highlighter_ = new MarkHighlighter(text_->document());

    count_ = new QLabel(this);
    limit_ = new QSpinBox(this);
    limit_->setRange(0, 9999);
    limit_->setSpecialValueText(QStringLiteral("なし"));
    limit_->setSuffix(QStringLiteral(" 字"));
    limit_->setAccessibleName(QStringLiteral("字数の上限"));
    auto* limitLabel = new QLabel(QStringLiteral("上限(&L)"), this);
    limitLabel->setBuddy(limit_);
    marks_ = new QPushButton(this);
    marks_->setToolTip(QStringLiteral("次の未記入の箇所を選びます"));
    warningsHeading_ = new QLabel(this);
    warnings_ = new QListWidget(this);
    warnings_->setAccessibleName(QStringLiteral("調査書に書かない語"));
    warnings_->setMaximumHeight(96);
    copy_ = new QPushButton(QStringLiteral("コピー"), this);
    clear_ = new QPushButton(QStringLiteral("クリア"), this);
    clear_->setToolTip(QStringLiteral("下書きを空にします（Ctrl+Z で元に戻せます）"));

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(count_, 1);
    countRow->addWidget(limitLabel);
    countRow->addWidget(limit_);
    // Enter belongs to the text and the limit, never to a button.
    for (QPushButton* button : {marks_, copy_, clear_})
        button->setAutoDefault(false);
    // Tab leaves the text for the controls under it: a remark holds no tab.
    text_->setTabChangesFocus(true);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(marks_);
    buttonRow->addStretch(1);
    buttonRow->addWidget(copy_);
    buttonRow->addWidget(clear_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addLayout(countRow);
    layout->addWidget(warningsHeading_);
    layout->addWidget(warnings_);
    layout->addLayout(buttonRow);

    connect(text_, &QPlainTextEdit::textChanged, this, &DraftWindow::refresh);
    connect(limit_, &QSpinBox::valueChanged, this, &DraftWindow::refresh);
    connect(marks_, &QPushButton::clicked, this, &DraftWindow::selectNextPlaceholder);
    connect(copy_, &QPushButton::clicked, this, &DraftWindow::copyDraft);
    connect(clear_, &QPushButton::clicked, this, &DraftWindow::clearDraft);
}

void DraftWindow::addSentence(const QString& sentence)
{
    QTextCursor end(text_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(sentence); // one step for undo; prose, no separator
    text_->setTextCursor(end);
    started_ = true;
    if (!isVisible()) {
        // The teacher goes on choosing sentences in the main window.
        setAttribute(Qt::WA_ShowWithoutActivating);
        placeBesideMainWindow();
        show();
        setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
}

void DraftWindow::showDraft()
{
    if (!isVisible())
        placeBesideMainWindow();
    show();
    raise();
    activateWindow();
    text_->setFocus(Qt::OtherFocusReason);
}

void DraftWindow::placeBesideMainWindow()
{
    if (!mainWindow_)
        return;
    const QRect main = mainWindow_->frameGeometry();
    const QScreen* screen = mainWindow_->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    resize(width(), mainWindow_->height());
    QPoint topLeft(main.right() + 1 + kGap, main.top());
    if (room.isValid() && topLeft.x() + width() > room.right() + 1) {
        const int left = main.left() - kGap - width();
        topLeft.setX(left >= room.left() ? left : room.right() + 1 - width());
    }
    move(topLeft);
}

void DraftWindow::setForbiddenWords(std::shared_ptr<const content::ForbiddenWords> words,
                                    const QString& note)
{
    forbidden_ = std::move(words);
    listNote_ = note;
    highlighter_->setForbiddenWords(forbidden_.get());
    refresh();
}

bool DraftWindow::nothingToLose() const
{
    const QString current = text();
    return current.isEmpty() || current == copiedText_;
}

QString DraftWindow::text() const
{
    return text_->toPlainText();
}

void DraftWindow::refresh()
{
    const QString current = text();
    showCount(static_cast<qsizetype>(countCharacters(unitsOf(current))));
    const std::size_t marks = findPlaceholders(unitsOf(current)).size();
    marks_->setText(QStringLiteral("未記入 %1 箇所").arg(marks));
    marks_->setEnabled(marks > 0);
    showWarnings();
    copy_->setEnabled(!current.isEmpty());
    clear_->setEnabled(!current.isEmpty());
}

void DraftWindow::showCount(qsizetype characters)
{
    const int limit = limit_->value();
    QString shown = QStringLiteral("%1 字").arg(characters);
    const bool over = limit > 0 && characters > limit;
    if (over)
        shown +=
            QStringLiteral("（上限 %1 字を %2 字超えています）").arg(limit).arg(characters - limit);
    else if (limit > 0)
        shown += QStringLiteral("／上限 %1 字").arg(limit);
    count_->setText(shown);
    QPalette palette = count_->palette();
    palette.setColor(QPalette::WindowText,
                     over ? kOverLimit : QApplication::palette().color(QPalette::WindowText));
    count_->setPalette(palette);
}

void DraftWindow::showWarnings()
{
    warnings_->clear();
    if (!forbidden_) {
        warningsHeading_->setText(listNote_);
        warnings_->setVisible(false);
        return;
    }
    std::set<std::string> listed;
    for (const content::ForbiddenWords::Hit& hit : forbidden_->find(unitsOf(text()))) {
        if (!listed.insert(hit.word).second)
            continue;
        auto* item = new QListWidgetItem(
            QStringLiteral("%1　%2").arg(fromUtf8(hit.word), fromUtf8(hit.reason)), warnings_);
        item->setToolTip(fromUtf8(hit.reason));
    }
    warningsHeading_->setText(
        QStringLiteral("調査書に書かない語: %1 語").arg(static_cast<int>(listed.size())));
    warnings_->setVisible(!listed.empty());
}

void DraftWindow::selectNextPlaceholder()
{
    const std::vector<Span> marks = findPlaceholders(unitsOf(text()));
    if (marks.empty())
        return;
    const std::size_t from = static_cast<std::size_t>(text_->textCursor().selectionEnd());
    auto next = std::find_if(marks.begin(), marks.end(),
                             [&](const Span& mark) { return mark.position >= from; });
    if (next == marks.end())
        next = marks.begin(); // round again from the start
    QTextCursor cursor(text_->document());
    cursor.setPosition(static_cast<int>(next->position));
    cursor.setPosition(static_cast<int>(next->position + next->length), QTextCursor::KeepAnchor);
    text_->setTextCursor(cursor);
    text_->setFocus(Qt::OtherFocusReason);
}

void DraftWindow::copyDraft()
{
    copiedText_ = text();
    QApplication::clipboard()->setText(copiedText_);
}

void DraftWindow::clearDraft()
{
    // Through the document, so that Ctrl+Z brings the draft back.
    QTextCursor all(text_->document());
    all.select(QTextCursor::Document);
    all.removeSelectedText();
    text_->setFocus(Qt::OtherFocusReason);
}

bool DraftWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text_->viewport() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (!showReasonAt(help->pos(), help->globalPos()))
            QToolTip::hideText();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Shows why the word under the pointer may not be written; false when there is none.
bool DraftWindow::showReasonAt(const QPoint& viewportPosition, const QPoint& globalPosition)
{
    if (!forbidden_)
        return false;
    const auto at = static_cast<std::size_t>(text_->cursorForPosition(viewportPosition).position());
    for (const content::ForbiddenWords::Hit& hit : forbidden_->find(unitsOf(text()))) {
        if (at >= hit.position && at <= hit.position + hit.length) {
            QToolTip::showText(globalPosition, fromUtf8(hit.reason), text_->viewport());
            return true;
        }
    }
    return false;
}

} // namespace draft

#include "DraftWindow.h"

#include "BoxPanel.h"
#include "FindingList.h"
#include "MarkHighlighter.h"
#include "NumberBox.h"
#include "RemarkPicker.h"
#include "RemarkText.h"
#include "ReviewChecks.h"
#include "WindowPlacement.h"
#include "content/ForbiddenWords.h"
#include "content/ReviewWords.h"
#include "platform/Fonts.h"
#include "platform/QtStrings.h"
#include "store/RemarkKeeper.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTextBlock>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

namespace draft {

using platform::unitsOf;

namespace {

constexpr int kGap = 8;             // between the main window and the draft
constexpr int kUsualWidth = 440;    // where the screen has room
constexpr int kLineCharacters = 14; // a line of the narrowest draft still holds as many
constexpr int kMainTopBar = 36;     // the main window's strip above its pages
const QColor kOverLimit(0xC0, 0x00, 0x00);

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* wrappingLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    return label;
}

void setTextColour(QLabel* label, bool alarm)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     alarm ? kOverLimit : QApplication::palette().color(QPalette::WindowText));
    label->setPalette(palette);
}

ScreenRect screenRect(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

} // namespace

DraftWindow::DraftWindow(QWidget* mainWindow)
    : QDialog(mainWindow), mainWindow_(mainWindow),
      keeper_(std::make_unique<store::RemarkKeeper>(store::defaultStorePath()))
{
    setWindowTitle(QStringLiteral("下書き"));
    setAccessibleName(QStringLiteral("下書き"));
    buildControls();
    refresh();
    picker_->start();
    resize(kUsualWidth, 560);
}

DraftWindow::~DraftWindow()
{
    picker_->flush();
}

void DraftWindow::buildControls()
{
    setFont(platform::dialogFont());
    text_ = new QPlainTextEdit(this);
    // As large as the sentences it is made from, so that the teacher reads it as easily.
    text_->setFont(platform::pointFont(platform::FontFace::Gothic, 12));
    text_->setAccessibleName(QStringLiteral("下書きの文"));
    text_->viewport()->installEventFilter(this);
    // The narrowest the draft becomes on a small screen: a line still holds a phrase.
    const QFontMetrics metrics(text_->font());
    text_->setMinimumWidth(
        kLineCharacters * metrics.horizontalAdvance(QChar(0x3000)) +
        2 * (text_->frameWidth() + static_cast<int>(text_->document()->documentMargin())) +
        style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
    highlighter_ = new MarkHighlighter(text_->document());

    count_ = wrappingLabel(this);
    limit_ = new NumberBox(this);
    limit_->setRange(0, 9999);
    limit_->setSpecialValueText(QStringLiteral("なし"));
    limit_->setSuffix(QStringLiteral(" 字"));
    limit_->setAccessibleName(QStringLiteral("字数の上限"));
    auto* limitLabel = new QLabel(QStringLiteral("上限(&L)"), this);
    limitLabel->setBuddy(limit_);
    marks_ = new QPushButton(this);
    marks_->setToolTip(QStringLiteral("次の未記入の箇所を選びます"));
    warningsHeading_ = wrappingLabel(this);
    findings_ = new FindingList(this);
    findings_->setAccessibleName(QStringLiteral("調査書に書かない語と見直す箇所"));
    findings_->setMaximumHeight(120);
    findings_->onChoose = [this](const std::vector<Span>& places) { selectPlace(places); };
    copy_ = new QPushButton(QStringLiteral("コピー"), this);
    clear_ = new QPushButton(QStringLiteral("クリア"), this);
    clear_->setToolTip(QStringLiteral("下書きを空にします（Ctrl+Z で元に戻せます）"));
    note_ = wrappingLabel(this);
    note_->setAccessibleName(QStringLiteral("コピーの結果"));
    note_->hide();

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(count_, 1);
    countRow->addWidget(limitLabel);
    countRow->addWidget(limit_);
    // Enter belongs to the text and the numbers, never to a button.
    for (QPushButton* button : {marks_, copy_, clear_})
        button->setAutoDefault(false);
    // Tab leaves the text for the controls under it: a remark holds no tab.
    text_->setTabChangesFocus(true);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(marks_);
    buttonRow->addStretch(1);
    buttonRow->addWidget(copy_);
    buttonRow->addWidget(clear_);
    picker_ = new RemarkPicker(*keeper_, this);
    picker_->onShow = [this](const QString& shown, int field) { showRemark(shown, field); };
    picker_->onNote = [this](const QString& note, bool alarm) { showNote(note, alarm); };
    picker_->onWhoseChanged = [this] { readClassSentences(); };
    // The student's remarks in turn, from the text as from anywhere in the draft.
    auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this);
    connect(previous, &QShortcut::activated, this, [this] { picker_->stepRemark(-1); });
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this);
    connect(next, &QShortcut::activated, this, [this] { picker_->stepRemark(1); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picker_);
    layout->addWidget(text_, 1);
    layout->addLayout(countRow);
    boxPanel_ = new BoxPanel(this);
    boxPanel_->onChange = [this] { refresh(); };
    boxPanel_->onFieldChosen = [this](int field) { picker_->chooseField(field); };
    layout->addWidget(boxPanel_);
    layout->addWidget(warningsHeading_);
    layout->addWidget(findings_);
    layout->addLayout(buttonRow);
    layout->addWidget(note_);

    connect(text_, &QPlainTextEdit::textChanged, this, [this] {
        picker_->textChanged(text());
        refresh();
    });
    connect(limit_, &QSpinBox::valueChanged, this, &DraftWindow::refresh);
    connect(marks_, &QPushButton::clicked, this, &DraftWindow::selectNextPlaceholder);
    connect(copy_, &QPushButton::clicked, this, &DraftWindow::copyDraft);
    connect(clear_, &QPushButton::clicked, this, &DraftWindow::clearDraft);
}

void DraftWindow::addSentence(const QString& sentence)
{
    // At the cursor, which stays behind each sentence added: sentences follow one another at
    // the end until the teacher puts the cursor elsewhere. A selection stays in the text.
    QTextCursor at = text_->textCursor();
    at.setPosition(at.selectionEnd());
    // An edit block of its own: one undo takes back this sentence and no more.
    at.beginEditBlock();
    at.insertText(sentence); // prose, no separator
    at.endEditBlock();
    text_->setTextCursor(at);
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
    if (!mainWindow_ || !mainWindow_->screen())
        return;
    const QRect main = mainWindow_->frameGeometry();
    const QRect mainInside = mainWindow_->geometry();
    // The window manager draws the same frame round both; before the draft is first shown only
    // the main window's is known.
    const auto frameOf = [](const QRect& outside, const QRect& inside) {
        return QMargins(inside.left() - outside.left(), inside.top() - outside.top(),
                        outside.right() - inside.right(), outside.bottom() - inside.bottom());
    };
    const QMargins frame =
        isVisible() ? frameOf(frameGeometry(), geometry()) : frameOf(main, mainInside);
    const int frameWidth = frame.left() + frame.right();
    const WindowPlacement placed = placeWindows({
        screenRect(mainWindow_->screen()->availableGeometry()),
        screenRect(main),
        kUsualWidth + frameWidth,
        minimumSizeHint().width() + frameWidth,
        mainInside.top() - main.top() + kMainTopBar,
        kGap,
    });
    if (placed.main.left != main.left() || placed.main.top != main.top())
        mainWindow_->move(placed.main.left, placed.main.top);
    move(placed.draft.left, placed.draft.top);
    resize(placed.draft.width - frameWidth, placed.draft.height - frame.top() - frame.bottom());
}

void DraftWindow::setForbiddenWords(std::shared_ptr<const content::ForbiddenWords> words,
                                    const QString& note)
{
    forbidden_ = std::move(words);
    listNote_ = note;
    highlighter_->setForbiddenWords(forbidden_.get());
    refresh();
}

void DraftWindow::setReviewWords(std::shared_ptr<const content::ReviewWords> words)
{
    review_ = std::move(words);
    refresh();
}

bool DraftWindow::nothingToLose()
{
    picker_->flush();
    keeper_->save();
    return keeper_->everythingKept();
}

QString DraftWindow::text() const
{
    return text_->toPlainText();
}

void DraftWindow::refresh()
{
    const QString current = text();
    const std::u16string_view units = unitsOf(current);
    measures_.characters = countCharacters(units);
    showCount(static_cast<qsizetype>(measures_.characters));
    measures_.marks = findPlaceholders(units).size();
    marks_->setText(QStringLiteral("未記入 %1 箇所").arg(measures_.marks));
    marks_->setEnabled(measures_.marks > 0);
    measures_.fit = fitInBox(units, boxPanel_->box());
    boxPanel_->showFit(measures_.fit, current);

    std::vector<content::ForbiddenWords::Hit> forbidden;
    if (forbidden_)
        forbidden = forbidden_->find(units);
    std::vector<ReviewFinding> review;
    if (review_)
        review = reviewRemark(units, *review_);
    const std::vector<SharedSentence> shared = classSentences_.find(units);
    measures_.shared = shared.size();
    findings_->showFindings(forbidden, review, shared, units);
    measures_.forbiddenWords = findings_->forbiddenRows();
    QString heading =
        forbidden_ ? QStringLiteral("調査書に書かない語: %1 語").arg(measures_.forbiddenWords)
                   : listNote_;
    if (findings_->reviewRows() > 0)
        heading += QStringLiteral("　見直し: %1 件").arg(findings_->reviewRows());
    if (!shared.empty())
        heading += QStringLiteral("　同じ組の下書きと同じ文: %1").arg(shared.size());
    warningsHeading_->setText(heading);
    findings_->setVisible(findings_->count() > 0);
    std::vector<Span> reviewPlaces;
    for (const ReviewFinding& finding : review)
        reviewPlaces.insert(reviewPlaces.end(), finding.places.begin(), finding.places.end());
    std::vector<Span> sharedPlaces;
    for (const SharedSentence& sentence : shared)
        sharedPlaces.push_back(sentence.place);
    markText(measures_.fit, reviewPlaces, sharedPlaces);

    copy_->setEnabled(!current.isEmpty());
    clear_->setEnabled(!current.isEmpty());
    note_->hide(); // what it said was of the draft as it was copied
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
    setTextColour(count_, over);
}

// Marks what the second look found, and greys what falls past the box: over the document's own
// formats, so that a keystroke changes no format of the text and lays out no block again.
void DraftWindow::markText(const BoxFit& fit, const std::vector<Span>& review,
                           const std::vector<Span>& shared)
{
    QList<QTextEdit::ExtraSelection> marks;
    QTextCharFormat dotted;
    dotted.setUnderlineStyle(QTextCharFormat::DotLine);
    dotted.setUnderlineColor(sharedUnderline());
    for (const Span& sentence : shared) {
        QTextCursor cursor(text_->document());
        cursor.setPosition(static_cast<int>(sentence.position));
        cursor.setPosition(static_cast<int>(sentence.position + sentence.length),
                           QTextCursor::KeepAnchor);
        marks.append({cursor, dotted});
    }
    QTextCharFormat underline;
    underline.setUnderlineStyle(QTextCharFormat::DashUnderline);
    underline.setUnderlineColor(reviewUnderline());
    for (const Span& place : review) {
        QTextCursor cursor(text_->document());
        cursor.setPosition(static_cast<int>(place.position));
        cursor.setPosition(static_cast<int>(place.position + place.length),
                           QTextCursor::KeepAnchor);
        marks.append({cursor, underline});
    }
    if (fit.charactersPast > 0) {
        QTextCharFormat past;
        past.setBackground(pastBoxBackground());
        QTextCursor cursor(text_->document());
        cursor.setPosition(static_cast<int>(fit.overflowAt));
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        marks.append({cursor, past});
    }
    text_->setExtraSelections(marks);
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
    selectPlace({*next});
}

// Selects the first of the places, or the one after the place selected now when it is one of
// them, so that choosing a row again goes through all its places.
void DraftWindow::selectPlace(const std::vector<Span>& places)
{
    if (places.empty())
        return;
    const QTextCursor now = text_->textCursor();
    auto chosen = std::find_if(places.begin(), places.end(), [&](const Span& place) {
        return static_cast<int>(place.position) == now.selectionStart() &&
               static_cast<int>(place.position + place.length) == now.selectionEnd();
    });
    chosen = chosen == places.end() || chosen + 1 == places.end() ? places.begin() : chosen + 1;
    QTextCursor cursor(text_->document());
    cursor.setPosition(static_cast<int>(chosen->position));
    cursor.setPosition(static_cast<int>(chosen->position + chosen->length),
                       QTextCursor::KeepAnchor);
    text_->setTextCursor(cursor);
    text_->setFocus(Qt::OtherFocusReason);
}

// The draft goes to the clipboard whatever it holds; the note under the buttons then says what
// is still to do in it.
void DraftWindow::copyDraft()
{
    QApplication::clipboard()->setText(text());
    QStringList left;
    if (measures_.marks > 0)
        left << QStringLiteral("未記入 %1 箇所").arg(measures_.marks);
    if (measures_.forbiddenWords > 0)
        left << QStringLiteral("調査書に書かない語 %1 語").arg(measures_.forbiddenWords);
    const int limit = limit_->value();
    if (limit > 0 && measures_.characters > static_cast<std::size_t>(limit))
        left << QStringLiteral("上限を %1 字超過")
                    .arg(measures_.characters - static_cast<std::size_t>(limit));
    if (measures_.fit.charactersPast > 0)
        left << QStringLiteral("枠の外 %1 字").arg(measures_.fit.charactersPast);
    if (measures_.shared > 0)
        left << QStringLiteral("同じ組の下書きと同じ文 %1").arg(measures_.shared);
    showNote(left.isEmpty()
                 ? QStringLiteral("コピーしました。")
                 : QStringLiteral("コピーしました。残っています: %1").arg(left.join(u'、')),
             !left.isEmpty());
}

void DraftWindow::showNote(const QString& note, bool alarm)
{
    note_->setText(note);
    setTextColour(note_, alarm);
    note_->show();
}

// The other students' remarks of the class chosen, for the sentences this remark shares with
// them; the result boxes are told to look again.
void DraftWindow::readClassSentences()
{
    classSentences_.setRemarks(picker_->othersRemarks());
    refresh();
    if (onClassSentencesChanged)
        onClassSentencesChanged();
}

// Another remark: its own text, undone no further than it, in its field's box.
void DraftWindow::showRemark(const QString& shown, int field)
{
    boxPanel_->setField(field);
    text_->setPlainText(shown);
    text_->moveCursor(QTextCursor::End);
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

// Shows why the word under the pointer may not be written, or why to read it again; false when
// there is nothing to say.
bool DraftWindow::showReasonAt(const QPoint& viewportPosition, const QPoint& globalPosition)
{
    const QString current = text();
    const auto at = static_cast<std::size_t>(text_->cursorForPosition(viewportPosition).position());
    const auto under = [at](std::size_t position, std::size_t length) {
        return at >= position && at <= position + length;
    };
    const auto show = [&](const std::string& reason) {
        QToolTip::showText(globalPosition, fromUtf8(reason), text_->viewport());
        return true;
    };
    if (forbidden_) {
        for (const content::ForbiddenWords::Hit& hit : forbidden_->find(unitsOf(current))) {
            if (under(hit.position, hit.length))
                return show(hit.reason);
        }
    }
    for (const SharedSentence& sentence : classSentences_.find(unitsOf(current))) {
        if (under(sentence.place.position, sentence.place.length)) {
            QToolTip::showText(globalPosition, sharedWith(sentence.numbers), text_->viewport());
            return true;
        }
    }
    if (review_) {
        for (const ReviewFinding& finding : reviewRemark(unitsOf(current), *review_)) {
            for (const Span& place : finding.places) {
                if (under(place.position, place.length))
                    return show(finding.reason);
            }
        }
    }
    return false;
}

} // namespace draft

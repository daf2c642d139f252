#include "BoxPanel.h"

#include "NumberBox.h"
#include "platform/QtStrings.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace draft {

namespace {

constexpr qsizetype kNamedPast = 6; // characters of the text past the box named
const QColor kPast(0xC0, 0x00, 0x00);

} // namespace

BoxPanel::BoxPanel(QWidget* parent) : QWidget(parent)
{
    for (const FormField& field : kFormFields)
        boxes_.push_back(field.size);
    fit_ = new QLabel(this);
    fit_->setWordWrap(true);
    columns_ = new NumberBox(this);
    columns_->setRange(1, 99);
    columns_->setSuffix(QStringLiteral(" 字"));
    columns_->setAccessibleName(QStringLiteral("枠の一行の字数"));
    columns_->setToolTip(QStringLiteral("枠の一行に入る全角の字数（半角は半分と数えます）"));
    columns_->setValue(boxes_.front().columns);
    lines_ = new NumberBox(this);
    lines_->setRange(1, 99);
    lines_->setSuffix(QStringLiteral(" 行"));
    lines_->setAccessibleName(QStringLiteral("枠の行数"));
    lines_->setValue(boxes_.front().lines);
    field_ = new QComboBox(this);
    field_->setAccessibleName(QStringLiteral("様式の欄"));
    for (const FormField& field : kFormFields)
        field_->addItem(platform::toQString(field.name));
    // Shortened on a narrow draft rather than widening it.
    field_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    field_->setMinimumContentsLength(6);
    field_->setToolTip(QStringLiteral("下書きを入れる様式の欄。枠の大きさは学校の様式に合わせて"
                                      "直せます"));
    auto* fieldLabel = new QLabel(QStringLiteral("欄(&F)"), this);
    fieldLabel->setBuddy(field_);

    auto* fitRow = new QHBoxLayout;
    fitRow->addWidget(fit_, 1);
    fitRow->addWidget(columns_);
    fitRow->addWidget(new QLabel(QStringLiteral("×"), this));
    fitRow->addWidget(lines_);
    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(fieldLabel);
    fieldRow->addWidget(field_, 1);
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addLayout(fitRow);
    rows->addLayout(fieldRow);

    connect(field_, &QComboBox::currentIndexChanged, this, [this](int field) {
        chooseField(field);
        if (onFieldChosen)
            onFieldChosen(field);
    });
    connect(columns_, &QSpinBox::valueChanged, this, &BoxPanel::resizeBox);
    connect(lines_, &QSpinBox::valueChanged, this, &BoxPanel::resizeBox);
}

BoxSize BoxPanel::box() const
{
    return {columns_->value(), lines_->value()};
}

void BoxPanel::setField(int field)
{
    if (field == field_->currentIndex())
        return;
    {
        const QSignalBlocker blocking(field_);
        field_->setCurrentIndex(field);
    }
    chooseField(field);
}

void BoxPanel::showFit(const BoxFit& fit, const QString& text)
{
    QString shown = QStringLiteral("%1 行 / %2 行").arg(fit.lines).arg(box().lines);
    if (fit.charactersPast > 0) {
        QString start = text.mid(static_cast<qsizetype>(fit.overflowAt));
        start.replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (start.size() > kNamedPast) {
            // Never half a pair of surrogates.
            start.truncate(start.at(kNamedPast - 1).isHighSurrogate() ? kNamedPast - 1
                                                                      : kNamedPast);
            start += QStringLiteral("…");
        }
        shown += QStringLiteral("（「%1」から %2 字が枠の外）").arg(start).arg(fit.charactersPast);
    }
    fit_->setText(shown);
    QPalette palette = fit_->palette();
    palette.setColor(QPalette::WindowText,
                     fit.charactersPast > 0 ? kPast
                                            : QApplication::palette().color(QPalette::WindowText));
    fit_->setPalette(palette);
}

void BoxPanel::chooseField(int field)
{
    if (field < 0 || static_cast<std::size_t>(field) >= boxes_.size())
        return;
    const BoxSize size = boxes_[static_cast<std::size_t>(field)];
    // Both numbers first, then one change: the box is never half the old field's.
    const QSignalBlocker columns(columns_), lines(lines_);
    columns_->setValue(size.columns);
    lines_->setValue(size.lines);
    if (onChange)
        onChange();
}

void BoxPanel::resizeBox()
{
    const int field = field_->currentIndex();
    if (field >= 0 && static_cast<std::size_t>(field) < boxes_.size())
        boxes_[static_cast<std::size_t>(field)] = box();
    if (onChange)
        onChange();
}

} // namespace draft

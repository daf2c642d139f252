#include "NumberBox.h"

namespace draft {

namespace {

// Full-width digits become ASCII ones, in place: the box then shows the digits it counts.
void foldDigits(QString& text)
{
    for (QChar& c : text) {
        if (c >= QChar(0xFF10) && c <= QChar(0xFF19))
            c = QChar(c.unicode() - 0xFF10 + u'0');
    }
}

} // namespace

QValidator::State NumberBox::validate(QString& input, int& position) const
{
    foldDigits(input);
    return QSpinBox::validate(input, position);
}

int NumberBox::valueFromText(const QString& text) const
{
    QString folded = text;
    foldDigits(folded);
    return QSpinBox::valueFromText(folded);
}

} // namespace draft

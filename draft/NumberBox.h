#pragma once
// A spin box for the draft's numbers that takes full-width digits (２００), which a Japanese
// input method commits while it is on, as the number they are.

#include <QSpinBox>

namespace draft {

class NumberBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& input, int& position) const override;
    int valueFromText(const QString& text) const override;
};

} // namespace draft

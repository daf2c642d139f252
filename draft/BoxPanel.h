#pragma once
// The form's box under the draft's count: how the text falls into it ("7 行 / 10 行", and in red
// the text past the last line, named by its first words), the box's size beside that, and the
// field of the form under it. Each field keeps the size the teacher gave it while the program
// runs.

#include "BoxLayout.h"

#include <QWidget>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;

namespace draft {

class NumberBox;

class BoxPanel : public QWidget {
public:
    explicit BoxPanel(QWidget* parent);

    BoxSize box() const;
    // Shows that field of the form (by its place among the fields) without telling onFieldChosen.
    void setField(int field);
    void showFit(const BoxFit& fit, const QString& text);

    // Called when the teacher chose another field or changed the box's size.
    std::function<void()> onChange;
    // Called when the teacher chose another field, after onChange.
    std::function<void(int field)> onFieldChosen;

private:
    void chooseField(int field);
    void resizeBox();

    QLabel* fit_;
    QComboBox* field_;
    NumberBox* columns_;
    NumberBox* lines_;
    std::vector<BoxSize> boxes_; // by field
};

} // namespace draft

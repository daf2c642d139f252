#pragma once
// Above the draft: whose remark it is and which. The class (「3年1組」, typed once and then
// chosen), the student's 出席番号 with a short memo (a name is never asked for), and the remark
// itself among the student's remarks, one per field of the form and version. Everything typed is
// kept as it is typed: a draft begun before a student is chosen is kept as one of no student, and
// choosing a student then gives it to them.

#include "store/RemarkKeeper.h"

#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace draft {

class NumberBox;

class RemarkPicker : public QWidget {
public:
    RemarkPicker(store::RemarkKeeper& keeper, QWidget* parent);

    // Takes up the remark changed last, or a new draft of no student.
    void start();
    // Stores the memo now if it waits to be.
    void flush();
    // The draft's text as it is now.
    void textChanged(const QString& text);
    // The teacher chose the field of the form the draft is for: the remark moves to it.
    void chooseField(int field);
    // The student's remark before or after the one shown, round at the ends.
    void stepRemark(int step);
    void exportClass();
    void deleteRemark();
    void deleteStudent();
    void deleteClass();

    // Shows a remark: its text, and its field by its place among the form's fields.
    std::function<void(const QString& text, int field)> onShow;
    // Called when another class or student is chosen, or a remark added or deleted.
    std::function<void()> onWhoseChanged;
    // The remarks of the class's other students, by 出席番号.
    std::vector<std::pair<int, std::u16string>> othersRemarks();
    // Says what was done or why it failed, under the buttons.
    std::function<void(const QString& note, bool alarm)> onNote;

private:
    struct Current {
        std::optional<store::Id> id; // none until something is typed
        std::optional<store::Id> student;
        std::u16string field;
    };
    void buildControls();
    void fillClasses(std::optional<store::Id> chosen);
    void classChosen();
    void numberChosen();
    void saveMemo();
    // Shows this remark of the current student, or a new one for the field when there is none.
    void show(std::optional<store::Id> remark, const std::u16string& field);
    void fillRemarks();
    void newVersion();
    void showProblem(const std::u16string& problem);
    std::optional<store::Id> chosenClass() const;
    QString studentName() const;
    store::RemarkStore* store();
    bool confirm(const QString& question);

    store::RemarkKeeper& keeper_;
    Current current_;
    QString shownText_;
    QComboBox* class_ = nullptr;
    NumberBox* number_ = nullptr;
    QLineEdit* memo_ = nullptr;
    QComboBox* remarks_ = nullptr;
    QPushButton* newVersion_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* export_ = nullptr;
    QLabel* problem_ = nullptr;
    QTimer memoTimer_;
    bool filling_ = false;
};

} // namespace draft

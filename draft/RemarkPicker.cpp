#include "RemarkPicker.h"

#include "BoxLayout.h"
#include "NumberBox.h"
#include "platform/Effects.h"
#include "platform/QtStrings.h"
#include "store/ClassCsv.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <algorithm>

namespace draft {

using platform::toQString;
using store::Id;

namespace {

constexpr Id kNewDraft = 0; // the remarks' list: a draft not stored yet, nothing typed in it
const QColor kAlarm(0xC0, 0x00, 0x00);

int fieldIndex(const std::u16string& field)
{
    for (std::size_t i = 0; i < kFormFields.size(); ++i) {
        if (field == kFormFields[i].name)
            return static_cast<int>(i);
    }
    return 0;
}

QString className(const store::SchoolClass& schoolClass)
{
    return QStringLiteral("%1年%2組").arg(schoolClass.grade).arg(toQString(schoolClass.room));
}

std::u16string units(const QString& text)
{
    return text.toStdU16String();
}

} // namespace

RemarkPicker::RemarkPicker(store::RemarkKeeper& keeper, QWidget* parent)
    : QWidget(parent), keeper_(keeper)
{
    current_.field = kFormFields.front().name;
    buildControls();
    memoTimer_.setSingleShot(true);
    connect(&memoTimer_, &QTimer::timeout, this, &RemarkPicker::saveMemo);
    keeper_.onProblem = [this](const std::u16string& problem) { showProblem(problem); };
}

void RemarkPicker::buildControls()
{
    class_ = new QComboBox(this);
    class_->setEditable(true);
    class_->setInsertPolicy(QComboBox::NoInsert);
    class_->lineEdit()->setPlaceholderText(QStringLiteral("3年1組"));
    class_->setAccessibleName(QStringLiteral("組"));
    class_->setToolTip(QStringLiteral("「3年1組」のように入力して Enter。前に入力した組は一覧から"
                                      "選べます"));
    class_->setMinimumContentsLength(5);
    class_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* classLabel = new QLabel(QStringLiteral("組(&G)"), this);
    classLabel->setBuddy(class_);
    number_ = new NumberBox(this);
    number_->setRange(0, 99);
    number_->setSpecialValueText(QStringLiteral("未定"));
    number_->setSuffix(QStringLiteral(" 番"));
    number_->setAccessibleName(QStringLiteral("出席番号"));
    number_->setEnabled(false);
    auto* numberLabel = new QLabel(QStringLiteral("番号(&N)"), this);
    numberLabel->setBuddy(number_);
    memo_ = new QLineEdit(this);
    memo_->setPlaceholderText(QStringLiteral("メモ"));
    memo_->setAccessibleName(QStringLiteral("メモ"));
    memo_->setToolTip(QStringLiteral("その生徒の覚え書き（任意）。書き出すときにも入ります"));
    memo_->setMaxLength(200);
    memo_->setEnabled(false);

    remarks_ = new QComboBox(this);
    remarks_->setAccessibleName(QStringLiteral("下書きの一覧"));
    remarks_->setToolTip(
        QStringLiteral("この生徒の下書き（欄と版）。Ctrl+PageUp / Ctrl+PageDown "
                       "でも切り替えられます。最後の「新しい下書き」で別の欄の下書きを始めます"));
    remarks_->setMinimumContentsLength(8);
    remarks_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* remarksLabel = new QLabel(QStringLiteral("下書き(&R)"), this);
    remarksLabel->setBuddy(remarks_);
    newVersion_ = new QPushButton(QStringLiteral("新しい版(&V)"), this);
    newVersion_->setToolTip(QStringLiteral("今の下書きを写して、同じ欄の次の版を作ります"));
    delete_ = new QPushButton(QStringLiteral("削除"), this);
    auto* deleting = new QMenu(delete_);
    deleting->addAction(QStringLiteral("この下書きを削除…"), this, &RemarkPicker::deleteRemark);
    deleting->addAction(QStringLiteral("この生徒の下書きとメモをすべて削除…"), this,
                        &RemarkPicker::deleteStudent);
    deleting->addAction(QStringLiteral("この組をすべて削除…"), this, &RemarkPicker::deleteClass);
    delete_->setMenu(deleting);
    export_ = new QPushButton(QStringLiteral("書き出し…"), this);
    export_->setToolTip(QStringLiteral("この組の下書きを CSV ファイルに書き出します"));
    for (QPushButton* button : {newVersion_, delete_, export_})
        button->setAutoDefault(false);
    problem_ = new QLabel(this);
    problem_->setWordWrap(true);
    QPalette palette = problem_->palette();
    palette.setColor(QPalette::WindowText, kAlarm);
    problem_->setPalette(palette);
    problem_->hide();

    // In rows short enough for the narrow draft beside the main window on a 1280-pixel screen:
    // the student, the memo, the remark, and what can be done with it.
    auto* grid = new QGridLayout;
    grid->addWidget(classLabel, 0, 0);
    grid->addWidget(class_, 0, 1);
    grid->addWidget(numberLabel, 0, 2);
    grid->addWidget(number_, 0, 3);
    grid->addWidget(memo_, 1, 0, 1, 4);
    grid->addWidget(remarksLabel, 2, 0);
    grid->addWidget(remarks_, 2, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(newVersion_);
    buttonRow->addWidget(delete_);
    buttonRow->addWidget(export_);
    buttonRow->addStretch(1);
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addWidget(problem_);
    rows->addLayout(grid);
    rows->addLayout(buttonRow);

    connect(class_, &QComboBox::activated, this, &RemarkPicker::classChosen);
    connect(class_->lineEdit(), &QLineEdit::editingFinished, this, &RemarkPicker::classChosen);
    connect(number_, &QSpinBox::valueChanged, this, &RemarkPicker::numberChosen);
    connect(memo_, &QLineEdit::textEdited, this, [this] { memoTimer_.start(300); });
    connect(remarks_, &QComboBox::activated, this, [this](int index) {
        const Id id = remarks_->itemData(index).toLongLong();
        show(id == kNewDraft ? std::nullopt : std::optional<Id>(id), current_.field);
    });
    connect(newVersion_, &QPushButton::clicked, this, &RemarkPicker::newVersion);
    connect(export_, &QPushButton::clicked, this, &RemarkPicker::exportClass);
}

store::RemarkStore* RemarkPicker::store()
{
    return keeper_.store();
}

void RemarkPicker::start()
{
    std::optional<store::Remark> last;
    if (store())
        last = store()->lastChanged();
    std::optional<Id> classId;
    const QSignalBlocker blocking(number_);
    if (last && last->student) {
        const std::optional<store::Student> student = store()->student(*last->student);
        classId = student->classId;
        number_->setValue(student->number);
        memo_->setText(toQString(student->memo));
        current_.student = last->student;
    }
    fillClasses(classId);
    if (last)
        show(last->id, last->field);
    else
        show(std::nullopt, current_.field);
    if (!keeper_.problem().empty())
        showProblem(keeper_.problem());
    if (!keeper_.setAsideAs().empty()) {
        // Once the draft is on the screen.
        QTimer::singleShot(0, this, [aside = QString::fromStdString(keeper_.setAsideAs())] {
            platform::effects().showMessage(
                nullptr,
                units(QStringLiteral("保存してあった下書きのファイルを読めなかったため、そのファイ"
                                     "ルは手を加えずに次の名前で残し、新しく始めました。\n%1")
                          .arg(aside)),
                u"下書きの保存", platform::MessageIcon::Exclamation);
        });
    }
}

void RemarkPicker::fillClasses(std::optional<Id> chosen)
{
    filling_ = true;
    class_->clear();
    if (store()) {
        for (const store::SchoolClass& each : store()->classes()) {
            class_->addItem(className(each), QVariant::fromValue<qlonglong>(each.id));
            if (chosen == each.id)
                class_->setCurrentIndex(class_->count() - 1);
        }
    }
    if (!chosen)
        class_->setCurrentIndex(-1);
    number_->setEnabled(chosen.has_value());
    memo_->setEnabled(chosen.has_value() && number_->value() > 0);
    filling_ = false;
}

std::optional<Id> RemarkPicker::chosenClass() const
{
    const int at = class_->findText(class_->currentText().trimmed());
    if (at < 0 || class_->currentText().trimmed().isEmpty())
        return std::nullopt;
    return class_->itemData(at).toLongLong();
}

void RemarkPicker::classChosen()
{
    if (filling_ || !store())
        return;
    const QString typed = class_->currentText().normalized(QString::NormalizationForm_KC).trimmed();
    std::optional<Id> chosen;
    if (!typed.isEmpty()) {
        static const QRegularExpression pattern(
            QStringLiteral("^(\\d{1,2})\\s*年\\s*(.+?)\\s*組?$"));
        const QRegularExpressionMatch match = pattern.match(typed);
        if (!match.hasMatch()) {
            onNote(QStringLiteral("組は「3年1組」のように入力してください。"), true);
            return;
        }
        try {
            chosen = store()->classFor(match.captured(1).toInt(), units(match.captured(2))).id;
        } catch (const store::StoreError& error) {
            onNote(QString::fromUtf8(error.what()), true);
            return;
        }
    }
    fillClasses(chosen);
    numberChosen();
}

void RemarkPicker::numberChosen()
{
    if (filling_ || !store())
        return;
    if (memoTimer_.isActive())
        saveMemo();
    const std::optional<Id> classId = chosenClass();
    try {
        std::optional<store::Student> student;
        if (classId && number_->value() > 0)
            student = store()->studentFor(*classId, number_->value());
        memo_->setEnabled(student.has_value());
        memo_->setText(student ? toQString(student->memo) : QString());
        const std::optional<Id> chosen =
            student ? std::optional<Id>(student->id) : std::optional<Id>();
        if (chosen == current_.student)
            return;
        if (!current_.student && current_.id && chosen && keeper_.save()) {
            // The draft begun before anyone was chosen becomes this student's.
            current_.id = keeper_.resolved(*current_.id);
            store()->moveRemark(*current_.id, chosen, current_.field);
            current_.student = chosen;
            fillRemarks();
            return;
        }
        current_.student = chosen;
        // The student's remark of the same field changed last, else any of theirs.
        std::optional<store::Remark> best;
        for (const store::Remark& remark : store()->remarks(chosen)) {
            const bool same = remark.field == current_.field;
            const bool bestSame = best && best->field == current_.field;
            if (!best || (same && !bestSame) ||
                (same == bestSame && remark.updated >= best->updated))
                best = remark;
        }
        show(best ? std::optional<Id>(best->id) : std::nullopt, current_.field);
    } catch (const store::StoreError& error) {
        onNote(QString::fromUtf8(error.what()), true);
    }
}

void RemarkPicker::flush()
{
    if (memoTimer_.isActive())
        saveMemo();
}

void RemarkPicker::saveMemo()
{
    memoTimer_.stop();
    if (!current_.student || !store())
        return;
    try {
        store()->setMemo(*current_.student, units(memo_->text()));
    } catch (const store::StoreError& error) {
        onNote(QString::fromUtf8(error.what()), true);
    }
}

void RemarkPicker::show(std::optional<Id> remark, const std::u16string& field)
{
    std::optional<store::Remark> found;
    if (remark && store())
        found = store()->remark(keeper_.resolved(*remark));
    if (found) {
        current_ = {found->id, found->student, found->field};
        const std::optional<std::u16string> unsaved = keeper_.unsavedText(found->id);
        shownText_ = toQString(unsaved ? *unsaved : found->text);
    } else {
        current_.id.reset();
        current_.field = field;
        shownText_.clear();
    }
    fillRemarks();
    if (onShow)
        onShow(shownText_, fieldIndex(current_.field));
}

void RemarkPicker::fillRemarks()
{
    const QSignalBlocker blocking(remarks_);
    remarks_->clear();
    std::vector<store::Remark> listed;
    if (store()) {
        try {
            listed = store()->remarks(current_.student);
        } catch (const store::StoreError&) {
        }
    }
    std::stable_sort(listed.begin(), listed.end(), [](const auto& a, const auto& b) {
        return fieldIndex(a.field) < fieldIndex(b.field);
    });
    const QString whose = current_.student ? QString() : QStringLiteral("（生徒未定）");
    for (const store::Remark& remark : listed) {
        remarks_->addItem(
            QStringLiteral("%1%2 第%3版").arg(whose, toQString(remark.field)).arg(remark.version),
            QVariant::fromValue<qlonglong>(remark.id));
        if (current_.id && keeper_.resolved(*current_.id) == remark.id)
            remarks_->setCurrentIndex(remarks_->count() - 1);
    }
    // Always last: where a remark for another field, or another student's, is begun.
    remarks_->addItem(QStringLiteral("（新しい下書き）"),
                      QVariant::fromValue<qlonglong>(kNewDraft));
    if (!current_.id || *current_.id < 0)
        remarks_->setCurrentIndex(remarks_->count() - 1);
    const bool stored = current_.id.has_value() && store();
    newVersion_->setEnabled(stored);
    export_->setEnabled(chosenClass().has_value());
    if (onWhoseChanged)
        onWhoseChanged();
}

std::vector<std::pair<int, std::u16string>> RemarkPicker::othersRemarks()
{
    std::vector<std::pair<int, std::u16string>> others;
    const std::optional<Id> classId = chosenClass();
    if (!classId || !store())
        return others;
    try {
        for (const store::Student& student : store()->students(*classId)) {
            if (student.id == current_.student)
                continue;
            for (const store::Remark& remark : store()->remarks(student.id))
                others.emplace_back(student.number,
                                    keeper_.unsavedText(remark.id).value_or(remark.text));
        }
    } catch (const store::StoreError&) {
        // Read again at the next choice.
    }
    return others;
}

void RemarkPicker::textChanged(const QString& text)
{
    if (text == shownText_)
        return; // the remark just shown, not a change
    shownText_ = text;
    if (current_.id) {
        keeper_.change(*current_.id, units(text));
        return;
    }
    if (text.isEmpty())
        return;
    current_.id = keeper_.newRemark(current_.student, current_.field, units(text));
    fillRemarks();
}

void RemarkPicker::chooseField(int field)
{
    if (field < 0 || static_cast<std::size_t>(field) >= kFormFields.size())
        return;
    const std::u16string name = kFormFields[static_cast<std::size_t>(field)].name;
    if (name == current_.field)
        return;
    try {
        // The draft is for the field chosen, as the next version of that field's remarks.
        if (current_.id && keeper_.save()) {
            current_.id = keeper_.resolved(*current_.id);
            store()->moveRemark(*current_.id, current_.student, name);
        }
        current_.field = name;
        fillRemarks();
    } catch (const store::StoreError& error) {
        onNote(QString::fromUtf8(error.what()), true);
    }
}

void RemarkPicker::stepRemark(int step)
{
    const int count = remarks_->count();
    if (count < 2)
        return;
    const int at = (remarks_->currentIndex() + step + count) % count;
    const Id id = remarks_->itemData(at).toLongLong();
    show(id == kNewDraft ? std::nullopt : std::optional<Id>(id), current_.field);
}

void RemarkPicker::newVersion()
{
    if (!current_.id)
        return;
    keeper_.save();
    current_.id = keeper_.newRemark(current_.student, current_.field, units(shownText_));
    fillRemarks();
    onNote(QStringLiteral("次の版を作りました（今の下書きの写し）。"), false);
}

QString RemarkPicker::studentName() const
{
    const std::optional<Id> classId = chosenClass();
    if (!current_.student || !classId)
        return QStringLiteral("生徒未定");
    return QStringLiteral("%1 %2番").arg(class_->currentText()).arg(number_->value());
}

bool RemarkPicker::confirm(const QString& question)
{
    return platform::effects().askQuestion(nullptr, units(question), u"削除");
}

void RemarkPicker::deleteRemark()
{
    if (!current_.id) {
        onNote(QStringLiteral("削除する下書きがありません。"), true);
        return;
    }
    if (!confirm(
            QStringLiteral("%1の下書き「%2」を削除しますか？\n削除した下書きは元に戻せません。")
                .arg(studentName(), remarks_->currentText())))
        return;
    try {
        const Id id = keeper_.resolved(*current_.id);
        keeper_.drop(id);
        if (id > 0)
            store()->deleteRemark(id);
        current_.id.reset();
        show(std::nullopt, current_.field);
        onNote(QStringLiteral("削除しました。"), false);
    } catch (const store::StoreError& error) {
        onNote(QString::fromUtf8(error.what()), true);
    }
}

void RemarkPicker::deleteStudent()
{
    if (!current_.student) {
        onNote(QStringLiteral("生徒を選んでください。"), true);
        return;
    }
    if (!confirm(QStringLiteral("%1の下書きとメモをすべて削除しますか？\n削除した下書きは元に戻せ"
                                "ません。")
                     .arg(studentName())))
        return;
    try {
        for (const store::Remark& remark : store()->remarks(current_.student))
            keeper_.drop(remark.id);
        store()->deleteStudent(*current_.student);
        current_ = {std::nullopt, std::nullopt, current_.field};
        const QSignalBlocker blocking(number_);
        number_->setValue(0);
        memo_->clear();
        memo_->setEnabled(false);
        show(std::nullopt, current_.field);
        onNote(QStringLiteral("削除しました。"), false);
    } catch (const store::StoreError& error) {
        onNote(QString::fromUtf8(error.what()), true);
    }
}

void RemarkPicker::deleteClass()
{
    const std::optional<Id> classId = chosenClass();
    if (!classId) {
        onNote(QStringLiteral("組を選んでください。"), true);
        return;
    }
    if (!confirm(QStringLiteral("%1の生徒の下書きとメモをすべて削除しますか？\n削除した下書きは元"
                                "に戻せません。")
                     .arg(class_->currentText())))
        return;
    try {
        for (const store::Student& student : store()->students(*classId)) {
            for (const store::Remark& remark : store()->remarks(student.id))
                keeper_.drop(remark.id);
        }
        store()->deleteClass(*classId);
        current_ = {std::nullopt, std::nullopt, current_.field};
        const QSignalBlocker blocking(number_);
        number_->setValue(0);
        memo_->clear();
        fillClasses(std::nullopt);
        show(std::nullopt, current_.field);
        onNote(QStringLiteral("削除しました。"), false);
    } catch (const store::StoreError& error) {
        onNote(QString::fromUtf8(error.what()), true);
    }
}

void RemarkPicker::exportClass()
{
    const std::optional<Id> classId = chosenClass();
    if (!classId || !store())
        return;
    keeper_.save();
    const QString utf8 = QStringLiteral("CSV UTF-8 (BOM付き) (*.csv)");
    const QString cp932 = QStringLiteral("CSV Shift_JIS (CP932) (*.csv)");
    QFileDialog dialog(this, QStringLiteral("組を書き出す"),
                       QDir::home().filePath(class_->currentText() + QStringLiteral(".csv")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setNameFilters({utf8, cp932});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().front();
    std::vector<std::u16string> fields;
    for (const FormField& field : kFormFields)
        fields.emplace_back(field.name);
    const std::u16string said =
        store::exportClass(*store(), *classId, fields,
                           dialog.selectedNameFilter() == cp932 ? store::CsvEncoding::Cp932
                                                                : store::CsvEncoding::Utf8WithBom,
                           path.toStdString());
    if (!said.empty()) {
        platform::effects().showMessage(nullptr, said, u"書き出し",
                                        platform::MessageIcon::Exclamation);
        return;
    }
    onNote(QStringLiteral("書き出しました: %1").arg(QDir::toNativeSeparators(path)), false);
}

void RemarkPicker::showProblem(const std::u16string& problem)
{
    problem_->setText(toQString(problem));
    problem_->setVisible(!problem.empty());
    if (problem.empty() && store() && class_->count() == 0)
        fillClasses(chosenClass());
}

} // namespace draft

#include "Dialog.h"

#include "DataExchange.h"
#include "EditBox.h"
#include "Fonts.h"
#include "InputFilter.h"
#include "InputMethodEcho.h"
#include "PictureControl.h"
#include "QtStrings.h"
#include "RadioGroup.h"
#include "ScrollBar.h"
#include "TabControl.h"
#include "WindowTitle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace platform {

namespace {

QWidget* makeEdit(const ControlTemplate& control, QWidget* parent)
{
    if (!(control.style & Multiline)) {
        auto* edit = new QLineEdit(toQString(control.caption), parent);
        edit->setFrame(control.style & Border);
        edit->setReadOnly(control.style & ReadOnly);
        return edit;
    }
    auto* edit = new EditBox(toQString(control.caption), parent);
    edit->setReadOnly(control.style & ReadOnly);
    edit->setFrameShape(control.style & Border ? QFrame::StyledPanel : QFrame::NoFrame);
    edit->setVerticalScrollBarPolicy(control.style & VScroll ? Qt::ScrollBarAlwaysOn
                                                             : Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Read-only boxes still take the caret and the keyboard, so a sentence can be selected and
    // copied with the keys too.
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return edit;
}

QWidget* makeStatic(const ControlTemplate& control, QWidget* parent)
{
    auto* label = new QLabel(toQString(control.caption), parent);
    label->setWordWrap(!(control.style & NoWrap));
    label->setAlignment((control.style & RightAligned ? Qt::AlignRight : Qt::AlignLeft) |
                        Qt::AlignTop);
    if (control.style & WhiteRect) {
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, Qt::white);
        label->setPalette(palette);
    }
    return label;
}

} // namespace

Dialog::Dialog(const DialogTemplate& dialogTemplate, Dialog* parent)
    : QWidget(parent), template_(dialogTemplate), parentDialog_(parent)
{
    setFont(dialogFont());
    setMouseTracking(true);
    InputFilter::install();
    InputMethodEcho::install();
}

Dialog::~Dialog() = default;

bool Dialog::Create()
{
    if (created_)
        return false;
    created_ = true;
    resize(dluToPixelsX(template_.size.width()), dluToPixelsY(template_.size.height()));
    for (const ControlTemplate& control : template_.controls) {
        QWidget* widget = makeControl(control);
        // Pictures keep their own size at the template's place.
        if (control.controlClass == ControlClass::StaticBitmap)
            widget->move(dluToPixels(control.rect).topLeft());
        else
            widget->setGeometry(dluToPixels(control.rect));
        widget->setVisible(!(control.style & Hidden));
        widget->setEnabled(!(control.style & Disabled));
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
        if (control.id != -1)
            controls_[control.id] = widget;
        templateOf_[widget] = &control;
        connectNotifications(widget, control);
    }
    for (const ControlTemplate& control : template_.controls) {
        if (control.controlClass == ControlClass::RadioButton && (control.style & Group))
            giveGroupKeys(radioGroup(control.id));
    }
    const bool initialised = OnInitDialog();
    if (const auto colours = OnCtlColor(this, 0, ColourRequest::Dialog))
        applyColours(this, *colours);
    for (const auto& [widget, control] : templateOf_)
        refreshColours(const_cast<QWidget*>(widget));
    return initialised;
}

QWidget* Dialog::makeControl(const ControlTemplate& control)
{
    const QString caption = toQString(control.caption);
    QWidget* widget = nullptr;
    switch (control.controlClass) {
    case ControlClass::PushButton: {
        auto* button = new QPushButton(caption, this);
        button->setDefault(control.style & DefaultButton);
        button->setAutoDefault(false);
        widget = button;
        break;
    }
    case ControlClass::CheckBox:
        widget = new QCheckBox(caption, this);
        break;
    case ControlClass::RadioButton:
        widget = new QRadioButton(caption, this);
        break;
    case ControlClass::Edit:
        widget = makeEdit(control, this);
        break;
    case ControlClass::Static:
        widget = makeStatic(control, this);
        break;
    case ControlClass::StaticBitmap:
        widget = new PictureControl(this, control.bitmap, template_.loadPicture,
                                    template_.pictureSize ? template_.pictureSize(control.bitmap)
                                                          : dluToPixels(control.rect).size());
        break;
    case ControlClass::ScrollBar:
        widget = new ScrollBar(this);
        break;
    case ControlClass::TabControl:
        widget = new TabControl(this);
        break;
    }
    // A picture that reports clicks is a button to the keyboard as well: a stop of the Tab key
    // that Space and Enter press. A click on it leaves the focus where it was, as a click on a
    // picture always has. Radio groups take the Tab key as giveGroupKeys says.
    const bool takesFocus = control.controlClass != ControlClass::Static &&
                            control.controlClass != ControlClass::StaticBitmap;
    widget->setFocusPolicy(isPictureButton(control)  ? Qt::TabFocus
                           : !takesFocus             ? Qt::NoFocus
                           : control.style & TabStop ? Qt::StrongFocus
                                                     : Qt::ClickFocus);
    // A control with a caption is known by it, and by whatever text the program gives it
    // later: the toolkit names it after its text as long as no fixed name is set. A picture
    // is known by the words drawn in it.
    if (control.controlClass == ControlClass::StaticBitmap && template_.pictureCaption)
        widget->setAccessibleName(template_.pictureCaption(control.bitmap));
    widget->setObjectName(QStringLiteral("control%1").arg(control.id));
    return widget;
}

void Dialog::connectNotifications(QWidget* widget, const ControlTemplate& control)
{
    const int id = control.id;
    if (auto* button = dynamic_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            deliver({Msg::Clicked, id});
        });
    } else if (auto* bar = dynamic_cast<ScrollBar*>(widget)) {
        bar->onRequest = [this, id](int code, int pos) {
            Message message{Msg::VScroll, id};
            message.code = code;
            message.pos = pos;
            deliver(message);
        };
    } else if (auto* tabs = dynamic_cast<TabControl*>(widget)) {
        tabs->onSelectionChange = [this, id] { deliver({Msg::SelChange, id}); };
    } else if (auto* picture = dynamic_cast<PictureControl*>(widget);
               picture && isPictureButton(control)) {
        picture->onPress = [this, id] { deliver({Msg::Clicked, id}); };
    }
}

bool Dialog::OnInitDialog()
{
    return UpdateData(false);
}

int Dialog::DoModal()
{
    return Create() ? RunModalLoop() : -1;
}

int Dialog::RunModalLoop()
{
    modalEnded_ = false;
    showNoTitleWhenEmpty(this);
    show();
    QEventLoop loop;
    modalLoop_ = &loop;
    if (!modalEnded_) // ended while being shown
        loop.exec();
    modalLoop_ = nullptr;
    OnDestroy();
    hide();
    return modalResult_;
}

void Dialog::EndDialog(int result)
{
    modalResult_ = result;
    modalEnded_ = true;
    if (modalLoop_)
        modalLoop_->quit();
}

QWidget* Dialog::control(int id) const
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

int Dialog::controlId(const QWidget* widget) const
{
    const auto found = templateOf_.find(widget);
    return found == templateOf_.end() ? -1 : found->second->id;
}

std::vector<QRadioButton*> Dialog::radioGroup(int firstId) const
{
    std::vector<QRadioButton*> group;
    bool inGroup = false;
    for (const ControlTemplate& control : template_.controls) {
        if (inGroup && (control.style & Group))
            break;
        if (control.id == firstId)
            inGroup = true;
        if (inGroup && control.controlClass == ControlClass::RadioButton)
            group.push_back(this->control<QRadioButton>(control.id));
    }
    return group;
}

bool Dialog::UpdateData(bool saveAndValidate)
{
    DataExchange exchange(*this, saveAndValidate);
    DoDataExchange(exchange);
    return true;
}

void Dialog::SetDlgItemText(int id, std::u16string_view text)
{
    QWidget* widget = control(id);
    const QString value = toQString(text);
    if (auto* line = dynamic_cast<QLineEdit*>(widget))
        line->setText(value);
    else if (auto* box = dynamic_cast<QPlainTextEdit*>(widget))
        box->setPlainText(value);
    else if (auto* label = dynamic_cast<QLabel*>(widget))
        label->setText(value);
    else if (auto* button = dynamic_cast<QAbstractButton*>(widget))
        button->setText(value);
}

std::u16string Dialog::GetDlgItemText(int id) const
{
    QWidget* widget = control(id);
    QString value;
    if (auto* line = dynamic_cast<QLineEdit*>(widget))
        value = line->text();
    else if (auto* box = dynamic_cast<QPlainTextEdit*>(widget))
        value = box->toPlainText();
    else if (auto* label = dynamic_cast<QLabel*>(widget))
        value = label->text();
    else if (auto* button = dynamic_cast<QAbstractButton*>(widget))
        value = button->text();
    return value.toStdU16String();
}

void Dialog::deliver(const Message& message)
{
    if (dispatch(message))
        return;
    if (message.msg == Msg::MouseWheel && parentDialog_)
        parentDialog_->deliver(message);
}

Dialog* Dialog::owningDialog(QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (auto* dialog = dynamic_cast<Dialog*>(widget))
            return dialog;
        if (widget->isWindow())
            return nullptr;
    }
    return nullptr;
}

int Dialog::focusedControlId()
{
    QWidget* focus = QApplication::focusWidget();
    const Dialog* dialog = focus ? owningDialog(focus->parentWidget()) : nullptr;
    return dialog ? dialog->controlId(focus) : -1;
}

bool Dialog::preTranslate(const InputMessage& input)
{
    if (input.input == Input::KeyDown && (input.key == Key::Space || input.key == Key::Return)) {
        if (Dialog* dialog = owningDialog(input.target);
            dialog && dialog->pressPicture(input.target))
            return true;
    }
    for (Dialog* dialog = owningDialog(input.target); dialog;
         dialog = dialog->isWindow() ? nullptr : owningDialog(dialog->parentWidget())) {
        if (dialog->PreTranslateMessage(input))
            return true;
    }
    return false;
}

bool Dialog::isPictureButton(const ControlTemplate& control)
{
    return control.controlClass == ControlClass::StaticBitmap && (control.style & Notify);
}

bool Dialog::pressPicture(QWidget* widget)
{
    const auto found = templateOf_.find(widget);
    if (found == templateOf_.end() || !isPictureButton(*found->second) || !widget->hasFocus())
        return false;
    static_cast<PictureControl*>(widget)->onPress();
    return true;
}

QRect Dialog::focusMarkArea(const QWidget* widget)
{
    return widget->geometry().adjusted(-kFocusMarkReach, -kFocusMarkReach, kFocusMarkReach,
                                       kFocusMarkReach);
}

std::optional<ControlColours> Dialog::OnCtlColor(QWidget*, int, ColourRequest)
{
    return std::nullopt;
}

ColourRequest Dialog::colourRequestOf(const ControlTemplate& control) const
{
    switch (control.controlClass) {
    case ControlClass::Static:
    case ControlClass::StaticBitmap:
    case ControlClass::CheckBox:
    case ControlClass::RadioButton:
        return ColourRequest::Static;
    case ControlClass::Edit:
        return control.style & ReadOnly ? ColourRequest::Static : ColourRequest::Edit;
    case ControlClass::ScrollBar:
        return ColourRequest::ScrollBar;
    default:
        return ColourRequest::Button;
    }
}

void Dialog::refreshColours(QWidget* widget)
{
    const auto found = templateOf_.find(widget);
    // A white rectangle keeps the window colour; it asks its dialog for none.
    if (found == templateOf_.end() || (found->second->style & WhiteRect))
        return;
    if (const auto colours = OnCtlColor(widget, found->second->id, colourRequestOf(*found->second)))
        applyColours(widget, *colours);
}

void Dialog::applyColours(QWidget* widget, const ControlColours& colours)
{
    QPalette palette = widget->palette();
    const QColor background = colours.textBackground.value_or(colours.brush);
    // Buttons fill their background with the button colour, labels with the window colour;
    // edit boxes show their text on the base colour. Check boxes keep their white box.
    palette.setColor(QPalette::Window, background);
    palette.setColor(widget->backgroundRole(), background);
    if (dynamic_cast<QPlainTextEdit*>(widget) || dynamic_cast<QLineEdit*>(widget))
        palette.setColor(QPalette::Base, background);
    if (colours.text) {
        // Disabled controls keep the system's grey text.
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::WindowText, *colours.text);
            palette.setColor(group, QPalette::Text, *colours.text);
            palette.setColor(group, QPalette::ButtonText, *colours.text);
        }
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void Dialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    OnPaint(painter);
    // The control with the keyboard focus is ringed, whatever the style draws of it: a read-only
    // box, a scroll bar or a picture shows no focus of its own.
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->parentWidget() != this || !templateOf_.contains(focus) ||
        !focus->isVisible())
        return;
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(focus->geometry()).adjusted(-2, -2, 2, 2));
}

void Dialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        Message message{Msg::LButtonDown};
        message.point = event->position().toPoint();
        deliver(message);
    }
    // A press on a dialog is that dialog's own: a panel's background is not its page's.
    event->accept();
}

void Dialog::closeEvent(QCloseEvent* event)
{
    // The close box, Alt+F4 and the window system's close request all cancel the dialog.
    event->ignore();
    OnCancel();
}

bool Dialog::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = static_cast<QWidget*>(watched);
    const int id = controlId(widget);
    switch (event->type()) {
    case QEvent::FocusIn:
        update(focusMarkArea(widget));
        deliver({Msg::SetFocus, id});
        break;
    case QEvent::FocusOut:
        update(focusMarkArea(widget));
        deliver({Msg::KillFocus, id});
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (widget->hasFocus())
            update();
        break;
    case QEvent::MouseButtonPress:
        // A control that reports clicks takes the press itself; only a plain label lets a
        // press through to the dialog's background.
        return (templateOf_.at(widget)->style & Notify) != 0;
    case QEvent::MouseButtonRelease:
        if (templateOf_.at(widget)->style & Notify &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
            widget->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            deliver({Msg::Clicked, id});
        break;
    case QEvent::EnabledChange:
    case QEvent::ShowToParent:
        refreshColours(widget);
        break;
    default:
        break;
    }
    return false;
}

} // namespace platform

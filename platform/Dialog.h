#pragma once
// A dialog built from a template: its controls are made from the table, placed in dialog
// units and found by id. A dialog class overrides OnInitDialog, DoDataExchange and
// PreTranslateMessage and routes notifications through its message map (MessageMap.h).

#include "DialogTemplate.h"
#include "Message.h"

#include <QColor>
#include <QWidget>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QEventLoop;
class QPainter;
class QRadioButton;

namespace platform {

class DataExchange;

// What a control asks its dialog for when it is drawn.
enum class ColourRequest { Static, Edit, Button, ScrollBar, Dialog };

// A dialog's answer to a colour request: the brush behind the control and, where set, the
// colour of its text and of the cells behind the text.
struct ControlColours {
    QColor brush;
    std::optional<QColor> text;
    std::optional<QColor> textBackground;
};

enum DialogResult { IDOK = 1, IDCANCEL = 2 };

class Dialog : public QWidget {
public:
    explicit Dialog(const DialogTemplate& dialogTemplate, Dialog* parent = nullptr);
    ~Dialog() override;

    // Makes the controls and runs OnInitDialog; false when the initialisation fails.
    bool Create();
    // Runs the dialog as the program's top-level window until EndDialog; returns its result.
    int DoModal();
    // The modal run of a dialog already made: shown until EndDialog, then taken down.
    int RunModalLoop();
    void EndDialog(int result);

    QWidget* control(int id) const;
    template <typename T> T* control(int id) const { return dynamic_cast<T*>(control(id)); }
    int controlId(const QWidget* widget) const; // -1 when it is none of this dialog's controls
    // The radio buttons of the group that starts at firstId, in template order.
    std::vector<QRadioButton*> radioGroup(int firstId) const;

    // One read pass (controls into members) or one write pass (members into controls).
    bool UpdateData(bool saveAndValidate = true);

    void SetDlgItemText(int id, std::u16string_view text);
    std::u16string GetDlgItemText(int id) const;
    Dialog* parentDialog() const { return parentDialog_; }
    const DialogTemplate& dialogTemplate() const { return template_; }

    // Delivers a notification through the message map; a wheel turn nobody here handles goes
    // on to the parent dialog.
    void deliver(const Message& message);
    // The dialog whose window holds widget: the innermost dialog around it within its own
    // window. A message box or a menu is a window of its own and runs its own keys, even when
    // a dialog made it, so widgets in it belong to no dialog.
    static Dialog* owningDialog(QWidget* widget);
    // The id of the control that has the keyboard focus, in whichever dialog; -1 for none.
    static int focusedControlId();
    // Runs the pre-filters of the dialogs around the input's target within its window,
    // innermost first.
    static bool preTranslate(const InputMessage& input);
    // Asks for the colours of one control anew, after its state changed.
    void refreshColours(QWidget* control);

protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange&) {}
    virtual bool PreTranslateMessage(const InputMessage&) { return false; }
    virtual bool dispatch(const Message&) { return false; }
    virtual std::optional<ControlColours> OnCtlColor(QWidget* control, int id,
                                                     ColourRequest request);
    virtual void OnPaint(QPainter&) {}
    // The close box, Alt+F4 and the window system's close request: ends the modal run.
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Runs when the window goes away at the end of a modal run.
    virtual void OnDestroy() {}

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // How far outside its control the ring of the keyboard focus reaches, in pixels.
    static constexpr int kFocusMarkReach = 3;

    static bool isPictureButton(const ControlTemplate& control);
    // Presses widget as a click would, if it is a picture that reports clicks and has the focus.
    bool pressPicture(QWidget* widget);
    static QRect focusMarkArea(const QWidget* widget);
    QWidget* makeControl(const ControlTemplate& control);
    void connectNotifications(QWidget* widget, const ControlTemplate& control);
    ColourRequest colourRequestOf(const ControlTemplate& control) const;
    void applyColours(QWidget* widget, const ControlColours& colours);

    const DialogTemplate& template_;
    Dialog* parentDialog_;
    std::map<int, QWidget*> controls_;
    std::map<const QWidget*, const ControlTemplate*> templateOf_;
    QEventLoop* modalLoop_ = nullptr;
    int modalResult_ = 0;
    bool modalEnded_ = false;
    bool created_ = false;
};

} // namespace platform

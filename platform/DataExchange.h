#pragma once
// One pass of dialog data exchange: from the controls into the dialog's members (saving) or
// from the members into the controls.

#include "Dialog.h"

class QPlainTextEdit;

namespace platform {

// A control object bound to one of a dialog's controls by the data exchange.
template <typename T> class Bound {
public:
    bool isBound() const { return control_ != nullptr; }
    void bind(QWidget* control) { control_ = dynamic_cast<T*>(control); }
    T* get() const { return control_; }
    T* operator->() const { return control_; }

private:
    T* control_ = nullptr;
};

class DataExchange {
public:
    DataExchange(Dialog& dialog, bool saveAndValidate)
        : saveAndValidate(saveAndValidate), dialog_(dialog)
    {
    }

    const bool saveAndValidate;

    // 0 or 1 for an unchecked or checked box.
    void checkBox(int id, int& value);
    // The index of the checked button of the group that starts at firstId, or -1; writing
    // -1 unchecks them all.
    void radioGroup(int firstId, int& index);
    void scrollPosition(int id, int& position);
    // Binds a control object to the control with this id, once.
    template <typename Bound> void control(int id, Bound& object)
    {
        if (!object.isBound())
            object.bind(dialog_.control(id));
    }

private:
    Dialog& dialog_;
};

} // namespace platform

#pragma once
// Message maps: a static table per dialog class of (message, control id range, handler).
// A dialog class derives from MappedDialog<Self> and defines
//     static const platform::MessageMap<Self> messageMap;
// laid out as the table it stands for.

#include "Dialog.h"

#include <initializer_list>
#include <vector>

namespace platform {

template <typename D> struct MapEntry {
    Msg msg;
    int firstId; // 0 for messages of the dialog itself
    int lastId;
    void (D::*handler)(const Message&);

    bool matches(const Message& m) const
    {
        return m.msg == msg && m.id >= firstId && m.id <= lastId;
    }
};

template <typename D> using MessageMap = std::vector<MapEntry<D>>;

// One entry for one control, or for the dialog itself.
template <typename D> MapEntry<D> on(Msg msg, int id, void (D::*handler)(const Message&))
{
    return {msg, id, id, handler};
}
template <typename D> MapEntry<D> on(Msg msg, void (D::*handler)(const Message&))
{
    return {msg, 0, 0, handler};
}
// One entry for a range of control ids.
template <typename D>
MapEntry<D> onRange(Msg msg, int firstId, int lastId, void (D::*handler)(const Message&))
{
    return {msg, firstId, lastId, handler};
}

template <typename D> class MappedDialog : public Dialog {
public:
    using Dialog::Dialog;

protected:
    bool dispatch(const Message& message) override
    {
        for (const MapEntry<D>& entry : D::messageMap) {
            if (entry.matches(message)) {
                (static_cast<D*>(this)->*entry.handler)(message);
                return true;
            }
        }
        return false;
    }
};

} // namespace platform

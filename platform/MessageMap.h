#pragma once
// Message maps: a static table per dialog class of (message, control id range, handler).
// A dialog class derives from MappedDialog<Self> and defines
//     static const platform::MessageMap<Self> messageMap;
// laid out as the table it stands for.

#include "Dialog.h"

#include <initializer_list>
#include <vector>

namespace platform {

// One row of a message map: a message from one control or a range of control ids (0 for the
// dialog itself), and the handler, with or without the message.
template <typename D> class MapEntry {
public:
    using Handler = void (D::*)(const Message&);
    using Command = void (D::*)();

    MapEntry(Msg msg, int firstId, int lastId, Handler handler)
        : msg_(msg), firstId_(firstId), lastId_(lastId), handler_(handler)
    {
    }
    MapEntry(Msg msg, int firstId, int lastId, Command command)
        : msg_(msg), firstId_(firstId), lastId_(lastId), command_(command)
    {
    }
    MapEntry(Msg msg, int id, Handler handler) : MapEntry(msg, id, id, handler) {}
    MapEntry(Msg msg, int id, Command command) : MapEntry(msg, id, id, command) {}
    MapEntry(Msg msg, Handler handler) : MapEntry(msg, 0, 0, handler) {}
    MapEntry(Msg msg, Command command) : MapEntry(msg, 0, 0, command) {}

    bool matches(const Message& m) const
    {
        return m.msg == msg_ && m.id >= firstId_ && m.id <= lastId_;
    }
    void call(D& dialog, const Message& m) const
    {
        if (handler_)
            (dialog.*handler_)(m);
        else
            (dialog.*command_)();
    }

private:
    Msg msg_;
    int firstId_;
    int lastId_;
    Handler handler_ = nullptr;
    Command command_ = nullptr;
};

template <typename D> using MessageMap = std::vector<MapEntry<D>>;

// Base is Dialog or a dialog class between it and D that shares handlers among dialogs.
template <typename D, typename Base = Dialog> class MappedDialog : public Base {
public:
    using Base::Base;

protected:
    bool dispatch(const Message& message) override
    {
        for (const MapEntry<D>& entry : D::messageMap) {
            if (entry.matches(message)) {
                entry.call(*static_cast<D*>(this), message);
                return true;
            }
        }
        return false;
    }
};

} // namespace platform

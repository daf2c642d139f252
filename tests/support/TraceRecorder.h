#pragma once
// Collects the content library's trace messages while it exists.

#include "content/tessera.h"

#include <string>
#include <vector>

namespace testing_support {

class TraceRecorder {
public:
    TraceRecorder() { KOVA_setTraceSink(&record, this); }
    ~TraceRecorder() { KOVA_setTraceSink(nullptr, nullptr); }
    TraceRecorder(const TraceRecorder&) = delete;
    TraceRecorder& operator=(const TraceRecorder&) = delete;

    std::vector<std::u16string> messages;

private:
    static void record(const char16_t* message, void* self)
    {
        static_cast<TraceRecorder*>(self)->messages.emplace_back(message);
    }
};

} // namespace testing_support

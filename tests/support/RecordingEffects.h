#pragma once
// Effects for tests: records every message box and document, and turns the end of the process
// into an exception that the test catches, so the state left behind can be examined.

#include "platform/Effects.h"

#include <string>
#include <vector>

namespace testing_support {

struct ProcessEnded {
    int exitCode;
};

struct ShownMessage {
    const platform::Dialog* owner;
    std::u16string text;
    std::u16string caption;
    platform::MessageIcon icon;
};

class RecordingEffects : public platform::Effects {
public:
    RecordingEffects() : installed_(*this) {}

    void showMessage(const platform::Dialog* owner, std::u16string_view text,
                     std::u16string_view caption, platform::MessageIcon icon) override
    {
        messages.push_back({owner, std::u16string(text), std::u16string(caption), icon});
    }
    bool askQuestion(const platform::Dialog* owner, std::u16string_view text,
                     std::u16string_view caption) override
    {
        questions.push_back(
            {owner, std::u16string(text), std::u16string(caption), platform::MessageIcon::None});
        return answer;
    }
    [[noreturn]] void endProcess(int exitCode) override { throw ProcessEnded{exitCode}; }
    void openDocument(const std::string& path) override { documents.push_back(path); }

    std::vector<ShownMessage> messages;
    std::vector<ShownMessage> questions;
    bool answer = false; // to every question
    std::vector<std::string> documents;

private:
    platform::ScopedEffects installed_;
};

} // namespace testing_support

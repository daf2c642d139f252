#pragma once
// The program's real effects: message boxes on screen, the end of the process, documents
// handed to the desktop's viewer.

#include "Effects.h"

namespace platform {

class QtEffects : public Effects {
public:
    void showMessage(const Dialog* owner, std::u16string_view text, std::u16string_view caption,
                     MessageIcon icon) override;
    bool askQuestion(const Dialog* owner, std::u16string_view text,
                     std::u16string_view caption) override;
    [[noreturn]] void endProcess(int exitCode) override;
    void openDocument(const std::string& path) override;
};

} // namespace platform

#pragma once
// The one seam for every effect of the program that a test must see or stop: message boxes,
// the end of the process, documents handed to the desktop. The program installs the real
// window-system effects at start; a test installs its own for its duration. This header knows
// nothing of the window system, so code without windows can use it too.

#include <string>
#include <string_view>

namespace platform {

class Dialog; // owner of a message box; null for none

enum class MessageIcon { None, Exclamation, Information };

class Effects {
public:
    virtual ~Effects() = default;
    // A modal message box with one OK button; returns when it has been closed.
    virtual void showMessage(const Dialog* owner, std::u16string_view text,
                             std::u16string_view caption, MessageIcon icon) = 0;
    // A modal question with the buttons はい and いいえ, いいえ the default; true for はい.
    virtual bool askQuestion(const Dialog* owner, std::u16string_view text,
                             std::u16string_view caption) = 0;
    // Ends the process at once, cleaning nothing up.
    [[noreturn]] virtual void endProcess(int exitCode) = 0;
    // Hands a document to the desktop's viewer; failures are not reported.
    virtual void openDocument(const std::string& path) = 0;
};

// The effects in force: the innermost installed, or the console effects when none is.
Effects& effects();

// Ends the process through the effects in force.
[[noreturn]] void endProcess(int exitCode);

// Writes messages to standard error and ends the process with _Exit. In force until the
// program installs its window-system effects, and what a death test observes.
class ConsoleEffects : public Effects {
public:
    void showMessage(const Dialog* owner, std::u16string_view text, std::u16string_view caption,
                     MessageIcon icon) override;
    // Nobody can answer on the console: the question is written out and counts as yes.
    bool askQuestion(const Dialog* owner, std::u16string_view text,
                     std::u16string_view caption) override;
    [[noreturn]] void endProcess(int exitCode) override;
    void openDocument(const std::string& path) override;
};

// Installs effects for the lifetime of this object and restores the previous ones after it.
class ScopedEffects {
public:
    explicit ScopedEffects(Effects& installed);
    ~ScopedEffects();
    ScopedEffects(const ScopedEffects&) = delete;
    ScopedEffects& operator=(const ScopedEffects&) = delete;

private:
    Effects* previous_;
};

} // namespace platform

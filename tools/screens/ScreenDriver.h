#pragma once
// Drives the real main window the way the teacher does, by clicks and key strokes on its
// controls, to photograph it for the how-to guide. Controls are found by what the teacher
// reads on them, so a step reads like the guide's own instructions.

#include <QImage>
#include <QRect>
#include <optional>
#include <stdexcept>
#include <string_view>

class CVerdaneDlg;
class QWidget;

class QPlainTextEdit;

namespace screens {

// A step that cannot be carried out: the guide's pictures would not show what its text says.
struct DriveError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Driver {
public:
    explicit Driver(CVerdaneDlg& window) : window(window) {}

    // Clicks the tab with this index (0 = 本人の長所・推薦事由等).
    void tab(int index);
    // Clicks the one visible control whose caption or accessible name this is.
    void click(std::u16string_view caption);
    // Types the words into the keyword box and clicks 検索.
    void search(std::u16string_view keyword);
    // Double-clicks result box `box` (0 = top) of the page on show.
    void doubleClickSentence(int box);
    // Adds the sentence of result box `box` to the draft with its shortcut, as the menu does.
    void addToDraft(int box);
    // Types the words at the end of the draft.
    void typeInDraft(std::u16string_view words);
    // Sets the draft's length limit.
    void limitDraft(int characters);
    // Turns the mouse wheel over the page on show, one notch per turn, towards the teacher.
    void wheel(int turns);

    // The window as it is drawn now, or a part of it (window pixels).
    QImage picture(std::optional<QRect> part = std::nullopt) const;
    // The main window with the draft's window beside it, as the desktop shows them.
    QImage pictureWithDraft() const;

private:
    QWidget* visiblePage() const;
    // Result box `box` of the page on show; it must show a sentence.
    QPlainTextEdit* sentenceBox(int box) const;

    CVerdaneDlg& window;
};

} // namespace screens

#pragma once
// A window whose title is empty shows no text in its title bar. The toolkit would put the
// executable's name there instead; the taskbar and the window switcher name the program
// through its desktop entry all the same.

class QWidget;

namespace platform {

// Makes the window's native window now and, while its title is empty, keeps the window system
// from showing any. Call before the window is first shown; a window with a title is left alone.
void showNoTitleWhenEmpty(QWidget* window);

} // namespace platform

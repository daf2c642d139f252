#pragma once
// Where the main window and the draft stand when the draft is shown, without any window system:
// both wholly in the desktop's work area (the screen less its panels) and side by side wherever
// the work area allows. All sizes are of the windows' frames, in pixels.

namespace draft {

struct ScreenRect {
    int left;
    int top;
    int width;
    int height;
    int right() const { return left + width; } // one past the last column
    int bottom() const { return top + height; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct WindowRoom {
    ScreenRect workArea;
    ScreenRect main;    // the main window as it stands
    int draftWidth;     // the draft's usual width
    int draftNarrowest; // the width at which a line of the draft still holds about 14 characters
    int mainTopBar;     // from the main window's top edge to the bottom of its top bar
    int gap;            // between the two windows where there is room for it
};

struct WindowPlacement {
    ScreenRect main;
    ScreenRect draft;
};

// The main window stays where it is if the draft fits beside it at its usual width, on the
// right or else on the left; else it moves as little as lets the draft fit on its right. Where
// the work area is too narrow for both at their usual widths, the main window goes to the left
// edge and the draft takes the width left, down to its narrowest. Only narrower than that do the
// two overlap: the draft then stands at the right edge, below the main window's top bar. The
// draft is as tall as the main window and starts level with it, within the work area.
WindowPlacement placeWindows(const WindowRoom& room);

} // namespace draft

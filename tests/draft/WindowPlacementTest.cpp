// Where the main window and the draft stand on the screens schools have, with and without
// panels, against where the main window was.

#include "draft/WindowPlacement.h"

#include <gtest/gtest.h>

using draft::ScreenRect;

namespace {

// The frames as the window manager draws them: the main window 989 x 660 inside its frame, the
// draft 440 wide inside its own; a line of the narrowest draft holds 14 characters.
constexpr int kMainWidth = 993, kMainHeight = 690;
constexpr int kDraftWidth = 448, kNarrowest = 280, kTopBar = 66, kGap = 8;

ScreenRect mainAt(int left, int top)
{
    return {left, top, kMainWidth, kMainHeight};
}

bool overlap(const ScreenRect& a, const ScreenRect& b)
{
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool inside(const ScreenRect& inner, const ScreenRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

} // namespace

TEST(WindowPlacement, BothWindowsStandOnTheWorkAreaSideBySideWhereItHasRoom)
{
    const struct {
        const char* screen;
        ScreenRect workArea;
        ScreenRect mainBefore;
        ScreenRect main;
        ScreenRect draft;
    } cases[] = {
        // clang-format off
        {"1920x1080, main centred",   {0, 0, 1920, 1050},  mainAt(463, 180), mainAt(463, 180), {1464, 180, 448, 690}},
        {"1920x1080, main at right",  {0, 0, 1920, 1050},  mainAt(927, 100), mainAt(927, 100), {471, 100, 448, 690}},
        {"1600x900, main moves left", {0, 0, 1600, 870},   mainAt(303, 90),  mainAt(151, 90),  {1152, 90, 448, 690}},
        {"1366x768, top panel",       {0, 27, 1366, 741},  mainAt(186, 39),  mainAt(0, 39),    {1001, 39, 365, 690}},
        {"1366x768, bottom panel",    {0, 0, 1366, 728},   mainAt(186, 60),  mainAt(0, 38),    {1001, 38, 365, 690}},
        {"1280x800, gap given up",    {0, 0, 1280, 800},   mainAt(143, 55),  mainAt(0, 55),    {1000, 55, 280, 690}},
        {"1280x1024, side dock",      {64, 0, 1216, 1024}, mainAt(143, 167), mainAt(64, 167),  {1000, 233, 280, 624}},
        {"1024x768",                  {0, 0, 1024, 768},   mainAt(15, 39),   mainAt(0, 39),    {744, 105, 280, 624}},
        // clang-format on
    };
    for (const auto& c : cases) {
        const draft::WindowPlacement placed =
            draft::placeWindows({c.workArea, c.mainBefore, kDraftWidth, kNarrowest, kTopBar, kGap});
        EXPECT_EQ(placed.main, c.main) << c.screen;
        EXPECT_EQ(placed.draft, c.draft) << c.screen;
        EXPECT_TRUE(inside(placed.main, c.workArea)) << c.screen;
        EXPECT_TRUE(inside(placed.draft, c.workArea)) << c.screen;
        // Side by side wherever the narrowest draft fits beside the main window; else it
        // leaves the main window's top bar free.
        if (c.workArea.width >= kMainWidth + kNarrowest)
            EXPECT_FALSE(overlap(placed.main, placed.draft)) << c.screen;
        else
            EXPECT_GE(placed.draft.top, placed.main.top + kTopBar) << c.screen;
    }
}

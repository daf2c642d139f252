#include "WindowPlacement.h"

#include <algorithm>

namespace draft {

namespace {

// The start of a window of the given extent moved into [from, from + room), at from when the
// window is larger than the room.
int into(int start, int extent, int from, int room)
{
    return std::max(from, std::min(start, from + room - extent));
}

} // namespace

WindowPlacement placeWindows(const WindowRoom& room)
{
    const ScreenRect& area = room.workArea;
    ScreenRect main = room.main;
    main.left = into(main.left, main.width, area.left, area.width);
    main.top = into(main.top, main.height, area.top, area.height);
    const int bottom = std::min(main.bottom(), area.bottom());
    const auto draftAt = [&](int left, int top, int width) {
        return ScreenRect{left, top, width, bottom - top};
    };

    const int usual = room.gap + room.draftWidth;
    if (area.right() - main.right() >= usual)
        return {main, draftAt(main.right() + room.gap, main.top, room.draftWidth)};
    if (main.left - area.left >= usual)
        return {main, draftAt(main.left - usual, main.top, room.draftWidth)};
    if (area.width >= main.width + usual) {
        main.left = area.right() - usual - main.width;
        return {main, draftAt(main.right() + room.gap, main.top, room.draftWidth)};
    }

    main.left = area.left;
    const int free = area.right() - main.right();
    if (free >= room.draftNarrowest) {
        const int gap = std::min(room.gap, free - room.draftNarrowest);
        return {main, draftAt(main.right() + gap, main.top, free - gap)};
    }
    const int width = std::min(room.draftNarrowest, area.width);
    return {main, draftAt(area.right() - width, main.top + room.mainTopBar, width)};
}

} // namespace draft

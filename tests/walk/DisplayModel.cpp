#include "DisplayModel.h"

#include <algorithm>
#include <stdexcept>

namespace walk {

const char* nameOf(Request request)
{
    switch (request) {
    case Request::LineUp:
        return "line up";
    case Request::LineDown:
        return "line down";
    case Request::PageUp:
        return "page up";
    case Request::PageDown:
        return "page down";
    case Request::ThumbPosition:
        return "thumb position";
    case Request::ThumbTrack:
        return "thumb track";
    case Request::Top:
        return "top";
    case Request::Bottom:
        return "bottom";
    case Request::EndScroll:
        return "end scroll";
    }
    return "?";
}

DisplayModel::DisplayModel(int boxesPerPage)
    : boxes(static_cast<std::size_t>(boxesPerPage)), n_(boxesPerPage)
{
}

void DisplayModel::showFirst(Content found, int first)
{
    matches_ = std::move(found);
    count = static_cast<int>(matches_.size());
    if (pages()) {
        rangeMax = count - n_;
        barEnabled = true;
        if (first < 0 || first > rangeMax)
            throw std::logic_error("a restored position outside the range of its result");
        position = first;
    } else {
        disableBar();
        first = 0;
    }
    std::fill(boxes.begin(), boxes.end(), Text());
    fillFrom(first);
}

void DisplayModel::reset()
{
    matches_.clear();
    count = 0;
    disableBar();
    std::fill(boxes.begin(), boxes.end(), Text());
}

void DisplayModel::disableBar()
{
    rangeMax = 0;
    position = 0;
    barEnabled = false;
}

int DisplayModel::scroll(Request request, int thumb, bool& filled)
{
    const int p = position;
    int wanted = p;
    switch (request) {
    case Request::LineUp:
    case Request::Top: // one sentence, not to the first
        wanted = p - 1;
        break;
    case Request::LineDown:
    case Request::Bottom:
        wanted = p + 1;
        break;
    case Request::PageUp:
        wanted = std::max(p - n_, 0);
        break;
    case Request::PageDown:
        wanted = std::min(p + n_, rangeMax);
        break;
    case Request::ThumbPosition:
    case Request::ThumbTrack:
        wanted = thumb;
        break;
    case Request::EndScroll:
        break;
    }
    position = std::clamp(wanted, 0, rangeMax);
    filled = pages();
    if (filled)
        fillFrom(position);
    return position;
}

void DisplayModel::fillFrom(int first)
{
    for (int k = 0; k < n_; ++k) {
        const std::size_t index = static_cast<std::size_t>(first + k);
        boxes[static_cast<std::size_t>(k)] =
            index < matches_.size() ? matches_[index].text : Text();
    }
}

} // namespace walk

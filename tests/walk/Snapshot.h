#pragma once
// Everything the walk compares after a step, as named values: what the model expects and what
// the window shows are both written as a Snapshot, so a difference reads as "name: expected
// ... seen ...".

#include "WindowModel.h"

#include <QPoint>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace walk {

using Snapshot = std::vector<std::pair<std::string, std::string>>;

// Where the outside page puts its headers and panels: measured once, before the first step,
// from the page as its template lays it out.
struct OutsideLayout {
    std::array<QPoint, 3> headerHome;
    int headerHeight = 0;
    std::array<int, 3> panelHeight{};
};

// Values written the same way on both sides.
std::string utf8(const Text& text);
std::string countText(int count);
std::string scrollText(int minimum, int maximum, int value, bool usable);
std::string buttonText(bool checked, bool enabled);
std::string shownText(bool shown);
std::string pointText(QPoint point);
std::string messageText(int page, const Text& text, const Text& caption);

Snapshot expectedSnapshot(const WindowModel& model, const OutsideLayout& layout,
                          const std::string& documentFolder);

// The differences, one line each; empty when the two agree.
std::string differences(const Snapshot& expected, const Snapshot& seen);

// A value made readable in a failure message: line breaks and tabs shown as \n and \t.
std::string printable(const std::string& value);

} // namespace walk

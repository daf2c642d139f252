#pragma once
// What the walk expects of the parts every page shares: the keyword box of the main window
// with its placeholder and focus, and a page's display of its matches (count label, result
// boxes, scroll bar) with paging by scroll requests and wheel turns.

#include "Rules.h"

#include <string>
#include <vector>

namespace walk {

// The main window's keyword box as the teacher sees it, and the messages the pages showed.
struct KeywordBoxModel {
    Text text = kPlaceholder;
    const content::Synonyms* synonyms = nullptr; // of the content file, which a search uses
    bool focused = false;
    // Set by a step after which the focus may or may not have left the box; the walk then
    // settles it from what the window shows.
    bool focusOpen = false;
    int messages = 0;
    int lastMessagePage = -1;

    // Clicking into the box: the placeholder gives way to an empty box.
    void focusIn()
    {
        if (!focused && text == kPlaceholder)
            text.clear();
        focused = true;
    }
    // Leaving the box empty puts the placeholder back; a keyword stays.
    void focusOut()
    {
        if (focused && text.empty())
            text = kPlaceholder;
        focused = false;
    }
    void reject(int page)
    {
        ++messages;
        lastMessagePage = page;
    }
};

enum class Request {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbPosition,
    ThumbTrack,
    Top,
    Bottom,
    EndScroll
};
const char* nameOf(Request request);

// The result area of one page: N boxes beside a scroll bar and the count label.
class DisplayModel {
public:
    explicit DisplayModel(int boxesPerPage);

    int boxesPerPage() const { return n_; }
    const Content& matches() const { return matches_; }
    bool pages() const { return static_cast<int>(matches_.size()) > n_; }

    // A new result, shown from match first (0 unless a page restores a position; at most
    // the top of the range).
    void showFirst(Content found, int first = 0);
    // No result: empty boxes, "0 件", an unusable scroll bar at 0..0.
    void reset();
    // The bar set to 0..0 and unusable, as a page does when there is nothing to page through.
    void disableBar();
    // One scroll request; returns the new position, and whether the boxes were filled anew.
    int scroll(Request request, int thumb, bool& filled);

    int count = 0;    // as the count label shows it
    int rangeMax = 0; // the scroll range is 0..rangeMax
    int position = 0;
    bool barEnabled = false;
    std::vector<Text> boxes;

private:
    void fillFrom(int first);

    int n_;
    Content matches_;
};

} // namespace walk

#pragma once
// What the program does at start only to show its window sooner or to take less memory, in one
// place with the reason for each. None of it changes what the program does: without it a start
// is only slower or larger. The one such choice that code cannot make, the order in which the
// program's libraries are loaded, is made in app/CMakeLists.txt.

#include "pages/ContentPrefetch.h"
#include "platform/WorkAhead.h"

#include <optional>

namespace app {

// First thing in main, before any thread starts.
void shareOneHeapAmongThreads();

// Reads the font configuration on a thread of its own while the toolkit connects to the
// display; kept until the program ends.
platform::WorkAhead readFontsAhead();

// Starts reading every content the pages will ask for into prefetch, before the toolkit
// connects to the display. Only the program's one instance does: a second one only says so.
void readContentsAhead(std::optional<pages::ContentPrefetch>& prefetch);

} // namespace app

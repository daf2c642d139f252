#pragma once
// The information about this software: the program's name and version, and what the content
// file holds, content by content.

#include <string>

namespace platform {
class Dialog;
}

// The text of the about box, read afresh from the content file.
std::u16string aboutText();
// Makes KOVA_showAbout show the about box, owned by owner.
void installAboutBox(platform::Dialog* owner);

#pragma once
// The information about this software: the program's name and version, and what the content
// file holds: each content the program reads with its number of records, then how many other
// entries the file has.

#include <string>

namespace platform {
class Dialog;
}

// The text of the about box, read afresh from the content file.
std::u16string aboutText();
// Makes KOVA_showAbout show the about box, owned by owner.
void installAboutBox(platform::Dialog* owner);

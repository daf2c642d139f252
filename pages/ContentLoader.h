#pragma once
// How a page reads a content: a content the program cannot read is shown to the teacher and
// ends the program with its exit code.

#include "content/ContentArray.h"

#include <string>

namespace platform {
class Dialog;
}

// The message for a content that the library cannot read, with its result code.
std::u16string unreadableContentMessage(int result);

// Reads one content (content/ContentReader.h) and appends its sentences to textArray and its
// flag strings to flagArray (either may be null: its items are still read and checked).
// recordCount receives the number of records. A content error is shown in a message box owned
// by ownerWindow and ends the process (exit code 1, 2 or 3); the loader returns only when the
// whole content has been read, with 0.
int ContentLoader(const char* contentName, int& recordCount, ContentArray* textArray,
                  platform::Dialog* ownerWindow, ContentArray* flagArray);

#pragma once

#include "ContentArray.h"

#include <optional>
#include <string>

namespace platform {
class Dialog;
}

// The message for a content that the library cannot read, with its result code.
std::u16string unreadableContentMessage(int result);

// Reads one content through the content access library and appends its sentences to textArray
// and its flag strings to flagArray (either may be null: its items are still read and checked).
// recordCount receives the number of records. A content error is shown in a message box owned
// by ownerWindow and ends the process (exit code 1, 2 or 3); the loader returns only when the
// whole content has been read, with 0. Memory that runs out while the arrays grow ends it as a
// content too large to hold does (exit code 1), never with an exception. Each array is left
// without spare room: a loaded content takes what its items take.
int ContentLoader(const char* contentName, int& recordCount, ContentArray* textArray,
                  platform::Dialog* ownerWindow, ContentArray* flagArray);

// A content the loader cannot read: the message it shows and the code the process ends with.
struct ContentFailure {
    std::u16string message;
    int exitCode;
};

// Reads one content as ContentLoader does, but shows and ends nothing: it says what failed, if
// anything. It may run on a thread of its own while no other thread uses the library.
std::optional<ContentFailure> loadContent(const char* contentName, int& recordCount,
                                          ContentArray* textArray, ContentArray* flagArray);

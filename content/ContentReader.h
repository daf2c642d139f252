#pragma once
// Reading one content through the content access library into the arrays a page keeps it in.

#include "ContentArray.h"

#include <optional>
#include <string>

// The message for a content that the library cannot read, with its result code.
std::u16string unreadableContentMessage(int result);

// A content that cannot be read: the message the program shows and the code it then ends with.
struct ContentFailure {
    std::u16string message;
    int exitCode;
};

// Reads one content and appends its sentences to textArray and its flag strings to flagArray
// (either may be null: its items are still read and checked). recordCount receives the number
// of records. Shows and ends nothing: it says what failed, if anything. Memory that runs out
// while the arrays grow fails as a content too large to hold does, never with an exception.
// Each array is left without spare room: a loaded content takes what its items take. It may run
// on a thread of its own while no other thread uses the library.
std::optional<ContentFailure> loadContent(const char* contentName, int& recordCount,
                                          ContentArray* textArray, ContentArray* flagArray);

#pragma once
// Reading one content through the content access library into the arrays a page keeps it in.

#include "ContentArray.h"
#include "ForbiddenWords.h" // ListProblem
#include "tessera.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Why a content could not be read. What the teacher is told, and how the program ends, is the
// pages' to decide (pages/ContentLoader.h).
struct ContentFailure {
    enum Kind {
        NoContentFile, // there is no content file
        Unreadable,    // the library cannot read the content: result says why
        DamagedText,   // a sentence the library cannot give
        DamagedFlags,  // a flag string the library cannot give
    };
    Kind kind;
    // For Unreadable, the library's result code; KOVA_CONTENT_TOO_LARGE when memory ran out.
    int result;
};

// Reads one content and appends its sentences to textArray and its flag strings to flagArray
// (either may be null: its items are still read and checked). recordCount receives the number
// of records. Shows and ends nothing: it says what failed, if anything. Memory that runs out
// while the arrays grow fails as a content too large to hold does, never with an exception.
// Each array is left without spare room: a loaded content takes what its items take. It may run
// on a thread of its own while no other thread uses the library.
std::optional<ContentFailure> loadContent(const char* contentName, int& recordCount,
                                          ContentArray* textArray, ContentArray* flagArray);

// The readings of a content's sentences (content/Readings.h), read into readings; its sentences
// must be read already. None: the content file was packed without them. Damaged: the library
// cannot give them, or they do not fit the sentences; the search goes on without them.
enum class ReadingsRead { Read, None, Damaged };
ReadingsRead loadReadings(const char* utf8ContentName, const ContentArray& texts,
                          ContentArray& readings);

// Receives a list the library hands out into the std::string at context.
void receiveListText(const char* text, int byteCount, void* context);

// A list the packer stored beside the contents (the forbidden words, the review list, the
// groups of words that mean the same), read with the library's call for it and parsed; null when
// the file holds none or it cannot be read. Lines the packer would refuse are left out.
template <typename List> std::shared_ptr<const List> loadList(int (*read)(KOVA_TextVisitor, void*))
{
    std::string text;
    if (read(receiveListText, &text) != KOVA_OK)
        return nullptr;
    std::vector<content::ListProblem> unused;
    return std::make_shared<const List>(List::parse(text, unused));
}

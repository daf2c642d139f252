#include "ContentReader.h"

#include "Readings.h"

#include "tessera.h"

#include <algorithm>
#include <malloc.h>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

namespace {

constexpr int kItemBufferBytes = 102400;

// Reads every item of one kind, each straight into the array's room for it; without an array,
// into the scratch buffer. The bound is the caller's record count, read afresh before every
// item rather than copied once. An item may take the whole buffer an item is read into, and no
// more, whether or not an array keeps it. False at the first item the library cannot give.
bool readItems(int kind, const int& recordCount, ContentArray* into)
{
    constexpr std::size_t kItemUnits = kItemBufferBytes / sizeof(char16_t);
    std::unique_ptr<char16_t[]> scratch;
    if (into)
        into->reserve(into->size() + static_cast<std::size_t>(std::max(recordCount, 0)));
    else
        scratch.reset(new char16_t[kItemUnits]);
    for (int i = 0; i < recordCount; ++i) {
        char16_t* room = into ? into->roomForNext(kItemUnits) : scratch.get();
        if (KOVA_getItem(kind, i, room, kItemBufferBytes) != KOVA_OK)
            return false;
        if (into)
            into->appendWritten(std::char_traits<char16_t>::length(room));
    }
    if (into)
        into->shrinkToFit();
    return true;
}

// The content is more than the memory can hold, which is what the library reports as
// KOVA_CONTENT_TOO_LARGE when it runs out itself: the same message, whichever side ran out.
// Saying an item is damaged would send the teacher looking for a fault the file does not
// have. What this content took is given back first, so the message box finds room.
ContentFailure outOfMemory(ContentArray* textArray, ContentArray* flagArray)
{
    KOVA_clearData();
    for (ContentArray* array : {textArray, flagArray}) {
        if (array)
            array->release();
    }
    return {ContentFailure::Unreadable, KOVA_CONTENT_TOO_LARGE};
}

// The inflated entry the library held and the room the arrays grew through are free now, but
// the allocator keeps freed blocks below its mapping threshold for the next allocation: for a
// large content, megabytes the program never asks for again. They go back to the system, so
// that a loaded content costs what its items take.
void giveBackFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace

std::optional<ContentFailure> loadContent(const char* contentName, int& recordCount,
                                          ContentArray* textArray, ContentArray* flagArray)
{
    KOVA_clearData();
    const int result = KOVA_getZipData(0, contentName, -1, -1, &recordCount);
    KOVA_trace(u"KOVA_getZipData() end");
    if (result == KOVA_NO_CONTENT_FILE)
        return ContentFailure{ContentFailure::NoContentFile, result};
    if (result != KOVA_OK)
        return ContentFailure{ContentFailure::Unreadable, result};
    KOVA_trace(u"KOVA_getZipData() ok");

    try {
        if (!readItems(KOVA_ITEM_TEXT, recordCount, textArray))
            return ContentFailure{ContentFailure::DamagedText, KOVA_OK};
        KOVA_traceValue(u"*count = %d\n", recordCount);
        if (!readItems(KOVA_ITEM_FLAGS, recordCount, flagArray))
            return ContentFailure{ContentFailure::DamagedFlags, KOVA_OK};
    } catch (const std::bad_alloc&) {
        return outOfMemory(textArray, flagArray);
    } catch (const std::length_error&) {
        return outOfMemory(textArray, flagArray);
    }
    KOVA_clearData();
    giveBackFreedMemory();
    KOVA_trace(u"KOVA_IF_getData() ok");
    return std::nullopt;
}

void receiveListText(const char* text, int byteCount, void* context)
{
    static_cast<std::string*>(context)->assign(text, static_cast<std::size_t>(byteCount));
}

ReadingsRead loadReadings(const char* utf8ContentName, const ContentArray& texts,
                          ContentArray& readings)
{
    std::string entry;
    const int result = KOVA_readReadings(utf8ContentName, receiveListText, &entry);
    if (result == KOVA_NO_SUCH_CONTENT)
        return ReadingsRead::None;
    std::string problem;
    try {
        if (result != KOVA_OK || !content::parseReadings(entry, texts, readings, problem)) {
            readings.release();
            return ReadingsRead::Damaged;
        }
    } catch (const std::exception&) { // out of memory, or past what an array holds
        readings.release();
        return ReadingsRead::Damaged;
    }
    return ReadingsRead::Read;
}

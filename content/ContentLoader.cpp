#include "ContentLoader.h"

#include "platform/Effects.h"
#include "tessera.h"

#include <new>
#include <stdexcept>
#include <string>

namespace {

constexpr int kItemBufferBytes = 102400;

[[noreturn]] void fail(platform::Dialog* owner, const std::u16string& message, int exitCode)
{
    platform::effects().showMessage(owner, message, u"", platform::MessageIcon::None);
    platform::endProcess(exitCode);
}

// Reads every item of one kind. The bound is the caller's record count, read afresh before
// every item rather than copied once.
void readItems(int kind, const int& recordCount, char16_t* buffer, StringArray* into,
               platform::Dialog* owner, const std::u16string& damagedMessage, int exitCode)
{
    for (int i = 0; i < recordCount; ++i) {
        if (KOVA_getItem(kind, i, buffer, kItemBufferBytes) != KOVA_OK)
            fail(owner, damagedMessage, exitCode);
        if (into)
            into->emplace_back(buffer);
    }
}

// The arrays grow to their final size at once: no copy on the way, and no spare capacity.
void reserveFor(StringArray* array, int recordCount)
{
    if (array)
        array->reserve(array->size() + static_cast<std::size_t>(recordCount));
}

// The content is more than the memory can hold, which is what the library reports as
// KOVA_CONTENT_TOO_LARGE when it runs out itself: the same message, whichever side ran out.
// Saying an item is damaged would send the teacher looking for a fault the file does not
// have. What this content took is given back first, so the message box finds room.
[[noreturn]] void failForMemory(platform::Dialog* owner, StringArray* textArray,
                                StringArray* flagArray)
{
    KOVA_clearData();
    for (StringArray* array : {textArray, flagArray}) {
        if (array)
            StringArray().swap(*array);
    }
    fail(owner, unreadableContentMessage(KOVA_CONTENT_TOO_LARGE), 1);
}

} // namespace

std::u16string unreadableContentMessage(int result)
{
    const std::string number = std::to_string(result);
    return std::u16string(number.begin(), number.end()) + u", コンテンツファイルを読み込めません";
}

int ContentLoader(const char* contentName, int& recordCount, StringArray* textArray,
                  platform::Dialog* ownerWindow, StringArray* flagArray)
{
    KOVA_clearData();
    const int result = KOVA_getZipData(0, contentName, -1, -1, &recordCount);
    KOVA_trace(u"KOVA_getZipData() end");
    if (result == KOVA_NO_CONTENT_FILE)
        fail(ownerWindow, u"コンテンツファイルがありません", 1);
    if (result != KOVA_OK)
        fail(ownerWindow, unreadableContentMessage(result), 1);
    KOVA_trace(u"KOVA_getZipData() ok");

    try {
        std::u16string buffer(kItemBufferBytes / sizeof(char16_t), u'\0');
        reserveFor(textArray, recordCount);
        readItems(KOVA_ITEM_TEXT, recordCount, buffer.data(), textArray, ownerWindow,
                  u"コンテンツファイルのテキストが壊れています", 2);
        KOVA_traceValue(u"*count = %d\n", recordCount);
        reserveFor(flagArray, recordCount);
        readItems(KOVA_ITEM_FLAGS, recordCount, buffer.data(), flagArray, ownerWindow,
                  u"コンテンツファイルのフラグが壊れています。", 3);
    } catch (const std::bad_alloc&) {
        failForMemory(ownerWindow, textArray, flagArray);
    } catch (const std::length_error&) {
        failForMemory(ownerWindow, textArray, flagArray);
    }
    KOVA_clearData();
    KOVA_trace(u"KOVA_IF_getData() ok");
    return 0;
}

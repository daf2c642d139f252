#include "ContentLoader.h"

#include "content/ContentReader.h"
#include "platform/Effects.h"

namespace {

// What the teacher is told, and the code the program ends with.
struct Ending {
    std::u16string message;
    int exitCode;
};

Ending endingFor(const ContentFailure& failure)
{
    switch (failure.kind) {
    case ContentFailure::NoContentFile:
        return {u"コンテンツファイルがありません", 1};
    case ContentFailure::Unreadable:
        return {unreadableContentMessage(failure.result), 1};
    case ContentFailure::DamagedText:
        return {u"コンテンツファイルのテキストが壊れています", 2};
    case ContentFailure::DamagedFlags:
        return {u"コンテンツファイルのフラグが壊れています。", 3};
    }
    return {unreadableContentMessage(failure.result), 1};
}

} // namespace

std::u16string unreadableContentMessage(int result)
{
    const std::string number = std::to_string(result);
    return std::u16string(number.begin(), number.end()) + u", コンテンツファイルを読み込めません";
}

int ContentLoader(const char* contentName, int& recordCount, ContentArray* textArray,
                  platform::Dialog* ownerWindow, ContentArray* flagArray)
{
    if (const auto failure = loadContent(contentName, recordCount, textArray, flagArray)) {
        const Ending ending = endingFor(*failure);
        platform::effects().showMessage(ownerWindow, ending.message, u"",
                                        platform::MessageIcon::None);
        platform::endProcess(ending.exitCode);
    }
    return 0;
}

#include "ContentLoader.h"

#include "content/ContentReader.h"
#include "platform/Effects.h"

int ContentLoader(const char* contentName, int& recordCount, ContentArray* textArray,
                  platform::Dialog* ownerWindow, ContentArray* flagArray)
{
    if (const auto failure = loadContent(contentName, recordCount, textArray, flagArray)) {
        platform::effects().showMessage(ownerWindow, failure->message, u"",
                                        platform::MessageIcon::None);
        platform::endProcess(failure->exitCode);
    }
    return 0;
}

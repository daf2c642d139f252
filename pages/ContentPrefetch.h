#pragma once
// The contents the pages will ask for, read on a thread of their own while the program makes
// its window: reading them is most of a start's work that needs no window, and the machine has
// a second processor for it. The pages then find them read instead of waiting for them.
//
// The content access library keeps one state for the whole process, so nothing else may call it
// from the moment the reading starts until finish() has returned.

#include "content/ContentArray.h"
#include "platform/WorkAhead.h"

#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pages {

// One content as a page keeps it.
struct LoadedContent {
    std::unique_ptr<ContentArray> texts;
    std::unique_ptr<ContentArray> flags;
    int recordCount = 0;
    // The sentences' readings, read at the first keyword search; null when the content file
    // holds none that fit.
    std::unique_ptr<ContentArray> readings;
    bool readingsRead = false;
};

class ContentPrefetch {
public:
    // Starts reading the named contents (UTF-8 names), one after another.
    explicit ContentPrefetch(std::span<const std::string_view> utf8Names);
    ContentPrefetch(const ContentPrefetch&) = delete;
    ContentPrefetch& operator=(const ContentPrefetch&) = delete;

    // Waits until the reading has ended; from then on the library is free for others.
    void finish();

    // The content read under this name, handed out once (it waits for the reading first).
    // Nothing for a name that was not read, and nothing for any name once one of the contents
    // could not be read: then every page reads its own contents afresh, meets the fault itself
    // and shows its message, exactly as if nothing had been read before.
    std::optional<LoadedContent> take(std::string_view utf8Name);

private:
    void readAll(const std::vector<std::string>& utf8Names);
    bool readInto(const std::string& utf8Name);

    std::map<std::string, LoadedContent, std::less<>> read_;
    // Last: what it fills is there before it starts, and its end is waited for first.
    platform::WorkAhead reader_;
};

} // namespace pages

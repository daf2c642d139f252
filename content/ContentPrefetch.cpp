#include "ContentPrefetch.h"

#include "ContentLoader.h"
#include "ContentNames.h"

namespace content {

ContentPrefetch::ContentPrefetch(std::span<const std::string_view> utf8Names)
    : reader_([this, names = std::vector<std::string>(utf8Names.begin(), utf8Names.end())] {
          readAll(names);
      })
{
}

void ContentPrefetch::finish()
{
    reader_.wait();
}

std::optional<LoadedContent> ContentPrefetch::take(std::string_view utf8Name)
{
    finish();
    const auto found = read_.find(utf8Name);
    if (found == read_.end())
        return std::nullopt;
    LoadedContent content = std::move(found->second);
    read_.erase(found);
    return content;
}

void ContentPrefetch::readAll(const std::vector<std::string>& utf8Names)
{
    // A content read after one that failed would be read against a library that did not count
    // the failed one, so a fault makes the whole reading void, whatever it was.
    try {
        for (const std::string& name : utf8Names) {
            if (!readInto(name)) {
                read_.clear();
                return;
            }
        }
    } catch (...) {
        read_.clear();
    }
}

bool ContentPrefetch::readInto(const std::string& utf8Name)
{
    LoadedContent content{std::make_unique<ContentArray>(), std::make_unique<ContentArray>(), 0};
    if (loadContent(cp932ContentName(utf8Name).c_str(), content.recordCount, content.texts.get(),
                    content.flags.get()))
        return false;
    read_.insert_or_assign(utf8Name, std::move(content));
    return true;
}

} // namespace content

#include "ContentPrefetch.h"

#include "content/ContentNames.h"
#include "content/ContentReader.h"

namespace pages {

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
    LoadedContent loaded = std::move(found->second);
    read_.erase(found);
    return loaded;
}

void ContentPrefetch::readAll(const std::vector<std::string>& utf8Names)
{
    // After a fault the pages read their contents themselves, from a library started afresh
    // that counts none of the contents read here against its memory budget: were some of them
    // handed out, the pages' reading could end otherwise than without reading ahead. So a fault
    // makes the whole reading void.
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
    LoadedContent loaded{std::make_unique<ContentArray>(), std::make_unique<ContentArray>(), 0};
    if (loadContent(content::cp932ContentName(utf8Name).c_str(), loaded.recordCount,
                    loaded.texts.get(), loaded.flags.get()))
        return false;
    read_.insert_or_assign(utf8Name, std::move(loaded));
    return true;
}

} // namespace pages

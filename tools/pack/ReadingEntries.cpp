#include "ReadingEntries.h"

#include "content/RecordFormat.h"
#include "content/Utf8.h"

namespace pack {

std::string readingsEntry(const Reader& reader, std::string_view source)
{
    std::string entry;
    content::forEachSentence(source, [&](std::size_t, std::u16string_view sentence) {
        entry += content::readingLine(reader.words(sentence));
        entry += '\n';
    });
    return entry;
}

std::string listWithReadings(const Reader& reader, std::string_view list)
{
    std::string stored;
    content::forEachLine(list, [&](std::size_t, std::string_view line) {
        stored += line;
        const std::size_t tab = line.find('\t');
        if (!line.empty() && !line.starts_with('#') && tab != std::string_view::npos) {
            std::string_view word = line.substr(0, tab);
            if (word.starts_with('!'))
                word.remove_prefix(1);
            std::u16string decoded;
            const std::u16string reading =
                content::toUtf16(word, decoded) ? reader.reading(decoded) : std::u16string();
            if (!reading.empty())
                stored += '\t' + content::toUtf8(reading);
        }
        stored += '\n';
        return true;
    });
    return stored;
}

} // namespace pack

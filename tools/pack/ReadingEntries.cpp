#include "ReadingEntries.h"

#include "content/RecordFormat.h"
#include "content/Utf8.h"

namespace pack {

std::string readingsEntry(const Reader& reader, std::string_view source)
{
    std::string entry;
    std::u16string sentence;
    content::forEachLine(source, [&](std::size_t, std::string_view line) {
        content::RawRecord record;
        std::size_t length = 0;
        // A field decodes to no more code units than it has bytes.
        if (content::parseLine(line, record) == content::LineError::None)
            sentence.resize(record.text.size() + 1);
        if (sentence.empty() || content::decodeField(record.text, sentence.data(), sentence.size(),
                                                     length) != content::DecodeError::None)
            length = 0;
        entry += content::readingLine(reader.words(std::u16string_view(sentence.data(), length)));
        entry += '\n';
        return true;
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

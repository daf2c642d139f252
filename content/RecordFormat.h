#pragma once
// The text format of one content inside the content file, shared by the access library (which
// reads it) and the packer (which checks it before it writes the file).
//
// A content is UTF-8 text, one record per line: the flag string, a TAB, the sentence. Inside
// either field "\t", "\n" and "\\" stand for a tab, a line break and a backslash; any other
// backslash, or a second raw TAB, makes the line unreadable. Lines end in LF or CR LF; the last
// line may lack its end; a UTF-8 byte order mark at the very start is skipped. A field holds no
// NUL: it is handed out as a NUL-terminated string, which would end there.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace content {

// One record as it stands in the file: both fields still UTF-8 and still escaped.
struct RawRecord {
    std::string_view flags;
    std::string_view text;
};

enum class LineError {
    None,
    MissingTab, // no TAB between flag string and sentence
    ExtraTab,   // a raw TAB inside the sentence: it must be written "\t"
    BadEscape,  // a backslash not followed by t, n or a backslash
};

const char* describe(LineError error);

// Splits one line (without its line end) into its two fields.
LineError parseLine(std::string_view line, RawRecord& record);

// Calls onLine(lineNumber, line) for every line of a content, numbered from 1, line ends and a
// leading byte order mark removed. Stops early and returns false when onLine returns false.
template <typename OnLine> bool forEachLine(std::string_view content, OnLine&& onLine)
{
    if (content.starts_with("\xEF\xBB\xBF"))
        content.remove_prefix(3);
    std::size_t lineNumber = 0;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (!onLine(++lineNumber, line))
            return false;
    }
    return true;
}

enum class DecodeError {
    None,
    InvalidUtf8, // not well-formed UTF-8 (overlong forms and encoded surrogates included)
    TooLarge,    // the field and its terminating NUL do not fit the output
    HoldsNul,    // a NUL (U+0000) inside the field: whoever reads the string would stop there
};

// Decodes one escaped UTF-8 field into UTF-16 followed by a NUL. Never writes past
// out[capacity - 1]; on failure out holds an empty string (when capacity allows one).
// length receives the number of code units before the NUL.
DecodeError decodeField(std::string_view field, char16_t* out, std::size_t capacity,
                        std::size_t& length);

// Calls onSentence(lineNumber, sentence) for every line of a content, with the line's sentence
// decoded, or with an empty one when the line is no sound record.
template <typename OnSentence>
void forEachSentence(std::string_view content, OnSentence&& onSentence)
{
    std::u16string sentence;
    forEachLine(content, [&](std::size_t lineNumber, std::string_view line) {
        RawRecord record;
        std::size_t length = 0;
        if (parseLine(line, record) == LineError::None) {
            sentence.resize(record.text.size() + 1); // no more code units than bytes, and the NUL
            if (decodeField(record.text, sentence.data(), sentence.size(), length) !=
                DecodeError::None)
                length = 0;
        }
        onSentence(lineNumber, std::u16string_view(sentence.data(), length));
        return true;
    });
}

} // namespace content

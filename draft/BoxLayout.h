#pragma once
// How a remark falls into the box of the form it is typed into, without any window system. The
// box holds a fixed number of lines of a fixed width, counted as the school systems print it: a
// half-width character (ASCII, half-width katakana) takes half the room of a full-width one, a
// line break ends the line, and a character that does not fit in what is left of a line starts
// the next one. What falls past the last line is not printed.

#include <array>
#include <cstddef>
#include <string_view>

namespace draft {

struct BoxSize {
    int columns; // full-width characters a line holds
    int lines;
};

struct BoxFit {
    std::size_t lines;          // lines that hold text, blank lines between them included
    std::size_t overflowAt;     // UTF-16 position of the first character past the last line; the
                                // text's size when everything fits
    std::size_t charactersPast; // characters past the last line, line breaks none
};

// How the text falls into the box. A line exactly full ends there: a line break right after it
// adds no blank line, and a break at the very end of the text starts no line of its own.
BoxFit fitInBox(std::u16string_view text, BoxSize box);

// The fields of the current form (from graduates of March 2026) in which the teacher types a
// remark, and the size of their box where it is not set otherwise.
struct FormField {
    const char16_t* name;
    BoxSize size;
};
extern const std::array<FormField, 3> kFormFields;

} // namespace draft

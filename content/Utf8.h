#pragma once
// UTF-8 and UTF-16, for code that has no toolkit to convert with: the content library, the
// packer and the console. Qt code converts with QString.

#include <cstddef>
#include <string>
#include <string_view>

namespace content {

// Reads one code point from UTF-8 at in[pos], advancing pos; false on a malformed sequence.
// Accepts exactly the well-formed sequences of Unicode (Table 3-7): no overlong forms, no
// encoded surrogates, nothing above U+10FFFF.
bool readCodePoint(std::string_view in, std::size_t& pos, char32_t& cp);

// The UTF-16 form of well-formed UTF-8; false, with out unspecified, for anything else.
bool toUtf16(std::string_view in, std::u16string& out);

// The text as UTF-8; a lone surrogate, which has no UTF-8 form, becomes U+FFFD.
std::string toUtf8(std::u16string_view text);

} // namespace content

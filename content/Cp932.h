#pragma once
// Content names travel as code page 932 bytes; the content file names its entries in UTF-8.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace content {

// Both give nothing when the input is not valid in its encoding or has no counterpart.
std::optional<std::string> cp932ToUtf8(std::string_view cp932);
std::optional<std::string> utf8ToCp932(std::string_view utf8);
// The text in code page 932, or where it stops: the UTF-8 offset of the first character that
// has no code there.
std::variant<std::string, std::size_t> utf8ToCp932OrStop(std::string_view utf8);

} // namespace content

#include "Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace content {

namespace {

// The converted text, or the offset in the input where the conversion stopped.
std::variant<std::string, std::size_t> convert(const char* to, const char* from,
                                               std::string_view input)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::size_t{0};
    // No character grows by more than a factor of three in bytes: a half-width katakana takes
    // one byte in code page 932 and three in UTF-8.
    std::string output(input.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0)
        return input.size() - inLeft;
    output.resize(output.size() - outLeft);
    return output;
}

std::optional<std::string> whole(std::variant<std::string, std::size_t> converted)
{
    if (auto* text = std::get_if<std::string>(&converted))
        return std::move(*text);
    return std::nullopt;
}

} // namespace

std::optional<std::string> cp932ToUtf8(std::string_view cp932)
{
    return whole(convert("UTF-8", "CP932", cp932));
}

std::optional<std::string> utf8ToCp932(std::string_view utf8)
{
    return whole(convert("CP932", "UTF-8", utf8));
}

std::variant<std::string, std::size_t> utf8ToCp932OrStop(std::string_view utf8)
{
    return convert("CP932", "UTF-8", utf8);
}

} // namespace content

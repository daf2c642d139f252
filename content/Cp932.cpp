#include "Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace content {

namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view input)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
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
        return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
}

} // namespace

std::optional<std::string> cp932ToUtf8(std::string_view cp932)
{
    return convert("UTF-8", "CP932", cp932);
}

std::optional<std::string> utf8ToCp932(std::string_view utf8)
{
    return convert("CP932", "UTF-8", utf8);
}

} // namespace content

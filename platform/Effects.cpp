#include "Effects.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

Effects*& installedEffects()
{
    static Effects* installed = nullptr;
    return installed;
}

} // namespace

Effects& effects()
{
    static ConsoleEffects console;
    Effects* installed = installedEffects();
    return installed ? *installed : console;
}

void endProcess(int exitCode)
{
    effects().endProcess(exitCode);
    std::abort(); // an Effects that returns from endProcess is broken; never carry on
}

ScopedEffects::ScopedEffects(Effects& installed) : previous_(installedEffects())
{
    installedEffects() = &installed;
}

ScopedEffects::~ScopedEffects()
{
    installedEffects() = previous_;
}

void ConsoleEffects::showMessage(const Dialog*, std::u16string_view text,
                                 std::u16string_view caption, MessageIcon)
{
    std::fprintf(stderr, "[%s] %s\n", toUtf8(caption).c_str(), toUtf8(text).c_str());
    std::fflush(stderr);
}

bool ConsoleEffects::askQuestion(const Dialog* owner, std::u16string_view text,
                                 std::u16string_view caption)
{
    showMessage(owner, text, caption, MessageIcon::None);
    return true;
}

void ConsoleEffects::endProcess(int exitCode)
{
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

void ConsoleEffects::openDocument(const std::string& path)
{
    std::fprintf(stderr, "open %s\n", path.c_str());
}

std::string toUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

} // namespace platform

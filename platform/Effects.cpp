#include "Effects.h"

#include "content/Utf8.h"

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
    std::fprintf(stderr, "[%s] %s\n", content::toUtf8(caption).c_str(),
                 content::toUtf8(text).c_str());
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

} // namespace platform

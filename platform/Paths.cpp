#include "Paths.h"

#include "content/Utf8.h"

#include <filesystem>

namespace platform {

namespace {

std::filesystem::path executablePath()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}

} // namespace

std::string executableFolder()
{
    const std::filesystem::path path = executablePath();
    return path.empty() ? std::string(".") : path.parent_path().string();
}

std::string applicationTitle()
{
    return executablePath().stem().string();
}

std::string joinRelativePath(std::string_view folder, std::u16string_view relative)
{
    std::string path(folder);
    std::string tail = content::toUtf8(relative);
    for (char& c : tail) {
        if (c == '\\')
            c = '/';
    }
    if (!path.empty() && path.back() == '/' && !tail.empty() && tail.front() == '/')
        path.pop_back();
    return path + tail;
}

} // namespace platform

#pragma once

#include <string>
#include <string_view>

namespace platform {

// The folder of the running executable, without a trailing slash.
std::string executableFolder();
// The executable's file name without its extension: the program's title.
std::string applicationTitle();
// folder followed by a relative path written with backslashes ("\PDF\howto.pdf"), each
// backslash becoming a folder separator. Any length: nothing is cut or overrun.
std::string joinRelativePath(std::string_view folder, std::u16string_view relative);

} // namespace platform

#pragma once

#include <string>

namespace platform {

// Hands the document at path, relative to the executable's folder and starting with a
// backslash ("\PDF\howto.pdf"), to the desktop's viewer. A missing document or viewer is not
// reported.
void OpenDocument(std::u16string path);

} // namespace platform

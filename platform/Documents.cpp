#include "Documents.h"

#include "Effects.h"
#include "Paths.h"

namespace platform {

void OpenDocument(std::u16string path)
{
    effects().openDocument(joinRelativePath(executableFolder(), path));
}

} // namespace platform

#include "ContentNames.h"

#include "Cp932.h"

namespace content {

std::string cp932ContentName(std::string_view utf8Name)
{
    // Every name above has a code page 932 form; an empty name makes the library refuse.
    return utf8ToCp932(utf8Name).value_or(std::string());
}

} // namespace content

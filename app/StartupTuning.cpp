#include "StartupTuning.h"

#include "content/ContentNames.h"
#include "platform/Fonts.h"

#include <malloc.h>

namespace app {

void shareOneHeapAmongThreads()
{
#ifdef __GLIBC__
    // The contents read ahead on a thread of their own would otherwise leave that thread a heap
    // of its own, megabytes over what the contents take, kept for the program's whole run.
    mallopt(M_ARENA_MAX, 1);
#endif
}

platform::WorkAhead readFontsAhead()
{
    // The toolkit reads the font configuration the first time it measures a text, just before
    // the window can show; read here, it is ready by then, and the second processor does it.
    return platform::WorkAhead(&platform::readFontConfiguration);
}

void readContentsAhead(std::optional<pages::ContentPrefetch>& prefetch)
{
    // Reading the contents is most of a start's work that needs no window. Started before the
    // toolkit connects to the display, it goes on meanwhile, and the pages find them read.
    prefetch.emplace(content::kAllContents);
}

} // namespace app

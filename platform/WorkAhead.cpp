#include "WorkAhead.h"

#include <system_error>

namespace platform {

WorkAhead::WorkAhead(std::function<void()> work)
{
    try {
        thread_ = std::thread(std::move(work));
    } catch (const std::system_error&) {
        // No thread to be had: the work is left to whoever needs its result.
    }
}

WorkAhead::~WorkAhead()
{
    wait();
}

void WorkAhead::wait()
{
    if (thread_.joinable())
        thread_.join();
}

} // namespace platform

#pragma once
// Work done ahead on a thread of its own, so that its result is there by the time the program
// needs it. Work ahead is never the only way to the result: if the system gives no thread, the
// work is simply not done ahead, and whoever needs the result does the work then.

#include <functional>
#include <thread>

namespace platform {

class WorkAhead {
public:
    explicit WorkAhead(std::function<void()> work);
    ~WorkAhead(); // waits until the work has ended
    WorkAhead(const WorkAhead&) = delete;
    WorkAhead& operator=(const WorkAhead&) = delete;

    // Returns once the work has ended; at once if it never started.
    void wait();

private:
    std::thread thread_;
};

} // namespace platform

#pragma once
// Watches and fails allocations in the content tests. The test executable replaces operator new
// (Allocations.cpp), and the content library, loaded into the same process, allocates through
// it too. Outside the scope of one of these objects nothing is recorded or failed, so no test
// sees another's allocations.

#include <cstddef>

namespace testing_support {

// The largest single allocation made while this object lives.
class LargestAllocation {
public:
    LargestAllocation();
    ~LargestAllocation();
    LargestAllocation(const LargestAllocation&) = delete;
    LargestAllocation& operator=(const LargestAllocation&) = delete;
    std::size_t bytes() const;
};

// While this object lives, every allocation of from..to bytes fails as memory that has run
// out does: the throwing forms throw std::bad_alloc, the others give null.
class FailingAllocations {
public:
    FailingAllocations(std::size_t from, std::size_t to);
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
    int failures() const; // how many allocations failed so far
};

} // namespace testing_support

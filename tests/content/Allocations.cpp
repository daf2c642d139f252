#include "Allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> recording{false};
std::atomic<std::size_t> largest{0};
std::atomic<std::size_t> failFrom{1};
std::atomic<std::size_t> failTo{0}; // an empty range: nothing fails
std::atomic<int> failed{0};

void* allocate(std::size_t size) noexcept
{
    if (size >= failFrom.load(std::memory_order_relaxed) &&
        size <= failTo.load(std::memory_order_relaxed)) {
        failed.fetch_add(1, std::memory_order_relaxed);
        return nullptr;
    }
    if (recording.load(std::memory_order_relaxed) && size > largest.load(std::memory_order_relaxed))
        largest.store(size, std::memory_order_relaxed);
    return std::malloc(size ? size : 1);
}

void* allocateOrThrow(std::size_t size)
{
    if (void* block = allocate(size))
        return block;
    throw std::bad_alloc();
}

} // namespace

// Every form that is not over-aligned is replaced, so that no block is made by one allocator and
// given back to another: the sanitizer build would report it (std::stable_sort, for one, takes
// its buffer with the nothrow form and returns it with the plain one). The deletes are not
// inlined: the compiler would otherwise see free() meet a pointer from operator new and warn.
void* operator new(std::size_t size)
{
    return allocateOrThrow(size);
}
void* operator new[](std::size_t size)
{
    return allocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size);
}
[[gnu::noinline]] void operator delete(void* block) noexcept
{
    std::free(block);
}
[[gnu::noinline]] void operator delete[](void* block) noexcept
{
    std::free(block);
}
[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
[[gnu::noinline]] void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}
[[gnu::noinline]] void operator delete(void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}
[[gnu::noinline]] void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}

namespace testing_support {

LargestAllocation::LargestAllocation()
{
    largest = 0;
    recording = true;
}

LargestAllocation::~LargestAllocation()
{
    recording = false;
}

std::size_t LargestAllocation::bytes() const
{
    return largest;
}

FailingAllocations::FailingAllocations(std::size_t from, std::size_t to)
{
    failed = 0;
    failFrom = from;
    failTo = to;
}

FailingAllocations::~FailingAllocations()
{
    failFrom = 1;
    failTo = 0;
}

int FailingAllocations::failures() const
{
    return failed;
}

} // namespace testing_support

#include "ContentArray.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

namespace {

// Offsets are 32 bits: the library holds the contents to 1 GiB of UTF-16 in all, a quarter of
// what they can reach; past it an append fails as memory that runs out does.
constexpr std::size_t kMaxUnits = std::numeric_limits<std::uint32_t>::max();
// The first room an array takes: small contents stay small, large ones double a few times.
constexpr std::size_t kFirstCapacity = 1 << 16;

} // namespace

ContentArray::ContentArray(std::initializer_list<std::u16string_view> items)
{
    reserve(items.size());
    for (const std::u16string_view item : items)
        append(item);
    shrinkToFit();
}

ContentArray::ContentArray(const ContentArray& other)
    : starts_(other.starts_), itemLength_(other.itemLength_)
{
    const std::size_t used = other.usedUnits();
    if (used > 0) {
        units_.reset(new char16_t[used]);
        std::memcpy(units_.get(), other.units_.get(), used * sizeof(char16_t));
        unitCapacity_ = used;
    }
}

ContentArray& ContentArray::operator=(const ContentArray& other)
{
    if (this != &other) {
        ContentArray copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ContentArray::ContentArray(ContentArray&& other) noexcept
    : units_(std::move(other.units_)), unitCapacity_(std::exchange(other.unitCapacity_, 0)),
      starts_(std::move(other.starts_)), itemLength_(std::exchange(other.itemLength_, 0))
{
    other.starts_.clear();
}

ContentArray& ContentArray::operator=(ContentArray&& other) noexcept
{
    units_ = std::move(other.units_);
    unitCapacity_ = std::exchange(other.unitCapacity_, 0);
    starts_ = std::move(other.starts_);
    other.starts_.clear();
    itemLength_ = std::exchange(other.itemLength_, 0);
    return *this;
}

ContentArray::~ContentArray() = default;

void ContentArray::reserve(std::size_t items)
{
    starts_.reserve(items + 1);
}

void ContentArray::append(std::u16string_view item)
{
    char16_t* room = roomForNext(item.size());
    if (!item.empty())
        std::memcpy(room, item.data(), item.size() * sizeof(char16_t));
    appendWritten(item.size());
}

char16_t* ContentArray::roomForNext(std::size_t units)
{
    const std::size_t used = usedUnits();
    if (unitCapacity_ - used < units) {
        if (units > kMaxUnits - used)
            throw std::length_error("a content array holds at most 2^32 - 1 code units");
        reallocateUnits(std::max({used + units, 2 * unitCapacity_, kFirstCapacity}));
    }
    return units_.get() + used;
}

void ContentArray::appendWritten(std::size_t length)
{
    const std::size_t used = usedUnits();
    if (length > unitCapacity_ - used || length > kMaxUnits - used)
        throw std::length_error("an item longer than the room made for it");
    if (starts_.empty()) {
        starts_.reserve(2); // the one allocation that may fail comes before any change
        starts_.push_back(0);
        itemLength_ = length;
    }
    starts_.push_back(static_cast<std::uint32_t>(used + length));
    if (length != itemLength_)
        itemLength_ = kMixedLengths;
}

void ContentArray::shrinkToFit()
{
    if (unitCapacity_ != usedUnits())
        reallocateUnits(usedUnits());
    starts_.shrink_to_fit();
}

void ContentArray::release() noexcept
{
    units_.reset();
    unitCapacity_ = 0;
    std::vector<std::uint32_t>().swap(starts_);
    itemLength_ = 0;
}

void ContentArray::reallocateUnits(std::size_t capacity)
{
    const std::size_t used = usedUnits();
    std::unique_ptr<char16_t[]> grown(capacity > 0 ? new char16_t[capacity] : nullptr);
    if (used > 0)
        std::memcpy(grown.get(), units_.get(), used * sizeof(char16_t));
    units_ = std::move(grown);
    unitCapacity_ = capacity;
}

bool operator==(const ContentArray& a, const ContentArray& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

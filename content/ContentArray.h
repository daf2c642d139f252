#pragma once
// The sentences or the flag strings of one content, in content order, as one run of UTF-16 code
// units with the offset where each item starts. A content of a million records thus takes a
// handful of allocations instead of a million small strings, its items lie one after another in
// memory, and a search can read them all at the speed memory delivers them. Items are handed out
// as views, which stay valid until the array is appended to, cleared or destroyed.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

class ContentArray {
public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::u16string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::u16string_view;

        const_iterator() = default;
        std::u16string_view operator*() const { return (*array_)[index_]; }
        std::u16string_view operator[](difference_type n) const { return *(*this + n); }
        const_iterator& operator++() { return ++index_, *this; }
        const_iterator operator++(int) { return {array_, index_++}; }
        const_iterator& operator--() { return --index_, *this; }
        const_iterator operator--(int) { return {array_, index_--}; }
        const_iterator& operator+=(difference_type n) { return index_ += n, *this; }
        const_iterator& operator-=(difference_type n) { return index_ -= n, *this; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const_iterator a, const_iterator b)
        {
            return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
        }
        friend bool operator==(const_iterator a, const_iterator b) { return a.index_ == b.index_; }
        friend auto operator<=>(const_iterator a, const_iterator b)
        {
            return a.index_ <=> b.index_;
        }

    private:
        friend class ContentArray;
        const_iterator(const ContentArray* array, std::size_t index) : array_(array), index_(index)
        {
        }
        const ContentArray* array_ = nullptr;
        std::size_t index_ = 0;
    };

    using iterator = const_iterator;
    using value_type = std::u16string_view;

    ContentArray() = default;
    ContentArray(std::initializer_list<std::u16string_view> items);
    ContentArray(const ContentArray& other);
    ContentArray& operator=(const ContentArray& other);
    ContentArray(ContentArray&& other) noexcept;
    ContentArray& operator=(ContentArray&& other) noexcept;
    ~ContentArray();

    std::size_t size() const { return starts_.empty() ? 0 : starts_.size() - 1; }
    bool empty() const { return size() == 0; }
    std::u16string_view operator[](std::size_t i) const
    {
        return {units_.get() + starts_[i], std::size_t{starts_[i + 1] - starts_[i]}};
    }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Every item one after another, in order, without anything between them.
    std::u16string_view units() const { return {units_.get(), usedUnits()}; }
    // Where each item starts in units(), and after the last one where it ends: size() + 1
    // offsets, or none while the array is empty.
    std::span<const std::uint32_t> starts() const { return starts_; }
    // The length every item has, when the array holds items and all are as long: the flag
    // strings of a content as a rule. Item i then starts at i times that length.
    std::optional<std::size_t> itemLength() const
    {
        return empty() || itemLength_ == kMixedLengths ? std::nullopt
                                                       : std::optional<std::size_t>(itemLength_);
    }
    // The code units the array has room for without growing.
    std::size_t capacity() const { return unitCapacity_; }

    // Room for this many items in all, so that the offsets never grow while they are appended.
    // Throws std::bad_alloc or std::length_error.
    void reserve(std::size_t items);
    // Appends a copy of item. Throws std::bad_alloc, or std::length_error past 2^32 - 1 code
    // units in all; the array is unchanged then.
    void append(std::u16string_view item);
    // The two halves of an append for a writer that fills the array in place: room for at least
    // units more code units is made after the last item and returned, and the next item is
    // then the first `length` of them. Until appendWritten, the room may be written but the
    // array is unchanged. Throw as append does.
    char16_t* roomForNext(std::size_t units);
    void appendWritten(std::size_t length);
    // Gives back the room no item uses; a full array then takes only what its items take.
    void shrinkToFit();
    // Empties the array and gives back all its memory.
    void release() noexcept;

    friend bool operator==(const ContentArray& a, const ContentArray& b);

private:
    std::size_t usedUnits() const { return starts_.empty() ? 0 : starts_.back(); }
    void reallocateUnits(std::size_t capacity);

    std::unique_ptr<char16_t[]> units_; // not initialised past the last item
    std::size_t unitCapacity_ = 0;
    std::vector<std::uint32_t> starts_;
    static constexpr std::size_t kMixedLengths = SIZE_MAX;
    std::size_t itemLength_ = 0; // of every item so far, or kMixedLengths
};

#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>

// A fixed-capacity table of records that each begin with a 16-bit identifier;
// identifier 0 marks a free slot. A handle names a slot: its index in the low 16
// bits and the slot's identifier in the high 16 bits, so that a handle kept past
// the slot's release no longer matches.

inline constexpr std::int32_t slot_none = -1;

constexpr std::int32_t slot_handle_index(std::int32_t handle) { return handle & 0xFFFF; }
constexpr std::int16_t slot_handle_identifier(std::int32_t handle) {
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(handle) >> 16);
}
constexpr std::int32_t make_slot_handle(std::int32_t index, std::int16_t identifier) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(identifier)) << 16) |
                                     static_cast<std::uint32_t>(index & 0xFFFF));
}

class slot_table {
public:
    slot_table(const char* name, std::int32_t capacity, std::int32_t element_size);
    slot_table(const slot_table&) = delete;
    slot_table& operator=(const slot_table&) = delete;

    // Allocates the zero-filled storage once; false when memory is short.
    bool create();
    bool is_created() const { return storage_ != nullptr; }
    // Frees every slot and restarts the identifiers.
    void clear();

    // Takes the lowest free slot, cleared to zeros with a fresh identifier, and
    // returns its handle; slot_none when every slot is taken.
    std::int32_t take();
    // Frees a slot in use; anything else is ignored.
    void release(std::int32_t index);

    // The slot at index when it is in use, else nullptr.
    void* element(std::int32_t index) const;
    // The slot a handle names when it is in use with that identifier, else nullptr.
    void* element_for_handle(std::int32_t handle) const;
    // The handle of a slot in use, slot_none otherwise.
    std::int32_t handle_of(std::int32_t index) const;

    const char* name() const { return name_; }
    std::int32_t capacity() const { return capacity_; }
    std::int32_t count() const { return count_; }
    std::int32_t free_count() const { return is_created() ? capacity_ - count_ : 0; }
    // One past the highest slot in use.
    std::int32_t high_water_mark() const { return high_water_mark_; }

private:
    std::int16_t& identifier_at(std::int32_t index) const;

    const char* name_;
    std::int32_t capacity_;
    std::int32_t element_size_;
    std::int32_t count_ = 0;
    std::int32_t high_water_mark_ = 0;
    std::int32_t first_free_ = 0;
    std::uint16_t next_identifier_ = first_identifier;
    std::unique_ptr<unsigned char[]> storage_;

    static constexpr std::uint16_t first_identifier = 0x8000;
};

// A slot table of one record type, whose first member is the 16-bit identifier.
template <class Element>
class typed_slot_table : public slot_table {
    static_assert(std::is_trivially_copyable_v<Element> && sizeof(Element) >= 2);

public:
    typed_slot_table(const char* name, std::int32_t capacity)
        : slot_table(name, capacity, static_cast<std::int32_t>(sizeof(Element))) {}

    Element* at(std::int32_t index) const { return static_cast<Element*>(element(index)); }
    Element* for_handle(std::int32_t handle) const { return static_cast<Element*>(element_for_handle(handle)); }
};

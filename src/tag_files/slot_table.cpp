#include "tag_files/slot_table.h"

#include <cstring>
#include <new>

slot_table::slot_table(const char* name, std::int32_t capacity, std::int32_t element_size)
    : name_(name), capacity_(capacity), element_size_(element_size) {}

bool slot_table::create() {
    if (storage_) return true;
    storage_.reset(new (std::nothrow) unsigned char[static_cast<std::size_t>(capacity_) * element_size_]());
    if (!storage_) return false;
    clear();
    return true;
}

void slot_table::clear() {
    if (storage_) std::memset(storage_.get(), 0, static_cast<std::size_t>(capacity_) * element_size_);
    count_ = 0;
    high_water_mark_ = 0;
    first_free_ = 0;
    next_identifier_ = first_identifier;
}

std::int16_t& slot_table::identifier_at(std::int32_t index) const {
    return *reinterpret_cast<std::int16_t*>(storage_.get() + static_cast<std::size_t>(index) * element_size_);
}

std::int32_t slot_table::take() {
    if (!storage_) return slot_none;
    for (std::int32_t index = first_free_; index < capacity_; ++index) {
        if (identifier_at(index) != 0) continue;
        std::memset(&identifier_at(index), 0, element_size_);
        const std::int16_t identifier = static_cast<std::int16_t>(next_identifier_);
        identifier_at(index) = identifier;
        next_identifier_ = next_identifier_ == 0xFFFF ? first_identifier : static_cast<std::uint16_t>(next_identifier_ + 1);
        first_free_ = index + 1;
        ++count_;
        if (index >= high_water_mark_) high_water_mark_ = index + 1;
        return make_slot_handle(index, identifier);
    }
    return slot_none;
}

void slot_table::release(std::int32_t index) {
    if (!element(index)) return;
    identifier_at(index) = 0;
    if (index < first_free_) first_free_ = index;
    while (high_water_mark_ > 0 && identifier_at(high_water_mark_ - 1) == 0) --high_water_mark_;
    --count_;
}

void* slot_table::element(std::int32_t index) const {
    if (!storage_ || index < 0 || index >= high_water_mark_ || identifier_at(index) == 0) return nullptr;
    return &identifier_at(index);
}

void* slot_table::element_for_handle(std::int32_t handle) const {
    if (handle == slot_none) return nullptr;
    const std::int32_t index = slot_handle_index(handle);
    void* slot = element(index);
    if (!slot || identifier_at(index) != slot_handle_identifier(handle)) return nullptr;
    return slot;
}

std::int32_t slot_table::handle_of(std::int32_t index) const {
    return element(index) ? make_slot_handle(index, identifier_at(index)) : slot_none;
}

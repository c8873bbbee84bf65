#include "editor/toolkit/stored_value.h"

#include <cstring>

namespace toolkit {

int64_t load_stored(const void* field, Storage storage) {
    uint64_t bits = 0;
    switch (storage.width) {
        case 1: { uint8_t value; std::memcpy(&value, field, 1); bits = value; break; }
        case 2: { uint16_t value; std::memcpy(&value, field, 2); bits = value; break; }
        default: { uint32_t value; std::memcpy(&value, field, 4); bits = value; break; }
    }
    return storage.wrap(static_cast<int64_t>(bits));
}

void store_stored(void* field, Storage storage, int64_t value) {
    switch (storage.width) {
        case 1: { const auto bits = static_cast<uint8_t>(value); std::memcpy(field, &bits, 1); break; }
        case 2: { const auto bits = static_cast<uint16_t>(value); std::memcpy(field, &bits, 2); break; }
        default: { const auto bits = static_cast<uint32_t>(value); std::memcpy(field, &bits, 4); break; }
    }
}

}  // namespace toolkit

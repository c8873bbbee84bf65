#include "core/byte_swap.h"

#include <cstring>
#include <utility>

#include "core/error_manager.h"

namespace {

constexpr int32_t largest_repeat_count = 32767;

// Reverses fields in place.
struct swapping_visitor {
    unsigned char* data;

    void swap_2(int64_t offset) const { std::swap(data[offset], data[offset + 1]); }
    void swap_4(int64_t offset) const {
        uint32_t value;
        std::memcpy(&value, data + offset, sizeof value);
        value = __builtin_bswap32(value);
        std::memcpy(data + offset, &value, sizeof value);
    }
    void run(int64_t, int32_t) const {}
};

struct measuring_visitor {
    void swap_2(int64_t) const {}
    void swap_4(int64_t) const {}
    void run(int64_t, int32_t) const {}
};

struct field_collecting_visitor {
    std::vector<byte_swap_field>& fields;

    void swap_2(int64_t offset) const { fields.push_back({offset, 2, true}); }
    void swap_4(int64_t offset) const { fields.push_back({offset, 4, true}); }
    void run(int64_t offset, int32_t width) const { fields.push_back({offset, width, false}); }
};

// One pass of the array at codes[0], its fields starting at base, never reaching
// base + limit. Any malformed code ends the walk there, marked not valid, so a bad
// description can neither loop without end nor touch bytes past the record.
template <typename Visitor>
byte_swap_walk_result walk(const Visitor& visitor, int64_t base, int64_t limit, std::span<const int16_t> codes) {
    if (codes.size() < 2 || codes[0] != swap_begin_array || codes[1] < 1) return {0, 0, false};
    int32_t repetitions_left = codes[1];
    int64_t offset = 0;
    std::size_t position = 2;
    while (position < codes.size()) {
        const int16_t code = codes[position];
        if (code > 0) {
            if (offset + code > limit) break;
            visitor.run(base + offset, code);
            offset += code;
            ++position;
        } else if (code == swap_2_bytes) {
            if (offset + 2 > limit) break;
            visitor.swap_2(base + offset);
            offset += 2;
            ++position;
        } else if (code == swap_4_bytes) {
            if (offset + 4 > limit) break;
            visitor.swap_4(base + offset);
            offset += 4;
            ++position;
        } else if (code == swap_begin_array) {
            const byte_swap_walk_result nested = walk(visitor, base + offset, limit - offset, codes.subspan(position));
            offset += nested.bytes_covered;
            position += static_cast<std::size_t>(nested.codes_used);
            if (!nested.valid) break;
        } else if (code == swap_end_array) {
            if (--repetitions_left > 0) {
                position = 2;
            } else {
                return {offset, static_cast<int32_t>(position + 1), true};
            }
        } else {
            break;
        }
    }
    return {offset, static_cast<int32_t>(position), false};
}

constexpr int64_t unlimited = INT64_MAX / 2;

}  // namespace

byte_swap_walk_result byte_swap_walk(const char*, void* data, int64_t size, std::span<const int16_t> codes) {
    if (!data) return byte_swap_measure(codes);
    return walk(swapping_visitor{static_cast<unsigned char*>(data)}, 0, size, codes);
}

byte_swap_walk_result byte_swap_measure(std::span<const int16_t> codes) {
    return walk(measuring_visitor{}, 0, unlimited, codes);
}

std::vector<byte_swap_field> byte_swap_fields(std::span<const int16_t> codes) {
    std::vector<byte_swap_field> fields;
    if (!walk(field_collecting_visitor{fields}, 0, unlimited, codes).valid) fields.clear();
    return fields;
}

void byte_swap_data(const char* name, void* data, int32_t element_size, int32_t count,
                    std::span<const int16_t> codes) {
    if (!data || count < 1 || element_size < 0) return;
    auto* record = static_cast<unsigned char*>(data);
    for (int32_t index = 0; index < count; ++index, record += element_size) {
        if (!byte_swap_walk(name, record, element_size, codes).valid) {
            handle_error(error_warning, __FILE__, __LINE__, "the byte-swap codes of '%s' do not fit its %d-byte record",
                         name ? name : "<unnamed>", static_cast<int>(element_size));
            return;
        }
    }
}

void byte_swap_memory(const char* name, void* data, int32_t count, int16_t code) {
    if (!data || count < 1) return;
    if (count <= largest_repeat_count) {
        const int16_t codes[] = {swap_begin_array, static_cast<int16_t>(count), code, swap_end_array};
        const int32_t width = code == swap_2_bytes ? 2 : code == swap_4_bytes ? 4 : code > 0 ? code : 0;
        byte_swap_data(name, data, width * count, 1, codes);
        return;
    }
    auto* bytes = static_cast<unsigned char*>(data);
    const auto total = static_cast<std::size_t>(count);
    if (code == swap_2_bytes) {
        for (std::size_t index = 0; index < total; ++index) swapping_visitor{bytes}.swap_2(static_cast<int64_t>(2 * index));
    } else if (code == swap_4_bytes) {
        for (std::size_t index = 0; index < total; ++index) swapping_visitor{bytes}.swap_4(static_cast<int64_t>(4 * index));
    }
}

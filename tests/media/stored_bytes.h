#pragma once

// Building stored (big-endian) bytes by hand, so that tests describe a file
// independently of the writers under test.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace media_test {

class StoredBytes {
public:
    StoredBytes& word(std::int32_t value) {
        bytes_.push_back(std::byte(std::uint16_t(value) >> 8));
        bytes_.push_back(std::byte(std::uint16_t(value) & 0xFF));
        return *this;
    }
    StoredBytes& words(std::initializer_list<std::int32_t> values) {
        for (std::int32_t value : values) {
            word(value);
        }
        return *this;
    }
    StoredBytes& long_word(std::int32_t value) {
        word(std::int32_t(std::uint32_t(value) >> 16));
        return word(value & 0xFFFF);
    }
    StoredBytes& bytes(std::initializer_list<std::uint8_t> values) {
        for (std::uint8_t value : values) {
            bytes_.push_back(std::byte(value));
        }
        return *this;
    }
    StoredBytes& zeros(std::size_t count) {
        bytes_.insert(bytes_.end(), count, std::byte{0});
        return *this;
    }
    // A bitmap header: the nine converted fields and the 30 runtime bytes; the
    // caller adds the row table (or the 4-byte pointer when there is none).
    StoredBytes& bitmap_header(std::int16_t width, std::int16_t height, std::int16_t pitch, std::int16_t flags,
                               std::int16_t bits_per_pixel) {
        words({width, height, pitch, flags, bits_per_pixel, 0, 0, bits_per_pixel / 16, bits_per_pixel == 8 ? 4 : 1});
        return zeros(30);
    }

    const std::vector<std::byte>& data() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

private:
    std::vector<std::byte> bytes_;
};

}  // namespace media_test

#include "tag_files/plugin_list.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "core/byte_swap.h"
#include "core/text.h"
#include "tag_files/plugin_table.h"

namespace {

constexpr std::int32_t count_size = 2;
constexpr std::int32_t checksum_size = 4;

// Reads the stream front to back; a field that does not lie wholly within the
// stream cannot be read, and neither can anything after it.
class stream_reader {
public:
    stream_reader(const unsigned char* bytes, std::int32_t length) : bytes_(bytes), length_(length) {}

    std::optional<std::uint32_t> checksum() {
        if (failed_ || length_ - position_ < checksum_size) return fail<std::uint32_t>();
        std::uint32_t value;
        std::memcpy(&value, bytes_ + position_, sizeof value);
        byte_swap_data(encoded_plugin_data_definition, &value);
        position_ += checksum_size;
        return value;
    }

    // A text that ends with its NUL within limit bytes (limit - 1 characters).
    std::optional<std::string_view> text(std::int32_t limit) {
        if (failed_) return fail<std::string_view>();
        const std::int32_t available = std::min(limit, length_ - position_);
        const void* end = std::memchr(bytes_ + position_, 0, static_cast<std::size_t>(available));
        if (!end) return fail<std::string_view>();
        const std::string_view value(reinterpret_cast<const char*>(bytes_ + position_),
                                     static_cast<std::size_t>(static_cast<const unsigned char*>(end) - (bytes_ + position_)));
        position_ += static_cast<std::int32_t>(value.size()) + 1;
        return value;
    }

private:
    template <class Value>
    std::optional<Value> fail() {
        failed_ = true;
        return std::nullopt;
    }

    const unsigned char* bytes_;
    std::int32_t length_;
    std::int32_t position_ = count_size;
    bool failed_ = false;
};

std::int16_t find_plugin_row(std::uint32_t checksum, std::string_view name) {
    for (std::int32_t index = 0; index < plugin_table_high_water_mark(); ++index) {
        const plugin_row* row = plugin_row_at(index);
        if (row && row->checksum == checksum && compare_text_ignoring_case(bounded_text(row->name), name) == 0) {
            return static_cast<std::int16_t>(index);
        }
    }
    return NONE;
}

void append_missing_line(char* missing_text, std::size_t capacity, std::string_view name, std::string_view url) {
    if (!missing_text || capacity == 0) return;
    const std::string line = std::string(name) + " - http://" + std::string(url) + "\r";
    const std::size_t used = strnlen(missing_text, capacity - 1);
    if (used + line.size() >= capacity) return;
    std::memcpy(missing_text + used, line.data(), line.size());
    missing_text[used + line.size()] = '\0';
}

}  // namespace

std::int32_t encode_plugin_list(const std::int16_t* indexes, std::int16_t count, void* buffer) {
    if (count < 0 || count > plugin_list_maximum_count || (count > 0 && !indexes)) return 0;
    unsigned char stream[plugin_list_stream_capacity];
    std::uint16_t stored_count = static_cast<std::uint16_t>(count);
    byte_swap_data(encoded_plugin_header_definition, &stored_count);
    std::memcpy(stream, &stored_count, count_size);
    std::int32_t length = count_size;

    const auto append = [&stream, &length](const void* bytes, std::size_t size) {
        if (length + static_cast<std::int64_t>(size) > plugin_list_stream_capacity) return false;
        std::memcpy(stream + length, bytes, size);
        length += static_cast<std::int32_t>(size);
        return true;
    };
    for (std::int16_t position = 0; position < count; ++position) {
        const plugin_row* row = plugin_row_at(indexes[position]);
        if (!row) return 0;
        std::uint32_t checksum = row->checksum;
        byte_swap_data(encoded_plugin_data_definition, &checksum);
        const std::string_view name = bounded_text(row->name);
        const std::string_view url = bounded_text(row->url);
        if (!append(&checksum, sizeof checksum) || !append(name.data(), name.size()) || !append("", 1) ||
            !append(url.data(), url.size()) || !append("", 1)) {
            return 0;
        }
    }
    std::memcpy(buffer, stream, static_cast<std::size_t>(length));
    return length;
}

bool decode_plugin_list(std::int16_t* indexes, std::int16_t* count, const void* buffer, std::int32_t length,
                        char* missing_text, std::size_t missing_capacity) {
    *count = 0;
    if (!buffer || length < count_size || length > plugin_list_stream_capacity) return false;
    const auto bytes = static_cast<const unsigned char*>(buffer);
    std::int16_t stored_count;
    std::memcpy(&stored_count, bytes, count_size);
    byte_swap_data(encoded_plugin_header_definition, &stored_count);
    if (stored_count < 0 || stored_count > plugin_list_maximum_count) return false;

    stream_reader reader(bytes, length);
    bool all_found = true;
    for (std::int16_t entry = 0; entry < stored_count; ++entry) {
        const std::optional<std::uint32_t> checksum = reader.checksum();
        const std::optional<std::string_view> name = reader.text(tag_name_capacity);
        const std::optional<std::string_view> url = reader.text(monolithic_url_capacity);
        const std::int16_t row = checksum && name && url ? find_plugin_row(*checksum, *name) : std::int16_t(NONE);
        if (row != NONE) {
            indexes[(*count)++] = row;
            continue;
        }
        all_found = false;
        append_missing_line(missing_text, missing_capacity, name.value_or("<unknown>"), url.value_or("<unknown>"));
    }
    return all_found;
}

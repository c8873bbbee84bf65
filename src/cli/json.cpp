#include "cli/json.h"

#include <charconv>
#include <cstdint>

namespace cli {

Json json_number(std::string_view decimal) {
    const char* const end = decimal.data() + decimal.size();
    std::int64_t whole = 0;
    const auto integer = std::from_chars(decimal.data(), end, whole);
    // "-0" is a negative zero, which only a double keeps.
    if (integer.ec == std::errc() && integer.ptr == end && !(whole == 0 && decimal.starts_with('-')))
        return whole;
    double value = 0;
    std::from_chars(decimal.data(), end, value);
    return value;
}

const Json* find_member(const Json& object, std::string_view key) {
    if (!object.is_object()) return nullptr;
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

}  // namespace cli

#include "cli/record_json.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "cli/hex_text.h"
#include "cli/json_writer.h"
#include "cli/number_text.h"
#include "cli/utf8_text.h"
#include "tag_files/tag_groups.h"

namespace cli {

namespace {

using definitions::FieldDescription;
using definitions::FieldKind;
using definitions::NamedValue;
using definitions::RecordDescription;

std::int64_t load_scalar(const std::byte* at, int width, bool is_signed) {
    switch (width) {
        case 1: {
            std::uint8_t value;
            std::memcpy(&value, at, 1);
            return is_signed ? std::int64_t{static_cast<std::int8_t>(value)} : std::int64_t{value};
        }
        case 2: {
            std::uint16_t value;
            std::memcpy(&value, at, 2);
            return is_signed ? std::int64_t{static_cast<std::int16_t>(value)} : std::int64_t{value};
        }
        default: {
            std::uint32_t value;
            std::memcpy(&value, at, 4);
            return is_signed ? std::int64_t{static_cast<std::int32_t>(value)} : std::int64_t{value};
        }
    }
}

void store_scalar(std::byte* at, int width, std::int64_t value) {
    switch (width) {
        case 1: {
            const auto stored = static_cast<std::uint8_t>(value);
            std::memcpy(at, &stored, 1);
            break;
        }
        case 2: {
            const auto stored = static_cast<std::uint16_t>(value);
            std::memcpy(at, &stored, 2);
            break;
        }
        default: {
            const auto stored = static_cast<std::uint32_t>(value);
            std::memcpy(at, &stored, 4);
        }
    }
}

std::int64_t minimum_of(int width, bool is_signed) { return is_signed ? -(std::int64_t{1} << (width * 8 - 1)) : 0; }

std::int64_t maximum_of(int width, bool is_signed) {
    return is_signed ? (std::int64_t{1} << (width * 8 - 1)) - 1 : (std::int64_t{1} << (width * 8)) - 1;
}

// NONE in a field of that width: all bits set.
std::int64_t none_of(int width, bool is_signed) { return is_signed ? -1 : maximum_of(width, false); }

std::optional<Scale> scale_of(FieldKind kind) {
    switch (kind) {
        case FieldKind::world_distance: return Scale{1, 512};
        case FieldKind::game_ticks: return Scale{1, 30};
        case FieldKind::short_fixed: return Scale{1, 256};
        case FieldKind::fixed: return Scale{1, 65536};
        case FieldKind::fraction: return Scale{1, 65535};
        case FieldKind::byte_fraction: return Scale{1, 255};
        case FieldKind::angle: return Scale{360, 65536};               // degrees
        case FieldKind::angular_speed: return Scale{360 * 30, 65536};  // degrees per second
        default: return std::nullopt;
    }
}

// The name of an entry in JSON. Some lists repeat a caption for another bit
// (a check box of the same caption in another group box); a repeat is written
// with its occurrence, "Affects Transparency (2)", so that every entry has a
// name of its own.
std::string json_name(std::span<const NamedValue> names, const NamedValue& entry) {
    const std::string_view name = entry.name;
    const auto earlier = std::count_if(
        names.data(), &entry, [&](const NamedValue& other) { return other.name && other.name == name; });
    return earlier == 0 ? std::string(name) : std::string(name) + " (" + std::to_string(earlier + 1) + ")";
}

// The entry of exactly that name; failing that, the one entry the name gives
// ignoring case. Names may differ only in case ("None" beside "NONE"), and
// each must lead back to its own value.
const NamedValue* find_name(std::span<const NamedValue> names, std::string_view name) {
    const NamedValue* found = nullptr;
    bool ambiguous = false;
    for (const NamedValue& entry : names) {
        if (!entry.name) continue;
        const std::string entry_name = json_name(names, entry);
        if (entry_name == name) return &entry;
        if (!same_ignoring_case(entry_name, name)) continue;
        ambiguous = ambiguous || (found && found->value != entry.value);
        found = &entry;
    }
    return ambiguous ? nullptr : found;
}

std::string known_names(std::span<const NamedValue> names) {
    std::string text;
    for (const NamedValue& entry : names) {
        if (!entry.name) continue;
        text += text.empty() ? "\"" : ", \"";
        text += json_name(names, entry);
        text += '"';
    }
    return text.empty() ? "none" : text;
}

// A byte fraction kept in the low byte of a 16-bit word, as the editor shows it;
// the high byte is a member of its own so that nothing of the word is lost.
bool keeps_low_byte(const FieldDescription& field) {
    return field.kind == FieldKind::byte_fraction && field.width == 2;
}

std::string high_byte_name(const FieldDescription& field) { return std::string(field.name) + "_high_byte"; }

std::uint64_t width_mask(int width) { return static_cast<std::uint64_t>(maximum_of(width, false)); }

bool is_reserved_bytes(const FieldDescription& field) {
    return field.kind == FieldKind::reserved && field.width == 1;
}

bool fits(const RecordDescription& description, const FieldDescription& field) {
    return std::uint64_t{field.offset} + std::uint64_t{definitions::field_element_size(field)} * field.count <=
           description.size;
}

std::string hex_bits(std::uint32_t bits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(bits));
    return text;
}

std::size_t length_without_trailing_zeros(std::span<const std::byte> bytes) {
    std::size_t length = bytes.size();
    while (length > 0 && bytes[length - 1] == std::byte{0}) --length;
    return length;
}

// Export ---------------------------------------------------------------------

// Four printable characters as text, any other code as its number.
Json code_value(tag_code code) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto character = static_cast<unsigned char>(code >> shift);
        if (character < 0x20 || character > 0x7E) return Json(std::uint64_t{code});
    }
    return Json(code_to_json_text(code));
}

Json reference_to_json(const FieldDescription& field, tag_code code, const TagNames& names) {
    if (code == NONE) return Json(nullptr);
    if (const std::optional<std::string> name = names.name_of(field.reference_group, code)) {
        // Only a name that leads back to this very tag keeps the reference exact.
        if (names.subgroup_of(field.reference_group, *name) == code) return Json(bytes_to_text(*name));
    }
    return Json{{"code", code_value(code)}};
}

Json flags_to_json(const FieldDescription& field, std::int64_t stored) {
    std::uint64_t remaining = static_cast<std::uint64_t>(stored) & width_mask(field.width);
    Json names = Json::array();
    for (const NamedValue& entry : field.names) {
        const std::uint64_t mask = static_cast<std::uint32_t>(entry.value) & width_mask(field.width);
        if (!entry.name || mask == 0 || (remaining & mask) != mask) continue;
        names.push_back(json_name(field.names, entry));
        remaining &= ~mask;
    }
    if (remaining != 0) names.push_back(Json(remaining));
    return names;
}

Json enumeration_to_json(const FieldDescription& field, std::int64_t stored) {
    for (const NamedValue& entry : field.names) {
        if (entry.value == stored && entry.name) return Json(json_name(field.names, entry));
    }
    return Json(stored);
}

Json real_to_json(const std::byte* at) {
    std::uint32_t bits;
    std::memcpy(&bits, at, 4);
    float value;
    std::memcpy(&value, &bits, 4);
    if (std::isnormal(value) || value == 0.0f) return json_number(format_float(value));
    return Json(hex_bits(bits));
}

Json color_ref_to_json(std::int64_t stored) {
    const auto value = static_cast<std::uint32_t>(stored);
    if ((value >> 24) != 0) return Json(value);
    char text[16];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(value & 0xFF),
                  static_cast<unsigned>((value >> 8) & 0xFF), static_cast<unsigned>((value >> 16) & 0xFF));
    return Json(text);
}

Json rgb_color_to_json(const std::byte* at) {
    static constexpr const char* components[] = {"red", "green", "blue", "flags"};
    Json color = Json::object();
    for (int index = 0; index < 4; ++index) color[components[index]] = load_scalar(at + index * 2, 2, false);
    return color;
}

Json element_to_json(const FieldDescription& field, const std::byte* at, const TagNames& names) {
    switch (field.kind) {
        case FieldKind::rgb_color: return rgb_color_to_json(at);
        case FieldKind::real: return real_to_json(at);
        default: break;
    }
    const std::int64_t word = load_scalar(at, field.width, field.is_signed);
    const std::int64_t stored = keeps_low_byte(field) ? word & 0xFF : word;
    if (const std::optional<Scale> scale = scale_of(field.kind)) {
        return json_number(format_scaled(stored, *scale));
    }
    switch (field.kind) {
        case FieldKind::enumeration: return enumeration_to_json(field, stored);
        case FieldKind::flags: return flags_to_json(field, stored);
        case FieldKind::tag_reference:
            return reference_to_json(field, static_cast<tag_code>(stored), names);
        case FieldKind::tag_code:
            return static_cast<tag_code>(stored) == NONE ? Json(nullptr)
                                                         : code_value(static_cast<tag_code>(stored));
        case FieldKind::sequence_index:
            return stored == none_of(field.width, field.is_signed) ? Json(nullptr)
                                                                   : Json(stored);
        case FieldKind::color_ref: return color_ref_to_json(stored);
        default: return Json(stored);
    }
}

Json field_to_json(const FieldDescription& field, std::span<const std::byte> record, const TagNames& names) {
    const std::uint32_t element_size = definitions::field_element_size(field);
    const std::span<const std::byte> bytes = record.subspan(field.offset, std::size_t{element_size} * field.count);
    if (field.kind == FieldKind::text) {
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), length_without_trailing_zeros(bytes));
        return Json(bytes_to_text(text));
    }
    if (is_reserved_bytes(field)) return Json(to_hex(bytes.first(length_without_trailing_zeros(bytes))));
    const auto element = [&](std::uint32_t index) {
        const std::span<const std::byte> element_bytes = bytes.subspan(std::size_t{index} * element_size, element_size);
        return field.kind == FieldKind::record_array ? record_to_json(*field.element, element_bytes, names)
                                                     : element_to_json(field, element_bytes.data(), names);
    };
    if (field.count == 1 && field.kind != FieldKind::record_array) return element(0);
    Json elements = Json::array();
    for (std::uint32_t index = 0; index < field.count; ++index) elements.push_back(element(index));
    return elements;
}

Json high_bytes_to_json(const FieldDescription& field, std::span<const std::byte> record) {
    const auto high_byte = [&](std::uint32_t index) {
        return Json(
            load_scalar(record.data() + field.offset + std::size_t{index} * 2, 2, false) >> 8);
    };
    if (field.count == 1) return high_byte(0);
    Json bytes = Json::array();
    for (std::uint32_t index = 0; index < field.count; ++index) bytes.push_back(high_byte(index));
    return bytes;
}

// Import ---------------------------------------------------------------------

class Importer {
public:
    Importer(const TagNames& names, std::vector<std::string>& errors) : names_(names), errors_(errors) {}

    bool record(const RecordDescription& description, const Json& value, std::span<std::byte> bytes,
                const std::string& path) {
        if (!value.is_object()) return fail(path, std::string("expected an object, found ") + value.type_name());
        bool good = true;
        for (const auto& [key, member] : value.items()) {
            // Named again for the lambda: clang 14 cannot capture a structured binding.
            const bool known =
                std::ranges::any_of(description.fields, [&member_key = key](const FieldDescription& field) {
                    return member_key == field.name ||
                           (keeps_low_byte(field) && member_key == high_byte_name(field));
                });
            if (!known) good = fail(join(path, key), "no such field in " + std::string(description.name));
        }
        for (const FieldDescription& field : description.fields) {
            const Json* member = find_member(value, field.name);
            if (!fits(description, field)) {
                good = fail(join(path, field.name), "field lies outside its record");
            } else if (!member) {
                good = fail(join(path, field.name), "missing");
            } else if (!this->field(field, *member, bytes, join(path, field.name))) {
                good = false;
            } else if (keeps_low_byte(field)) {
                const Json* high = find_member(value, high_byte_name(field));
                if (!high) {
                    good = fail(join(path, high_byte_name(field)), "missing");
                } else if (!high_bytes(field, *high, bytes, join(path, high_byte_name(field)))) {
                    good = false;
                }
            }
        }
        return good;
    }

private:
    static std::string join(const std::string& path, std::string_view name) {
        return path.empty() ? std::string(name) : path + "." + std::string(name);
    }

    bool fail(const std::string& path, const std::string& message) {
        errors_.push_back(path + ": " + message);
        return false;
    }

    bool field(const FieldDescription& field, const Json& value, std::span<std::byte> record_bytes,
               const std::string& path) {
        const std::uint32_t element_size = definitions::field_element_size(field);
        const std::span<std::byte> bytes = record_bytes.subspan(field.offset, std::size_t{element_size} * field.count);
        if (field.kind == FieldKind::text) return text(value, bytes, path);
        if (is_reserved_bytes(field)) return hex_bytes(value, bytes, path);
        const auto element = [&](const Json& element_value, std::uint32_t index, const std::string& at) {
            const std::span<std::byte> element_bytes = bytes.subspan(std::size_t{index} * element_size, element_size);
            return field.kind == FieldKind::record_array ? record(*field.element, element_value, element_bytes, at)
                                                         : this->element(field, element_value, element_bytes.data(), at);
        };
        if (field.count == 1 && field.kind != FieldKind::record_array) return element(value, 0, path);
        if (!value.is_array()) {
            return fail(path, "expected an array of " + std::to_string(field.count) + ", found " + value.type_name());
        }
        if (value.size() != field.count) {
            return fail(path, "expected " + std::to_string(field.count) + " elements, found " +
                                  std::to_string(value.size()));
        }
        bool good = true;
        for (std::uint32_t index = 0; index < field.count; ++index) {
            if (!element(value[index], index, path + "[" + std::to_string(index) + "]")) good = false;
        }
        return good;
    }

    // Puts the high bytes into the words whose low bytes the field already holds.
    bool high_bytes(const FieldDescription& field, const Json& value,
                    std::span<std::byte> record_bytes, const std::string& path) {
        static constexpr FieldDescription high_byte{
            .name = "high byte", .offset = 0, .kind = FieldKind::integer, .width = 1, .is_signed = false};
        const auto put = [&](const Json& element_value, std::uint32_t index, const std::string& at) {
            const std::optional<std::int64_t> stored = number(high_byte, element_value, at);
            if (!stored) return false;
            std::byte* word = record_bytes.data() + field.offset + std::size_t{index} * 2;
            store_scalar(word, 2, load_scalar(word, 2, false) | (*stored << 8));
            return true;
        };
        if (field.count == 1) return put(value, 0, path);
        if (!value.is_array() || value.size() != field.count) {
            return fail(path, "expected an array of " + std::to_string(field.count) + " numbers");
        }
        bool good = true;
        for (std::uint32_t index = 0; index < field.count; ++index) {
            if (!put(value[index], index, path + "[" + std::to_string(index) + "]")) good = false;
        }
        return good;
    }

    bool text(const Json& value, std::span<std::byte> bytes, const std::string& path) {
        if (!value.is_string()) return fail(path, std::string("expected a string, found ") + value.type_name());
        const std::optional<std::string> stored = text_to_bytes(value.get_ref<const std::string&>());
        if (!stored) return fail(path, "only characters U+0000 to U+00FF can be stored (one byte each)");
        if (stored->size() > bytes.size()) {
            return fail(path, "text of " + std::to_string(stored->size()) + " bytes does not fit in " +
                                  std::to_string(bytes.size()));
        }
        std::ranges::fill(bytes, std::byte{0});
        std::memcpy(bytes.data(), stored->data(), stored->size());
        return true;
    }

    bool hex_bytes(const Json& value, std::span<std::byte> bytes, const std::string& path) {
        if (!value.is_string()) return fail(path, std::string("expected a hexadecimal string, found ") + value.type_name());
        const std::optional<std::vector<std::byte>> stored = from_hex(value.get_ref<const std::string&>());
        if (!stored) return fail(path, "expected pairs of hexadecimal digits");
        if (stored->size() > bytes.size()) {
            return fail(path, std::to_string(stored->size()) + " bytes do not fit in " + std::to_string(bytes.size()));
        }
        std::ranges::fill(bytes, std::byte{0});
        std::ranges::copy(*stored, bytes.begin());
        return true;
    }

    // A JSON number as a stored integer of the field, in the field's unit.
    std::optional<std::int64_t> number(const FieldDescription& field, const Json& value, const std::string& path) {
        if (!value.is_number()) {
            fail(path, std::string("expected a number, found ") + value.type_name());
            return std::nullopt;
        }
        const std::string text = json::number_text(value);
        const std::optional<Scale> scale = scale_of(field.kind);
        if (!scale && !is_whole_number(text)) {
            fail(path, "expected a whole number, found " + text);
            return std::nullopt;
        }
        const ParsedNumber parsed = parse_scaled(text, scale.value_or(Scale{}));
        return in_range(field, parsed.status == NumberStatus::ok ? std::optional(parsed.stored) : std::nullopt,
                        text, path);
    }

    std::optional<std::int64_t> in_range(const FieldDescription& field, std::optional<std::int64_t> stored,
                                         const std::string& shown, const std::string& path) {
        const bool counts_elements = field.count_capacity >= 0;
        const std::int64_t minimum = counts_elements ? 0 : minimum_of(field.width, field.is_signed);
        std::int64_t maximum =
            counts_elements ? field.count_capacity : maximum_of(field.width, field.is_signed);
        if (keeps_low_byte(field)) maximum = maximum_of(1, false);
        if (stored && *stored >= minimum && *stored <= maximum) return stored;
        const Scale scale = scale_of(field.kind).value_or(Scale{});
        fail(path, shown + " is out of range (" + format_scaled(minimum, scale) + " to " +
                       format_scaled(maximum, scale) + ")");
        return std::nullopt;
    }

    std::optional<tag_code> code(const Json& value, const std::string& path) {
        if (value.is_string()) {
            const std::optional<std::string> bytes = text_to_bytes(value.get_ref<const std::string&>());
            if (bytes && bytes->size() == 4) return make_tag((*bytes)[0], (*bytes)[1], (*bytes)[2], (*bytes)[3]);
            fail(path, "a code is four characters (U+0000 to U+00FF each)");
            return std::nullopt;
        }
        static constexpr FieldDescription code_field{.name = "code", .offset = 0, .kind = FieldKind::integer,
                                                     .width = 4, .is_signed = false};
        const std::optional<std::int64_t> stored = number(code_field, value, path);
        if (stored) return static_cast<tag_code>(*stored);
        return std::nullopt;
    }

    std::optional<std::int64_t> reference(const FieldDescription& field, const Json& value,
                                          const std::string& path) {
        if (value.is_null()) return static_cast<std::int64_t>(tag_code(NONE));
        if (value.is_string()) {
            const std::optional<std::string> name = text_to_bytes(value.get_ref<const std::string&>());
            const std::optional<tag_code> subgroup =
                name ? names_.subgroup_of(field.reference_group, *name) : std::nullopt;
            if (subgroup) return static_cast<std::int64_t>(*subgroup);
            fail(path, "no tag named \"" + value.get_ref<const std::string&>() + "\" in " +
                           tag_group_get_folder_name(field.reference_group));
            return std::nullopt;
        }
        if (value.is_object() && value.size() == 1 && value.contains("code")) {
            const std::optional<tag_code> stored = code(value["code"], path + ".code");
            if (stored) return static_cast<std::int64_t>(*stored);
            return std::nullopt;
        }
        fail(path, "expected null, a tag name or {\"code\": ...}");
        return std::nullopt;
    }

    std::optional<std::int64_t> enumeration(const FieldDescription& field, const Json& value,
                                            const std::string& path) {
        if (!value.is_string()) return number(field, value, path);
        if (const NamedValue* entry = find_name(field.names, value.get_ref<const std::string&>())) {
            return in_range(field, entry->value, value.get_ref<const std::string&>(), path);
        }
        fail(path, "\"" + value.get_ref<const std::string&>() + "\" is not one of " + known_names(field.names));
        return std::nullopt;
    }

    std::optional<std::int64_t> flags(const FieldDescription& field, const Json& value,
                                      const std::string& path) {
        if (!value.is_array()) {
            fail(path, std::string("expected an array of flag names, found ") + value.type_name());
            return std::nullopt;
        }
        const FieldDescription word{.name = field.name, .offset = 0, .kind = FieldKind::integer,
                                    .width = field.width, .is_signed = false};
        std::uint64_t bits = 0;
        bool good = true;
        for (std::size_t index = 0; index < value.size(); ++index) {
            const Json& flag = value[index];
            const std::string at = path + "[" + std::to_string(index) + "]";
            if (flag.is_string()) {
                const NamedValue* entry = find_name(field.names, flag.get_ref<const std::string&>());
                if (entry) {
                    bits |= static_cast<std::uint32_t>(entry->value) & width_mask(field.width);
                } else {
                    good = fail(at, "\"" + flag.get_ref<const std::string&>() + "\" is not one of " + known_names(field.names));
                }
            } else if (const std::optional<std::int64_t> number_bits = number(word, flag, at)) {
                bits |= static_cast<std::uint64_t>(*number_bits);
            } else {
                good = false;
            }
        }
        if (!good) return std::nullopt;
        return static_cast<std::int64_t>(bits);
    }

    std::optional<std::int64_t> real(const Json& value, const std::string& path) {
        std::uint32_t bits = 0;
        if (value.is_number()) {
            const std::optional<float> parsed = parse_float(json::number_text(value));
            if (!parsed) {
                fail(path, json::number_text(value) + " is not a single-precision number");
                return std::nullopt;
            }
            std::memcpy(&bits, &*parsed, 4);
            return bits;
        }
        const std::optional<std::vector<std::byte>> stored =
            value.is_string() && value.get_ref<const std::string&>().starts_with("0x") ? from_hex(value.get_ref<const std::string&>().substr(2))
                                                                     : std::nullopt;
        if (!stored || stored->size() != 4) {
            fail(path, "expected a number or the bits as \"0x\" and eight hexadecimal digits");
            return std::nullopt;
        }
        for (const std::byte byte : *stored) bits = (bits << 8) | std::to_integer<std::uint32_t>(byte);
        return bits;
    }

    std::optional<std::int64_t> color_ref(const FieldDescription& field, const Json& value,
                                          const std::string& path) {
        if (!value.is_string()) return number(field, value, path);
        const std::string& text = value.get_ref<const std::string&>();
        const std::optional<std::vector<std::byte>> rgb =
            text.size() == 7 && text[0] == '#' ? from_hex(std::string_view(text).substr(1)) : std::nullopt;
        if (!rgb) {
            fail(path, "expected \"#rrggbb\" or a number");
            return std::nullopt;
        }
        return std::to_integer<std::int64_t>((*rgb)[0]) | (std::to_integer<std::int64_t>((*rgb)[1]) << 8) |
               (std::to_integer<std::int64_t>((*rgb)[2]) << 16);
    }

    bool rgb_color(const Json& value, std::byte* at, const std::string& path) {
        static constexpr const char* components[] = {"red", "green", "blue", "flags"};
        if (!value.is_object()) return fail(path, std::string("expected an object, found ") + value.type_name());
        bool good = true;
        for (const auto& [key, member] : value.items()) {
            if (std::ranges::find(components, key) == std::end(components)) {
                good = fail(path + "." + key, "a colour has only red, green, blue and flags");
            }
        }
        static constexpr FieldDescription word{.name = "component", .offset = 0, .kind = FieldKind::integer,
                                               .width = 2, .is_signed = false};
        for (int index = 0; index < 4; ++index) {
            const std::string at_path = path + "." + components[index];
            const Json* member = find_member(value, components[index]);
            if (!member) {
                good = fail(at_path, "missing");
            } else if (const std::optional<std::int64_t> stored = number(word, *member, at_path)) {
                store_scalar(at + index * 2, 2, *stored);
            } else {
                good = false;
            }
        }
        return good;
    }

    bool element(const FieldDescription& field, const Json& value, std::byte* at, const std::string& path) {
        std::optional<std::int64_t> stored;
        switch (field.kind) {
            case FieldKind::rgb_color: return rgb_color(value, at, path);
            case FieldKind::real: stored = real(value, path); break;
            case FieldKind::enumeration: stored = enumeration(field, value, path); break;
            case FieldKind::flags: stored = flags(field, value, path); break;
            case FieldKind::tag_reference: stored = reference(field, value, path); break;
            case FieldKind::color_ref: stored = color_ref(field, value, path); break;
            case FieldKind::tag_code:
                if (value.is_null()) {
                    stored = static_cast<std::int64_t>(tag_code(NONE));
                } else if (const std::optional<tag_code> parsed = code(value, path)) {
                    stored = static_cast<std::int64_t>(*parsed);
                }
                break;
            case FieldKind::sequence_index:
                stored = value.is_null() ? std::optional(none_of(field.width, field.is_signed))
                                         : number(field, value, path);
                break;
            default: stored = number(field, value, path);
        }
        if (!stored) return false;
        store_scalar(at, field.width, *stored);
        return true;
    }

    const TagNames& names_;
    std::vector<std::string>& errors_;
};

}  // namespace

Json record_to_json(const RecordDescription& description, std::span<const std::byte> record,
                           const TagNames& names) {
    Json object = Json::object();
    if (record.size() < description.size) return object;
    for (const FieldDescription& field : description.fields) {
        if (!fits(description, field)) continue;
        object[field.name] = field_to_json(field, record, names);
        if (keeps_low_byte(field)) object[high_byte_name(field)] = high_bytes_to_json(field, record);
    }
    return object;
}

bool record_from_json(const RecordDescription& description, const Json& fields, std::span<std::byte> record,
                      const TagNames& names, std::vector<std::string>& errors) {
    if (record.size() < description.size) {
        errors.push_back(std::string(description.name) + ": record buffer too small");
        return false;
    }
    return Importer(names, errors).record(description, fields, record.first(description.size), "");
}

std::string code_to_json_text(tag_code code) {
    const char characters[4] = {static_cast<char>(code >> 24), static_cast<char>(code >> 16),
                                static_cast<char>(code >> 8), static_cast<char>(code)};
    return bytes_to_text(std::string_view(characters, 4));
}

}  // namespace cli

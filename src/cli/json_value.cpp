#include "cli/json_value.h"

#include <algorithm>

namespace cli::json {

namespace {

template <typename Members>
auto position_of(Members& members, std::string_view key) {
    return std::lower_bound(members.begin(), members.end(), key,
                            [](const auto& member, std::string_view wanted) { return member.first < wanted; });
}

}  // namespace

void Object::set(std::string key, Value value) {
    auto at = position_of(members_, key);
    if (at != members_.end() && at->first == key) {
        at->second = std::move(value);
    } else {
        members_.emplace(at, std::move(key), std::move(value));
    }
}

const Value* Object::find(std::string_view key) const {
    const auto at = position_of(members_, key);
    return at != members_.end() && at->first == key ? &at->second : nullptr;
}

bool Object::operator==(const Object& other) const { return members_ == other.members_; }

Value Value::integer(std::int64_t value) { return Value(Number{std::to_string(value)}); }

Value Value::unsigned_integer(std::uint64_t value) { return Value(Number{std::to_string(value)}); }

const char* Value::type_name() const {
    static constexpr const char* names[] = {"null", "boolean", "number", "string", "array", "object"};
    return names[storage_.index()];
}

}  // namespace cli::json

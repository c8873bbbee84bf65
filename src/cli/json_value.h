#pragma once

// A JSON value as the command-line tool reads and writes it. Object members are
// kept sorted by key so that every document prints the same way whatever order
// it was built or read in. Numbers keep their text: the record conversions parse
// it themselves, with the exactness each field kind needs.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace cli::json {

class Value;

struct Number {
    std::string text;  // JSON number syntax
    bool operator==(const Number&) const = default;
};

using Array = std::vector<Value>;

// Members sorted by key, keys unique.
class Object {
public:
    // Inserts or replaces.
    void set(std::string key, Value value);
    const Value* find(std::string_view key) const;
    bool contains(std::string_view key) const { return find(key) != nullptr; }

    const std::vector<std::pair<std::string, Value>>& members() const { return members_; }
    std::size_t size() const;
    bool empty() const;
    bool operator==(const Object&) const;

private:
    std::vector<std::pair<std::string, Value>> members_;
};

// Strings hold UTF-8 text.
class Value {
public:
    using Storage = std::variant<std::nullptr_t, bool, Number, std::string, Array, Object>;

    Value() : storage_(nullptr) {}
    Value(std::nullptr_t) : storage_(nullptr) {}
    Value(bool value) : storage_(value) {}
    Value(Number number) : storage_(std::move(number)) {}
    Value(std::string text) : storage_(std::move(text)) {}
    Value(const char* text) : storage_(std::string(text)) {}
    Value(Array array) : storage_(std::move(array)) {}
    Value(Object object) : storage_(std::move(object)) {}

    static Value integer(std::int64_t value);
    static Value unsigned_integer(std::uint64_t value);

    bool is_null() const { return std::holds_alternative<std::nullptr_t>(storage_); }
    bool is_bool() const { return std::holds_alternative<bool>(storage_); }
    bool is_number() const { return std::holds_alternative<Number>(storage_); }
    bool is_string() const { return std::holds_alternative<std::string>(storage_); }
    bool is_array() const { return std::holds_alternative<Array>(storage_); }
    bool is_object() const { return std::holds_alternative<Object>(storage_); }

    // Only for a value of that type.
    bool as_bool() const { return std::get<bool>(storage_); }
    const Number& as_number() const { return std::get<Number>(storage_); }
    const std::string& as_string() const { return std::get<std::string>(storage_); }
    const Array& as_array() const { return std::get<Array>(storage_); }
    const Object& as_object() const { return std::get<Object>(storage_); }

    // "null", "boolean", "number", "string", "array" or "object".
    const char* type_name() const;

    bool operator==(const Value&) const = default;

private:
    Storage storage_;
};

// Defined once Value is complete: clang instantiates the members' container here.
inline std::size_t Object::size() const { return members_.size(); }
inline bool Object::empty() const { return members_.empty(); }

}  // namespace cli::json

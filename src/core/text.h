#pragma once

// Bounded text helpers for the fixed-size character fields of stored records.

#include <cstddef>
#include <cstring>
#include <string_view>

// The text of a fixed-size field: up to its first NUL, never beyond the field,
// so a field read from a file without a terminator is still safe to use.
template <std::size_t Size>
std::string_view bounded_text(const char (&field)[Size]) noexcept {
    const void* end = std::memchr(field, 0, Size);
    return {field, end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : Size};
}

// Copies text into a fixed-size field, cutting it to Size - 1 characters and
// filling the rest of the field with NUL bytes.
template <std::size_t Size>
void copy_text(char (&field)[Size], std::string_view text) noexcept {
    static_assert(Size > 0);
    const std::size_t length = text.size() < Size - 1 ? text.size() : Size - 1;
    // An empty view may carry no pointer at all, which memcpy must never be given.
    if (length > 0) std::memcpy(field, text.data(), length);
    std::memset(field + length, 0, Size - length);
}

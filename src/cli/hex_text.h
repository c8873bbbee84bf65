#pragma once

// Bytes as lower-case hexadecimal text, two digits a byte, no separators.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

std::string to_hex(std::span<const std::byte> bytes);
// Nothing for an odd length or a character that is not a hexadecimal digit
// (either case is taken).
std::optional<std::vector<std::byte>> from_hex(std::string_view text);

}  // namespace cli

#pragma once

// Differences between two documents, field by field, and between two byte
// strings, run by run. Each difference names where it is (a field path such as
// "attacks[0].projectile", or a byte range) and both values.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "cli/json.h"

namespace cli {

struct Difference {
    std::string where;
    Json first;   // null when absent on that side
    Json second;
};

// In member order, depth first.
std::vector<Difference> diff_values(const Json& first, const Json& second, const std::string& path = "");

// Runs of differing bytes (at most 32 bytes each) as hexadecimal text, named
// "<label>[from..to]" with offsets counted from base; a length difference adds
// "<label> size".
std::vector<Difference> diff_bytes(std::span<const std::byte> first, std::span<const std::byte> second,
                                   const std::string& label, std::size_t base = 0);

}  // namespace cli

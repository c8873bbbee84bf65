#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cli {

// "1 tag", "2 tags": a count with its noun, plural unless the count is one.
std::string count_text(std::size_t count, std::string_view noun);

}  // namespace cli

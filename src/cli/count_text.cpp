#include "cli/count_text.h"

namespace cli {

std::string count_text(std::size_t count, std::string_view noun) {
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

}  // namespace cli

#pragma once

// Rows of cells printed as aligned columns: each column as wide as its widest
// cell plus two spaces, the last column unpadded.

#include <string>
#include <vector>

namespace cli {

std::string aligned_rows(const std::vector<std::vector<std::string>>& rows, const std::string& indent);

}  // namespace cli

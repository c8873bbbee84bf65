#include "cli/text_table.h"

#include <algorithm>

namespace cli {

std::string aligned_rows(const std::vector<std::vector<std::string>>& rows, const std::string& indent) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (std::size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], row[column].size());
    }
    std::string text;
    for (const auto& row : rows) {
        std::string line = indent;
        for (std::size_t column = 0; column < row.size(); ++column) {
            std::string cell = row[column];
            if (column + 1 < row.size()) cell.resize(widths[column] + 2, ' ');
            line += cell;
        }
        text += line + "\n";
    }
    return text;
}

}  // namespace cli

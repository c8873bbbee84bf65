// Random bytes as a JSON document given to the command-line tool's import for a
// tag of one of the registry's groups (the first byte picks the row). A text
// that reads prints and reads back as the same value; a document that imports
// exports to a document that imports to exactly the same bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "cli/tag_document.h"
#include "definitions/group_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto rows = definitions::tag_group_registry();
    const tag_code group = rows[data[0] % rows.size()].group_tag;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const cli::json::ReadResult read = cli::json::read(text);
    if (!read.value) return 0;
    const cli::json::ReadResult reread = cli::json::read(cli::json::write_pretty(*read.value));
    if (!reread.value || !(*reread.value == *read.value)) __builtin_trap();

    const cli::NoTagNames names;
    std::vector<std::string> errors;
    const auto imported = cli::tag_data_from_document(group, *read.value, names, errors);
    if (!imported) {
        if (errors.empty()) __builtin_trap();
        return 0;
    }
    const cli::json::Value exported = cli::tag_data_to_document(group, *imported, names);
    const auto imported_again = cli::tag_data_from_document(group, exported, names, errors);
    if (!imported_again || !std::ranges::equal(*imported_again, *imported)) __builtin_trap();
    return 0;
}

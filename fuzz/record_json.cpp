// Fuzzes the JSON reader and the import of tag documents: the first byte picks
// a group of the registry, the rest is the document. Whatever is accepted must
// print and read back to the same value, and must export and import back to
// the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "cli/record_json.h"
#include "cli/tag_document.h"
#include "definitions/group_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto registry = definitions::tag_group_registry();
    const tag_code group = registry[data[0] % registry.size()].group_tag;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const cli::json::ReadResult parsed = cli::json::read(text);
    if (!parsed.value) return 0;
    const cli::json::ReadResult reread = cli::json::read(cli::json::write_pretty(*parsed.value));
    if (!reread.value || *reread.value != *parsed.value) std::abort();

    const cli::NoTagNames names;
    std::vector<std::string> errors;
    const auto bytes = cli::tag_data_from_document(group, *parsed.value, names, errors);
    if (!bytes) return 0;
    const cli::Json exported = cli::tag_data_to_document(group, *bytes, names);
    const auto again = cli::tag_data_from_document(group, exported, names, errors);
    if (!again || *again != *bytes) std::abort();
    return 0;
}

// Fuzzes the check of monolithic files that verify and diff run on files from
// anywhere: every count, offset and size in them is hostile.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "cli/monolithic_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const cli::MemorySource source(std::as_bytes(std::span(data, size)));
    const cli::MonolithicInspection inspection = cli::inspect_monolithic(source);
    if (inspection.has_header != (size >= 128)) std::abort();
    for (const cli::InspectedTag& tag : inspection.tags) {
        if (tag.valid && std::uint64_t(tag.header.offset) + std::uint64_t(tag.header.size) > size) std::abort();
    }
    return 0;
}

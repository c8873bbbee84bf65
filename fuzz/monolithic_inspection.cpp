// Random bytes as a monolithic file given to the command-line tool's verify:
// every problem must become a line of text, and progress never passes its total.

#include <cstddef>
#include <cstdint>
#include <span>

#include "cli/monolithic_inspection.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const cli::MemorySource source(std::span(reinterpret_cast<const std::byte*>(data), size));
    static_cast<void>(cli::looks_monolithic(source));
    std::uint64_t last_done = 0;
    const cli::MonolithicInspection inspection =
        cli::inspect_monolithic(source, [&last_done](std::uint64_t done, std::uint64_t total) {
            if (done > total || done < last_done) __builtin_trap();
            last_done = done;
        });
    if (inspection.tags.size() > std::size_t(maximum_monolithic_tag_count)) __builtin_trap();
    return 0;
}

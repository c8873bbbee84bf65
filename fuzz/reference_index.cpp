// Random bytes as a folder of tags for the reference index: a run of entries,
// each a byte picking the registry row, a byte making the subgroup, a 16-bit
// size and that many bytes of data (cut at the end of the input). Every
// reference the index finds must name a tag of the field's group with the
// stored code, and every "used by" must be one of the user's references.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "definitions/group_registry.h"
#include "media/reference_index.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto rows = definitions::tag_group_registry();
    std::vector<references::TagEntry> tags;
    std::size_t at = 0;
    while (size - at >= 4) {
        const auto& row = rows[data[at] % rows.size()];
        const auto subgroup = static_cast<tag_code>(0x61616100u | data[at + 1]);
        const std::size_t length = std::min<std::size_t>(data[at + 2] | (data[at + 3] << 8), size - at - 4);
        at += 4;
        references::TagEntry entry{row.group_tag, subgroup, "fuzz", {}};
        const auto* bytes = reinterpret_cast<const std::byte*>(data + at);
        entry.data.assign(bytes, bytes + length);
        at += length;
        tags.push_back(std::move(entry));
    }
    const references::ReferenceIndex index(std::move(tags));
    for (std::size_t tag = 0; tag < index.tags().size(); ++tag) {
        for (const references::Reference* use : index.uses(tag)) {
            if (use->from != tag) std::abort();
            if (use->to) {
                const references::TagEntry& target = index.tags()[*use->to];
                if (target.group != use->group || target.subgroup != use->subgroup) std::abort();
            }
        }
        for (const references::Reference* user : index.used_by(tag)) {
            if (user->to != tag) std::abort();
        }
    }
    for (const references::Problem& problem : index.problems()) {
        if (problem.tag >= index.tags().size() || problem.message.empty()) std::abort();
    }
    return 0;
}

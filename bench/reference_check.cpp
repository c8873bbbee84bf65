#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <vector>

#include "definitions/group_registry.h"
#include "media/reference_index.h"

namespace {

using definitions::FieldDescription;
using definitions::FieldKind;
using definitions::RecordDescription;

constexpr int tag_count = 10000;

// Every reference field of every element in use names a tag of its group,
// round robin; every 50th names nothing there, so the problems are found too.
void fill(const RecordDescription& description, uint32_t base, std::vector<std::byte>& record,
          const std::map<tag_code, std::vector<tag_code>>& subgroups, uint32_t& turn) {
    for (const FieldDescription& field : description.fields) {
        const uint32_t size = definitions::field_element_size(field);
        if (field.count_capacity >= 0) {
            const auto count = static_cast<int16_t>(field.count_capacity);
            std::memcpy(record.data() + base + field.offset, &count, 2);
        }
        for (uint32_t element = 0; element < field.count; ++element) {
            const uint32_t offset = base + field.offset + element * size;
            if (field.kind == FieldKind::tag_reference && field.width == 4) {
                const auto found = subgroups.find(field.reference_group);
                tag_code value = make_tag("miss");
                if (++turn % 50 != 0 && found != subgroups.end()) value = found->second[turn % found->second.size()];
                std::memcpy(record.data() + offset, &value, 4);
            } else if (field.kind == FieldKind::record_array && field.element) {
                fill(*field.element, offset, record, subgroups, turn);
            }
        }
    }
}

std::vector<references::TagEntry> demo_sized_folder() {
    std::vector<const definitions::TagGroupEntry*> rows;
    for (const definitions::TagGroupEntry& row : definitions::tag_group_registry()) {
        if (row.description && row.default_definition && row.definition_size == row.description->size) {
            rows.push_back(&row);
        }
    }
    std::vector<references::TagEntry> tags;
    std::map<tag_code, std::vector<tag_code>> subgroups;
    for (int i = 0; i < tag_count; ++i) {
        const definitions::TagGroupEntry& row = *rows[static_cast<std::size_t>(i) % rows.size()];
        const auto subgroup = static_cast<tag_code>(0x61610000 + i);
        subgroups[row.group_tag].push_back(subgroup);
        tags.push_back({row.group_tag, subgroup, "tag " + std::to_string(i), {}});
    }
    uint32_t turn = 0;
    for (references::TagEntry& tag : tags) {
        const definitions::TagGroupEntry& row = *definitions::find_group(tag.group);
        const auto* bytes = static_cast<const std::byte*>(row.default_definition);
        std::vector<std::byte> record(bytes, bytes + row.definition_size);
        fill(*row.description, 0, record, subgroups, turn);
        definitions::record_to_file_order(row, record.data());
        tag.data = std::move(record);
    }
    return tags;
}

void check_ten_thousand_tags(benchmark::State& state) {
    const std::vector<references::TagEntry> tags = demo_sized_folder();
    std::size_t references_found = 0;
    for (auto _ : state) {
        const references::ReferenceIndex index(tags);
        references_found = 0;
        for (std::size_t tag = 0; tag < index.tags().size(); ++tag) references_found += index.uses(tag).size();
        benchmark::DoNotOptimize(index.problems().size());
    }
    state.counters["references"] = static_cast<double>(references_found);
    state.SetItemsProcessed(state.iterations() * tag_count);
}
BENCHMARK(check_ten_thousand_tags)->Unit(benchmark::kMillisecond);

// One tag saved among the 10,000 (target: at most 20 ms for the index and what
// the panels show of it): its entry changed, then its uses, what uses it and
// the problems read back. The saved tag is a different one each time, and the
// most used tag of the folder is among them.
void update_one_of_ten_thousand_tags(benchmark::State& state) {
    std::vector<references::TagEntry> tags = demo_sized_folder();
    references::ReferenceIndex index(tags);
    std::size_t most_used = 0;
    for (std::size_t tag = 0; tag < index.tags().size(); ++tag) {
        if (index.used_by(tag).size() > index.used_by(most_used).size()) most_used = tag;
    }
    std::size_t turn = 0;
    for (auto _ : state) {
        const std::size_t saved = turn++ % 2 == 0 ? most_used : (turn * 7919) % tags.size();
        references::TagEntry entry = index.tags()[saved];
        if (!entry.data.empty()) entry.data.back() ^= std::byte{1};
        index.update(std::move(entry));
        const auto found = index.find(tags[saved].group, tags[saved].subgroup);
        benchmark::DoNotOptimize(index.uses(*found).size() + index.used_by(*found).size() +
                                 index.problems_of(*found).size() + index.problems().size());
    }
}
BENCHMARK(update_one_of_ten_thousand_tags)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

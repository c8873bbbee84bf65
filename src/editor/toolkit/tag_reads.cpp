#include "editor/toolkit/tag_reads.h"

#include "core/byte_swap.h"
#include "definitions/collection_reference_definitions.h"
#include "definitions/group_registry.h"
#include "media/collection_reader.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"

#include <cstddef>
#include <map>

namespace toolkit {

namespace {

// No collection comes near this; a directory entry claiming more is not trusted.
constexpr int32_t largest_collection_read = 64 * 1024 * 1024;

using sequence_name_cache = std::map<tag_code, std::optional<std::vector<std::string>>>;
int open_scopes = 0;
sequence_name_cache& cached_names() {
    static sequence_name_cache cache;
    return cache;
}

std::optional<std::vector<std::string>> read_names(tag_code collection_subgroup) {
    const tag_handle handle = tag_find(collection_group, collection_subgroup);
    if (handle == NONE) return std::nullopt;
    const int32_t size = tag_get_size(handle);
    if (size <= 0 || size > largest_collection_read) return std::nullopt;
    std::vector<std::byte> data(static_cast<size_t>(size));
    if (!tag_file_read(handle, 0, size, data.data())) return std::nullopt;
    return read_sequence_names(data);
}

}  // namespace

SequenceNamesScope::SequenceNamesScope() { ++open_scopes; }

SequenceNamesScope::~SequenceNamesScope() {
    if (--open_scopes == 0) cached_names().clear();
}

std::optional<std::vector<std::byte>> read_record(tag_code group, tag_code subgroup) {
    const definitions::TagGroupEntry* row = definitions::find_group(group);
    if (!row || row->definition_size == 0 || subgroup == NONE) return std::nullopt;
    const tag_handle handle = tag_find(group, subgroup);
    if (handle == NONE) return std::nullopt;
    const auto size = static_cast<int32_t>(row->definition_size);
    if (tag_get_size(handle) < size) return std::nullopt;
    std::vector<std::byte> record(row->definition_size);
    if (!tag_file_read(handle, 0, size, record.data())) return std::nullopt;
    definitions::record_to_host_order(*row, record.data());
    return record;
}

std::optional<tag_code> collection_of_reference(tag_code core_subgroup) {
    if (core_subgroup == NONE) return std::nullopt;
    const tag_handle handle = tag_find(collection_reference_group, core_subgroup);
    if (handle == NONE) return std::nullopt;
    definitions::collection_reference record{};
    if (!tag_file_read(handle, 0, sizeof record, &record)) return std::nullopt;
    byte_swap_data("collection reference", &record, sizeof record, 1, definitions::collection_reference_codes);
    return record.collection;
}

std::optional<std::vector<std::string>> sequence_names_of_collection(tag_code collection_subgroup) {
    if (collection_subgroup == NONE) return std::nullopt;
    if (open_scopes == 0) return read_names(collection_subgroup);
    const auto [place, inserted] = cached_names().try_emplace(collection_subgroup);
    if (inserted) place->second = read_names(collection_subgroup);
    return place->second;
}

}  // namespace toolkit

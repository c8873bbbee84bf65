#include "media/reference_index.h"

#include <algorithm>
#include <cstring>

#include "definitions/field_description.h"
#include "definitions/group_registry.h"
#include "media/collection_reader.h"
#include "media/damaged_media.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_groups.h"

namespace references {

namespace {

using definitions::FieldDescription;
using definitions::FieldKind;
using definitions::RecordDescription;

constexpr tag_code collection_reference_group = make_tag("core");

std::string folder_of(tag_code group) {
    const char* folder = tag_group_get_folder_name(group);
    return folder && *folder ? std::string(folder) : printable_code_text(group);
}

// A scalar of the host-order record; offset and width lie inside it.
int64_t read_value(std::span<const std::byte> record, uint32_t offset, uint8_t width, bool is_signed) {
    switch (width) {
        case 1: {
            uint8_t value;
            std::memcpy(&value, record.data() + offset, 1);
            return is_signed ? static_cast<int8_t>(value) : value;
        }
        case 2: {
            uint16_t value;
            std::memcpy(&value, record.data() + offset, 2);
            return is_signed ? static_cast<int16_t>(value) : value;
        }
        default: {
            uint32_t value;
            std::memcpy(&value, record.data() + offset, 4);
            return is_signed ? static_cast<int32_t>(value) : value;
        }
    }
}

bool is_none(int64_t value, uint8_t width) {
    return value == -1 || value == (width == 2 ? 0xFFFF : width == 4 ? 0xFFFFFFFFLL : 0xFF);
}

// The array a count field counts: the nearest record array of that capacity in its record.
const FieldDescription* counted_array(const RecordDescription& record, const FieldDescription& count) {
    const FieldDescription* best = nullptr;
    for (const FieldDescription& field : record.fields) {
        if (field.kind != FieldKind::record_array || field.count != static_cast<uint32_t>(count.count_capacity)) continue;
        if (!best || (field.offset > count.offset && (best->offset < count.offset || field.offset < best->offset))) {
            best = &field;
        }
    }
    return best;
}

}  // namespace

struct ReferenceIndex::Walk {
    ReferenceIndex& index;
    std::size_t tag;
    std::span<const std::byte> record;       // host order
    std::span<const std::byte> default_record;  // host order, may be empty
    std::optional<std::size_t> collection;   // the `.256` tag sequence indexes name
    std::optional<int32_t> sequence_count;

    bool holds_default(uint32_t offset, uint8_t width) const {
        return offset + width <= default_record.size() &&
               std::memcmp(record.data() + offset, default_record.data() + offset, width) == 0;
    }

    void problem(ProblemKind kind, const std::string& field, std::string message) {
        index.problems_of_[tag].push_back({tag, kind, field, std::move(message)});
    }

    void reference(const FieldDescription& field, uint32_t offset, const std::string& path) {
        const int64_t value = read_value(record, offset, field.width, false);
        if (is_none(value, field.width) || holds_default(offset, field.width)) return;
        const tag_code subgroup = static_cast<tag_code>(value);
        const std::optional<std::size_t> to = index.find(field.reference_group, subgroup);
        index.uses_[tag].push_back({tag, path, field.reference_group, subgroup, to});
        index.naming_[subgroup].insert(tag);
        if (to) return;
        std::string message = "missing " + folder_of(field.reference_group) + " " + printable_code_text(subgroup);
        if (const auto others = index.with_subgroup_.find(subgroup); others != index.with_subgroup_.end()) {
            message += " (a " + folder_of(index.tags_[*others->second.begin()].group) + " tag has that code)";
        }
        problem(ProblemKind::missing_tag, path, std::move(message));
    }

    void sequence(const FieldDescription& field, uint32_t offset, const std::string& path) {
        const int64_t value = read_value(record, offset, field.width, true);
        if (is_none(value, field.width) || holds_default(offset, field.width) || !sequence_count) return;
        if (value < 0 || value >= *sequence_count) {
            problem(ProblemKind::sequence_out_of_range, path,
                    "sequence " + std::to_string(value) + " beyond the " + std::to_string(*sequence_count) +
                        " sequences of " + folder_of(index.tags_[*collection].group) + "/" +
                        index.tags_[*collection].name);
        }
    }

    void walk(const RecordDescription& description, uint32_t base, const std::string& prefix) {
        std::vector<std::pair<const FieldDescription*, uint32_t>> limits;
        for (const FieldDescription& field : description.fields) {
            if (field.count_capacity < 0) continue;
            const int64_t count = read_value(record, base + field.offset, field.width, field.is_signed);
            if (count < 0 || count > field.count_capacity) {
                problem(ProblemKind::count_beyond_capacity, prefix + field.name,
                        "count " + std::to_string(count) + " beyond its capacity " +
                            std::to_string(field.count_capacity));
            }
            if (const FieldDescription* array = counted_array(description, field)) {
                limits.emplace_back(array, static_cast<uint32_t>(std::clamp<int64_t>(count, 0, field.count_capacity)));
            }
        }
        for (const FieldDescription& field : description.fields) {
            uint32_t elements = field.count;
            for (const auto& [array, limit] : limits) {
                if (array == &field) elements = std::min(elements, limit);
            }
            const uint32_t size = definitions::field_element_size(field);
            for (uint32_t element = 0; element < elements; ++element) {
                const uint32_t offset = base + field.offset + element * size;
                if (offset + size > record.size()) return;
                std::string path = prefix + field.name;
                if (field.count > 1) path += "[" + std::to_string(element) + "]";
                switch (field.kind) {
                    case FieldKind::tag_reference: reference(field, offset, path); break;
                    case FieldKind::sequence_index: sequence(field, offset, path); break;
                    case FieldKind::record_array:
                        if (field.element) walk(*field.element, offset, path + ".");
                        break;
                    default: break;
                }
            }
        }
    }
};

ReferenceIndex::ReferenceIndex(std::vector<TagEntry> tags) : tags_(std::move(tags)) {
    uses_.resize(tags_.size());
    problems_of_.resize(tags_.size());
    for (std::size_t tag = 0; tag < tags_.size(); ++tag) {
        by_key_.emplace(Key{tags_[tag].group, tags_[tag].subgroup}, tag);
        with_subgroup_[tags_[tag].subgroup].insert(tag);
    }
    for (std::size_t tag = 0; tag < tags_.size(); ++tag) walk(tag);
}

std::optional<int32_t> ReferenceIndex::sequence_count(std::size_t collection) {
    const auto known = sequence_counts_.find(collection);
    if (known != sequence_counts_.end()) return known->second;
    std::optional<int32_t> count;
    if (const auto view = open_collection(tags_[collection].data)) count = view->header.sequence_references.count;
    sequence_counts_.emplace(collection, count);
    return count;
}

void ReferenceIndex::forget_walk(std::size_t tag) {
    for (const Reference& use : uses_[tag]) {
        const auto naming = naming_.find(use.subgroup);
        if (naming == naming_.end()) continue;
        naming->second.erase(tag);
        if (naming->second.empty()) naming_.erase(naming);
    }
    uses_[tag].clear();
    problems_of_[tag].clear();
    problems_.reset();
}

void ReferenceIndex::walk(std::size_t tag) {
    forget_walk(tag);
    const TagEntry& entry = tags_[tag];
    if (std::optional<std::string> damage = media_data_problem(entry.group, entry.data)) {
        problems_of_[tag].push_back({tag, ProblemKind::damaged_data, "", std::move(*damage)});
        return;
    }
    const definitions::TagGroupEntry* row = definitions::find_group(entry.group);
    if (!row || !row->description) return;
    const RecordDescription& description = *row->description;
    if (entry.data.size() < description.size) {
        problems_of_[tag].push_back({tag, ProblemKind::short_record, "",
                                     std::to_string(entry.data.size()) + " bytes, shorter than the " +
                                         std::to_string(description.size) + "-byte record of its group"});
        return;
    }
    std::vector<std::byte> record(entry.data.begin(), entry.data.begin() + description.size);
    if (row->byte_swap_codes.size() > 0 && row->definition_size == description.size) {
        definitions::record_to_host_order(*row, record.data());
    }
    Walk walk{*this, tag, record, {}, std::nullopt, std::nullopt};
    if (row->default_definition && row->definition_size == description.size) {
        walk.default_record = {static_cast<const std::byte*>(row->default_definition), row->definition_size};
    }
    for (const FieldDescription& field : description.fields) {
        if (field.kind != FieldKind::tag_reference || field.width != 4) continue;
        const bool direct = field.reference_group == collection_group_tag;
        if (!direct && field.reference_group != collection_reference_group) continue;
        const auto subgroup = static_cast<tag_code>(read_value(record, field.offset, 4, false));
        std::optional<std::size_t> target = find(field.reference_group, subgroup);
        if (target && !direct) {
            const std::vector<std::byte>& core = tags_[*target].data;
            target.reset();
            if (core.size() >= 4) {
                const uint32_t collection = (std::to_integer<uint32_t>(core[0]) << 24) |
                                            (std::to_integer<uint32_t>(core[1]) << 16) |
                                            (std::to_integer<uint32_t>(core[2]) << 8) |
                                            std::to_integer<uint32_t>(core[3]);
                target = find(collection_group_tag, collection);
            }
        }
        if (target) {
            walk.collection = target;
            walk.sequence_count = sequence_count(*target);
        }
        break;
    }
    walk.walk(description, 0, "");
}

std::set<std::size_t> ReferenceIndex::dependents(tag_code group, tag_code subgroup) const {
    std::set<std::size_t> tags;
    const auto naming = naming_.find(subgroup);
    if (naming == naming_.end()) return tags;
    tags = naming->second;
    // A collection's sequences are counted for the tags that name it through a
    // collection reference too.
    if (group != collection_group_tag) return tags;
    for (const std::size_t reference : naming->second) {
        if (tags_[reference].group != collection_reference_group) continue;
        if (const auto users = naming_.find(tags_[reference].subgroup); users != naming_.end())
            tags.insert(users->second.begin(), users->second.end());
    }
    return tags;
}

void ReferenceIndex::update(TagEntry entry) {
    const tag_code group = entry.group;
    const tag_code subgroup = entry.subgroup;
    std::set<std::size_t> again = dependents(group, subgroup);
    std::size_t tag = 0;
    if (const auto found = by_key_.find(Key{group, subgroup}); found != by_key_.end()) {
        tag = found->second;
        tags_[tag] = std::move(entry);
    } else {
        tag = tags_.size();
        tags_.push_back(std::move(entry));
        uses_.emplace_back();
        problems_of_.emplace_back();
        by_key_.emplace(Key{group, subgroup}, tag);
        with_subgroup_[subgroup].insert(tag);
    }
    sequence_counts_.erase(tag);
    again.insert(tag);
    for (const std::size_t other : again) walk(other);
}

void ReferenceIndex::remove(tag_code group, tag_code subgroup) {
    const auto found = by_key_.find(Key{group, subgroup});
    if (found == by_key_.end()) return;
    const std::size_t tag = found->second;
    const std::size_t last = tags_.size() - 1;
    std::set<std::size_t> again = dependents(group, subgroup);
    forget_walk(tag);
    by_key_.erase(found);
    with_subgroup_[subgroup].erase(tag);
    if (with_subgroup_[subgroup].empty()) with_subgroup_.erase(subgroup);
    sequence_counts_.erase(tag);
    if (tag != last) {
        // The last tag moves into the hole: what names it, and its own walk, are walked again.
        const std::set<std::size_t> naming_last = dependents(tags_[last].group, tags_[last].subgroup);
        again.insert(naming_last.begin(), naming_last.end());
        forget_walk(last);
        tags_[tag] = std::move(tags_[last]);
        by_key_[Key{tags_[tag].group, tags_[tag].subgroup}] = tag;
        std::set<std::size_t>& same_code = with_subgroup_[tags_[tag].subgroup];
        same_code.erase(last);
        same_code.insert(tag);
        sequence_counts_.erase(last);
        for (auto& [code, naming] : naming_) {
            if (naming.erase(last)) naming.insert(tag);
        }
        again.insert(tag);
    }
    tags_.pop_back();
    uses_.pop_back();
    problems_of_.pop_back();
    again.erase(last);
    for (const std::size_t other : again) {
        if (other < tags_.size()) walk(other);
    }
}

std::optional<std::size_t> ReferenceIndex::find(tag_code group, tag_code subgroup) const {
    const auto found = by_key_.find(Key{group, subgroup});
    if (found == by_key_.end()) return std::nullopt;
    return found->second;
}

std::vector<const Reference*> ReferenceIndex::uses(std::size_t tag) const {
    std::vector<const Reference*> result;
    if (tag >= tags_.size()) return result;
    for (const Reference& use : uses_[tag]) result.push_back(&use);
    return result;
}

std::vector<const Reference*> ReferenceIndex::used_by(std::size_t tag) const {
    std::vector<const Reference*> result;
    if (tag >= tags_.size()) return result;
    const auto naming = naming_.find(tags_[tag].subgroup);
    if (naming == naming_.end()) return result;
    for (const std::size_t user : naming->second) {
        for (const Reference& use : uses_[user]) {
            if (use.to == tag) result.push_back(&use);
        }
    }
    return result;
}

const std::vector<Problem>& ReferenceIndex::problems() const {
    if (!problems_) {
        problems_.emplace();
        for (const std::vector<Problem>& found : problems_of_) problems_->insert(problems_->end(), found.begin(), found.end());
    }
    return *problems_;
}

std::vector<const Problem*> ReferenceIndex::problems_of(std::size_t tag) const {
    std::vector<const Problem*> result;
    if (tag >= tags_.size()) return result;
    for (const Problem& problem : problems_of_[tag]) result.push_back(&problem);
    return result;
}

TagEntry visible_tag(tag_handle handle) {
    TagEntry entry{tag_get_group(handle), tag_get_subgroup(handle), tag_get_name(handle), {}};
    const int32_t size = tag_get_size(handle);
    if (size > 0) {
        entry.data.resize(static_cast<std::size_t>(size));
        if (!tag_file_read(handle, 0, size, entry.data.data())) entry.data.clear();
    }
    tag_file_close_local();
    return entry;
}

std::vector<TagEntry> visible_tags() {
    tag_info query;
    tag_query_initialize(&query);
    std::vector<tag_handle> handles(static_cast<std::size_t>(tag_query(&query, nullptr, -1)));
    handles.resize(static_cast<std::size_t>(tag_query(&query, handles.data(), static_cast<int32_t>(handles.size()))));
    std::vector<TagEntry> tags;
    tags.reserve(handles.size());
    for (const tag_handle handle : handles) tags.push_back(visible_tag(handle));
    return tags;
}

}  // namespace references

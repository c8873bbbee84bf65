#include "cli/demo_command.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "cli/command_error.h"
#include "cli/demo_collection.h"
#include "cli/session.h"
#include "cli/tag_creation.h"
#include "cli/tag_document.h"
#include "cli/tag_lookup.h"
#include "definitions/group_registry.h"
#include "media/collection_format.h"
#include "tag_files/monolithic_writer.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_folders.h"
#include "tag_files/tag_groups.h"

namespace cli {

namespace {

constexpr const char* collection_name = "Demo Figure";
constexpr const char* demo_names[] = {"Alpha", "Beta", "Gamma"};
// A collection's user data says what may wear it: monsters and artifacts (2),
// projectiles (4), scenery (8); the pickers of those forms list only the
// collections whose user data says so.
constexpr std::uint32_t collection_usage = 2 | 4 | 8;
// The foundation file that holds the Alpha and Beta tags.
constexpr int demo_foundation_destination = 0;

void prepare_folder(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path path(folder);
    if (std::filesystem::exists(path, error)) {
        if (!std::filesystem::is_directory(path, error) || !std::filesystem::is_empty(path, error)) {
            throw CommandError("'" + folder + "' already exists and is not an empty folder");
        }
    } else if (!std::filesystem::create_directories(path, error)) {
        throw CommandError("cannot create '" + folder + "': " + error.message());
    }
    enter_working_folder(folder);
}

tag_handle write_collection_tag() {
    const std::optional<std::vector<std::byte>> data = write_collection(demo_collection());
    tag_handle handle = create_tag_from_default(collection_group_tag, collection_name);
    if (!data || handle == NONE ||
        !tag_replace_data(handle, data->data(), static_cast<std::int32_t>(data->size())) ||
        !tag_set_user_data(handle, collection_usage)) {
        throw CommandError("could not write the demo collection");
    }
    tag_file_close_local();
    return handle;
}

// Points every collection reference of the tag's record at the collection.
void refer_to_collection(tag_handle& handle, tag_code collection) {
    const tag_code group = tag_get_group(handle);
    const definitions::RecordDescription* description = tag_record_description(group);
    std::vector<std::byte> data = read_tag_data(handle);
    if (!description || data.size() < description->size) return;
    convert_tag_record(group, data, ByteOrder::host);
    bool changed = false;
    for (const definitions::FieldDescription& field : description->fields) {
        if (field.kind != definitions::FieldKind::tag_reference || field.reference_group != collection_group_tag) {
            continue;
        }
        for (std::uint32_t index = 0; index < field.count; ++index) {
            std::memcpy(data.data() + field.offset + index * 4, &collection, 4);
        }
        changed = true;
    }
    if (!changed) return;
    convert_tag_record(group, data, ByteOrder::file);
    const bool written = tag_replace_data(handle, data.data(), static_cast<std::int32_t>(data.size())) &&
                         tag_set_user_data(handle, tag_user_data(group, data).value_or(tag_get_user_data(handle)));
    tag_file_close_local();
    if (!written) throw CommandError("could not write " + tag_path_text(handle));
}

void write_foundation_file(const std::vector<tag_handle>& handles) {
    file_reference file;
    file_reference_initialize(file, working_folder_root);
    file_reference_append_folder(file, tags_folder_name);
    file_reference_set_name(file, foundation_file_names[demo_foundation_destination]);
    if (!write_monolithic_file(file, "", monolithic_type_foundation, 0, handles.data(),
                               static_cast<std::int32_t>(handles.size()))) {
        throw CommandError("could not write the demo foundation file");
    }
}

int run_demo(const ParsedCommand& command) {
    prepare_folder(command.arguments[0]);
    Session session(Access::writer);
    const tag_code collection = tag_get_subgroup(write_collection_tag());
    // A few tags of every group with a default record. Alpha and Beta also go
    // into a foundation file; then the local Alpha is changed, so it hides a
    // different copy, and the local Beta is deleted, so the foundation file's
    // copy shows.
    std::vector<tag_handle> alphas, betas, foundation;
    int local_count = 1;
    for (const definitions::TagGroupEntry& row : definitions::tag_group_registry()) {
        if (!row.default_definition || !tag_group_get_definition(row.group_tag)) continue;
        for (const char* name : demo_names) {
            tag_handle handle = create_tag_from_default(row.group_tag, name);
            if (handle == NONE) throw CommandError("could not create " + tag_path_text(row.group_tag, name));
            if (name != demo_names[0]) refer_to_collection(handle, collection);
            if (name == demo_names[0]) alphas.push_back(handle);
            if (name == demo_names[1]) betas.push_back(handle);
            if (name != demo_names[2]) foundation.push_back(handle);
            ++local_count;
        }
    }
    write_foundation_file(foundation);
    for (tag_handle& handle : alphas) refer_to_collection(handle, collection);
    for (const tag_handle handle : betas) {
        if (!tag_file_delete(handle)) throw CommandError("could not delete " + tag_path_text(handle));
        --local_count;
    }
    session.report_warnings();
    std::printf("created the demo working folder %s: %d local tags (among them the collection %s), and\n"
                "%s/%s holding %zu tags, whose Alpha tags are hidden by local ones\n",
                command.arguments[0].c_str(), local_count, collection_name, tags_folder_name,
                foundation_file_names[demo_foundation_destination], foundation.size());
    return 0;
}

}  // namespace

constinit const CommandDefinition demo_command{
    .name = "demo",
    .arguments = "DIR",
    .summary = "Create a demo working folder DIR (new or empty): tags Alpha, Beta and Gamma of every group with "
               "a default record, a collection with bitmaps, sequences and hue changes that their collection "
               "references name, and the foundation file \"small install\" holding the Alpha and Beta tags: "
               "local Alpha tags hide theirs, the Beta tags come from it.",
    .options = {},
    .minimum_arguments = 1,
    .maximum_arguments = 1,
    .run = run_demo,
};

}  // namespace cli

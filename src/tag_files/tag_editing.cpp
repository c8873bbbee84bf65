#include "tag_files/tag_editing.h"

#include <cstring>
#include <vector>

#include "core/error_manager.h"
#include "core/memory.h"
#include "core/text.h"
#include "tag_files/local_tags.h"
#include "tag_files/tag_change_listener.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_folders.h"
#include "tag_files/tag_groups.h"
#include "tag_files/tag_name.h"

namespace {

using tag_name_field = char[tag_name_capacity];

// The visible tags of a group whose name equals name ignoring case; file_type
// NONE for any kind, 0 for local tags only.
std::vector<tag_handle> find_by_name(tag_code group, const tag_name_field& name, std::int16_t file_type) {
    tag_info query;
    tag_query_initialize(&query);
    copy_text(query.name, bounded_text(name));
    query.group = group;
    query.file_type = file_type;
    std::vector<tag_handle> handles(static_cast<std::size_t>(tag_query(&query, nullptr, -1)));
    handles.resize(static_cast<std::size_t>(tag_query(&query, handles.data(), static_cast<std::int32_t>(handles.size()))));
    return handles;
}

// The first 31 characters of text made valid as a tag name; false when nothing
// of it is left.
bool make_tag_name(tag_name_field& name, const char* text) {
    copy_text(name, text ? text : "");
    sanitize_tag_name(name);
    return name[0] != '\0';
}

// Creates a local tag whose file holds the header and the data, all at once, and
// adds it to the directory. A local tag whose file had that exact name leaves the
// directory, since its file is replaced. The file's header is the prototype made
// a local tag's, or, when `stored` is given, exactly that.
tag_handle create_local_tag(const tag_header& prototype, const void* data, std::int32_t size,
                            const tag_header* stored = nullptr) {
    tag_header header = prototype;
    header.identifier = 0;
    header.flags = 0;
    header.file_type = tag_file_type_local;
    header.offset = local_tag_data_offset;
    header.size = size;
    header.file_index = -1;
    header.signature = tag_header_signature;

    local_tag_close();
    if (!local_tag_create_file(header.name, header.group_tag, stored ? *stored : header, data, size)) return NONE;
    for (tag_handle replaced; (replaced = tag_find_local_file(header.group_tag, header.name)) != NONE;) {
        tag_header_remove(replaced);
    }
    const tag_handle handle = tag_header_add_local(&header, header.name);
    if (handle == NONE) {
        file_reference file;
        local_tag_folder(header.group_tag, file);
        file_reference_set_name(file, header.name);
        delete_file_or_folder(file);
    }
    return handle;
}

// A file that could not be deleted would come back at the next start, so its
// tag stays in the directory.
bool delete_local_tag(tag_handle handle) {
    return local_tag_delete_file(handle) && tag_header_remove(handle);
}

bool valid_destination(std::int32_t destination) {
    return destination >= tag_destination_none && destination < tag_destination_count;
}

template <class Change>
bool change_info(tag_handle& handle, Change change) {
    tag_info info;
    if (!tag_get_info(handle, &info)) return false;
    change(info);
    return tag_set_info(handle, &info);
}

}  // namespace

tag_handle tag_file_create(tag_code group, const char* name, std::int16_t version) {
    const group_definition* definition = tag_group_get_definition(group);
    if (!definition || !name || name[0] == '\0') return NONE;
    tag_header header{};
    if (!make_tag_name(header.name, name)) {
        file_reference folder;
        local_tag_folder(group, folder);
        handle_error(error_file_create, __FILE__, __LINE__, "couldn't create local tag file '%s'",
                     (file_reference_full_path(folder) + "\\").c_str());
        return NONE;
    }

    // A tag of that name keeps its subgroup, so the new local tag takes its place.
    const std::vector<tag_handle> same_name = find_by_name(group, header.name, NONE);
    tag_code subgroup = NONE;
    for (tag_handle handle : same_name) subgroup = tag_get_subgroup(handle);
    if (same_name.empty()) {
        subgroup = subgroup_from_name(bounded_text(header.name));
        while (subgroup == NONE || tag_find(group, subgroup) != NONE) ++subgroup;
    }

    header.group_tag = group;
    header.subgroup_tag = subgroup;
    header.version = version;
    header.destination = definition->default_destination;
    // Local tags of that name, whatever the case of their files and hidden or not,
    // are this tag: the new file replaces them.
    tag_handle replaced[tag_group_list_limit];
    const std::int32_t replaced_count = tag_local_tags_named(group, header.name, replaced, tag_group_list_limit);
    tag_about_to_change(group, subgroup);
    for (std::int32_t index = 0; index < replaced_count; ++index) {
        if (const tag_header* old = tag_header_of(replaced[index])) tag_about_to_change(group, old->subgroup_tag);
    }
    const tag_handle created = create_local_tag(header, nullptr, 0);
    if (created == NONE) return NONE;
    for (std::int32_t index = 0; index < replaced_count; ++index) {
        if (tag_header_of(replaced[index])) delete_local_tag(replaced[index]);
    }
    return created;
}

bool tag_file_delete(tag_handle handle) {
    const tag_header* header = tag_visible_header(handle);
    if (!header) return false;
    tag_about_to_change(header->group_tag, header->subgroup_tag);
    if (!tag_header_is_local(*header)) {
        handle_error(error_warning, __FILE__, __LINE__, "can't delete '%s' because it is not a local tag.",
                     header->name);
        return false;
    }
    return delete_local_tag(handle);
}

bool copy_tag_to_local(tag_handle& handle) {
    const tag_header* found = tag_visible_header(handle);
    if (!found) return false;
    if (tag_header_is_local(*found)) return true;
    tag_about_to_change(found->group_tag, found->subgroup_tag);
    tag_header original = *found;
    if (!find_by_name(original.group_tag, original.name, tag_file_type_local).empty()) {
        handle_error(error_warning, __FILE__, __LINE__,
                     "can't copy monolithic tag '%s' to local folder because a local tag already has the same name.",
                     original.name);
        return false;
    }
    void* data = allocate_memory(static_cast<std::size_t>(original.size));
    if (!data) {
        handle_error(error_out_of_memory, __FILE__, __LINE__, "couldn't allocate #%d bytes to '%s' to local folder.",
                     static_cast<int>(original.size), original.name);
        return false;
    }
    tag_handle copied = NONE;
    if (tag_file_read(handle, 0, original.size, data)) {
        if (!valid_destination(original.destination)) {
            original.destination = tag_group_get_definition(original.group_tag)
                                       ? tag_group_get_definition(original.group_tag)->default_destination
                                       : tag_destination_none;
        }
        copied = create_local_tag(original, data, original.size);
    }
    dispose_pointer(data);
    if (copied == NONE) return false;
    handle = copied;
    return true;
}

bool tag_set_info(tag_handle& handle, const tag_info* info) {
    tag_name_field name;
    if (!tag_visible_header(handle) || !make_tag_name(name, info->name) || !valid_destination(info->destination)) {
        return false;
    }
    tag_about_to_change(tag_get_group(handle), tag_get_subgroup(handle));
    if (!copy_tag_to_local(handle)) return false;
    tag_header updated = *tag_header_of(handle);

    if (std::strcmp(name, updated.name) != 0) {
        local_tag_close();
        if (!find_by_name(updated.group_tag, name, NONE).empty()) return false;
        file_reference file;
        if (!local_tag_file_reference(handle, file)) return false;
        // Never rename over another file, tag or not.
        file_reference target = file;
        file_reference_set_name(target, name);
        if (file_exists(target) || !rename_file(file, name)) return false;
        tag_header_set_local_name(handle, name, name);
        copy_text(updated.name, bounded_text(name));
    }

    updated.user_data = info->user_data;
    updated.version = info->version;
    updated.destination = static_cast<std::int8_t>(info->destination);
    if (!local_tag_open(handle) || !local_tag_write_header(updated)) {
        file_reference file;
        local_tag_file_reference(handle, file);
        handle_error(error_file_write, __FILE__, __LINE__, "couldn't write #%d bytes to offset #%d in local tag '%s'",
                     static_cast<int>(sizeof updated), 0, file_reference_full_path(file).c_str());
        return false;
    }
    tag_header* header = tag_header_for_update(handle);
    header->user_data = updated.user_data;
    header->version = updated.version;
    header->destination = updated.destination;
    return true;
}

bool tag_set_user_data(tag_handle& handle, std::uint32_t value) {
    return change_info(handle, [value](tag_info& info) { info.user_data = value; });
}

bool tag_set_version(tag_handle& handle, std::int16_t value) {
    return change_info(handle, [value](tag_info& info) { info.version = value; });
}

bool tag_set_destination(tag_handle& handle, std::int16_t value) {
    return change_info(handle, [value](tag_info& info) { info.destination = value; });
}

bool tag_rename(tag_handle& handle, const char* name) {
    return change_info(handle, [name](tag_info& info) { copy_text(info.name, name ? name : ""); });
}

tag_handle tag_file_restore(const tag_header& stored, const void* data, std::int32_t size) {
    tag_name_field name;
    const std::string stored_name(bounded_text(stored.name));
    if (!tag_group_get_definition(stored.group_tag) || !make_tag_name(name, stored_name.c_str()) ||
        stored_name != name || size < 0) {
        return NONE;
    }
    for (const tag_handle other : find_by_name(stored.group_tag, name, NONE)) {
        if (tag_get_subgroup(other) != stored.subgroup_tag) return NONE;
    }
    tag_about_to_change(stored.group_tag, stored.subgroup_tag);
    const tag_handle existing = tag_find(stored.group_tag, stored.subgroup_tag);
    const bool renamed = existing != NONE && tag_get_file_type(existing) == tag_file_type_local &&
                         std::strcmp(tag_local_file_name(existing), name) != 0;
    const tag_handle restored = create_local_tag(stored, data, size, &stored);
    // The file under the other name goes once the new one is complete.
    if (restored != NONE && renamed && tag_header_of(existing)) delete_local_tag(existing);
    return restored;
}

// Random bytes as a monolithic file from another player: written as a plugin (or,
// when the first byte asks, as a foundation file) in a temporary working folder,
// then scanned, loaded into the directory, read tag by tag, offered as entry
// points and loaded and unloaded as the extra plugin.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/error_manager.h"
#include "fuzz_working_folder.h"
#include "tag_files/monolithic_loader.h"
#include "tag_files/monolithic_loading.h"
#include "tag_files/plugin_table.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"

namespace {

using fuzz_support::enter_working_folder;

void put_big_endian(std::string& bytes, std::size_t offset, std::uint32_t value, int width) {
    for (int index = 0; index < width; ++index) {
        bytes[offset + static_cast<std::size_t>(index)] = static_cast<char>(value >> (8 * (width - 1 - index)));
    }
}

// When asked, the fields that every valid file has are made right (type, length,
// signature), so that the input reaches the tag headers and entry points.
void repair_header(std::string& file, std::uint8_t repairs, bool foundation) {
    if (file.size() < 128 || !(repairs & 1)) return;
    put_big_endian(file, 0, foundation ? 3 : 1 + (repairs >> 7), 2);
    put_big_endian(file, 112, static_cast<std::uint32_t>(file.size()), 4);
    put_big_endian(file, 124, 0x646E6732, 4);
    if (repairs & 2) put_big_endian(file, 100, repairs >> 4 & 3, 2);
}

void read_every_tag() {
    tag_info query;
    tag_query_initialize(&query);
    std::vector<tag_handle> handles(static_cast<std::size_t>(tag_query(&query, nullptr, -1)));
    tag_query(&query, handles.data(), static_cast<std::int32_t>(handles.size()));
    std::vector<char> buffer;
    for (tag_handle handle : handles) {
        const std::int32_t size = tag_get_size(handle);
        buffer.resize(static_cast<std::size_t>(size));
        tag_file_read(handle, 0, size, buffer.data());
        if (size > 0) tag_file_read_ahead(handle, size / 2, size - size / 2, buffer.data());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    enter_working_folder();
    std::error_code ignored;
    std::filesystem::remove_all("plugins", ignored);
    std::filesystem::remove_all("tags", ignored);
    std::filesystem::create_directories("plugins");
    std::filesystem::create_directories("tags");
    initialize_error_manager("fuzz");

    const std::uint8_t control = size > 0 ? data[0] : 0;
    const bool foundation = control & 0x40;
    std::string file(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0), size > 0 ? size - 1 : 0);
    repair_header(file, control, foundation);
    std::ofstream(foundation ? "tags/small install" : "plugins/Fuzzed", std::ios::binary) << file;

    reset_monolithic_state();
    tag_files_initialize();
    std::vector<std::int16_t> plugins;
    for (std::int16_t index = 0; index < get_plugin_list(nullptr); ++index) plugins.push_back(index);
    if (tag_files_open(false, plugins.data(), static_cast<std::int16_t>(plugins.size()), NONE)) {
        read_every_tag();
        std::vector<entry_point_item> items(entry_point_table_capacity);
        get_entry_point_list(items.data());
        if (!plugins.empty() && load_extra_plugin(plugins[0])) read_every_tag();
        unload_extra_plugin();
    }
    tag_files_close();
    clear_error();
    return 0;
}

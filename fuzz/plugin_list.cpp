// Random bytes as a plugin list received from another player, decoded against a
// plugin table of three known plugins.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/error_manager.h"
#include "tag_files/monolithic_loader.h"
#include "tag_files/plugin_list.h"
#include "tag_files/plugin_table.h"
#include "tag_files/tag_directory.h"

namespace {

std::filesystem::path working_folder;

void remove_working_folder() {
    std::error_code ignored;
    std::filesystem::remove_all(working_folder, ignored);
}

// An empty plugin (a header alone) whose data checksum is the given value.
std::string empty_plugin(std::uint32_t checksum) {
    std::string bytes(128, '\0');
    bytes[1] = 1;
    bytes[2] = bytes[3] = static_cast<char>(0xFF);
    for (int index = 0; index < 4; ++index) {
        bytes[104 + index] = static_cast<char>(checksum >> (24 - 8 * index));
        bytes[112 + index] = static_cast<char>(128u >> (24 - 8 * index));
    }
    std::memcpy(&bytes[124], "dng2", 4);
    return bytes;
}

void prepare_plugin_table() {
    if (!working_folder.empty()) return;
    std::string pattern = (std::filesystem::temp_directory_path() / "tessary-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    working_folder = pattern;
    std::filesystem::current_path(working_folder);
    std::atexit(remove_working_folder);
    std::filesystem::create_directories("plugins");
    std::ofstream("plugins/Alpha", std::ios::binary) << empty_plugin(1);
    std::ofstream("plugins/Beta", std::ios::binary) << empty_plugin(2);
    std::ofstream("plugins/Gamma", std::ios::binary) << empty_plugin(3);
    initialize_error_manager("fuzz");
    reset_monolithic_state();
    tag_files_initialize();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    prepare_plugin_table();
    std::int16_t indexes[plugin_list_maximum_count];
    std::int16_t count = 0;
    char missing[300];
    missing[0] = '\0';
    // A copy of exactly the input's size, so that a read past the end is caught.
    std::unique_ptr<std::uint8_t[]> stream(new std::uint8_t[size]);
    if (size > 0) std::memcpy(stream.get(), data, size);
    const bool found = decode_plugin_list(indexes, &count, stream.get(), static_cast<std::int32_t>(std::min<std::size_t>(size, 1 << 20)),
                                          missing, sizeof missing);
    if (std::strlen(missing) >= sizeof missing || count < 0 || count > plugin_list_maximum_count) std::abort();
    if (found) {
        unsigned char encoded[plugin_list_stream_capacity];
        if (encode_plugin_list(indexes, count, encoded) == 0 && count > 0) std::abort();
    }
    return 0;
}

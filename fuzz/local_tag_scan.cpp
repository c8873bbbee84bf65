// Random bytes as the files of group folders, then the directory is opened and
// every tag it lists is read, directly and through the read-ahead window.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/error_manager.h"
#include "fuzz_working_folder.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"

namespace {

void enter_working_folder() {
    if (!fuzz_support::enter_working_folder()) return;
    initialize_error_manager("fuzz");
    tag_files_initialize();
}

// Names chosen to meet the scan's rules in many ways: case variants, trailing
// periods, a name too long, characters a tag name may not hold.
const char* const file_names[] = {"Ogre", "ogre", "OGRE", "Troll.", "a:b", "x",
                                  "A name longer than thirty-one characters", "..", "|bold"};
// Mesh tags and string lists are read when the directory opens, for the entry points.
const char* const folders[] = {"local/monsters", "local/projectiles", "recordings", "local/meshes",
                               "local/string lists"};
const std::uint32_t folder_groups[] = {0x6D6F6E73, 0x70726F6A, 0x7265636F, 0x6D657368, 0x73746C69};

struct input_reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;

    std::uint8_t byte() { return position < size ? data[position++] : 0; }
    std::string bytes(std::size_t count) {
        count = std::min(count, size - position);
        std::string taken(reinterpret_cast<const char*>(data + position), count);
        position += count;
        return taken;
    }
};

void put_big_endian(std::string& bytes, std::size_t offset, std::uint32_t value) {
    for (int index = 0; index < 4; ++index) bytes[offset + index] = static_cast<char>(value >> (24 - 8 * index));
}

// When asked, the fixed fields of a local tag header are made right, so that the
// input reaches the reads rather than stopping at the signature.
void repair_header(std::string& file, std::uint32_t group, std::uint8_t repairs) {
    if (file.size() < 64 || !(repairs & 1)) return;
    put_big_endian(file, 36, group);
    put_big_endian(file, 44, 64);
    put_big_endian(file, 60, 0x6B6C7632);
    file[3] = 0;
    file[59] = static_cast<char>(0xFF);
    if (repairs & 2) file[58] = static_cast<char>(repairs >> 5);
}

void read_every_tag() {
    tag_info query;
    tag_query_initialize(&query);
    std::vector<tag_handle> handles(static_cast<std::size_t>(tag_query(&query, nullptr, -1)));
    tag_query(&query, handles.data(), static_cast<std::int32_t>(handles.size()));
    for (tag_handle handle : handles) {
        const std::int32_t size = tag_get_size(handle);
        std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
        tag_file_read(handle, 0, size, buffer.data());
        tag_file_read(handle, 0, size + 1, buffer.data());
        for (std::int32_t position = 0; position < size; position += 7) {
            tag_file_read_ahead(handle, position, std::min(7, size - position), buffer.data());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    enter_working_folder();
    std::error_code ignored;
    for (const char* folder : folders) std::filesystem::remove_all(folder, ignored);

    input_reader input{data, size};
    const int file_count = input.byte() % 8;
    for (int index = 0; index < file_count; ++index) {
        const std::uint8_t choice = input.byte();
        const std::uint8_t repairs = input.byte();
        const std::size_t length = input.byte() | (static_cast<std::size_t>(input.byte() & 0x0F) << 8);
        std::string file = input.bytes(length);
        const int folder = choice % std::size(folders);
        repair_header(file, folder_groups[folder], repairs);
        std::filesystem::create_directories(folders[folder]);
        std::ofstream(std::string(folders[folder]) + "/" + file_names[(choice / std::size(folders)) % std::size(file_names)], std::ios::binary) << file;
    }

    if (tag_files_open(false, nullptr, 0, -1)) read_every_tag();
    tag_files_close();
    clear_error();
    return 0;
}

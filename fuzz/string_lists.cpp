// The first byte picks a text group (string list, template, text, dialog
// string list); the rest is a tag's data. It is cut in a buffer of exactly its
// size and, as a local tag, loaded into the string tables, which must give the
// same strings.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/error_manager.h"
#include "fuzz_working_folder.h"
#include "media/string_definitions.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"

namespace {

constexpr tag_code groups[] = {string_list_group, template_group, text_group, dialog_string_list_group};

void check_cut(tag_code group, const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<char[]> text(new char[size + 1]);
    if (size > 0) std::memcpy(text.get(), data, size);
    text[size] = '\0';
    for (const char* string : cut_strings(group, {text.get(), size + 1})) {
        if (string < text.get() || string > text.get() + size) std::abort();
        if (std::strlen(string) > size) std::abort();
    }
}

void check_loaded(tag_code group, const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tag_handle handle = tag_file_create(group, "fuzzed", 1);
    if (handle == NONE) std::abort();
    if (size > 0 && !tag_file_write(handle, 0, static_cast<std::int32_t>(size), bytes.data())) std::abort();
    tag_file_close_local();

    const std::vector<std::string> expected = strings_of_text(group, bytes);
    const std::int32_t list = load_string_list(group, tag_get_subgroup(handle), (size & 1) != 0);
    if (list == NONE || get_string_count(list) != static_cast<std::int32_t>(expected.size())) std::abort();
    for (std::size_t index = 0; index < expected.size(); ++index) {
        if (expected[index] != get_string(list, static_cast<std::int32_t>(index))) std::abort();
    }
    if (*get_string(list, get_string_count(list)) != '\0') std::abort();
    unload_string_lists();
    clear_error();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (fuzz_support::enter_working_folder()) {
        initialize_error_manager("fuzz");
        tag_files_initialize();
        if (!tag_files_open(false, nullptr, 0, NONE)) std::abort();
    }
    if (size == 0 || size > (1 << 20)) return 0;
    const tag_code group = groups[data[0] % std::size(groups)];
    check_cut(group, data + 1, size - 1);
    check_loaded(group, data + 1, size - 1);
    return 0;
}

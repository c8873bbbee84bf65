#include "media/string_definitions.h"

#include <cstring>
#include <memory>

#include "core/error_manager.h"
#include "core/memory.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_name.h"

namespace {

bool ends_string(char byte) { return byte == '\0' || byte == '\n' || byte == '\r'; }

// Runs of other bytes; terminators between them make no strings.
std::vector<char*> cut_lines(std::span<char> text) {
    std::vector<char*> strings;
    char* start = nullptr;
    for (char& byte : text) {
        if (ends_string(byte)) {
            if (start) strings.push_back(start);
            start = nullptr;
            byte = '\0';
        } else if (!start) {
            start = &byte;
        }
    }
    return strings;
}

// One string per terminator, read in the text renderer's units so that a
// style code's letter is never taken for anything else.
std::vector<char*> cut_dialog_lines(std::span<char> text) {
    std::vector<char*> strings;
    char* start = text.data();
    for (std::size_t position = 0; position < text.size();) {
        char* unit = text.data() + position;
        const int length = text_character_length(unit);
        if (length == 2 && unit[1] == 'r') {
            unit[0] = '\r';
            unit[1] = '\n';
        } else if (length == 1 && ends_string(*unit)) {
            *unit = '\0';
            strings.push_back(start);
            start = unit + 1;
        }
        position += static_cast<std::size_t>(length);
    }
    return strings;
}

struct block_deleter {
    void operator()(void* block) const { dispose_pointer(block); }
};

struct loaded_string_list {
    tag_code group;
    tag_code subgroup;
    std::unique_ptr<char, block_deleter> text;
    std::unique_ptr<char*, block_deleter> strings;
    int32_t count;
};

std::vector<loaded_string_list>& loaded_lists() {
    static std::vector<loaded_string_list> lists;
    return lists;
}

const loaded_string_list* find_loaded(int32_t list_index) {
    const auto& lists = loaded_lists();
    if (list_index < 0 || static_cast<std::size_t>(list_index) >= lists.size()) return nullptr;
    return &lists[static_cast<std::size_t>(list_index)];
}

bool has_strings(tag_code group) {
    return group == string_list_group || group == template_group || group == text_group ||
           group == dialog_string_list_group;
}

// The tag's data followed by one zero byte, in a block of its own; null after
// a failed read (reported).
std::unique_ptr<char, block_deleter> read_terminated(tag_handle handle, int32_t size, bool from_monolithic) {
    const std::size_t block_size = static_cast<std::size_t>(size) + 1;
    std::unique_ptr<char, block_deleter> text(static_cast<char*>(allocate_memory(block_size)));
    if (!text) {
        handle_error(error_out_of_memory, __FILE__, __LINE__, "couldn't allocate #%zu bytes for string", block_size);
        return nullptr;
    }
    const bool read = from_monolithic ? tag_file_read_ahead(handle, 0, size, text.get())
                                      : tag_file_read(handle, 0, size, text.get());
    tag_file_close_local();
    if (!read) {
        handle_error(error_file_read, __FILE__, __LINE__, "couldn't read string data for %s.", tag_get_name(handle));
        return nullptr;
    }
    text.get()[size] = '\0';
    return text;
}

}  // namespace

std::vector<char*> cut_strings(tag_code group, std::span<char> text) {
    if (text.empty() || text.back() != '\0') return {};
    if (group == string_list_group || group == template_group) return cut_lines(text);
    if (group == dialog_string_list_group) return cut_dialog_lines(text);
    if (group == text_group) return {text.data()};
    return {};
}

std::vector<std::string> strings_of_text(tag_code group, std::string_view data) {
    std::vector<char> text(data.begin(), data.end());
    text.push_back('\0');
    std::vector<std::string> strings;
    for (const char* string : cut_strings(group, text)) strings.emplace_back(string);
    return strings;
}

std::optional<std::vector<std::string>> read_tag_strings(tag_code group, tag_code subgroup) {
    const tag_handle handle = tag_find(group, subgroup);
    const int32_t size = tag_get_size(handle);
    if (handle == NONE || size < 0) return std::nullopt;
    std::string data(static_cast<std::size_t>(size), '\0');
    const bool read = tag_file_read(handle, 0, size, data.data());
    tag_file_close_local();
    if (!read) return std::nullopt;
    return strings_of_text(group, data);
}

int32_t load_string_list(tag_code group, tag_code subgroup, bool from_monolithic) {
    if (subgroup == NONE) return NONE;
    auto& lists = loaded_lists();
    for (std::size_t index = 0; index < lists.size(); ++index) {
        if (lists[index].group == group && lists[index].subgroup == subgroup) return static_cast<int32_t>(index);
    }
    const tag_handle handle = tag_find(group, subgroup);
    const int32_t size = tag_get_size(handle);
    if (handle == NONE || size < 0) {
        handle_error(error_file_read, __FILE__, __LINE__, "couldn't read tag header for string '%s'.",
                     tag_code_to_text(subgroup));
        return NONE;
    }
    std::unique_ptr<char, block_deleter> text = read_terminated(handle, size, from_monolithic);
    if (!text || !has_strings(group)) return NONE;

    const std::vector<char*> cut = cut_strings(group, {text.get(), static_cast<std::size_t>(size) + 1});
    const std::size_t table_size = cut.size() * sizeof(char*);
    std::unique_ptr<char*, block_deleter> strings(static_cast<char**>(allocate_memory(table_size)));
    if (!strings && table_size != 0) {
        handle_error(error_out_of_memory, __FILE__, __LINE__, "couldn't allocate #%zu bytes for index_table",
                     table_size);
        return NONE;
    }
    if (table_size != 0) std::memcpy(strings.get(), cut.data(), table_size);
    lists.push_back({group, subgroup, std::move(text), std::move(strings), static_cast<int32_t>(cut.size())});
    return static_cast<int32_t>(lists.size() - 1);
}

const char* get_string(int32_t list_index, int32_t string_index) {
    const loaded_string_list* list = find_loaded(list_index);
    if (!list || string_index < 0 || string_index >= list->count) return "";
    return list->strings.get()[string_index];
}

int32_t get_string_count(int32_t list_index) {
    const loaded_string_list* list = find_loaded(list_index);
    return list ? list->count : 0;
}

void unload_string_lists() { loaded_lists().clear(); }

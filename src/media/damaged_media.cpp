#include "media/damaged_media.h"

#include "media/bitmap_text.h"
#include "media/collection_format.h"
#include "media/collection_reader.h"
#include "media/sound_tag.h"

namespace references {

namespace {

constexpr tag_code font_group = make_tag("font");

std::optional<std::string> collection_problem(std::span<const std::byte> data) {
    const std::optional<collection_view> view = open_collection(data);
    if (!view) return "the collection header or its data block does not fit the tag";
    const std::optional<collection_contents> contents = read_collection_contents(data);
    if (!contents) return "a section of the collection (colours, bitmaps, instances, sequences) does not fit its data";
    for (std::size_t index = 0; index < contents->bitmap_references.size(); ++index) {
        if (!expand_collection_bitmap(*view, contents->bitmap_references[index])) {
            return "bitmap " + std::to_string(index) + " cannot be decoded";
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> media_data_problem(tag_code group, std::span<const std::byte> data) {
    if (group == font_group) return font_data_problem(data);
    if (group == sound_group_tag) {
        sound_tag_read_result read = read_sound_tag(data);
        if (!read.sound) return std::move(read.problem);
        return std::nullopt;
    }
    if (group == collection_group_tag) return collection_problem(data);
    return std::nullopt;
}

}  // namespace references

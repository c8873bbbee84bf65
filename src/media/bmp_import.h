#pragma once

// Importing an 8-bit BMP as one of the three pictures the game shows outside its
// sprite animations: the overhead map of a level, the preview of a network map
// and the icon of a plugin. Each becomes a complete collection tag with one
// colour table, one bitmap of the kind's fixed size, one instance, one or two
// sequences and one shadow map.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "media/bmp_reader.h"
#include "media/collection_format.h"
#include "media/collection_writer.h"
#include "tag_files/tag_directory.h"

enum class bitmap_import_kind : int {
    overhead_map = 0,    // 128 x 128, a new tag named after the file
    netmap_preview = 1,  // 377 x 190, a new tag named after the file
    plugin_icon = 2,     // 415 x 120, the tag with subgroup plugin_icon_subgroup
};

inline constexpr tag_code plugin_icon_subgroup = make_tag("##p#");

// The frame's "Import Bitmap" popup.
inline constexpr std::int32_t import_overhead_map_command = 32784;  // "Overhead Map..."
inline constexpr std::int32_t import_netmap_preview_command = 32785;  // "Netmap Preview..."

// The open-file dialog of the command.
inline constexpr const char* bitmap_import_dialog_title = "Select a bitmap to import";
inline constexpr const char* bitmap_import_dialog_filter = "Bitmap Files (*.BMP)";
inline constexpr const char* bitmap_import_dialog_pattern = "*.BMP";
inline constexpr const char* bitmap_import_default_extension = "BMP";

inline constexpr const char* bitmap_import_error_caption = "Error";

struct bitmap_import_size {
    std::int16_t width;
    std::int16_t height;
};

bitmap_import_size bitmap_import_kind_size(bitmap_import_kind kind);

// The collection of a kind from a picture: the palette as colour table, the
// top-left of the picture in a bitmap of the kind's size (colour 0 where the
// picture is smaller).
collection_source bitmap_import_collection(bitmap_import_kind kind, const bmp_image& image);

// Writes the collection as a `.256` tag in one step, so that a failure leaves
// the previous tag as it was. Kinds 0 and 1 write the tag of that name (made
// valid as a tag name); kind 2 writes the `.256` tag with the plugin icon
// subgroup and then names it after name. The handle, or NONE.
tag_handle write_bitmap_collection(bitmap_import_kind kind, const std::string& name, const collection_source& collection);

// What the command tells the user: nothing on success, otherwise message and
// caption for an error box.
struct bitmap_import_outcome {
    bool succeeded = false;
    std::string message;
    std::string caption;
    tag_handle handle = NONE;
};

// The command after the open-file dialog: reads the BMP at path and writes the
// kind's collection, named after the file's name without its folder.
bitmap_import_outcome import_bitmap_file(bitmap_import_kind kind, const std::string& path);

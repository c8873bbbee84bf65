#include "tag_files/tag_groups.h"

#include <array>


namespace {

constexpr std::uint32_t marks_file = group_flag_marks_file;
constexpr std::uint32_t outside_local = group_flag_outside_local;
constexpr std::uint32_t numbered = group_flag_numbered;

constexpr std::array<group_definition, tag_group_table_size> group_table{{
    {"ambient sounds", 0, make_tag("amso"), 1, 0},
    {"artifacts", marks_file, make_tag("arti"), 1, 0},
    {"collection references", 0, make_tag("core"), 1, 0},
    {"collections", marks_file, make_tag(".256"), 4, 2},
    {"dialog string lists", 0, make_tag("ditl"), 1, 3},
    {"dialogs", 0, make_tag("bina"), 1, 0},
    {"fonts", 0, make_tag("font"), 1, 3},
    {"geometries", marks_file, make_tag("geom"), 1, 1},
    {"interface", 0, make_tag("inte"), 1, 0},
    {"lightning", marks_file, make_tag("ligh"), 1, 0},
    {"local physics", 0, make_tag("phys"), 1, 0},
    {"local projectile groups", 0, make_tag("lpgr"), 1, 0},
    {"media types", marks_file, make_tag("medi"), 1, 0},
    {"mesh effect", marks_file, make_tag("meef"), 1, 0},
    {"mesh lighting", 0, make_tag("meli"), 1, 0},
    {"meshes", marks_file, make_tag("mesh"), 11, 0},
    {"models", marks_file, make_tag("mode"), 4, 0},
    {"model animations", marks_file, make_tag("anim"), 1, 0},
    {"monsters", marks_file, make_tag("mons"), 1, 0},
    {"objects", marks_file, make_tag("obje"), 1, 0},
    {"observer constants", 0, make_tag("obpc"), 1, 0},
    {"particle systems", marks_file, make_tag("part"), 1, 0},
    {"preferences", outside_local, make_tag("pref"), 1, 0},
    {"projectile groups", marks_file, make_tag("prgr"), 1, 0},
    {"projectiles", marks_file, make_tag("proj"), 1, 0},
    {"recordings", outside_local | numbered, make_tag("reco"), 3, 0},
    {"saved games", outside_local | numbered, make_tag("save"), 3, 0},
    {"scenery", marks_file, make_tag("scen"), 2, 0},
    {"sound lists", 0, make_tag("soli"), 1, 0},
    {"sounds", 0, make_tag("soun"), 1, 0},
    {"string lists", 0, make_tag("stli"), 1, 3},
    {"text", 0, make_tag("text"), 1, 0},
    {"templates", 0, make_tag("temp"), 1, 0},
    {"units", marks_file, make_tag("unit"), 1, 0},
    {"wind", marks_file, make_tag("wind"), 1, 0},
    {"connectors", marks_file, make_tag("conn"), 1, 0},
    {"preloaded data", 0, make_tag("prel"), 1, 0},
    {"formations", 0, make_tag("form"), 1, 0},
}};

constexpr std::array<tag_code, 6> game_mode_groups{
    make_tag("obpc"), make_tag("form"), make_tag("stli"),
    make_tag("pref"), make_tag("reco"), make_tag("save"),
};

}  // namespace

const group_definition* tag_group_get_definition(tag_code group) {
    for (const group_definition& row : group_table) {
        if (row.group_tag == group) return &row;
    }
    return nullptr;
}

const group_definition* tag_group_next(const group_definition* row) {
    if (!row) return group_table.data();
    if (row < group_table.data() || row >= group_table.data() + group_table.size() - 1) return nullptr;
    return row + 1;
}

int tag_group_count() { return tag_group_table_size; }

void tag_group_get_folder_names(const char* names[tag_group_table_size]) {
    for (int index = 0; index < tag_group_table_size; ++index) names[index] = group_table[index].folder_name;
}

const char* tag_group_get_folder_name(tag_code group) {
    const group_definition* row = tag_group_get_definition(group);
    return row ? row->folder_name : "<invalid group>";
}

std::int16_t tag_group_get_version(tag_code group) {
    const group_definition* row = tag_group_get_definition(group);
    return row ? row->version : -1;
}

bool tag_group_is_game_mode_group(tag_code group) {
    for (tag_code code : game_mode_groups) {
        if (code == group) return true;
    }
    return false;
}

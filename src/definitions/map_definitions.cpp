#include "definitions/map_definitions.h"

#include "definitions/field_builders.h"

namespace definitions {

using namespace fields;

namespace {

constexpr FieldDescription mesh_header_fields[] = {
    reference("landscape_collection", 0, make_tag(".256")),
    reference("media", 4, make_tag("medi")),
    reserved_words("unused_8", 8, 2, 2),
    reserved_words("unused_12", 12, 4, 2),
    reserved("unused_20", 20, 4),
    reserved_words("unused_24", 24, 4, 2),
    reserved("unused_32", 32, 4),
    reserved_words("unused_36", 36, 4, 3),
    reserved("unused_48", 48, 4),
    reserved_words("unused_52", 52, 4, 3),
    reserved("unused_64", 64, 4),
    reference("mesh_lighting", 68, make_tag("meli")),
    reference("connector", 72, make_tag("conn")),
    flags("flags", 76, 4, mesh_flag_names),
    reference("particle_system", 80, make_tag("part")),
    int32("team_count", 84),
    int16("dark_color_fraction", 88, FieldKind::short_fixed),
    int16("light_color_fraction", 90, FieldKind::short_fixed),
    color("dark_color", 92),
    color("light_color", 100),
    int32("lighting_transition_point", 108, FieldKind::fixed),
    int16("ceiling_height", 112, FieldKind::world_distance),
    reserved("unused_114", 114, 2),
    reserved_words("unused_116", 116, 2, 4),
    reference("ambient_sound", 124, make_tag("amso")),
    reserved_words("unused_128", 128, 4, 3),
    reference("map_description", 140, make_tag("stli")),
    reference("postgame_collection", 144, make_tag(".256")),
    reference("pregame_collection", 148, make_tag(".256")),
    reference("overhead_map_collection", 152, make_tag(".256")),
    reference("next_mesh_on_success", 156, make_tag("mesh")),
    reference("next_mesh_on_failure", 160, make_tag("mesh")),
    reserved_words("unused_164", 164, 4, 3),
    reference("pregame_storyline", 176, make_tag("text")),
    reserved_words("unused_180", 180, 4, 5),
    reserved("unused_200", 200, 4),
    reserved_words("unused_204", 204, 4, 2),
    reserved("unused_212", 212, 4),
    color("global_tint_color", 216),
    int16("global_tint_fraction", 224, FieldKind::short_fixed),
    reserved("unused_226", 226, 2),
    reference("wind", 228, make_tag("wind")),
    reserved_words("unused_232", 232, 4, 3),
    color("blood_color", 244),
    reference("picture_captions", 252, make_tag("stli")),
    reference("narration_sound", 256, make_tag("soun")),
    reserved_words("unused_260", 260, 4, 2),
    enumeration("reverb_environment", 268, reverb_environment_names, 1, 4),
    real("reverb_volume", 272),
    real("reverb_decay_time", 276),
    real("reverb_damping", 280),
    reserved_words("unused_284", 284, 4, 4),
    text("pregame_movie", 300, map_movie_name_capacity),
    text("success_movie", 364, map_movie_name_capacity),
    text("failure_movie", 428, map_movie_name_capacity),
    reference("hints_list", 492, make_tag("stli")),
    color("fog_color", 496),
    real("fog_density", 504),
    reserved_words("unused_508", 508, 4, 2),
    text("required_plugin", 516, map_plugin_name_capacity),
    reserved("unused_548", 548, 476),
};

}  // namespace

const RecordDescription mesh_header_description{
    "mesh_header", sizeof(mesh_header), mesh_header_codes, mesh_header_fields};

}  // namespace definitions

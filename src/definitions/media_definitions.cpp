#include "definitions/media_definitions.h"

#include <algorithm>

#include "definitions/field_builders.h"

namespace definitions {

using namespace fields;

namespace {

// The collection reference starts at subgroup 0 rather than NONE, as in the
// engine's default record.
constexpr media_definition make_media_default() {
    media_definition media{};
    std::ranges::fill(media.projectile_groups, tag_code{NONE});
    std::ranges::fill(media.unused_references, int32_t{NONE});
    media.surface_effect = NONE;
    media.maximum_effects_per_cell = 1;
    media.time_between_effects = 30;
    return media;
}

constexpr FieldDescription media_fields[] = {
    flags("flags", 0, 4, media_flag_names),
    reference("collection_reference", 4, make_tag("core")),
    reserved("reserved_8", 8, 16),
    reference("projectile_groups", 24, make_tag("prgr"), media_projectile_group_count),
    reserved_words("unused_references", 52, 4, 9),
    int16("reflection_tint_fraction", 88, FieldKind::short_fixed),
    color("reflection_tint_color", 90),
    uint16("surface_effect_density", 98, FieldKind::fraction),
    reference("surface_effect", 100, make_tag("lpgr")),
    int16("wobble_magnitude", 104, FieldKind::world_distance, 3),
    int16("wobble_phase_multiplier", 110, FieldKind::world_distance, 3),
    int16("maximum_effects_per_cell", 116),
    int16("time_between_effects", 118, FieldKind::game_ticks),
    uint16("reflection_transparency", 120, FieldKind::fraction),
    reserved("reserved_122", 122, 134),
};

}  // namespace

constinit const media_definition media_definition_default = make_media_default();

int32_t media_user_data(const void*) { return NONE; }

const RecordDescription media_definition_description{
    "media_definition", sizeof(media_definition), media_definition_codes, media_fields};

}  // namespace definitions

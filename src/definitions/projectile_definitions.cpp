#include "definitions/projectile_definitions.h"

#include "core/tag_code.h"
#include "definitions/field_builders.h"

namespace definitions {

namespace {

constexpr damage_definition make_damage_default() {
    damage_definition damage{};
    damage.type = NONE;
    return damage;
}

constexpr projectile_definition make_projectile_default() {
    projectile_definition projectile{};
    projectile.collection = NONE;
    projectile.flight_sequence = NONE;
    projectile.debris_sequence = NONE;
    projectile.bounce_sequence = NONE;
    projectile.detonation_projectile_group = NONE;
    projectile.contrail_projectile = NONE;
    projectile.maximum_contrails = maximum_contrails_unlimited;
    projectile.object = NONE;
    projectile.inertia_lower = 256;
    projectile.detonation_frequency = 65535;
    projectile.media_detonation_frequency = 65535;
    projectile.projectile_class = NONE;
    projectile.lightning = NONE;
    projectile.flight_sound = NONE;
    projectile.rebound_sound = NONE;
    projectile.reserved_68 = NONE;
    projectile.reserved_72 = NONE;
    projectile.animation_rate_lower = 256;
    projectile.contrail_initial_frequency = 65535;
    projectile.guided_turning_speed = 546;
    projectile.promotion_projectile = NONE;
    projectile.promotion_projectile_group = NONE;
    projectile.damage = make_damage_default();
    projectile.artifact = NONE;
    projectile.target_detonation_projectile_group = NONE;
    projectile.reserved_128 = NONE;
    projectile.local_projectile_group = NONE;
    return projectile;
}

using namespace fields;

#define AT(member) offsetof(damage_definition, member)

constexpr FieldDescription damage_definition_fields[] = {
    enumeration("type", AT(type), damage_type_names, 1),
    flags("flags", AT(flags), 2, damage_flag_names),
    int16("damage_lower", AT(damage_lower), FieldKind::short_fixed),
    int16("damage_delta", AT(damage_delta), FieldKind::short_fixed),
    int16("radius_lower", AT(radius_lower), FieldKind::world_distance),
    int16("radius_delta", AT(radius_delta), FieldKind::world_distance),
    int16("rate_of_expansion", AT(rate_of_expansion), FieldKind::world_distance),
    int16("damage_to_velocity", AT(damage_to_velocity), FieldKind::short_fixed),
};

#undef AT

constexpr FieldDescription damage_effect_modifiers_fields[] = {
    int16("slashing", 0, FieldKind::short_fixed),
    int16("kinetic", 2, FieldKind::short_fixed),
    int16("explosive", 4, FieldKind::short_fixed),
    int16("electrical", 6, FieldKind::short_fixed),
    int16("fire", 8, FieldKind::short_fixed),
    int16("paralysis", 10, FieldKind::short_fixed),
    int16("stone", 12, FieldKind::short_fixed),
    int16("gas", 14, FieldKind::short_fixed),
    int16("confusion", 16, FieldKind::short_fixed),
};

#define AT(member) offsetof(projectile_definition, member)

constexpr FieldDescription projectile_definition_fields[] = {
    flags("flags", AT(flags), 4, projectile_flag_names),
    reference("collection", AT(collection), make_tag(".256")),
    int16("flight_sequence", AT(flight_sequence), FieldKind::sequence_index),
    int16("debris_sequence", AT(debris_sequence), FieldKind::sequence_index),
    int16("bounce_sequence", AT(bounce_sequence), FieldKind::sequence_index),
    enumeration("splash_type", AT(splash_type), projectile_splash_type_names, 1),
    reference("detonation_projectile_group", AT(detonation_projectile_group), make_tag("prgr")),
    reference("contrail_projectile", AT(contrail_projectile), make_tag("proj")),
    int16("ticks_between_contrails", AT(ticks_between_contrails)),
    int16("maximum_contrails", AT(maximum_contrails)),
    reference("object", AT(object), make_tag("obje")),
    int16("inertia_lower", AT(inertia_lower), FieldKind::short_fixed),
    int16("inertia_delta", AT(inertia_delta), FieldKind::short_fixed),
    int16("random_initial_velocity", AT(random_initial_velocity), FieldKind::world_distance),
    enumeration("volume", AT(volume), projectile_volume_names, 1),
    int16("tracking_priority", AT(tracking_priority)),
    uint16("promotion_on_detonation_fraction", AT(promotion_on_detonation_fraction), FieldKind::fraction),
    uint16("detonation_frequency", AT(detonation_frequency), FieldKind::fraction),
    uint16("media_detonation_frequency", AT(media_detonation_frequency), FieldKind::fraction),
    int16("detonation_velocity", AT(detonation_velocity), FieldKind::world_distance),
    enumeration("class", AT(projectile_class), projectile_class_names, 1),
    reference("lightning", AT(lightning), make_tag("ligh")),
    reserved("reserved_56", AT(reserved_56), 4),
    reference("flight_sound", AT(flight_sound), make_tag("soun")),
    reference("rebound_sound", AT(rebound_sound), make_tag("soun")),
    reserved_words("reserved_68", AT(reserved_68), 4),
    reserved_words("reserved_72", AT(reserved_72), 4),
    int16("animation_rate_lower", AT(animation_rate_lower), FieldKind::short_fixed),
    int16("animation_rate_delta", AT(animation_rate_delta), FieldKind::short_fixed),
    int16("lifespan_lower", AT(lifespan_lower), FieldKind::game_ticks),
    int16("lifespan_delta", AT(lifespan_delta), FieldKind::game_ticks),
    uint16("contrail_initial_frequency", AT(contrail_initial_frequency), FieldKind::fraction),
    uint16("contrail_final_frequency", AT(contrail_final_frequency), FieldKind::fraction),
    uint16("contrail_frequency_change", AT(contrail_frequency_change), FieldKind::fraction),
    uint16("guided_turning_speed", AT(guided_turning_speed), FieldKind::angular_speed),
    reference("promotion_projectile", AT(promotion_projectile), make_tag("proj")),
    reference("promotion_projectile_group", AT(promotion_projectile_group), make_tag("prgr")),
    int16("maximum_safe_acceleration", AT(maximum_safe_acceleration), FieldKind::world_distance),
    uint16("acceleration_detonation_fraction", AT(acceleration_detonation_fraction), FieldKind::fraction),
    records("damage", AT(damage), damage_definition_description, 1),
    reference("artifact", AT(artifact), make_tag("arti")),
    reference("target_detonation_projectile_group", AT(target_detonation_projectile_group), make_tag("prgr")),
    reserved_words("reserved_128", AT(reserved_128), 4),
    int16("delay_lower", AT(delay_lower), FieldKind::game_ticks),
    int16("delay_delta", AT(delay_delta), FieldKind::game_ticks),
    reference("local_projectile_group", AT(local_projectile_group), make_tag("lpgr")),
    int16("nearby_target_radius", AT(nearby_target_radius)),
    reserved("reserved_142", AT(reserved_142), 2),
    reserved("reserved_144", AT(reserved_144), 79),
    flags("acceleration_flags", AT(acceleration_flags), 1, projectile_acceleration_flag_names),
    reserved("reserved_224", AT(reserved_224), 32),
};

#undef AT

}  // namespace

constinit const damage_definition damage_definition_default = make_damage_default();
constinit const projectile_definition projectile_definition_default = make_projectile_default();

int32_t projectile_user_data(const void*) { return NONE; }

constinit const RecordDescription damage_definition_description{
    "damage_definition", sizeof(damage_definition), damage_definition_codes, damage_definition_fields};
constinit const RecordDescription damage_effect_modifiers_description{
    "damage_effect_modifiers", sizeof(damage_effect_modifiers), damage_effect_modifiers_codes,
    damage_effect_modifiers_fields};
constinit const RecordDescription projectile_definition_description{
    "projectile_definition", sizeof(projectile_definition), projectile_definition_codes,
    projectile_definition_fields};

}  // namespace definitions

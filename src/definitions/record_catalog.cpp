#include "definitions/record_catalog.h"

#include <algorithm>

#include "definitions/ambient_definitions.h"
#include "definitions/collection_reference_definitions.h"
#include "definitions/connector_definitions.h"
#include "definitions/font_definitions.h"
#include "definitions/formation_definitions.h"
#include "definitions/interface_definitions.h"
#include "definitions/local_physics_definitions.h"
#include "definitions/map_definitions.h"
#include "definitions/media_definitions.h"
#include "definitions/mesh_effect_definitions.h"
#include "definitions/mesh_lighting_definitions.h"
#include "definitions/model_animation_definitions.h"
#include "definitions/monster_definitions.h"
#include "definitions/object_definitions.h"
#include "definitions/particle_system_definitions.h"
#include "definitions/projectile_definitions.h"
#include "definitions/projectile_group_definitions.h"
#include "definitions/sound_definitions.h"
#include "definitions/unit_definitions.h"

namespace definitions {

namespace {

constinit const RecordDescription* const descriptions[] = {
    &ambient_sound_definition_description,
    &lightning_definition_description,
    &wind_definition_description,
    &color_permutation_description,
    &collection_reference_description,
    &connector_definition_description,
    &font_definition_description,
    &font_character_description,
    &formation_definition_description,
    &velocity_parameters_description,
    &observer_constants_description,
    &interface_definition_description,
    &local_physics_definition_description,
    &linear_physics_parameters_description,
    &cylindrical_physics_parameters_description,
    &spherical_spring_physics_parameters_description,
    &point_attractor_physics_parameters_description,
    &converging_physics_parameters_description,
    &explosive_gas_physics_parameters_description,
    &mesh_header_description,
    &media_definition_description,
    &mesh_effect_definition_description,
    &mesh_lighting_definition_description,
    &model_animation_frame_description,
    &model_animation_definition_description,
    &attack_sequence_description,
    &attack_definition_description,
    &monster_definition_description,
    &object_definition_description,
    &scenery_definition_description,
    &particle_system_state_description,
    &particle_system_definition_description,
    &damage_definition_description,
    &damage_effect_modifiers_description,
    &projectile_definition_description,
    &projectile_group_part_description,
    &projectile_group_definition_description,
    &local_projectile_group_definition_description,
    &sound_definition_description,
    &sound_permutation_description,
    &sampled_sound_header_description,
    &sound_block_description,
    &sound_list_entry_description,
    &sound_list_description,
    &unit_definition_description,
    &artifact_definition_description,
};

}  // namespace

std::span<const RecordDescription* const> all_record_descriptions() { return descriptions; }

const RecordDescription* find_record_description(std::string_view name) {
    const auto found = std::ranges::find_if(descriptions, [name](const RecordDescription* description) {
        return description->name == name;
    });
    return found == std::end(descriptions) ? nullptr : *found;
}

}  // namespace definitions

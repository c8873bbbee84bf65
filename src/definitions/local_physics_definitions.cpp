#include "definitions/local_physics_definitions.h"

#include "core/byte_swap.h"
#include "core/tag_code.h"
#include "definitions/field_builders.h"

namespace definitions {

constinit const local_physics_definition local_physics_definition_default{};

int32_t local_physics_user_data(const void*) { return NONE; }

namespace {

using namespace fields;

constexpr FieldDescription local_physics_definition_fields[] = {
    enumeration("type", offsetof(local_physics_definition, type), local_physics_type_names, 0),
    reserved("reserved", offsetof(local_physics_definition, reserved), 2),
    // Laid out by the type: see local_physics_parameters_description.
    reserved("parameters", offsetof(local_physics_definition, parameters), sizeof(local_physics_parameters)),
};

#define AT(member) offsetof(linear_physics_parameters, member)

constexpr FieldDescription linear_physics_parameters_fields[] = {
    flags("flags", AT(flags), 4, linear_physics_flag_names),
    int32("linear_acceleration", AT(linear_acceleration), FieldKind::fixed, 3),
    int32("initial_velocity_lower", AT(initial_velocity_lower), FieldKind::fixed, 3),
    int32("initial_velocity_delta", AT(initial_velocity_delta), FieldKind::fixed, 3),
    int32("random_acceleration", AT(random_acceleration), FieldKind::fixed, 3),
    reserved("reserved", AT(reserved), 8),
};

#undef AT
#define AT(member) offsetof(cylindrical_physics_parameters, member)

constexpr FieldDescription cylindrical_physics_parameters_fields[] = {
    uint32("flags", AT(flags), FieldKind::flags),
    int16("angular_acceleration", AT(angular_acceleration)),
    int16("initial_angular_velocity_lower", AT(initial_angular_velocity_lower)),
    int16("initial_angular_velocity_delta", AT(initial_angular_velocity_delta)),
    int16("initial_z_deviation", AT(initial_z_deviation), FieldKind::world_distance),
    int32("attraction_constant", AT(attraction_constant), FieldKind::fixed),
    int32("radial_velocity", AT(radial_velocity), FieldKind::fixed),
    int32("z_acceleration", AT(z_acceleration), FieldKind::fixed),
    reserved("reserved", AT(reserved), 36),
};

#undef AT
#define AT(member) offsetof(spherical_spring_physics_parameters, member)

constexpr FieldDescription spherical_spring_physics_parameters_fields[] = {
    flags("flags", AT(flags), 4, spherical_spring_physics_flag_names),
    int16("initial_angular_velocity_lower", AT(initial_angular_velocity_lower)),
    int16("initial_angular_velocity_delta", AT(initial_angular_velocity_delta)),
    int32("attraction_constant", AT(attraction_constant), FieldKind::fixed),
    reserved("reserved", AT(reserved), 48),
};

#undef AT
#define AT(member) offsetof(point_attractor_physics_parameters, member)

constexpr FieldDescription point_attractor_physics_parameters_fields[] = {
    flags("flags", AT(flags), 4, point_attractor_physics_flag_names),
    int32("maximum_velocity", AT(maximum_velocity), FieldKind::fixed),
    int32("radial_velocity", AT(radial_velocity), FieldKind::fixed),
    int32("attraction_constant", AT(attraction_constant), FieldKind::fixed),
    int16("minimum_height_above_mesh", AT(minimum_height_above_mesh), FieldKind::world_distance),
    reserved("reserved", AT(reserved), 42),
};

#undef AT
#define AT(member) offsetof(converging_physics_parameters, member)

constexpr FieldDescription converging_physics_parameters_fields[] = {
    flags("flags", AT(flags), 4, converging_physics_flag_names),
    int16("initial_angular_velocity_lower", AT(initial_angular_velocity_lower)),
    int16("initial_angular_velocity_delta", AT(initial_angular_velocity_delta)),
    uint16("minimum_phi", AT(minimum_phi), FieldKind::angle),
    uint16("phi_delta", AT(phi_delta), FieldKind::angle),
    reserved("reserved", AT(reserved), 48),
};

#undef AT
#define AT(member) offsetof(explosive_gas_physics_parameters, member)

constexpr FieldDescription explosive_gas_physics_parameters_fields[] = {
    uint32("flags", AT(flags), FieldKind::flags),
    int32("starting_velocity_lower", AT(starting_velocity_lower), FieldKind::fixed),
    int32("starting_velocity_delta", AT(starting_velocity_delta), FieldKind::fixed),
    int32("radial_acceleration", AT(radial_acceleration), FieldKind::fixed),
    int32("linear_acceleration", AT(linear_acceleration), FieldKind::fixed, 3),
    int16("drag", AT(drag), FieldKind::short_fixed),
    reserved("reserved", AT(reserved), 30),
};

#undef AT

}  // namespace

constinit const RecordDescription local_physics_definition_description{
    "local_physics_definition", sizeof(local_physics_definition), local_physics_definition_codes,
    local_physics_definition_fields};

// The names double as the conversion's log labels.
constinit const RecordDescription linear_physics_parameters_description{
    "linear physics", sizeof(linear_physics_parameters), linear_physics_parameters_codes,
    linear_physics_parameters_fields};
constinit const RecordDescription cylindrical_physics_parameters_description{
    "cylindrical physics", sizeof(cylindrical_physics_parameters), cylindrical_physics_parameters_codes,
    cylindrical_physics_parameters_fields};
constinit const RecordDescription spherical_spring_physics_parameters_description{
    "spherical spring physics", sizeof(spherical_spring_physics_parameters),
    spherical_spring_physics_parameters_codes, spherical_spring_physics_parameters_fields};
constinit const RecordDescription point_attractor_physics_parameters_description{
    "point attractor physics", sizeof(point_attractor_physics_parameters), point_attractor_physics_parameters_codes,
    point_attractor_physics_parameters_fields};
constinit const RecordDescription converging_physics_parameters_description{
    "converging physics", sizeof(converging_physics_parameters), converging_physics_parameters_codes,
    converging_physics_parameters_fields};
constinit const RecordDescription explosive_gas_physics_parameters_description{
    "explosive gas physics", sizeof(explosive_gas_physics_parameters), explosive_gas_physics_parameters_codes,
    explosive_gas_physics_parameters_fields};

const RecordDescription* local_physics_parameters_description(int16_t type) {
    static constexpr const RecordDescription* by_type[local_physics_type_count] = {
        &linear_physics_parameters_description,
        &cylindrical_physics_parameters_description,
        &spherical_spring_physics_parameters_description,
        &point_attractor_physics_parameters_description,
        &converging_physics_parameters_description,
        &explosive_gas_physics_parameters_description,
    };
    if (type < 0 || type >= local_physics_type_count) return nullptr;
    return by_type[type];
}

void convert_physics_parameters(void* record) {
    auto* physics = static_cast<local_physics_definition*>(record);
    const RecordDescription* parameters = local_physics_parameters_description(physics->type);
    if (parameters == nullptr) return;
    byte_swap_data(parameters->name, &physics->parameters, static_cast<int32_t>(parameters->size), 1,
                   parameters->codes);
}

}  // namespace definitions

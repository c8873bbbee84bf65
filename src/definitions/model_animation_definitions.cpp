#include "definitions/model_animation_definitions.h"

#include "definitions/field_builders.h"

namespace definitions {

using namespace fields;

constinit const model_animation_definition model_animation_definition_default{};

constinit const model_animation_frame model_animation_frame_default{
    .unused_0 = 11,
    .model = NONE,
    .unused_8 = {0xFF, 0xFF},
    .permutation_index = 0,
    .unused_12 = {},
};

int32_t model_animation_user_data(const void*) { return NONE; }

namespace {

constexpr FieldDescription model_animation_frame_fields[] = {
    reserved_words("unused_0", 0, 4),
    reference("model", 4, make_tag("mode")),
    reserved("unused_8", 8, 2),
    int16("permutation_index", 10),
    reserved("unused_12", 12, 4),
};

}  // namespace

const RecordDescription model_animation_frame_description{
    "model_animation_frame", sizeof(model_animation_frame), model_animation_frame_codes,
    model_animation_frame_fields};

namespace {

constexpr FieldDescription model_animation_fields[] = {
    flags("flags", 0, 4, model_animation_flag_names),
    element_count("frame_count", 4, model_animation_frame_capacity),
    int16("ticks_per_frame", 6),
    records("frames", 8, model_animation_frame_description, model_animation_frame_capacity),
    reserved("unused_504", 504, 444),
    reserved_words("unused_948", 948, 2, 3),
    reserved("unused_954", 954, 2),
    reserved_words("unused_956", 956, 2, 2),
    reference("forward_sound", 960, make_tag("soun")),
    reference("backward_sound", 964, make_tag("soun")),
    reserved("unused_968", 968, 44),
    reserved_words("unused_1012", 1012, 4, 3),
};

}  // namespace

const RecordDescription model_animation_definition_description{
    "model_animation_definition", sizeof(model_animation_definition), model_animation_definition_codes,
    model_animation_fields};

}  // namespace definitions

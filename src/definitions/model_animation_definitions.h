#pragma once

// Model animations (group `anim`): up to 31 frames, each naming a model and a
// permutation, with timing, flags and sounds.

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"
#include "definitions/field_description.h"

namespace definitions {

inline constexpr int model_animation_frame_capacity = 31;

struct model_animation_frame {
    int32_t unused_0;
    tag_code model;  // `mode`; names the frame in the element list
    uint8_t unused_8[2];
    int16_t permutation_index;
    uint8_t unused_12[4];
};
static_assert(sizeof(model_animation_frame) == 16);
static_assert(offsetof(model_animation_frame, model) == 4);
static_assert(offsetof(model_animation_frame, unused_8) == 8);
static_assert(offsetof(model_animation_frame, permutation_index) == 10);
static_assert(offsetof(model_animation_frame, unused_12) == 12);

inline constexpr int16_t model_animation_frame_codes[] = {-100, 1, -4, -4, 2, -2, 4, -101};

struct model_animation_definition {
    uint32_t flags;
    int16_t frame_count;
    int16_t ticks_per_frame;
    model_animation_frame frames[model_animation_frame_capacity];
    uint8_t unused_504[444];
    int16_t unused_948[3];
    uint8_t unused_954[2];
    int16_t unused_956[2];
    tag_code forward_sound;   // `soun`
    tag_code backward_sound;  // `soun`
    uint8_t unused_968[44];
    int32_t unused_1012[3];
};
static_assert(sizeof(model_animation_definition) == 1024);
static_assert(offsetof(model_animation_definition, frame_count) == 4);
static_assert(offsetof(model_animation_definition, ticks_per_frame) == 6);
static_assert(offsetof(model_animation_definition, frames) == 8);
static_assert(offsetof(model_animation_definition, unused_504) == 504);
static_assert(offsetof(model_animation_definition, unused_948) == 948);
static_assert(offsetof(model_animation_definition, unused_954) == 954);
static_assert(offsetof(model_animation_definition, unused_956) == 956);
static_assert(offsetof(model_animation_definition, forward_sound) == 960);
static_assert(offsetof(model_animation_definition, backward_sound) == 964);
static_assert(offsetof(model_animation_definition, unused_968) == 968);
static_assert(offsetof(model_animation_definition, unused_1012) == 1012);

inline constexpr int16_t model_animation_definition_codes[] = {
    -100, 1,
    -4, -2, -2,
    -100, 31, -4, -4, 2, -2, 4, -101,
    444,
    -2, -2, -2, 2, -2, -2,
    -4, -4,
    4, 40,
    -4, -4, -4,
    -101};

// A new tag has no frames; the element list adds copies of the default frame.
extern const model_animation_definition model_animation_definition_default;
extern const model_animation_frame model_animation_frame_default;
int32_t model_animation_user_data(const void* record);
extern const RecordDescription model_animation_frame_description;
extern const RecordDescription model_animation_definition_description;

inline constexpr NamedValue model_animation_flag_names[] = {
    {0x1, "Random Initial Frame"},
    {0x2, "Animation Cycles"},
    {0x4, "Animate Back and Forth"},
    {0x8, "Animation Initially Running"},
};

}  // namespace definitions

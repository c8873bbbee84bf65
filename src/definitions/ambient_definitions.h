#pragma once

// Environment effects of a map: ambient sounds (group `amso`), lightning (group
// `ligh`) and wind (group `wind`).

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"
#include "definitions/field_description.h"
#include "definitions/projectile_definitions.h"

namespace definitions {

inline constexpr int ambient_further_sound_count = 4;

struct ambient_sound_definition {
    uint32_t flags;
    int16_t inner_radius;  // world distance
    int16_t outer_radius;  // world distance
    int16_t period_lower;  // ticks, value range
    int16_t period_delta;
    tag_code background_sound;  // `soun`
    tag_code random_sound;      // `soun`
    tag_code further_sounds[ambient_further_sound_count];  // carried along; the engine resolves only the two above
    int16_t random_sound_radius;  // world distance
    uint8_t reserved[10];
    uint8_t runtime[16];
};
static_assert(sizeof(ambient_sound_definition) == 64);
static_assert(offsetof(ambient_sound_definition, period_delta) == 10);
static_assert(offsetof(ambient_sound_definition, background_sound) == 12);
static_assert(offsetof(ambient_sound_definition, random_sound) == 16);
static_assert(offsetof(ambient_sound_definition, further_sounds) == 20);
static_assert(offsetof(ambient_sound_definition, random_sound_radius) == 36);
static_assert(offsetof(ambient_sound_definition, reserved) == 38);
static_assert(offsetof(ambient_sound_definition, runtime) == 48);

inline constexpr int16_t ambient_sound_definition_codes[] = {
    -100, 1, -4, -2, -2, -2, -2, -4, -4, -4, -4, -4, -4, -2, 10, 12, 4, -101};

extern const ambient_sound_definition ambient_sound_definition_default;
int32_t ambient_sound_user_data(const void* record);
extern const RecordDescription ambient_sound_definition_description;

struct lightning_definition {
    uint32_t flags;
    tag_code collection_reference;  // `core`
    int32_t shock_duration;  // ticks
    int32_t fade_duration;   // ticks
    int32_t bolt_length;     // world distance
    int16_t fork_sequence;
    int16_t main_bolt_sequence;
    int16_t mesh_stain_sequence;
    int16_t velocity;  // world distance
    int16_t scale;     // short fixed
    int16_t fork_segments_lower;
    int16_t fork_segments_delta;
    int16_t fork_overlap;
    int16_t main_bolt_overlap;
    uint16_t fork_angle;
    damage_definition damage;
    int16_t apparent_bolt_count;
    uint8_t runtime[6];
};
static_assert(sizeof(lightning_definition) == 64);
static_assert(offsetof(lightning_definition, bolt_length) == 16);
static_assert(offsetof(lightning_definition, fork_sequence) == 20);
static_assert(offsetof(lightning_definition, velocity) == 26);
static_assert(offsetof(lightning_definition, fork_segments_lower) == 30);
static_assert(offsetof(lightning_definition, fork_angle) == 38);
static_assert(offsetof(lightning_definition, damage) == 40);
static_assert(offsetof(lightning_definition, apparent_bolt_count) == 56);
static_assert(offsetof(lightning_definition, runtime) == 58);

inline constexpr int16_t lightning_definition_codes[] = {
    -100, 1, -100, 5, -4, -101, -100, 19, -2, -101, 6, -101};

extern const lightning_definition lightning_definition_default;
int32_t lightning_user_data(const void* record);
extern const RecordDescription lightning_definition_description;

inline constexpr NamedValue lightning_flag_names[] = {
    {0x1, "Duration Based on Length"},
    {0x2, "Scars Ground"},
    {0x4, "Moves Objects"},
    {0x8, "Ignores Collisions With Models"},
};

struct wind_definition {
    uint32_t flags;
    int32_t time_lower;  // ticks, value range
    int32_t time_delta;
    int32_t maximum_adjustment_per_tick;  // 16.16
    int32_t velocity_lower[3];            // 16.16 i, j, k, value ranges
    int32_t velocity_delta[3];
    int32_t runtime_ticks_until_adjustment;  // the engine's; never converted
    int32_t runtime_current_velocity[3];
    int32_t runtime_target_velocity[3];
    uint8_t reserved[60];
};
static_assert(sizeof(wind_definition) == 128);
static_assert(offsetof(wind_definition, maximum_adjustment_per_tick) == 12);
static_assert(offsetof(wind_definition, velocity_lower) == 16);
static_assert(offsetof(wind_definition, velocity_delta) == 28);
static_assert(offsetof(wind_definition, runtime_ticks_until_adjustment) == 40);
static_assert(offsetof(wind_definition, runtime_current_velocity) == 44);
static_assert(offsetof(wind_definition, runtime_target_velocity) == 56);
static_assert(offsetof(wind_definition, reserved) == 68);

inline constexpr int16_t wind_definition_codes[] = {-100, 1, -100, 10, -4, -101, 4, 24, 60, -101};

extern const wind_definition wind_definition_default;
int32_t wind_user_data(const void* record);
extern const RecordDescription wind_definition_description;

}  // namespace definitions

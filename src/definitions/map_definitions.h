#pragma once

// Maps (group `mesh`): the settings header at the start of a map tag's data. The
// map form reads and writes exactly these 1024 bytes; the rest of the tag is left
// as it is.

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"
#include "definitions/collection_reference_definitions.h"
#include "definitions/field_description.h"

namespace definitions {

static_assert(sizeof(float) == 4);

inline constexpr int map_movie_name_capacity = 64;   // at most 63 characters and a zero
inline constexpr int map_plugin_name_capacity = 32;  // at most 31 characters and a zero

struct mesh_header {
    tag_code landscape_collection;  // `.256`
    tag_code media;                 // `medi`
    int16_t unused_8[2];
    int32_t unused_12[2];
    uint8_t unused_20[4];
    int32_t unused_24[2];
    uint8_t unused_32[4];
    int32_t unused_36[3];
    uint8_t unused_48[4];
    int32_t unused_52[3];
    uint8_t unused_64[4];
    tag_code mesh_lighting;  // `meli`
    tag_code connector;      // `conn`
    uint32_t flags;
    tag_code particle_system;  // `part`
    int32_t team_count;
    int16_t dark_color_fraction;   // short fixed
    int16_t light_color_fraction;  // short fixed
    rgb_color dark_color;
    rgb_color light_color;
    int32_t lighting_transition_point;  // 16.16
    int16_t ceiling_height;             // world distance
    uint8_t unused_114[2];
    int16_t unused_116[4];
    tag_code ambient_sound;  // `amso`
    int32_t unused_128[3];
    tag_code map_description;       // `stli`
    tag_code postgame_collection;   // `.256`
    tag_code pregame_collection;    // `.256`
    tag_code overhead_map_collection;  // `.256`
    tag_code next_mesh_on_success;  // `mesh`
    tag_code next_mesh_on_failure;  // `mesh`
    int32_t unused_164[3];
    tag_code pregame_storyline;  // `text`
    int32_t unused_180[5];
    uint8_t unused_200[4];
    int32_t unused_204[2];
    uint8_t unused_212[4];
    rgb_color global_tint_color;
    int16_t global_tint_fraction;  // short fixed
    uint8_t unused_226[2];
    tag_code wind;  // `wind`
    int32_t unused_232[3];
    rgb_color blood_color;
    tag_code picture_captions;  // `stli`
    tag_code narration_sound;   // `soun`
    int32_t unused_260[2];
    int32_t reverb_environment;  // NONE or an index into the names below
    float reverb_volume;
    float reverb_decay_time;
    float reverb_damping;
    int32_t unused_284[4];
    char pregame_movie[map_movie_name_capacity];
    char success_movie[map_movie_name_capacity];
    char failure_movie[map_movie_name_capacity];
    tag_code hints_list;  // `stli`
    rgb_color fog_color;
    float fog_density;
    int32_t unused_508[2];
    char required_plugin[map_plugin_name_capacity];
    uint8_t unused_548[476];
};
static_assert(sizeof(mesh_header) == 1024);
static_assert(offsetof(mesh_header, unused_8) == 8);
static_assert(offsetof(mesh_header, unused_64) == 64);
static_assert(offsetof(mesh_header, mesh_lighting) == 68);
static_assert(offsetof(mesh_header, flags) == 76);
static_assert(offsetof(mesh_header, team_count) == 84);
static_assert(offsetof(mesh_header, dark_color) == 92);
static_assert(offsetof(mesh_header, light_color) == 100);
static_assert(offsetof(mesh_header, lighting_transition_point) == 108);
static_assert(offsetof(mesh_header, ceiling_height) == 112);
static_assert(offsetof(mesh_header, ambient_sound) == 124);
static_assert(offsetof(mesh_header, map_description) == 140);
static_assert(offsetof(mesh_header, next_mesh_on_success) == 156);
static_assert(offsetof(mesh_header, pregame_storyline) == 176);
static_assert(offsetof(mesh_header, unused_200) == 200);
static_assert(offsetof(mesh_header, unused_212) == 212);
static_assert(offsetof(mesh_header, global_tint_color) == 216);
static_assert(offsetof(mesh_header, global_tint_fraction) == 224);
static_assert(offsetof(mesh_header, wind) == 228);
static_assert(offsetof(mesh_header, blood_color) == 244);
static_assert(offsetof(mesh_header, picture_captions) == 252);
static_assert(offsetof(mesh_header, narration_sound) == 256);
static_assert(offsetof(mesh_header, reverb_environment) == 268);
static_assert(offsetof(mesh_header, reverb_damping) == 280);
static_assert(offsetof(mesh_header, pregame_movie) == 300);
static_assert(offsetof(mesh_header, success_movie) == 364);
static_assert(offsetof(mesh_header, failure_movie) == 428);
static_assert(offsetof(mesh_header, hints_list) == 492);
static_assert(offsetof(mesh_header, fog_color) == 496);
static_assert(offsetof(mesh_header, fog_density) == 504);
static_assert(offsetof(mesh_header, required_plugin) == 516);
static_assert(offsetof(mesh_header, unused_548) == 548);

inline constexpr int16_t mesh_header_codes[] = {
    -100, 1,
    -4, -4,               // 0: landscape, media
    -2, -2,               // 8
    -4, -4, 4,            // 12
    -4, -4, 4,            // 24
    -4, -4, -4, 4,        // 36
    -4, -4, -4, 4,        // 52
    -100, 5, -4, -101,    // 68: lighting, connector, flags, particles, team count
    -100, 10, -2, -101,   // 88: colour fractions, dark and light colours
    -4,                   // 108
    -2, 2,                // 112
    -2, -2, -2, -2,       // 116
    -4, -4, -4, -4, -4, -4, -4, -4,  // 124
    -100, 2, -4, -101,    // 156: next meshes
    -100, 3, -4, -101,    // 164
    -100, 4, -4, -101,    // 176
    -4, -4,               // 192
    4, -4, -4, 4,         // 200
    -2, -2, -2, -2, -2,   // 216: tint colour and fraction
    2,                    // 226
    -4, -4, -4, -4,       // 228
    -2, -2, -2, -2,       // 244: blood colour
    -100, 12, -4, -101,   // 252 to 296
    192,                  // 300: movie names
    -4,                   // 492
    -2, -2, -2, -2,       // 496: fog colour
    -4, -4, -4,           // 504
    478, 14, 16,          // 516: plugin name and the rest
    -101};

extern const RecordDescription mesh_header_description;

inline constexpr NamedValue mesh_flag_names[] = {
    {0x1, "Body Count"},
    {0x2, "Steal The Bacon"},
    {0x4, "Last Man on the Hill"},
    {0x8, "Scavenger Hunt"},
    {0x10, "Flag Rally"},
    {0x20, "Capture the Flag"},
    {0x40, "Balls on Parade"},
    {0x80, "Territories"},
    {0x100, "Captures"},
    {0x200, "King of the Hill"},
    {0x400, "Stampede!"},
    {0x800, "Assassination"},
    {0x1000, "Hunting"},
    {0x2000, "Custom"},
    {0x10000, "Single Player Map"},
    {0x20000, "Supports Unit Trading"},
    {0x40000, "Supports Veterans"},
    {0x80000, "Has Limited Terrain Visibility"},
    {0x100000, "Is Complete"},
    {0x200000, "Can Be Used By Demo"},
    {0x400000, "Leaves Overhead Map Closed"},
    {0x800000, "Is Training Map"},
    {0x1000000, "Can Catch Fire"},
    {0x2000000, "Has Ceiling"},
    {0x4000000, "Has Terrain-Following Camera"},
    {0x20000000, "Uses Anticlump"},
    {0x40000000, "Uses vArdun"},
    {static_cast<int32_t>(0x80000000u), "Requires Plugin:"},
};

// The first fourteen flag bits are the game scoring types.
inline constexpr uint32_t mesh_scoring_type_mask = 0x3FFF;

inline constexpr NamedValue reverb_environment_names[] = {
    {-1, "NONE"},
    {0, "Generic"},
    {1, "Padded Cell"},
    {2, "Room"},
    {3, "Bathroom"},
    {4, "Living Room"},
    {5, "Stone Room"},
    {6, "Auditorium"},
    {7, "Concert Hall"},
    {8, "Cave"},
    {9, "Arena"},
    {10, "Hangar"},
    {11, "Carpeted Hallway"},
    {12, "Hallway"},
    {13, "Stone Corridor"},
    {14, "Alley"},
    {15, "Forest"},
    {16, "City"},
    {17, "Mountains"},
    {18, "Quarry"},
    {19, "Plain"},
    {20, "Parking Lot"},
    {21, "Sewer Pipe"},
    {22, "Underwater"},
    {23, "Drugged"},
    {24, "Dizzy"},
    {25, "Psychotic"},
};

}  // namespace definitions

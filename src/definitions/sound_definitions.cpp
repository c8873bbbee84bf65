#include "definitions/sound_definitions.h"

#include <cstring>

#include "definitions/field_builders.h"

namespace definitions {

using namespace fields;

constinit const sound_definition sound_definition_default{
    .flags = 0,
    .loudness = 1,
    .play_fraction = 65535,
    .external_frequency_modifier = 256,
    .pitch_lower = 256,
    .pitch_delta = 0,
    .volume_lower = 256,
    .volume_delta = 0,
    .subtitle_string_index = 0,
    .sample_header_offset = 0,
    .sample_region_size = 0,
    .subtitle_string_list = 0,
    .runtime_subtitle_list_index = 0,
    .runtime_34 = {},
    .permutation_count = 0,
    .permutation_list_offset = 0,
    .permutation_list_size = 0,
    .runtime_48 = {},
};

int32_t sound_user_data(const void* record) {
    int32_t first_word;
    std::memcpy(&first_word, record, sizeof first_word);
    return first_word;
}

constinit const sound_list sound_list_default{};

constinit const sound_list_entry sound_list_entry_default{.sound = NONE, .reserved = 0, .runtime_sound_index = 0};

int32_t sound_list_user_data(const void*) { return NONE; }

namespace {

constexpr FieldDescription sound_definition_fields[] = {
    flags("flags", 0, 4, sound_flag_names),
    enumeration("loudness", 4, sound_loudness_names, 0),
    uint16("play_fraction", 6, FieldKind::fraction),
    int16("external_frequency_modifier", 8, FieldKind::short_fixed),
    int16("pitch_lower", 10, FieldKind::short_fixed),
    int16("pitch_delta", 12, FieldKind::short_fixed),
    int16("volume_lower", 14, FieldKind::short_fixed),
    int16("volume_delta", 16, FieldKind::short_fixed),
    int16("subtitle_string_index", 18),
    int32("sample_header_offset", 20),
    int32("sample_region_size", 24),
    reference("subtitle_string_list", 28, make_tag("stli")),
    reserved("runtime_32", 32, 4),
    int32("permutation_count", 36),
    int32("permutation_list_offset", 40),
    int32("permutation_list_size", 44),
    reserved("runtime_48", 48, 16),
};

constexpr FieldDescription sound_permutation_fields[] = {
    reserved_words("unused_0", 0, 2),
    uint16("skip_fraction", 2, FieldKind::fraction),
    reserved("padding", 4, 2),
    text("name", 6, sound_permutation_name_capacity),
};

constexpr FieldDescription sampled_sound_header_fields[] = {
    int32("flags", 0),
    int16("bits_per_sample", 4),
    int16("sample_size_shift", 6),
    int16("channels", 8),
    reserved("padding", 10, 2),
    uint32("sample_rate", 12, FieldKind::fixed),
    int32("count", 16),
    reserved_words("reserved", 20, 4, 2),
    reserved("runtime", 28, 4),
};

constexpr FieldDescription sound_block_fields[] = {
    uint16("header", 0),
    uint8("codes", 2, FieldKind::integer, sound_block_samples / 2),
};

constexpr FieldDescription sound_list_entry_fields[] = {
    reference("sound", 0, make_tag("soun")),
    reserved("reserved", 4, 2),
    reserved("runtime_sound_index", 6, 2),
};

}  // namespace

const RecordDescription sound_definition_description{
    "sound_definition", sizeof(sound_definition), sound_definition_codes, sound_definition_fields};
const RecordDescription sound_permutation_description{
    "sound_permutation", sizeof(sound_permutation), sound_permutation_codes, sound_permutation_fields};
const RecordDescription sampled_sound_header_description{
    "sampled_sound_header", sizeof(sampled_sound_header), sampled_sound_header_codes, sampled_sound_header_fields};
const RecordDescription sound_block_description{
    "sound_block", sizeof(sound_block), sound_block_codes, sound_block_fields};
const RecordDescription sound_list_entry_description{
    "sound_list_entry", sizeof(sound_list_entry), sound_list_entry_codes, sound_list_entry_fields};

namespace {

constexpr FieldDescription sound_list_fields[] = {
    element_count("count", 0, sound_list_capacity),
    reserved("padding", 2, 14),
    records("entries", 16, sound_list_entry_description, sound_list_capacity),
};

}  // namespace

const RecordDescription sound_list_description{
    "sound_list", sizeof(sound_list), sound_list_codes, sound_list_fields};

}  // namespace definitions

#pragma once

// A sound tag (group `soun`) as one value: the definition and its permutations,
// each with its name and skip fraction, its sample header and its sample data.
// Reading checks every count, offset and size against the tag's bytes; writing
// lays the regions out without gaps and computes the definition's offsets and
// sizes from them. The form and the command-line tool both go through here.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/tag_code.h"
#include "definitions/sound_definitions.h"
#include "media/shared_bytes.h"
#include "tag_files/tag_directory.h"

inline constexpr tag_code sound_group_tag = make_tag("soun");
inline constexpr int MAXIMUM_EDITOR_PERMUTATIONS = 5;

struct sound_tag_permutation {
    definitions::sound_permutation permutation{};  // host order
    definitions::sampled_sound_header header{};    // host order
    // As stored: for compressed data, 34-byte blocks with big-endian headers.
    shared_bytes data;
};

struct sound_tag {
    definitions::sound_definition definition{};  // host order
    std::vector<sound_tag_permutation> permutations;
};

struct sound_tag_read_result {
    std::optional<sound_tag> sound;
    std::string problem;  // why the bytes are not a sound this editor can hold
    // Read with the derived fields ignored: the sample header offset or the sample
    // region size was not what the layout gives (`problem` says which), so the tag
    // needs writing anew.
    bool derived_fields_wrong = false;
};

// What a reader makes of the definition's sample header offset and sample region
// size, which follow from the layout: the tool checks them, the form ignores them
// and writes them anew.
enum class derived_sound_fields { checked, ignored };

// The data size a sample header gives: count * 34 for compressed data, else
// count << sample size shift; nothing for a negative count or a shift outside 0..3.
std::optional<std::int64_t> sampled_sound_data_size(const definitions::sampled_sound_header& header);

// A new sound: the group's default definition, no permutations.
sound_tag new_sound_tag();

sound_tag_read_result read_sound_tag(std::span<const std::byte> data,
                                     derived_sound_fields derived = derived_sound_fields::checked);

// The definition as the tag will hold it: count, list offset and size, sample
// header offset and sample region size computed from the permutations.
definitions::sound_definition laid_out_sound_definition(const sound_tag& sound);

// The whole data of the tag, in file order; nothing with more than five
// permutations, a data size that does not match its header, or more than a tag
// can hold.
std::optional<std::vector<std::byte>> write_sound_tag(const sound_tag& sound);

// The samples a permutation decodes to (channels interleaved), from block-compressed
// data of one or two channels; nothing for other data.
std::optional<std::vector<std::int16_t>> decode_sound_permutation(const sound_tag_permutation& permutation);
// The sample rate in whole samples per second.
std::uint32_t sound_permutation_rate(const sound_tag_permutation& permutation);

// Reads and checks a visible sound tag.
sound_tag_read_result load_sound_tag(tag_handle handle,
                                     derived_sound_fields derived = derived_sound_fields::checked);
// A visible sound tag read and checked as load_sound_tag does, its samples
// left in the tag to be read a piece at a time: every permutation's data is
// empty, and sample_offsets says where in the tag its samples begin.
struct sound_tag_samples_left_in_tag {
    sound_tag_read_result read;
    std::vector<std::int64_t> sample_offsets;
};
sound_tag_samples_left_in_tag load_sound_tag_without_samples(tag_handle handle);

// Replaces the tag's data with the sound in one step (a monolithic tag becomes
// local; the handle may change). False, with the tag as it was, on any failure.
bool save_sound_tag(tag_handle& handle, const sound_tag& sound);

#include "media/sound_tag.h"

#include <cstring>
#include <limits>

#include "core/byte_swap.h"
#include "media/sound_block_codec.h"
#include "tag_files/tag_data.h"

namespace {

using definitions::sampled_sound_header;
using definitions::sound_definition;
using definitions::sound_permutation;

constexpr std::int64_t definition_size = sizeof(sound_definition);
constexpr std::int64_t permutation_size = sizeof(sound_permutation);
constexpr std::int64_t header_size = sizeof(sampled_sound_header);
constexpr std::int64_t block_size = sizeof(definitions::sound_block);
constexpr int largest_sample_size_shift = 3;

template <typename Record>
Record load_record(std::span<const std::byte> data, std::int64_t offset, const char* name,
                   std::span<const std::int16_t> codes) {
    Record record;
    std::memcpy(&record, data.data() + offset, sizeof record);
    byte_swap_data(name, &record, sizeof record, 1, codes);
    return record;
}

template <typename Record>
void store_record(std::vector<std::byte>& data, std::int64_t offset, Record record, const char* name,
                  std::span<const std::int16_t> codes) {
    byte_swap_data(name, &record, sizeof record, 1, codes);
    std::memcpy(data.data() + offset, &record, sizeof record);
}

std::string text(const char* format, std::int64_t first, std::int64_t second = 0) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, static_cast<long long>(first), static_cast<long long>(second));
    return buffer;
}

sound_tag_read_result refused(std::string problem) {
    sound_tag_read_result result;
    result.problem = std::move(problem);
    return result;
}

}  // namespace

std::optional<std::int64_t> sampled_sound_data_size(const sampled_sound_header& header) {
    if (header.count < 0) {
        return std::nullopt;
    }
    if (header.flags & definitions::sampled_sound_compressed) {
        return std::int64_t(header.count) * block_size;
    }
    if (header.sample_size_shift < 0 || header.sample_size_shift > largest_sample_size_shift) {
        return std::nullopt;
    }
    return std::int64_t(header.count) << header.sample_size_shift;
}

sound_tag new_sound_tag() {
    sound_tag sound;
    sound.definition = definitions::sound_definition_default;
    return sound;
}

namespace {

// Reads a tag of `size` bytes from its first bytes, `data`: all of them when
// the samples are taken, else at least everything before the samples (the
// samples' offsets then go to `sample_offsets`).
sound_tag_read_result read_sound_parts(std::span<const std::byte> data, std::int64_t size, derived_sound_fields derived,
                                       std::vector<std::int64_t>* sample_offsets) {
    if (size < definition_size) {
        return refused(text("the tag holds %lld bytes, fewer than the %lld of a sound definition", size, definition_size));
    }
    sound_tag sound;
    sound.definition =
        load_record<sound_definition>(data, 0, "sound_definition", definitions::sound_definition_codes);
    const sound_definition& definition = sound.definition;
    const std::int64_t count = definition.permutation_count;
    if (count < 0) {
        return refused(text("the permutation count %lld is negative", count));
    }
    if (count > MAXIMUM_EDITOR_PERMUTATIONS) {
        return refused(text("the sound has %lld permutations; at most %lld can be edited", count,
                            MAXIMUM_EDITOR_PERMUTATIONS));
    }
    if (definition.permutation_list_size != permutation_size * count) {
        return refused(text("the permutation list size %lld does not match %lld permutations",
                            definition.permutation_list_size, count));
    }
    const std::int64_t headers_offset = definition_size + permutation_size * count;
    const std::int64_t samples_offset = headers_offset + header_size * count;
    if (samples_offset > size) {
        return refused(text("the permutation list and sample headers need %lld bytes; the tag holds %lld",
                            samples_offset, size));
    }
    std::string derived_problem;
    if (count > 0 && definition.sample_header_offset != headers_offset) {
        derived_problem = text("the sample header offset %lld is not %lld", definition.sample_header_offset, headers_offset);
    }
    std::int64_t sample_bytes = 0;
    for (std::int64_t index = 0; index < count; ++index) {
        sound_tag_permutation permutation;
        permutation.permutation = load_record<sound_permutation>(data, definition_size + permutation_size * index,
                                                                 "sound_permutation", definitions::sound_permutation_codes);
        permutation.header = load_record<sampled_sound_header>(data, headers_offset + header_size * index,
                                                               "sampled_sound_header",
                                                               definitions::sampled_sound_header_codes);
        const std::optional<std::int64_t> data_size = sampled_sound_data_size(permutation.header);
        if (!data_size) {
            return refused(text("the sample header of permutation %lld gives no data size", index));
        }
        const std::int64_t start = samples_offset + sample_bytes;
        if (*data_size > size - start) {
            return refused(text("the samples of permutation %lld run past the end of the tag (%lld bytes)", index, size));
        }
        if (sample_offsets) {
            sample_offsets->push_back(start);
        } else {
            permutation.data.assign(data.begin() + start, data.begin() + start + *data_size);
        }
        sample_bytes += *data_size;
        sound.permutations.push_back(std::move(permutation));
    }
    if (derived_problem.empty() && count > 0 && definition.sample_region_size != header_size * count + sample_bytes) {
        derived_problem = text("the sample region size %lld is not the %lld bytes of headers and samples",
                               definition.sample_region_size, header_size * count + sample_bytes);
    }
    if (!derived_problem.empty() && derived == derived_sound_fields::checked) return refused(derived_problem);
    sound_tag_read_result result;
    result.sound = std::move(sound);
    result.problem = std::move(derived_problem);
    result.derived_fields_wrong = !result.problem.empty();
    return result;
}

}  // namespace

sound_tag_read_result read_sound_tag(std::span<const std::byte> data, derived_sound_fields derived) {
    return read_sound_parts(data, std::int64_t(data.size()), derived, nullptr);
}

sound_definition laid_out_sound_definition(const sound_tag& sound) {
    const auto count = std::int32_t(sound.permutations.size());
    std::int64_t sample_bytes = 0;
    for (const sound_tag_permutation& permutation : sound.permutations) {
        sample_bytes += std::int64_t(permutation.data.size());
    }
    sound_definition definition = sound.definition;
    definition.permutation_count = count;
    definition.permutation_list_offset = std::int32_t(definition_size);
    definition.permutation_list_size = std::int32_t(permutation_size * count);
    definition.sample_header_offset = std::int32_t(definition_size + permutation_size * count);
    definition.sample_region_size = std::int32_t(std::min<std::int64_t>(
        header_size * count + sample_bytes, std::numeric_limits<std::int32_t>::max()));
    return definition;
}

namespace {

// The definition, the permutation list and the sample headers: everything of
// the tag before the samples, which follow in permutation order.
std::optional<std::vector<std::byte>> sound_tag_head(const sound_tag& sound) {
    const auto count = std::int64_t(sound.permutations.size());
    if (count > MAXIMUM_EDITOR_PERMUTATIONS) {
        return std::nullopt;
    }
    const std::int64_t headers_offset = definition_size + permutation_size * count;
    const std::int64_t samples_offset = headers_offset + header_size * count;
    std::int64_t total = samples_offset;
    for (const sound_tag_permutation& permutation : sound.permutations) {
        if (sampled_sound_data_size(permutation.header) != std::int64_t(permutation.data.size())) {
            return std::nullopt;
        }
        total += std::int64_t(permutation.data.size());
    }
    if (total > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    std::vector<std::byte> head(static_cast<std::size_t>(samples_offset));
    store_record(head, 0, laid_out_sound_definition(sound), "sound_definition", definitions::sound_definition_codes);
    for (std::int64_t index = 0; index < count; ++index) {
        const sound_tag_permutation& permutation = sound.permutations[std::size_t(index)];
        store_record(head, definition_size + permutation_size * index, permutation.permutation, "sound_permutation",
                     definitions::sound_permutation_codes);
        store_record(head, headers_offset + header_size * index, permutation.header, "sampled_sound_header",
                     definitions::sampled_sound_header_codes);
    }
    return head;
}

}  // namespace

std::optional<std::vector<std::byte>> write_sound_tag(const sound_tag& sound) {
    std::optional<std::vector<std::byte>> data = sound_tag_head(sound);
    if (!data) return std::nullopt;
    for (const sound_tag_permutation& permutation : sound.permutations) {
        data->insert(data->end(), permutation.data.begin(), permutation.data.end());
    }
    return data;
}

std::optional<std::vector<std::int16_t>> decode_sound_permutation(const sound_tag_permutation& permutation) {
    const sampled_sound_header& header = permutation.header;
    if (!(header.flags & definitions::sampled_sound_compressed) || header.channels < 1 || header.channels > 2 ||
        sampled_sound_data_size(header) != std::int64_t(permutation.data.size())) {
        return std::nullopt;
    }
    std::vector<std::int16_t> samples(std::size_t(decoded_sound_sample_count(header.count, header.channels)));
    decode_sound_blocks(permutation.data.data(), header.count, header.channels, sound_block_headers::stored,
                        samples.data());
    return samples;
}

std::uint32_t sound_permutation_rate(const sound_tag_permutation& permutation) {
    return permutation.header.sample_rate >> 16;
}

bool save_sound_tag(tag_handle& handle, const sound_tag& sound) {
    // Written from its parts: the samples are not copied once more.
    const std::optional<std::vector<std::byte>> head = sound_tag_head(sound);
    std::vector<std::span<const std::byte>> pieces;
    if (head) {
        pieces.emplace_back(*head);
        for (const sound_tag_permutation& permutation : sound.permutations) {
            pieces.emplace_back(permutation.data.data(), permutation.data.size());
        }
    }
    const bool saved = head && tag_replace_data(handle, pieces);
    tag_file_close_local();
    return saved;
}

namespace {

// The tag read up to its samples; the file stays open for them.
sound_tag_samples_left_in_tag read_up_to_samples(tag_handle handle, derived_sound_fields derived) {
    sound_tag_samples_left_in_tag result;
    const std::int32_t size = tag_get_size(handle);
    if (size < 0) {
        result.read = refused("the tag's size is unknown");
        return result;
    }
    // Everything before the samples of the most permutations a sound can have.
    constexpr std::int64_t largest_head = definition_size + (permutation_size + header_size) * MAXIMUM_EDITOR_PERMUTATIONS;
    std::vector<std::byte> head(static_cast<std::size_t>(std::min<std::int64_t>(size, largest_head)));
    if (!head.empty() && !tag_file_read(handle, 0, std::int32_t(head.size()), head.data())) {
        result.read = refused("the tag could not be read");
        return result;
    }
    result.read = read_sound_parts(head, size, derived, &result.sample_offsets);
    return result;
}

}  // namespace

sound_tag_samples_left_in_tag load_sound_tag_without_samples(tag_handle handle) {
    sound_tag_samples_left_in_tag result = read_up_to_samples(handle, derived_sound_fields::checked);
    tag_file_close_local();
    return result;
}

// Each permutation's samples are read straight into its own buffer.
sound_tag_read_result load_sound_tag(tag_handle handle, derived_sound_fields derived) {
    sound_tag_samples_left_in_tag parts = read_up_to_samples(handle, derived);
    if (parts.read.sound) {
        std::vector<sound_tag_permutation>& permutations = parts.read.sound->permutations;
        for (std::size_t index = 0; index < permutations.size(); ++index) {
            const auto size = std::size_t(*sampled_sound_data_size(permutations[index].header));
            std::vector<std::byte> samples(size);
            if (size > 0 && !tag_file_read(handle, std::int32_t(parts.sample_offsets[index]), std::int32_t(size),
                                           samples.data())) {
                parts.read = refused("the tag could not be read");
                break;
            }
            permutations[index].data = shared_bytes(std::move(samples));
        }
    }
    tag_file_close_local();
    return std::move(parts.read);
}

#include "media/sound_intermediate.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/error_manager.h"
#include "core/memory.h"
#include "core/warnings.h"
#include "definitions/sound_definitions.h"
#include "media/sound_block_codec.h"

namespace {

using definitions::sound_block_samples;

constexpr std::int64_t block_bytes = std::int64_t(sizeof(definitions::sound_block));

void* allocate_or_fail(std::int64_t size, const char* format) {
    void* block = allocate_memory(std::size_t(size));
    if (!block) {
        handle_error(error_out_of_memory, __FILE__, __LINE__, format, int(std::min<std::int64_t>(size, INT32_MAX)));
    }
    return block;
}

std::int64_t blocks_for(std::int64_t frames) { return (frames + sound_block_samples - 1) / sound_block_samples; }

// Writes one block from 64 samples and the encoder state before it.
void encode_block(const std::int16_t* samples, std::byte* block, int& step_index, int& predictor) {
    const std::uint16_t header = sound_block_header(predictor, step_index);
    std::memcpy(block, &header, sizeof header);
    encode_sound_block(samples, sound_block_samples, reinterpret_cast<std::uint8_t*>(block + 2), &step_index,
                       &predictor);
}

// The whole blocks are encoded straight from the samples; only the last, padded
// with silence, goes through a block-sized copy.
void compress_mono(intermediate_sound* sound) {
    const auto* samples = static_cast<const std::int16_t*>(sound->samples);
    const std::int64_t frames = sound->frames;
    const std::int64_t blocks = blocks_for(frames);
    auto* output = static_cast<std::byte*>(
        allocate_or_fail(blocks * block_bytes, "couldn't allocate %d bytes for compressed mono sample buffer"));
    int step_index = 0;
    int predictor = 0;
    for (std::int64_t block = 0; block < blocks; ++block) {
        const std::int64_t first = block * sound_block_samples;
        if (first + sound_block_samples <= frames) {
            encode_block(samples + first, output + block * block_bytes, step_index, predictor);
        } else {
            std::int16_t padded[sound_block_samples] = {};
            std::copy(samples + first, samples + frames, padded);
            encode_block(padded, output + block * block_bytes, step_index, predictor);
        }
    }
    set_intermediate_sound_samples(sound, output);
    sound->encoding = SOUND_ENCODING_BLOCK;
    sound->frames = std::int32_t(blocks);
}

void compress_stereo(intermediate_sound* sound) {
    const auto* samples = static_cast<const std::int16_t*>(sound->samples);
    const std::int64_t frames = sound->frames;
    const std::int64_t blocks = blocks_for(frames);
    auto* output = static_cast<std::byte*>(
        allocate_or_fail(2 * blocks * block_bytes, "couldn't allocate %d bytes for compressed stereo sample buffer"));
    sound_encoder_state states[2] = {{0, 0}, {0, 0}};
    for (std::int64_t block = 0; block < blocks; ++block) {
        std::int16_t left[sound_block_samples] = {};
        std::int16_t right[sound_block_samples] = {};
        const std::int64_t first = block * sound_block_samples;
        const std::int64_t count = std::min<std::int64_t>(sound_block_samples, frames - first);
        const std::int16_t* frame = samples + 2 * first;
        for (std::int64_t position = 0; position < count; ++position) {
            left[position] = frame[2 * position];
            right[position] = frame[2 * position + 1];
        }
        std::byte* left_block = output + 2 * block * block_bytes;
        std::byte* right_block = left_block + block_bytes;
        const std::uint16_t headers[2] = {sound_block_header(states[0].predictor, states[0].step_index),
                                          sound_block_header(states[1].predictor, states[1].step_index)};
        std::memcpy(left_block, &headers[0], 2);
        std::memcpy(right_block, &headers[1], 2);
        const std::int16_t* channel_samples[2] = {left, right};
        std::uint8_t* channel_codes[2] = {reinterpret_cast<std::uint8_t*>(left_block + 2),
                                          reinterpret_cast<std::uint8_t*>(right_block + 2)};
        encode_sound_blocks_side_by_side<2>(channel_samples, sound_block_samples, channel_codes, states);
    }
    set_intermediate_sound_samples(sound, output);
    sound->encoding = SOUND_ENCODING_BLOCK;
    sound->frames = std::int32_t(blocks);
}

void decompress(intermediate_sound* sound) {
    char trace[64];
    std::snprintf(trace, sizeof trace, "decompressing sound from type %d", sound->encoding);
    debug_output(trace);
    if (sound->encoding != SOUND_ENCODING_BLOCK) {
        return;
    }
    const std::int64_t blocks = get_intermediate_sound_block_count(sound);
    auto* output = static_cast<std::int16_t*>(allocate_or_fail(blocks * sound_block_samples * 2,
                                                               "couldn't allocate %d bytes for decompressed samples"));
    decode_sound_blocks(static_cast<const std::byte*>(sound->samples), blocks, sound->channels, sound_block_headers::host,
                        output);
    set_intermediate_sound_samples(sound, output);
    sound->encoding = SOUND_ENCODING_NONE;
    sound->frames = std::int32_t(blocks * sound_block_samples / std::max<std::int16_t>(sound->channels, 1));
}

}  // namespace

intermediate_sound* new_intermediate_sound() {
    auto* sound = static_cast<intermediate_sound*>(
        allocate_or_fail(sizeof(intermediate_sound), "couldn't allocate %d bytes for intermediate sound data"));
    if (sound) {
        sound->signature = intermediate_sound_signature;
    }
    return sound;
}

void set_intermediate_sound_format(intermediate_sound* sound, std::int16_t encoding, std::int32_t frames,
                                   std::int16_t bits_per_sample, std::int32_t sample_rate, std::int16_t channels) {
    sound->encoding = encoding;
    sound->frames = frames;
    sound->bits_per_sample = bits_per_sample;
    sound->sample_rate = sample_rate;
    sound->channels = channels;
    sound->format_set = 1;
}

void set_intermediate_sound_samples(intermediate_sound* sound, void* samples) {
    if (sound->samples != samples) {
        dispose_pointer(sound->samples);
    }
    sound->samples = samples;
}

void convert_intermediate_sound_encoding(intermediate_sound* sound, std::int16_t encoding) {
    if (encoding == sound->encoding) {
        return;
    }
    if (sound->encoding != SOUND_ENCODING_NONE) {
        decompress(sound);
    }
    if (encoding != SOUND_ENCODING_BLOCK || sound->encoding != SOUND_ENCODING_NONE) {
        return;
    }
    if (sound->bits_per_sample != 16) {
        debug_output("only 16-bit samples are compressed");
        return;
    }
    switch (sound->channels) {
        case 1: compress_mono(sound); break;
        case 2: compress_stereo(sound); break;
        default: display_warning("We don't support %d channel sounds.", sound->channels); break;
    }
}

void* get_intermediate_sound_samples(const intermediate_sound* sound) { return sound->samples; }

std::int64_t get_intermediate_sound_data_size(const intermediate_sound* sound) {
    const std::int64_t per_channel = sound->encoding == SOUND_ENCODING_BLOCK ? block_bytes : sound->bits_per_sample / 8;
    return std::int64_t(sound->channels) * sound->frames * per_channel;
}

std::int64_t get_intermediate_sound_block_count(const intermediate_sound* sound) {
    return std::int64_t(sound->channels) * sound->frames;
}

void dispose_intermediate_sound(intermediate_sound* sound) {
    if (!sound) {
        return;
    }
    sound->signature = disposed_intermediate_sound_signature;
    dispose_pointer(sound->samples);
    dispose_pointer(sound);
}

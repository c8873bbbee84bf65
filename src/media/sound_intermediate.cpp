#include "media/sound_intermediate.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/error_manager.h"
#include "core/memory.h"
#include "core/warnings.h"
#include "definitions/sound_definitions.h"
#include "media/sound_block_codec.h"
#include "media/sound_block_encoder.h"

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

// Blocks carry host-order headers here; the last block is padded with silence.
void compress(intermediate_sound* sound, const char* failure) {
    const std::int64_t frames = sound->frames;
    const int channels = sound->channels;
    auto* output = static_cast<std::byte*>(
        allocate_or_fail(sound_block_encoder::compressed_size(frames, channels), failure));
    sound_block_encoder encoder(channels, sound_block_headers::host);
    const std::size_t written = encoder.encode(
        std::span(static_cast<const std::int16_t*>(sound->samples), std::size_t(frames * channels)), output);
    encoder.finish(output + written);
    set_intermediate_sound_samples(sound, output);
    sound->encoding = SOUND_ENCODING_BLOCK;
    sound->frames = std::int32_t(blocks_for(frames));
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
        case 1: compress(sound, "couldn't allocate %d bytes for compressed mono sample buffer"); break;
        case 2: compress(sound, "couldn't allocate %d bytes for compressed stereo sample buffer"); break;
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

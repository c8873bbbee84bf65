#include "media/sound_playback.h"

#include <algorithm>
#include <cstring>

#include "core/memory.h"
#include "definitions/sound_definitions.h"
#include "media/sound_block_codec.h"
#include "media/sound_intermediate.h"

namespace {

using definitions::sound_block_samples;

constexpr int playable_bits_per_sample = 16;
constexpr std::size_t block_bytes = sizeof(definitions::sound_block);
// Blocks per channel decoded at a time: a few milliseconds of sound, decoded
// in microseconds.
constexpr std::int64_t chunk_frame_blocks = 64;

bool playable(const definitions::sampled_sound_header& header, std::size_t data_size) {
    return (header.flags & definitions::sampled_sound_compressed) &&
           header.bits_per_sample == playable_bits_per_sample &&
           (header.channels == 1 || header.channels == 2) &&
           sampled_sound_data_size(header) == std::int64_t(data_size);
}

// The conversion module's way: the blocks copied into an intermediate sound
// (host-order headers) and converted to PCM there.
void convert_blocks(const std::byte* stored, std::int64_t frame_blocks, int channels, int sample_rate,
                    std::int16_t* output) {
    const std::size_t size = std::size_t(frame_blocks * channels) * block_bytes;
    auto* blocks = static_cast<std::byte*>(allocate_memory(size));
    std::memcpy(blocks, stored, size);
    for (std::size_t at = 0; at < size; at += block_bytes) {
        const auto header = std::uint16_t(std::to_integer<unsigned>(blocks[at]) << 8 |
                                          std::to_integer<unsigned>(blocks[at + 1]));
        std::memcpy(blocks + at, &header, sizeof header);
    }
    intermediate_sound* sound = new_intermediate_sound();
    set_intermediate_sound_format(sound, SOUND_ENCODING_BLOCK, std::int32_t(frame_blocks),
                                  playable_bits_per_sample, sample_rate, std::int16_t(channels));
    set_intermediate_sound_samples(sound, blocks);
    convert_intermediate_sound_encoding(sound, SOUND_ENCODING_NONE);
    std::memcpy(output, get_intermediate_sound_samples(sound),
                std::size_t(get_intermediate_sound_data_size(sound)));
    dispose_intermediate_sound(sound);
}

}  // namespace

std::int64_t sound_playback_stream::sample_count() const {
    return frame_blocks_ * channels_ * sound_block_samples;
}

void sound_playback_stream::decode_next_chunk() {
    const std::int64_t frame_blocks = std::min(chunk_frame_blocks, frame_blocks_ - next_frame_block_);
    chunk_.resize(std::size_t(frame_blocks * channels_ * sound_block_samples));
    const std::byte* first = data_->data() + std::size_t(next_frame_block_ * channels_) * block_bytes;
    if (decoding_ == sound_playback_decoding::conversion) {
        convert_blocks(first, frame_blocks, channels_, sample_rate_, chunk_.data());
    } else {
        decode_sound_blocks(first, frame_blocks * channels_, channels_, sound_block_headers::stored,
                            chunk_.data());
    }
    next_frame_block_ += frame_blocks;
    chunk_given_ = 0;
}

std::size_t sound_playback_stream::read(std::span<std::int16_t> output) {
    std::size_t written = 0;
    while (written < output.size()) {
        if (chunk_given_ == chunk_.size()) {
            if (next_frame_block_ == frame_blocks_) break;
            decode_next_chunk();
        }
        const std::size_t count = std::min(output.size() - written, chunk_.size() - chunk_given_);
        std::copy_n(chunk_.begin() + std::ptrdiff_t(chunk_given_), count,
                    output.begin() + std::ptrdiff_t(written));
        chunk_given_ += count;
        written += count;
    }
    return written;
}

std::optional<sound_playback_stream> sound_playback_stream_of(
    const definitions::sampled_sound_header& header, std::shared_ptr<const std::vector<std::byte>> data,
    sound_playback_decoding decoding) {
    if (!data || !playable(header, data->size())) return std::nullopt;
    sound_playback_stream stream;
    stream.channels_ = header.channels;
    stream.sample_rate_ = int(header.sample_rate >> 16);
    // An odd last block of a stereo sound has no partner and does not play.
    stream.frame_blocks_ = header.count / header.channels;
    stream.decoding_ = decoding;
    stream.data_ = std::move(data);
    return stream;
}

std::optional<sound_playback_stream> sound_playback_stream_of(const sound_tag_permutation& permutation,
                                                              sound_playback_decoding decoding) {
    return sound_playback_stream_of(permutation.header, permutation.data.share(), decoding);
}

std::optional<sound_playback> sound_playback_of(const sound_tag_permutation& permutation,
                                                sound_playback_decoding decoding) {
    std::optional<sound_playback_stream> stream = sound_playback_stream_of(permutation, decoding);
    if (!stream) return std::nullopt;
    sound_playback playback;
    playback.channels = stream->channels();
    playback.sample_rate = stream->sample_rate();
    playback.samples.resize(std::size_t(stream->sample_count()));
    playback.samples.resize(stream->read(playback.samples));
    return playback;
}

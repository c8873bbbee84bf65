#pragma once

// What the sound form's Play hands to the audio output: a permutation's samples
// as 16-bit PCM, channels interleaved, at its rate. Two decodings give the same
// samples: the block decoder directly, or (while Shift is held) a round through
// an intermediate sound converted back to PCM.
//
// A stream decodes a chunk of blocks at a time as its samples are asked for,
// so that the first samples of a sound of any length are ready at once and the
// whole sound is never held decoded.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "media/sound_tag.h"

enum class sound_playback_decoding { direct, conversion };

class sound_playback_stream {
public:
    int channels() const { return channels_; }
    int sample_rate() const { return sample_rate_; }  // samples per second
    // Every sample the stream gives, the channels counted apart.
    std::int64_t sample_count() const;

    // Fills output with the samples that come next; fewer than output.size()
    // only at the end of the sound.
    std::size_t read(std::span<std::int16_t> output);

private:
    friend std::optional<sound_playback_stream> sound_playback_stream_of(
        const definitions::sampled_sound_header&, std::shared_ptr<const std::vector<std::byte>>,
        sound_playback_decoding);

    void decode_next_chunk();

    std::shared_ptr<const std::vector<std::byte>> data_;  // the stored blocks
    sound_playback_decoding decoding_ = sound_playback_decoding::direct;
    int channels_ = 0;
    int sample_rate_ = 0;
    std::int64_t frame_blocks_ = 0;  // blocks per channel that play
    std::int64_t next_frame_block_ = 0;
    std::vector<std::int16_t> chunk_;
    std::size_t chunk_given_ = 0;
};

// Nothing for data that is not block-compressed 16-bit sound of one or two
// channels matching its header. The stream shares the data, so that it plays
// on after the permutation it came from has changed or gone.
std::optional<sound_playback_stream> sound_playback_stream_of(
    const definitions::sampled_sound_header& header, std::shared_ptr<const std::vector<std::byte>> data,
    sound_playback_decoding decoding);
std::optional<sound_playback_stream> sound_playback_stream_of(const sound_tag_permutation& permutation,
                                                              sound_playback_decoding decoding);

struct sound_playback {
    std::vector<std::int16_t> samples;  // interleaved left/right for two channels
    int channels = 0;
    int sample_rate = 0;  // samples per second
};

// The whole of a stream at once.
std::optional<sound_playback> sound_playback_of(const sound_tag_permutation& permutation,
                                                sound_playback_decoding decoding);

#pragma once

#include "editor/platform/services.h"

#include <cstdint>

namespace platform {

// Sounds on SDL's audio queue. The audio subsystem is started by the first
// play, not at start-up, so that an editor which never plays a sound never
// touches the sound system. A device is opened for the format of the sound to
// play and kept while the sounds that follow share that format. When no output
// can be opened the user is told once, with SDL's reason; later plays fail
// silently.
class SdlAudioOutput final : public AudioOutput {
public:
    SdlAudioOutput() = default;
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    void play(std::vector<std::int16_t> samples, int channels, int sample_rate) override;
    void stop() override;

private:
    bool start_audio();
    bool open_device(int channels, int sample_rate);
    void close_device();
    void report_unavailable();

    enum class State { not_started, started, unavailable };
    State state_ = State::not_started;
    std::uint32_t device_ = 0;
    int device_channels_ = 0;
    int device_rate_ = 0;
    bool reported_ = false;
};

}  // namespace platform

#pragma once

#include "editor/platform/services.h"

#include <cstdint>

namespace platform {

// Sounds through an SDL audio device whose callback takes each buffer's
// samples from the playing source, so that a long sound starts at once and is
// decoded no faster than it plays. The audio subsystem is started by the first
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

    void play(SampleSource source, int channels, int sample_rate) override;
    void stop() override;

private:
    bool start_audio();
    bool open_device(int channels, int sample_rate);
    void close_device();
    void report_unavailable();
    // Replaces the source the device's thread reads from.
    void hand_over(SampleSource source);
    static void fill(void* output, std::uint8_t* buffer, int bytes);

    enum class State { not_started, started, unavailable };
    State state_ = State::not_started;
    std::uint32_t device_ = 0;
    int device_channels_ = 0;
    int device_rate_ = 0;
    bool reported_ = false;
    // Read by the device's thread while it holds the device's lock.
    SampleSource source_;
    bool source_ended_ = true;
};

}  // namespace platform

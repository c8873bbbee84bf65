#include "editor/platform/sdl_audio_output.h"

#include <SDL.h>

#include <QApplication>
#include <QString>

#include <algorithm>
#include <span>

namespace platform {

SdlAudioOutput::~SdlAudioOutput() {
    close_device();
    if (state_ == State::started) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioOutput::start_audio() {
    if (state_ == State::not_started)
        state_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 ? State::started : State::unavailable;
    return state_ == State::started;
}

bool SdlAudioOutput::open_device(int channels, int sample_rate) {
    if (device_ != 0 && device_channels_ == channels && device_rate_ == sample_rate) return true;
    close_device();
    SDL_AudioSpec wanted{};
    wanted.freq = sample_rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(channels);
    wanted.samples = 4096;
    wanted.callback = &SdlAudioOutput::fill;
    wanted.userdata = this;
    // No changes allowed: SDL converts our format to the device's itself.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) return false;
    device_channels_ = channels;
    device_rate_ = sample_rate;
    return true;
}

// On the device's thread, with the device locked.
void SdlAudioOutput::fill(void* output, std::uint8_t* buffer, int bytes) {
    auto& self = *static_cast<SdlAudioOutput*>(output);
    const std::span samples(reinterpret_cast<std::int16_t*>(buffer), static_cast<std::size_t>(bytes) / 2);
    std::size_t written = 0;
    if (!self.source_ended_) {
        written = self.source_(samples);
        self.source_ended_ = written < samples.size();
    }
    std::fill(samples.begin() + static_cast<std::ptrdiff_t>(written), samples.end(), std::int16_t{0});
}

void SdlAudioOutput::hand_over(SampleSource source) {
    SDL_LockAudioDevice(device_);
    std::swap(source_, source);
    source_ended_ = !source_;
    SDL_UnlockAudioDevice(device_);
    // The old source is let go here, not on the device's thread.
}

void SdlAudioOutput::close_device() {
    if (device_ == 0) return;
    SDL_CloseAudioDevice(device_);
    device_ = 0;
}

void SdlAudioOutput::report_unavailable() {
    if (reported_) return;
    reported_ = true;
    QString reason = QString::fromUtf8(SDL_GetError()).trimmed();
    while (reason.endsWith(QLatin1Char('.'))) reason.chop(1);
    if (reason.isEmpty()) reason = QStringLiteral("unknown reason");
    message_box(QApplication::activeWindow(), QStringLiteral("No sound output could be opened: %1.").arg(reason),
                QStringLiteral("Error"), Buttons::ok, Icon::stop);
}

void SdlAudioOutput::play(SampleSource source, int channels, int sample_rate) {
    stop();
    if (channels < 1 || channels > 2 || sample_rate <= 0 || !source) return;
    if (!start_audio() || !open_device(channels, sample_rate)) {
        report_unavailable();
        return;
    }
    hand_over(std::move(source));
    SDL_PauseAudioDevice(device_, 0);
}

void SdlAudioOutput::stop() {
    if (device_ == 0) return;
    SDL_PauseAudioDevice(device_, 1);
    hand_over(nullptr);
}

}  // namespace platform

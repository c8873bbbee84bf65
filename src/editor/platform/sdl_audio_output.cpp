#include "editor/platform/sdl_audio_output.h"

#include <SDL.h>

#include <QApplication>
#include <QString>

#include <limits>

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
    // No changes allowed: SDL converts our format to the device's itself.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) return false;
    device_channels_ = channels;
    device_rate_ = sample_rate;
    return true;
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

void SdlAudioOutput::play(std::vector<std::int16_t> samples, int channels, int sample_rate) {
    stop();
    if (channels < 1 || channels > 2 || sample_rate <= 0 || samples.empty()) return;
    const std::size_t bytes = samples.size() * sizeof(std::int16_t);
    if (bytes > std::numeric_limits<Uint32>::max()) return;
    if (!start_audio() || !open_device(channels, sample_rate)) {
        report_unavailable();
        return;
    }
    if (SDL_QueueAudio(device_, samples.data(), static_cast<Uint32>(bytes)) != 0) return;
    SDL_PauseAudioDevice(device_, 0);
}

void SdlAudioOutput::stop() {
    if (device_ == 0) return;
    SDL_PauseAudioDevice(device_, 1);
    SDL_ClearQueuedAudio(device_);
}

}  // namespace platform

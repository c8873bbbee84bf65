#include "editor/platform/services.h"

#include "editor/platform/qt_services.h"
#include "editor/platform/sdl_audio_output.h"

#include <QCoreApplication>

namespace platform {
namespace {

Services& installed() {
    static QtServices qt;
    static SdlAudioOutput audio;
    static Services services{&qt, &qt, &qt, &qt, &qt, &qt, &qt, &audio};
    return services;
}

}  // namespace

const Services& services() { return installed(); }

ServicesOverride::ServicesOverride(const Services& replacement) : previous_(installed()) {
    installed() = replacement;
}

ServicesOverride::~ServicesOverride() { installed() = previous_; }

Answer message_box(const MessageRequest& request) { return services().message_boxes->show(request); }

Answer message_box(QWidget* owner, const QString& text, const QString& caption, Buttons buttons,
                   Icon icon) {
    return message_box(MessageRequest{owner, text, caption, buttons, icon});
}

bool shift_held() { return services().keyboard->shift_held(); }

void beep() { services().beeper->beep(); }

QString open_file(QWidget* owner, const QString& caption, const QString& filter) {
    return services().file_dialogs->open_file(owner, caption, filter);
}

QString choose_folder(QWidget* owner, const QString& caption) {
    return services().file_dialogs->choose_folder(owner, caption);
}

QString save_file(QWidget* owner, const QString& caption, const QString& filter, const QString& suffix) {
    return services().file_dialogs->save_file(owner, caption, filter, suffix);
}

int run_modal(QDialog& dialog) { return services().modal_dialogs->run(dialog); }

void play_sound(SampleSource source, int channels, int sample_rate) {
    services().audio_output->play(std::move(source), channels, sample_rate);
}

void stop_sound() { services().audio_output->stop(); }

QString application_name() { return QCoreApplication::applicationName(); }

ProgressBox::ProgressBox(QWidget* owner, const QString& text) { services().progress_boxes->begin_progress(owner, text); }

ProgressBox::~ProgressBox() { services().progress_boxes->end_progress(); }

void ProgressBox::set(const QString& text, int done, int total) {
    services().progress_boxes->set_progress(text, done, total);
}

WaitCursor::WaitCursor() { services().cursor->begin_wait(); }

WaitCursor::~WaitCursor() { services().cursor->end_wait(); }

}  // namespace platform

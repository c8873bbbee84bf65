#include "editor/platform/scripted_services.h"

#include <QDialog>
#include <QStringList>

namespace platform {
namespace {

Answer first_button(Buttons buttons) {
    return buttons == Buttons::ok || buttons == Buttons::ok_cancel ? Answer::ok : Answer::yes;
}

}  // namespace

ScriptedServices::ScriptedServices()
    : installed_(Services{this, this, this, this, this, this, this, this}) {}

ScriptedServices::~ScriptedServices() = default;

QStringList ScriptedServices::message_texts() const {
    QStringList texts;
    for (const auto& message : messages_) texts.append(message.text);
    return texts;
}

Answer ScriptedServices::show(const MessageRequest& request) {
    messages_.push_back(request);
    // Unscripted, a box takes its default button, as Enter would.
    if (answers_.empty()) return request.destructive ? Answer::no : first_button(request.buttons);
    const Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void ScriptedServices::begin_wait() {
    ++wait_depth_;
    ++wait_uses_;
}

void ScriptedServices::end_wait() { --wait_depth_; }

QString ScriptedServices::open_file(QWidget*, const QString& caption, const QString& filter) {
    open_file_requests_.push_back({caption, filter});
    if (open_files_.empty()) return {};
    QString path = open_files_.front();
    open_files_.pop_front();
    return path;
}

QString ScriptedServices::choose_folder(QWidget* owner, const QString& caption) {
    return open_file(owner, caption, QString());
}

QString ScriptedServices::save_file(QWidget* owner, const QString& caption, const QString& filter, const QString&) {
    return open_file(owner, caption, filter);
}

int ScriptedServices::run(QDialog& dialog) {
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (dialog_scripts_.empty()) {
        ++unscripted_dialogs_;
        dialog.reject();
        return dialog.result();
    }
    const DialogScript script = std::move(dialog_scripts_.front());
    dialog_scripts_.pop_front();
    script(dialog);
    if (dialog.isVisible()) dialog.reject();
    return dialog.result();
}

void ScriptedServices::begin_progress(QWidget*, const QString& text) {
    progress_boxes_.append(text);
    progress_shown_ = true;
}

void ScriptedServices::set_progress(const QString& text, int done, int total) {
    progress_steps_.push_back({text, done, total});
}

void ScriptedServices::end_progress() { progress_shown_ = false; }

void ScriptedServices::play(SampleSource source, int channels, int sample_rate) {
    // Pieces of an odd size, as a device asks for them, not a chunk's.
    constexpr std::size_t piece = 1001;
    std::vector<std::int16_t> samples;
    std::size_t written = piece;
    while (written == piece) {
        const std::size_t had = samples.size();
        samples.resize(had + piece);
        written = source(std::span(samples).subspan(had));
        samples.resize(had + written);
    }
    played_sounds_.push_back(PlayedSound{std::move(samples), channels, sample_rate});
}

}  // namespace platform

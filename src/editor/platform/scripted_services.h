#pragma once

// Test doubles of every platform service, installed for the object's life.
// Message boxes answer from a queue (the first button of the box when the
// queue is empty) and record what was shown; modal dialogs run a queued script
// instead of an event loop; sounds are recorded, not played.

#include "editor/platform/services.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace platform {

class ScriptedServices final : public MessageBoxes,
                               public Cursor,
                               public Keyboard,
                               public Beeper,
                               public FileDialogs,
                               public ModalDialogs,
                               public ProgressBoxes,
                               public AudioOutput {
public:
    // One update of a progress box: its text and how far it had come.
    struct ProgressStep {
        QString text;
        int done;
        int total;
    };

    // One sound handed to the audio output.
    struct PlayedSound {
        std::vector<std::int16_t> samples;
        int channels;
        int sample_rate;
    };

    // One showing of the open-file dialog.
    struct OpenFileRequest {
        QString caption;
        QString filter;
    };
    // Drives a shown dialog: sets controls, then accepts or rejects it.
    using DialogScript = std::function<void(QDialog&)>;

    ScriptedServices();
    ~ScriptedServices() override;
    ScriptedServices(const ScriptedServices&) = delete;
    ScriptedServices& operator=(const ScriptedServices&) = delete;

    // Scripting.
    void queue_answer(Answer answer) { answers_.push_back(answer); }
    void queue_open_file(const QString& path) { open_files_.push_back(path); }
    void queue_dialog(DialogScript script) { dialog_scripts_.push_back(std::move(script)); }
    void set_shift_held(bool held) { shift_ = held; }

    // What happened.
    const std::vector<MessageRequest>& messages() const { return messages_; }
    QStringList message_texts() const;
    void clear_messages() { messages_.clear(); }
    int beep_count() const { return beeps_; }
    int wait_cursor_depth() const { return wait_depth_; }
    int wait_cursor_uses() const { return wait_uses_; }
    int unscripted_dialogs() const { return unscripted_dialogs_; }
    int pending_dialog_scripts() const { return static_cast<int>(dialog_scripts_.size()); }
    // The progress boxes shown (their first texts), the updates of all of them,
    // and whether one is up now.
    const QStringList& progress_boxes() const { return progress_boxes_; }
    const std::vector<ProgressStep>& progress_steps() const { return progress_steps_; }
    bool progress_shown() const { return progress_shown_; }
    const std::vector<PlayedSound>& played_sounds() const { return played_sounds_; }
    int stop_count() const { return stops_; }
    const std::vector<OpenFileRequest>& open_file_requests() const { return open_file_requests_; }

    Answer show(const MessageRequest& request) override;
    void begin_wait() override;
    void end_wait() override;
    bool shift_held() override { return shift_; }
    void beep() override { ++beeps_; }
    QString open_file(QWidget* owner, const QString& caption, const QString& filter) override;
    // Answered from the same queue as open_file, recorded with an empty filter.
    QString choose_folder(QWidget* owner, const QString& caption) override;
    // Answered from the same queue as open_file.
    QString save_file(QWidget* owner, const QString& caption, const QString& filter, const QString& suffix) override;
    // Shows the dialog (so that it initialises) and runs the next queued
    // script on it; a dialog the script left open is rejected. Without a
    // script the dialog is rejected and counted.
    int run(QDialog& dialog) override;
    void begin_progress(QWidget* owner, const QString& text) override;
    void set_progress(const QString& text, int done, int total) override;
    void end_progress() override;
    // Takes every sample of the source at once.
    void play(SampleSource source, int channels, int sample_rate) override;
    void stop() override { ++stops_; }

private:
    ServicesOverride installed_;
    std::deque<Answer> answers_;
    std::deque<QString> open_files_;
    std::deque<DialogScript> dialog_scripts_;
    std::vector<MessageRequest> messages_;
    bool shift_ = false;
    int beeps_ = 0;
    int wait_depth_ = 0;
    int wait_uses_ = 0;
    int unscripted_dialogs_ = 0;
    QStringList progress_boxes_;
    std::vector<ProgressStep> progress_steps_;
    bool progress_shown_ = false;
    std::vector<PlayedSound> played_sounds_;
    int stops_ = 0;
    std::vector<OpenFileRequest> open_file_requests_;
};

}  // namespace platform

#pragma once

// The editor's few needs of the desktop, each behind a small interface so that
// tests replace them with scripted doubles (scripted_services.h): message
// boxes, the wait cursor, the state of Shift, the beep, the open-file dialog,
// the running of modal dialogs (which also serves the colour dialog), the
// progress box of long work and the playing of sounds.
// The Qt implementations (and SDL's audio) are installed by default.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class QDialog;
class QWidget;

namespace platform {

enum class Icon { none, information, exclamation, stop, question };
enum class Buttons { ok, ok_cancel, yes_no, yes_no_cancel };
enum class Answer { ok, cancel, yes, no };

struct MessageRequest {
    QWidget* owner = nullptr;  // none: owned by the desktop
    QString text;
    QString caption;
    Buttons buttons = Buttons::ok;
    Icon icon = Icon::none;
    // A question whose Yes destroys something: Enter answers No.
    bool destructive = false;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual Answer show(const MessageRequest& request) = 0;
};

class Cursor {
public:
    virtual ~Cursor() = default;
    virtual void begin_wait() = 0;
    virtual void end_wait() = 0;
};

class Keyboard {
public:
    virtual ~Keyboard() = default;
    virtual bool shift_held() = 0;
};

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file's path, or an empty text when the user cancelled.
    // `filter` uses Qt's form: "Wave files (*.wav);;All files (*)".
    virtual QString open_file(QWidget* owner, const QString& caption, const QString& filter) = 0;
    // The chosen folder's path, or an empty text when the user cancelled.
    virtual QString choose_folder(QWidget* owner, const QString& caption) = 0;
    // The path of the file to write, or an empty text when the user cancelled;
    // a name typed without a suffix gets `suffix`. Replacing a file is confirmed.
    virtual QString save_file(QWidget* owner, const QString& caption, const QString& filter,
                              const QString& suffix) = 0;
};

class ModalDialogs {
public:
    virtual ~ModalDialogs() = default;
    // Runs `dialog` modally; the result is QDialog::Accepted or Rejected.
    virtual int run(QDialog& dialog) = 0;
};

// A modal box showing how far long work has come; while it is up the user can
// start nothing else.
class ProgressBoxes {
public:
    virtual ~ProgressBoxes() = default;
    virtual void begin_progress(QWidget* owner, const QString& text) = 0;
    // `done` of `total` steps; the text says what is being done now.
    virtual void set_progress(const QString& text, int done, int total) = 0;
    virtual void end_progress() = 0;
};

// Fills its argument with the next 16-bit samples of a sound, the channels
// interleaved, and says how many it wrote: fewer than asked at the end. The
// output calls it as the sound plays, from a thread of its own.
using SampleSource = std::function<std::size_t(std::span<std::int16_t>)>;

// Plays one sound at a time: a new sound stops the one playing. Playing
// returns at once; the sound goes on in the background, its samples taken
// from the source only as the device needs them. Without a usable device
// nothing plays and nobody is told.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Played once from the start.
    virtual void play(SampleSource source, int channels, int sample_rate) = 0;
    virtual void stop() = 0;
};

struct Services {
    MessageBoxes* message_boxes;
    Cursor* cursor;
    Keyboard* keyboard;
    Beeper* beeper;
    FileDialogs* file_dialogs;
    ModalDialogs* modal_dialogs;
    ProgressBoxes* progress_boxes;
    AudioOutput* audio_output;
};

// The services in use: the Qt ones unless an override is alive.
const Services& services();

// Installs other services for its lifetime and restores the previous ones.
class ServicesOverride {
public:
    explicit ServicesOverride(const Services& replacement);
    ~ServicesOverride();
    ServicesOverride(const ServicesOverride&) = delete;
    ServicesOverride& operator=(const ServicesOverride&) = delete;

private:
    Services previous_;
};

// Shortcuts over services().
Answer message_box(const MessageRequest& request);
Answer message_box(QWidget* owner, const QString& text, const QString& caption,
                   Buttons buttons, Icon icon);
bool shift_held();
void beep();
QString open_file(QWidget* owner, const QString& caption, const QString& filter);
QString choose_folder(QWidget* owner, const QString& caption);
QString save_file(QWidget* owner, const QString& caption, const QString& filter, const QString& suffix);
int run_modal(QDialog& dialog);
void play_sound(SampleSource source, int channels, int sample_rate);
void stop_sound();

// The caption of boxes titled "with the application's name".
QString application_name();

// Shows a progress box for its lifetime.
class ProgressBox {
public:
    ProgressBox(QWidget* owner, const QString& text);
    ~ProgressBox();
    ProgressBox(const ProgressBox&) = delete;
    ProgressBox& operator=(const ProgressBox&) = delete;

    void set(const QString& text, int done, int total);
};

// Shows the wait cursor for its lifetime.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace platform

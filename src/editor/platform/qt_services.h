#pragma once

#include "editor/platform/services.h"

#include <memory>

#include <QFileDialog>

class QMessageBox;
class QProgressDialog;

namespace platform {

// The box `QtServices::show` runs for `request`, not yet shown.
std::unique_ptr<QMessageBox> make_message_box(const MessageRequest& request);
std::unique_ptr<QFileDialog> make_file_dialog(QWidget* owner, const QString& caption, QFileDialog::FileMode mode);

// The platform services on Qt Widgets.
class QtServices final : public MessageBoxes,
                         public Cursor,
                         public Keyboard,
                         public Beeper,
                         public FileDialogs,
                         public ModalDialogs,
                         public ProgressBoxes {
public:
    QtServices();
    ~QtServices() override;
    Answer show(const MessageRequest& request) override;
    void begin_wait() override;
    void end_wait() override;
    bool shift_held() override;
    void beep() override;
    QString open_file(QWidget* owner, const QString& caption, const QString& filter) override;
    QString choose_folder(QWidget* owner, const QString& caption) override;
    QString save_file(QWidget* owner, const QString& caption, const QString& filter, const QString& suffix) override;
    int run(QDialog& dialog) override;
    void begin_progress(QWidget* owner, const QString& text) override;
    void set_progress(const QString& text, int done, int total) override;
    void end_progress() override;

private:
    std::unique_ptr<QProgressDialog> progress_;
};

}  // namespace platform

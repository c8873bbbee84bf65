#pragma once

#include "editor/platform/services.h"

namespace platform {

// The platform services on Qt Widgets.
class QtServices final : public MessageBoxes,
                         public Cursor,
                         public Keyboard,
                         public Beeper,
                         public FileDialogs,
                         public ModalDialogs {
public:
    Answer show(const MessageRequest& request) override;
    void begin_wait() override;
    void end_wait() override;
    bool shift_held() override;
    void beep() override;
    QString open_file(QWidget* owner, const QString& caption, const QString& filter) override;
    int run(QDialog& dialog) override;
};

}  // namespace platform

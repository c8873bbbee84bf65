#pragma once

#include "editor/tag_dialog.h"
#include "tag_files/tag_directory.h"

// "Progress" (dialog 200): a modeless window with one progress bar, 0 to 100.
class CProgressDlg : public CTagDialog {
    Q_OBJECT

public:
    static constexpr int dialog_template = 200;
    static constexpr int progress_control = 1282;

    explicit CProgressDlg(QWidget* parent);

    // Moves the bar and shows the move at once: the work runs on this thread.
    void set_position(int position);
    int position() const;

protected:
    bool OnInitDialog() override;
};

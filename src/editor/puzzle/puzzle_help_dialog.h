#pragma once

#include "editor/tag_dialog.h"

// "Little Hidden Puzzle Help" (dialog 131): how the hidden game is played, on
// a page that scrolls, with OK.
class CPuzzleHelpDlg : public CTagDialog {
    Q_OBJECT

public:
    static constexpr int dialog_template = 131;
    static constexpr int page_control = 1000;

    explicit CPuzzleHelpDlg(QWidget* parent);

protected:
    bool OnInitDialog() override;
};
